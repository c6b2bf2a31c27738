// The unpaid payments and the cash book as logic: the unpaid rule and the
// three unpaid grids, the interval checks of the cash book, its lines, its
// exact totals, its reason filter and what it does with a movement it
// cannot read.
#include "cashbook/cashbook.h"
#include "movements/movimento.h"
#include "unpaid/unpaid.h"

#include "archive/archivio.h"
#include "movementfixture.h"
#include "seed.h"
#include "support.h"

#include <QDir>
#include <QFile>

#include <cstring>

#include <gtest/gtest.h>

// Texts shown as texts when an expectation fails.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  for (const QString& s : l) *os << "\n  \"" << s.toStdString() << '"';
}

namespace {

Record stored(bool income, const char* date, const char* reason, const char* amount, const char* due = "31/12/2026",
              bool settled = false) {
  return movementfixture::record(income, date, reason, amount, due, settled);
}

QString writeYear(const TempProgramFolder& folder, const std::vector<Record>& records) {
  const QString path = folder.path(QStringLiteral("2026.eur"));
  seed::appendAll(path, TRecMovimento().size(), records);
  return path;
}

const QDate kMay1(2026, 5, 1), kMay31(2026, 5, 31);

QStringList texts(const cashbook::Book& book) {
  QStringList out;
  for (const lists::ListEntry& e : book.lines) out << e.line;
  return out;
}

} // namespace

// ---- unpaid payments ----

TEST(Unpaid, RuleByDueDateSettledFlagAndKind) {
  using lists::Verdict;
  using unpaid::Kind;
  const QDate today(2026, 12, 10);
  struct Case {
    bool income;
    const char* due;
    bool settled;
    Verdict all, incomeOnly, expenseOnly;
  } cases[] = {
      {true, "10/12/2026", false, Verdict::List, Verdict::List, Verdict::Skip},  // due today: already unpaid
      {true, "11/12/2026", false, Verdict::Skip, Verdict::Skip, Verdict::Skip},  // due tomorrow
      {false, "01/03/2026", false, Verdict::List, Verdict::Skip, Verdict::List}, // an expense
      {false, "01/03/2026", true, Verdict::Skip, Verdict::Skip, Verdict::Skip},  // settled
      {true, "05/01/2027", false, Verdict::Skip, Verdict::Skip, Verdict::Skip},  // next year, not yet due
      {true, "05/12/2025", false, Verdict::List, Verdict::List, Verdict::Skip},  // last year's
      {true, "31/11/2026", false, Verdict::Stop, Verdict::Stop, Verdict::Stop},  // not a date
      {true, "", true, Verdict::Stop, Verdict::Stop, Verdict::Stop},
  };
  for (const Case& c : cases) {
    Record r = stored(c.income, "01/01/2026", "Parcella", "10,00", c.due, c.settled);
    r.set("Preavviso", QStringLiteral("30")); // the notice days play no part
    const QByteArray b = encode(r);
    EXPECT_EQ(unpaid::rule(b.constData(), today, Kind::All), c.all) << c.due;
    EXPECT_EQ(unpaid::rule(b.constData(), today, Kind::Income), c.incomeOnly) << c.due;
    EXPECT_EQ(unpaid::rule(b.constData(), today, Kind::Expense), c.expenseOnly) << c.due;
  }
  // the flag must be exactly "No"
  Record r = stored(true, "01/01/2026", "Parcella", "10,00", "01/02/2026");
  r.set("Saldato", QStringLiteral("no"));
  EXPECT_EQ(unpaid::rule(encode(r).constData(), today, Kind::All), Verdict::Skip);
}

TEST(Unpaid, GridsListAndExportTheirMovements) {
  TempProgramFolder folder;
  const QString path = writeYear(folder, {stored(true, "02/03/2026", "Parcella villetta", "1250,00", "31/03/2026"),
                                          stored(false, "05/03/2026", "Versamento IVA", "80,00", "16/03/2026"),
                                          stored(false, "06/03/2026", "Affitto", "300,00", "16/03/2026", true),
                                          stored(true, "07/03/2026", "Consulenza", "90,00", "20/12/2026")});
  const grids::GridContext today{QDate(2026, 12, 10), {}, {}, {}};

  struct Case {
    unpaid::Kind kind;
    const char *screen, *caption, *file, *worksheet;
    QStringList types, totals;
  } cases[] = {
      {unpaid::Kind::Income, "TfrmInsolutiEnt", " Pagamenti insoluti in entrata", "Pagamenti_in_Entrata_Insoluti.xls",
       "Pagamenti in entrata insoluti", {"Entrata"}, {"+1250,00"}},
      {unpaid::Kind::Expense, "TfrmInsolutiUsc", " Pagamenti insoluti in uscita", "Pagamenti_in_Uscita_Insoluti.xls",
       "Pagamenti in uscita insoluti", {"Uscita"}, {"-80,00"}},
      {unpaid::Kind::All, "TfrmInsolutiAll", " Pagamenti insoluti in entrata e in uscita", "Pagamenti_Insoluti.xls",
       "Pagamenti insoluti", {"Entrata", "Uscita"}, {"+1250,00", "-80,00"}},
  };
  for (const Case& c : cases) {
    const grids::GridDescription& d = unpaid::list(c.kind);
    EXPECT_EQ(d.screen, QLatin1String(c.screen));
    EXPECT_EQ(d.caption, QLatin1String(c.caption));
    EXPECT_EQ(d.file, QLatin1String(c.file));
    EXPECT_EQ(d.worksheet, QLatin1String(c.worksheet));
    EXPECT_EQ(d.fileOfScreen, QStringLiteral("TfrmMenuInsoluti"));
    const grids::Filled f = grids::fill(d, path, today);
    ASSERT_EQ(f.outcome, grids::Filled::Outcome::Complete);
    QStringList types, totals;
    for (int row = 0; row < f.table.rows(); ++row) {
      EXPECT_EQ(f.table.number(row), row + 1);
      types << f.table.text(row, 0);
      totals << f.table.text(row, 6);
      EXPECT_EQ(f.table.text(row, 19), QStringLiteral("No"));
    }
    EXPECT_EQ(types, c.types) << c.screen;
    EXPECT_EQ(totals, c.totals) << c.screen;
  }

  // 20 columns after "N." with the widths of the screen; the file keeps the
  // widths of the movement export
  const grids::GridDescription& d = unpaid::list(unpaid::Kind::All);
  EXPECT_EQ(d.numberWidth, 60);
  const int onScreen[] = {150, 150, 300, 300, 150, 120, 150, 250, 250, 200,
                          180, 250, 200, 250, 250, 250, 250, 300, 250, 100};
  const int inFile[] = {150, 180, 300, 300, 180, 150, 150, 250, 250, 200,
                        180, 250, 250, 250, 250, 250, 250, 300, 250, 120};
  ASSERT_EQ(d.columns.size(), 20u);
  for (size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(d.columns[i].gridWidth, onScreen[i]) << i;
    EXPECT_EQ(d.columns[i].width, inFile[i]) << i;
  }
  EXPECT_EQ(d.columns[0].gridHeader, QStringLiteral("Tipo movimento"));
  EXPECT_EQ(d.columns[16].gridHeader, QStringLiteral("CRO o Ricevuta n."));
  EXPECT_EQ(d.exportHint, QStringLiteral("Esporta i dati in formato Microsoft Excel."));
  EXPECT_EQ(d.doneQuestion, QStringLiteral("Esportazione in Excel effettuata con successo.\r\n\r\nSi vuole aprire il file .XLS?"));
  EXPECT_EQ(d.helpTopic, HelpTopic::RiepilogoInsoluti);
}

// ---- the interval of the cash book ----

TEST(CashBook, SelectionChecksInOrder) {
  using Field = cashbook::SelectionCheck::Field;
  const QString needed = QStringLiteral("\n\r\n\rPer poter visualizzare il riepilogo \u00E8 necessario indicare una data valida.");
  struct Case {
    cashbook::Selection s;
    MessageKind kind;
    Field focus;
    QString message;
  } cases[] = {
      {{"202", "01", "Maggio", "31", "Maggio"}, MessageKind::Warning, Field::Year,
       QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.")},
      {{"2026", "", "", "", ""}, MessageKind::Warning, Field::StartDay,
       QStringLiteral("Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata.")},
      {{"2026", "01", "", "", ""}, MessageKind::Warning, Field::StartMonth,
       QStringLiteral("Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata.")},
      {{"2026", "01", "Maggio", "", "Maggio"}, MessageKind::Warning, Field::EndDay,
       QStringLiteral("Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata.")},
      {{"2026", "01", "Maggio", "31", "Maggioo"}, MessageKind::Warning, Field::EndMonth,
       QStringLiteral("Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata.")},
      {{"2026", "31", "Aprile", "30", "Giugno"}, MessageKind::Plain, Field::StartDay,
       QStringLiteral("Attenzione: la data 31/04/2026 di inizio intervallo non esiste.") + needed},
      {{"2026", "01", "Febbraio", "29", "Febbraio"}, MessageKind::Plain, Field::EndDay,
       QStringLiteral("Attenzione: la data 29/02/2026 di fine intervallo non esiste.") + needed},
      {{"2026", "02", "Giugno", "01", "Giugno"}, MessageKind::Plain, Field::None,
       QStringLiteral("Attenzione: la data di fine intervallo (01/06/2026) non pu\u00F2 essere anteriore a quella di "
                      "inizio intervallo (02/06/2026).\n\r\n\rPer poter visualizzare il riepilogo \u00E8 necessario "
                      "indicare un intervallo di tempo valido.")},
  };
  for (const Case& c : cases) {
    const cashbook::SelectionCheck r = cashbook::check(c.s);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.kind, c.kind) << r.message.toStdString();
    EXPECT_EQ(r.focus, c.focus) << r.message.toStdString();
  }

  // a leap year's 29 February, one day, months in any case
  cashbook::SelectionCheck ok = cashbook::check({"2028", "29", "febbraio", "29", "FEBBRAIO"});
  EXPECT_TRUE(ok.ok());
  EXPECT_EQ(ok.from, QDate(2028, 2, 29));
  EXPECT_EQ(ok.to, QDate(2028, 2, 29));
  EXPECT_EQ(ok.startText, QStringLiteral("29/02/2028"));
  EXPECT_EQ(cashbook::monthNumber(QStringLiteral(" dicembre ")), 12);
  EXPECT_EQ(cashbook::monthNumber(QStringLiteral("Dic")), 0);
  EXPECT_EQ(cashbook::days().size(), 31);
}

// ---- the cash book ----

TEST(CashBook, TotalsAreExactCents) {
  TempProgramFolder folder;
  struct Case {
    std::vector<Record> movements;
    const char *income, *expenses, *balance;
  } cases[] = {
      {{stored(true, "02/05/2026", "Parcella", "1250,00"), stored(true, "03/05/2026", "Rivalutazione", "100,50"),
        stored(false, "04/05/2026", "Versamento IVA", "80,00")},
       "1350,50 \u20AC", "-80,00 \u20AC", "1270,50 \u20AC"},
      {{stored(false, "02/05/2026", "Cancelleria", "80,00"), stored(false, "03/05/2026", "Toner", "20,00")},
       "0,00 \u20AC", "-100,00 \u20AC", "-100,00 \u20AC"},
      {{stored(true, "02/05/2026", "Parcella", "0,10"), stored(true, "03/05/2026", "Parcella", "0,20"),
        stored(false, "04/05/2026", "Spese", "0,30")},
       "0,30 \u20AC", "-0,30 \u20AC", "0,00 \u20AC"},
      {{stored(true, "02/05/2026", "Parcella", "100,00"), stored(false, "03/05/2026", "Spese", "135,50")},
       "100,00 \u20AC", "-135,50 \u20AC", "-35,50 \u20AC"},
      {{}, "0,00 \u20AC", "0,00 \u20AC", "0,00 \u20AC"},
  };
  for (const Case& c : cases) {
    const cashbook::Book book = cashbook::build(writeYear(folder, c.movements), QString(), kMay1, kMay31);
    QFile::remove(folder.path(QStringLiteral("2026.eur")));
    ASSERT_TRUE(book.complete());
    EXPECT_EQ(book.lines.size(), c.movements.size());
    EXPECT_EQ(cashbook::totalText(book.income), QString::fromUtf8(c.income));
    EXPECT_EQ(cashbook::totalText(book.expenses), QString::fromUtf8(c.expenses));
    EXPECT_EQ(cashbook::totalText(book.balance()), QString::fromUtf8(c.balance));
  }

  // a year without archive: an empty cash book, and the archive is made
  const QString missing = folder.path(QStringLiteral("2031.eur"));
  EXPECT_TRUE(cashbook::build(missing, QString(), QDate(2031, 1, 1), QDate(2031, 12, 31)).complete());
  EXPECT_TRUE(QFile::exists(missing));
}

TEST(CashBook, LinesInArchiveOrderWithinTheIntervalAndReason) {
  TempProgramFolder folder;
  Record longer = stored(true, "31/05/2026", "Saldo parcella per la progettazione della villetta di via Roma", "1250,00");
  longer.set("Pagatore", QStringLiteral("Condominio Le Betulle di via dei Mille"));
  const QString path = writeYear(folder, {
                                             longer,                                                       // 1
                                             stored(false, "01/05/2026", "Versamento IVA", "80,00"),     // 2
                                             stored(true, "30/04/2026", "Parcella aprile", "10,00"),     // 3
                                             stored(true, "15/05/2026", "Rivalutazione ISTAT", "100,50"), // 4
                                             stored(true, "01/06/2026", "Rivalutazione", "5,00"),        // 5
                                             stored(false, "20/05/2026", "Affitto", "300,00"),           // 6
                                         });

  // the whole of May: archive order, both ends of the interval included
  cashbook::Book book = cashbook::build(path, QString(), kMay1, kMay31);
  ASSERT_TRUE(book.complete());
  const QString rossi = QStringLiteral("Da: Rossi Mario                   A: Studio Tecnico Bianchi        Importo: ");
  EXPECT_EQ(texts(book), (QStringList{
                             "ENTRATA  Saldo parcella per la progettazione dell  Data: 31/05/2026  Da: Condominio Le "
                             "Betulle di via  A: Studio Tecnico Bianchi        Importo: +1250,00",
                             "USCITA   Versamento IVA                            Data: 01/05/2026  " + rossi + "-80,00",
                             "ENTRATA  Rivalutazione ISTAT                       Data: 15/05/2026  " + rossi + "+100,50",
                             "USCITA   Affitto                                   Data: 20/05/2026  " + rossi + "-300,00",
                         }));
  EXPECT_EQ(book.lines[2].position, 4);
  EXPECT_EQ(cashbook::line(encode(longer).constData()), book.lines[0].line);

  // "iva" in any case and inside a word; blanks alone are no filter; the
  // filter is taken as typed, its blanks included
  struct Case {
    const char* filter;
    QDate from, to;
    std::vector<RecordPosition> positions;
    money::Units balance;
  } cases[] = {
      {"iva", kMay1, kMay31, {2, 4}, 2050},
      {"IVA", kMay1, QDate(2026, 6, 30), {2, 4, 5}, 2550},
      {"   ", kMay1, kMay31, {1, 2, 4, 6}, 125000 - 8000 + 10050 - 30000},
      {" iva", kMay1, kMay31, {2}, -8000},
      {"", QDate(2026, 5, 15), QDate(2026, 5, 15), {4}, 10050}, // one day
      {"affitto", QDate(2026, 1, 1), QDate(2026, 4, 30), {}, 0},
  };
  for (const Case& c : cases) {
    book = cashbook::build(path, QString::fromUtf8(c.filter), c.from, c.to);
    ASSERT_TRUE(book.complete());
    std::vector<RecordPosition> positions;
    for (const lists::ListEntry& e : book.lines) positions.push_back(e.position);
    EXPECT_EQ(positions, c.positions) << "'" << c.filter << "'";
    EXPECT_EQ(book.balance(), c.balance) << "'" << c.filter << "'";
  }
}

// A listed line is written from the stored bytes: characters outside ASCII
// (an accent, the euro sign, a byte the code page leaves undefined) and a
// signed total with blanks around read as the line of the movement does.
TEST(CashBook, ListedLinesKeepEveryStoredCharacter) {
  TempProgramFolder folder;
  Record odd = stored(true, "10/05/2026", "", "12,00");
  odd.set("Causale", QStringLiteral("Caff\u00E8 \u20AC 5 \u0081 pi\u00F9"));
  odd.set("Pagatore", QStringLiteral("Citt\u00E0 di Niccol\u00F2"));
  QByteArray bytes = encode(odd);
  const RecordLayout& layout = TRecMovimento();
  bytes[layout.offsetOf("Totale")] = char(9); // the length byte takes in blanks around
  std::memcpy(bytes.data() + layout.offsetOf("Totale") + 1, " +12,00\t ", 9);
  const QString path = folder.path(QStringLiteral("2026.eur"));
  seed::appendAll(path, layout.size(), std::vector<QByteArray>{bytes});
  const cashbook::Book book = cashbook::build(path, QString(), kMay1, kMay31);
  ASSERT_TRUE(book.complete());
  ASSERT_EQ(book.lines.size(), 1u);
  EXPECT_EQ(book.lines[0].line, cashbook::line(bytes.constData()));
  EXPECT_TRUE(book.lines[0].line.startsWith(QStringLiteral("ENTRATA  Caff\u00E8 \u20AC 5 \u0081 pi\u00F9 ")));
  EXPECT_EQ(book.income, 1200);
}

// A movement that cannot be read is not passed over: the cash book is given
// back empty, naming the movement, never as a partial list with its totals.
TEST(CashBook, AMovementThatCannotBeReadStopsTheWholeBook) {
  TempProgramFolder folder;
  const QString incomplete =
      QStringLiteral("\n\r\n\rLa primanota non pu\u00F2 essere visualizzata perch\u00E9 risulterebbe incompleta");
  Record noDate = stored(true, "31/04/2026", "Parcella", "10,00");
  Record noTotal = stored(true, "02/05/2026", "Parcella", "10,00");
  noTotal.set("Totale", QStringLiteral("10,00")); // no sign
  Record letters = stored(false, "02/05/2026", "Parcella", "10,00");
  letters.set("Totale", QStringLiteral("-dieci"));
  struct Case {
    Record bad;
    const char* filter;
    cashbook::Book::Outcome outcome;
    QString message;
  } cases[] = {
      {noDate, "", cashbook::Book::Outcome::DateUnreadable,
       QStringLiteral("Attenzione: la data operazione della scheda n. 2 in archivio non \u00E8 leggibile.") + incomplete +
           QStringLiteral(": controllare la scheda dall'applicazione Entrate e Uscite.")},
      {noTotal, "", cashbook::Book::Outcome::AmountUnreadable,
       QStringLiteral("Attenzione: l'importo della scheda n. 2 in archivio non \u00E8 leggibile.") + incomplete +
           QStringLiteral(": controllare la scheda dall'applicazione Entrate e Uscite.")},
      {letters, "", cashbook::Book::Outcome::AmountUnreadable, {}},
      // a movement the filter leaves out is never read further
      {noDate, "affitto", cashbook::Book::Outcome::Complete, {}},
  };
  for (const Case& c : cases) {
    const QString path = writeYear(folder, {stored(true, "01/05/2026", "Affitto attivo", "500,00"), c.bad,
                                            stored(false, "03/05/2026", "Affitto", "80,00")});
    const cashbook::Book book = cashbook::build(path, QString::fromUtf8(c.filter), kMay1, kMay31);
    QFile::remove(path);
    EXPECT_EQ(book.outcome, c.outcome);
    if (c.outcome == cashbook::Book::Outcome::Complete) {
      EXPECT_EQ(book.lines.size(), 2u);
      continue;
    }
    EXPECT_EQ(book.position, 2);
    EXPECT_TRUE(book.lines.empty());
    EXPECT_EQ(book.income, 0);
    EXPECT_EQ(book.expenses, 0);
    if (!c.message.isEmpty()) EXPECT_EQ(cashbook::failureMessage(book), c.message);
  }

  // an archive that cannot be opened
  QDir(folder.dir.path()).mkdir(QStringLiteral("2027.eur"));
  const cashbook::Book book = cashbook::build(folder.path(QStringLiteral("2027.eur")), QString(), kMay1, kMay31);
  EXPECT_EQ(book.outcome, cashbook::Book::Outcome::Unavailable);
  EXPECT_EQ(cashbook::failureMessage(book), QStringLiteral("Attenzione: il file di archivio non risulta accessibile."));
}

TEST(CashBook, PrintedLinesAndTitle) {
  TempProgramFolder folder;
  const QString path = writeYear(folder, {stored(true, "02/05/2026", "Rivalutazione", "100,50"),
                                          stored(false, "04/05/2026", "Versamento IVA", "80,00")});
  const cashbook::Book book = cashbook::build(path, QStringLiteral("iva"), kMay1, kMay31);
  const QStringList printed = cashbook::printLines(book, kMay1, kMay31);
  ASSERT_EQ(printed.size(), 7);
  EXPECT_EQ(printed.mid(0, 2), texts(book));
  EXPECT_EQ(printed.mid(2), (QStringList{
                                "- - - - - - - - - - - - - - - -",
                                "INTERVALLO SELEZIONATO :      Dal   01/05/2026   al   31/05/2026",
                                "TOTALE ENTRATE :              100,50 \u20AC",
                                "TOTALE USCITE :               -80,00 \u20AC",
                                "BILANCIO ENTRATE E USCITE :   20,50 \u20AC",
                            }));
  EXPECT_EQ(cashbook::printTitle(QStringLiteral("  iva ")), QStringLiteral("PRIMANOTA E BILANCIO - Causale :  iva"));
  EXPECT_EQ(cashbook::printTitle(QStringLiteral("   ")), QStringLiteral("PRIMANOTA E BILANCIO - Causale :  - - -"));
}
