// The deadline record, the checks before a save, the imminent rule, the
// check made on entry and the lists, as logic over records and files.
#include "deadlinefixture.h"

#include "common/grids.h"
#include "common/lists.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/reminders.h"
#include "deadlines/scadenza.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

// Texts in the failure reports.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QDate day(const char* ddmmyyyy) { return QDate::fromString(QLatin1String(ddmmyyyy), QStringLiteral("dd/MM/yyyy")); }

// The rows of a grid, each as "N. | Data | Ora | Codice univoco".
std::vector<QString> rowsOf(const grids::Filled& f) {
  std::vector<QString> out;
  for (int r = 0; r < f.table.rows(); ++r)
    out.push_back(QStringLiteral("%1|%2|%3|%4")
                      .arg(f.table.number(r))
                      .arg(f.table.text(r, 0), f.table.text(r, 1), f.table.text(r, 19)));
  return out;
}

grids::Filled fillFor(const grids::GridDescription& d, QDate today, QDate chosen = QDate()) {
  const grids::GridContext c{today, chosen, {}, {}};
  return grids::fill(d, grids::yearlyPaths(d, c), c);
}

} // namespace

TEST(Scadenza, LayoutMatchesTheRecordFile) {
  const RecordLayout& l = TRecScadenza();
  EXPECT_EQ(l.size(), 1328);
  EXPECT_EQ(l.fieldCount(), 25);
  const std::pair<const char*, int> offsets[] = {
      {"Giorno", 0},        {"Mese", 3},         {"Anno", 14},       {"Data", 19},       {"OreApp", 30},
      {"MinutiApp", 33},    {"Ora", 36},         {"Avviso", 42},     {"Cliente", 46},    {"CodFisc", 97},
      {"Recapito", 114},    {"Oggetto", 165},    {"Tipologia", 416}, {"Protocollo", 467}, {"Apertura", 498},
      {"Chiusura", 509},    {"Stato", 520},      {"Consulente", 551}, {"Dettagli", 602}, {"Officina", 853},
      {"Costo", 1004},      {"Contatto", 1020},  {"Note", 1071},     {"DaConfermare", 1322}, {"Effettuata", 1325},
  };
  for (auto [name, offset] : offsets) EXPECT_EQ(l.offsetOf(name), offset) << name;
  // a flag ticked is stored as "Sì" in Windows-1252
  const QByteArray bytes = encode(deadlineRecord(QStringLiteral("05/03/2025"), QStringLiteral("09:30"),
                                                 QStringLiteral("3")));
  Record r = decode(l, bytes.constData());
  r.setFlag("Effettuata", true);
  EXPECT_EQ(encode(r).mid(1325, 3), QByteArray("\x02S\xEC", 3));
  EXPECT_EQ(bytes.mid(19, 11), QByteArray("\x0A" "05/03/2025"));
}

// What a save refuses, in order, with its message, kind and the field that
// takes the focus; what passes, with `Data` and `Ora` composed.
TEST(Scadenza, RulesInOrderAndTheComposedDateAndTime) {
  const QString base = QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare ");
  struct Case {
    std::vector<std::pair<const char*, const char*>> changes;
    QString message; // empty: passes
    const char* field = "";
    MessageKind kind = MessageKind::Warning;
  } cases[] = {
      {{{"Giorno", ""}, {"Mese", ""}, {"Cliente", ""}}, base + "il giorno della scadenza.", "Giorno"},
      {{{"Giorno", "5"}}, base + "il giorno della scadenza usando due cifre.", "Giorno"},
      {{{"Mese", " "}}, base + "il mese della scadenza.", "Mese"},
      {{{"OreApp", ""}, {"MinutiApp", ""}}, base + "l'ora dell'appuntamento.", "OreApp"},
      {{{"MinutiApp", ""}, {"OreApp", "9"}}, base + "i minuti dell'ora dell'appuntamento.", "MinutiApp"},
      {{{"OreApp", "9"}, {"MinutiApp", "5"}}, base + "l'ora dell'appuntamento usando due cifre.", "OreApp"},
      {{{"MinutiApp", "5"}}, base + "i minuti dell'ora dell'appuntamento usando due cifre.", "MinutiApp"},
      {{{"Avviso", ""}, {"Dettagli", ""}}, base + "i giorni di preavviso.", "Avviso"},
      {{{"Cliente", "   "}}, base + "il nome del Cliente.", "Cliente"},
      {{{"Oggetto", ""}}, base + "l'oggetto della pratica a cui la scadenza si riferisce.", "Oggetto"},
      {{{"Dettagli", ""}}, base + "la causale della scadenza.", "Dettagli"},
      {{{"Mese", "Marzolino"}},
       QStringLiteral("Attenzione: selezionare il mese dal menu a cascata.\n\r\n\rPer poter salvare la scheda \u00E8 "
                      "necessario indicare una data valida."),
       "Mese"},
      {{{"Giorno", "31"}, {"Mese", "Aprile"}},
       QStringLiteral("Attenzione: la data 31/04/2025 non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 "
                      "necessario indicare una data valida."),
       "Giorno", MessageKind::Plain},
      {{{"Giorno", "29"}, {"Mese", "Febbraio"}},
       QStringLiteral("Attenzione: la data 29/02/2025 non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 "
                      "necessario indicare una data valida."),
       "Giorno", MessageKind::Plain},
      {{{"Giorno", "29"}, {"Mese", "Febbraio"}, {"Anno", "2028"}}, {}},
      {{{"OreApp", "00"}, {"MinutiApp", "00"}, {"Mese", "dicembre"}}, {}}, // midnight, a month in lower case
  };
  for (const Case& c : cases) {
    Record r = deadlineRecord(QStringLiteral("05/03/2025"), QStringLiteral("09:30"), QStringLiteral("3"));
    r.set("Data", QString());
    r.set("Ora", QString());
    for (const auto& [field, value] : c.changes) r.set(field, QString::fromUtf8(value));
    const auto failure = deadlineRules().check(r);
    if (c.message.isEmpty()) {
      EXPECT_FALSE(failure) << failure->message.toStdString();
      continue;
    }
    ASSERT_TRUE(failure) << c.message.toStdString();
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->field, std::string_view(c.field));
    EXPECT_EQ(failure->kind, c.kind);
  }
  Record r = deadlineRecord(QStringLiteral("05/03/2025"), QStringLiteral("09:30"), QStringLiteral("3"));
  r.set("Giorno", QStringLiteral("29"));
  r.set("Mese", QStringLiteral("febbraio"));
  r.set("Anno", QStringLiteral("2028"));
  r.set("OreApp", QStringLiteral("00"));
  r.set("MinutiApp", QStringLiteral("00"));
  EXPECT_FALSE(deadlineRules().check(r));
  EXPECT_EQ(r["Data"], QStringLiteral("29/02/2028"));
  EXPECT_EQ(r["Ora"], QStringLiteral("00:00"));
}

TEST(Scadenza, PrintedCardRows) {
  Record r = deadlineRecord(QStringLiteral("05/03/2025"), QStringLiteral("09:30"), QStringLiteral("3"));
  r.setFlag("DaConfermare", true);
  const auto rows = expandRows(deadlinePrintRows(), r);
  ASSERT_EQ(rows.size(), size_t(20));
  EXPECT_EQ(rows[0], std::make_pair(QStringLiteral("Data scadenza:"), QStringLiteral("05 Marzo 2025")));
  EXPECT_EQ(rows[1].second, QStringLiteral("09:30"));
  EXPECT_EQ(rows[14].first, QStringLiteral("Modalit\u00E0 di pagamento:"));
  EXPECT_EQ(rows[18], std::make_pair(QStringLiteral("Appuntamento da confermare:"), QStringLiteral("S\u00EC")));
  EXPECT_EQ(rows[19], std::make_pair(QStringLiteral("Pagamento effettuato:"), QStringLiteral("No")));
}

// Both ends of the notice window are included; month ends, leap days and
// the year end are crossed as calendar days.
TEST(Reminders, TheNoticeWindowInCalendarDays) {
  struct Case {
    const char* deadline;
    int notice;
    const char* today;
    bool imminent;
  } cases[] = {
      {"10/03/2025", 3, "06/03/2025", false}, {"10/03/2025", 3, "07/03/2025", true},
      {"10/03/2025", 3, "10/03/2025", true},  {"10/03/2025", 3, "11/03/2025", false},
      {"10/03/2025", 0, "10/03/2025", true},  {"10/03/2025", 0, "09/03/2025", false},
      {"02/03/2025", 5, "25/02/2025", true},  {"02/03/2025", 5, "24/02/2025", false}, // 28 days in February 2025
      {"02/03/2024", 5, "26/02/2024", true},  {"02/03/2024", 5, "25/02/2024", false}, // 29 in 2024
      {"29/02/2028", 1, "28/02/2028", true},  {"01/03/2028", 1, "29/02/2028", true},
      {"05/01/2027", 10, "28/12/2026", true}, {"05/01/2027", 10, "25/12/2026", false},
      {"31/12/2026", 999, "06/04/2024", true}, {"31/12/2026", 999, "05/04/2024", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(reminders::isImminent(day(c.deadline), c.notice, day(c.today)), c.imminent)
        << c.deadline << " -" << c.notice << " on " << c.today;
    Record r = deadlineRecord(QString::fromLatin1(c.deadline), QStringLiteral("09:00"), QString::number(c.notice));
    EXPECT_EQ(reminders::imminence(encode(r).constData(), day(c.today)),
              c.imminent ? reminders::Imminence::Imminent : reminders::Imminence::NotImminent);
  }
}

// A record whose date or notice cannot be read is told apart; the flags play
// no part.
TEST(Reminders, RecordsThatCannotBeReadAndFlagsThatDoNotCount) {
  const QDate today = day("08/03/2025");
  struct Case {
    const char* data;
    const char* notice;
    reminders::Imminence verdict;
  } cases[] = {
      {"10/03/2025", " 3 ", reminders::Imminence::Imminent},
      {"31/02/2025", "3", reminders::Imminence::Unreadable},
      {"10/3/2025", "3", reminders::Imminence::Unreadable},
      {"", "3", reminders::Imminence::Unreadable},
      {"10/03/2025", "", reminders::Imminence::Unreadable},
      {"10/03/2025", "3g", reminders::Imminence::Unreadable},
      {"10/03/2025", "-1", reminders::Imminence::Unreadable},
  };
  for (const Case& c : cases) {
    Record r = deadlineRecord(QStringLiteral("10/03/2025"), QStringLiteral("09:00"), QString());
    r.set("Data", QString::fromLatin1(c.data));
    r.set("Avviso", QString::fromLatin1(c.notice));
    EXPECT_EQ(reminders::imminence(encode(r).constData(), today), c.verdict) << c.data << " / " << c.notice;
  }
  Record paid = deadlineRecord(QStringLiteral("10/03/2025"), QStringLiteral("09:00"), QStringLiteral("3"));
  paid.setFlag("Effettuata", true);
  paid.setFlag("DaConfermare", true);
  EXPECT_EQ(reminders::imminence(encode(paid).constData(), today), reminders::Imminence::Imminent);
}

TEST(Reminders, TheCheckOnEntrySkipsBadRecordsAndReadsNextYearWhenItExists) {
  TempProgramFolder folder;
  const QDate today = day("28/12/2026");
  // no archive yet: this year's is created empty, next year's is not
  EXPECT_EQ(reminders::check(today).imminent, 0);
  EXPECT_TRUE(QFileInfo::exists(yearFile(2026)));
  EXPECT_FALSE(QFileInfo::exists(yearFile(2027)));

  Record bad = deadlineRecord(QStringLiteral("30/12/2026"), QStringLiteral("09:00"), QStringLiteral("5"));
  bad.set("Data", QStringLiteral("3O/12/2026"));
  appendDeadlines(2026, {bad, deadlineRecord(QStringLiteral("30/12/2026"), QStringLiteral("09:00"), QStringLiteral("5")),
                         deadlineRecord(QStringLiteral("15/12/2026"), QStringLiteral("09:00"), QStringLiteral("5"))});
  reminders::Check c = reminders::check(today);
  EXPECT_EQ(c.imminent, 1);
  EXPECT_EQ(c.unreadable, 1);
  EXPECT_FALSE(c.failed);

  // a deadline early next year already in its notice window
  appendDeadlines(2027, {deadlineRecord(QStringLiteral("05/01/2027"), QStringLiteral("10:00"), QStringLiteral("10")),
                         deadlineRecord(QStringLiteral("20/01/2027"), QStringLiteral("10:00"), QStringLiteral("10"))});
  c = reminders::check(today);
  EXPECT_EQ(c.imminent, 2);
  EXPECT_FALSE(c.failed);

  // an archive that cannot be read at all is reported
  QFile::remove(yearFile(2026));
  QDir().mkpath(yearFile(2026));
  c = reminders::check(today);
  EXPECT_TRUE(c.failed);
  EXPECT_EQ(c.imminent, 0);
}

// The imminent list across New Year: this year's rows, then next year's,
// each in order of MMDDhhmm; numbers in reading order; a bad record left out.
TEST(DeadlineLists, ImminentAcrossNewYearGoesByYearFirst) {
  TempProgramFolder folder;
  const QDate today = day("28/12/2026");
  Record bad = deadlineRecord(QStringLiteral("29/12/2026"), QStringLiteral("09:00"), QString());
  appendDeadlines(2026, {deadlineRecord(QStringLiteral("30/12/2026"), QStringLiteral("08:00"), QStringLiteral("5")), bad,
                         deadlineRecord(QStringLiteral("29/12/2026"), QStringLiteral("17:30"), QStringLiteral("1")),
                         deadlineRecord(QStringLiteral("02/12/2026"), QStringLiteral("09:00"), QStringLiteral("40"))});
  EXPECT_EQ(rowsOf(fillFor(imminentDeadlines(), today)),
            (std::vector<QString>{"2|29/12/2026|17:30|12291730", "1|30/12/2026|08:00|12300800"}));

  appendDeadlines(2027, {deadlineRecord(QStringLiteral("05/01/2027"), QStringLiteral("10:00"), QStringLiteral("10")),
                         deadlineRecord(QStringLiteral("02/01/2027"), QStringLiteral("16:00"), QStringLiteral("10")),
                         deadlineRecord(QStringLiteral("20/01/2027"), QStringLiteral("10:00"), QStringLiteral("10"))});
  const grids::Filled f = fillFor(imminentDeadlines(), today);
  EXPECT_EQ(f.outcome, grids::Filled::Outcome::Complete);
  EXPECT_EQ(rowsOf(f), (std::vector<QString>{"2|29/12/2026|17:30|12291730", "1|30/12/2026|08:00|12300800",
                                             "4|02/01/2027|16:00|01021600", "3|05/01/2027|10:00|01051000"}));
  // on 2 January the old year is behind: only this year's archive counts
  EXPECT_EQ(rowsOf(fillFor(imminentDeadlines(), day("02/01/2027"))),
            (std::vector<QString>{"2|02/01/2027|16:00|01021600", "1|05/01/2027|10:00|01051000"}));
}

// The month list of March and the day list of 2 March from three deadlines
// stored out of order; other years and other days stay out.
TEST(DeadlineLists, DayAndMonthInOrderOfDateAndTime) {
  TempProgramFolder folder;
  Record otherYear = deadlineRecord(QStringLiteral("02/03/2025"), QStringLiteral("07:00"), QStringLiteral("0"));
  otherYear.set("Anno", QStringLiteral("2025")); // misplaced in the 2026 file
  Record lower = deadlineRecord(QStringLiteral("20/03/2026"), QStringLiteral("12:00"), QStringLiteral("0"));
  lower.set("Mese", QStringLiteral(" MARZO "));
  appendDeadlines(2026, {deadlineRecord(QStringLiteral("15/03/2026"), QStringLiteral("09:00"), QStringLiteral("0")),
                         deadlineRecord(QStringLiteral("02/03/2026"), QStringLiteral("17:30"), QStringLiteral("0")),
                         deadlineRecord(QStringLiteral("02/03/2026"), QStringLiteral("08:15"), QStringLiteral("0")),
                         otherYear, lower,
                         deadlineRecord(QStringLiteral("02/04/2026"), QStringLiteral("08:00"), QStringLiteral("0"))});
  const QDate today = day("10/12/2026");
  EXPECT_EQ(rowsOf(fillFor(deadlinesOfMonth(), today, day("02/03/2026"))),
            (std::vector<QString>{"3|02/03/2026|08:15|03020815", "2|02/03/2026|17:30|03021730",
                                  "1|15/03/2026|09:00|03150900", "4|20/03/2026|12:00|03201200"}));
  EXPECT_EQ(rowsOf(fillFor(deadlinesOfDay(), today, day("02/03/2026"))),
            (std::vector<QString>{"2|02/03/2026|08:15|03020815", "1|02/03/2026|17:30|03021730"}));
  // a year without an archive gives an empty list and leaves the file behind
  EXPECT_EQ(fillFor(deadlinesOfDay(), today, day("02/03/2031")).table.rows(), 0);
  EXPECT_TRUE(QFileInfo::exists(yearFile(2031)));
}

// The line of the summaries and the search; the three flag summaries and
// two searches by part of a date and of a time.
TEST(DeadlineLists, LinesSummariesAndSearch) {
  TempProgramFolder folder;
  Record a = deadlineRecord(QStringLiteral("14/05/2026"), QStringLiteral("14:30"), QStringLiteral("2"),
                            QStringLiteral("Saldo parcella progetto esecutivo villa"));
  a.setFlag("DaConfermare", true);
  Record b = deadlineRecord(QStringLiteral("03/06/2026"), QStringLiteral("09:00"), QStringLiteral("2"),
                            QStringLiteral("Acconto"));
  b.set("Costo", QStringLiteral("1250,5"));
  b.setFlag("Effettuata", true);
  Record c = deadlineRecord(QStringLiteral("21/05/2026"), QStringLiteral("14:05"), QStringLiteral("2"),
                            QStringLiteral("Sopralluogo"));
  c.set("Effettuata", QStringLiteral("si")); // neither yes nor no: in no payment list
  const QString path = yearFile(2026);
  appendDeadlines(2026, {a, b, c});

  const lists::LineBuilder line(TRecScadenza(), deadlineLine());
  const QString blanks17(17, QLatin1Char(' ')), blanks14(14, QLatin1Char(' '));
  EXPECT_EQ(line(encode(a).constData()), QStringLiteral("Saldo parcella progetto esecut  Data: 14/05/2026  Ora: 14:30  "
                                                        "Cliente: Rossi Mario") +
                                             blanks17 + QStringLiteral("  Ristrutturazione") + blanks14 +
                                             QStringLiteral("  \u20AC 0,00"));
  auto linesOf = [](const lists::ListRows& entries) {
    std::vector<RecordPosition> positions;
    for (const lists::ListEntry& e : entries) positions.push_back(e.position);
    return positions;
  };
  EXPECT_EQ(linesOf(lists::summary(toConfirmList(), path)), std::vector<RecordPosition>{1});
  EXPECT_EQ(linesOf(lists::summary(toPayList(), path)), std::vector<RecordPosition>{1});
  EXPECT_EQ(linesOf(lists::summary(paidList(), path)), std::vector<RecordPosition>{2});
  QStringList typed(10, QString());
  typed[0] = QStringLiteral("/05/");
  typed[1] = QStringLiteral("14:");
  EXPECT_EQ(linesOf(lists::search(deadlineSearchList(), path, typed)), (std::vector<RecordPosition>{1, 3}));
  typed[1].clear();
  typed[8] = QStringLiteral("SOPRA");
  EXPECT_EQ(linesOf(lists::search(deadlineSearchList(), path, typed)), std::vector<RecordPosition>{3});
  EXPECT_EQ(deadlineSearchList().countText(2), QStringLiteral("Il presente elenco contiene 2 schede."));
}
