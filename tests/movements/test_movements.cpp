// The movement record, the rules of a movement card, the movements falling
// due and what the other money screens read of a stored movement.
#include "movements/movementlists.h"
#include "movements/movimento.h"

#include "support.h"

#include <gtest/gtest.h>

namespace {

// A movement as a card would save it.
Record saved(bool income = true) {
  Record r(TRecMovimento());
  r.setFlag("Entrata", income);
  r.setFlag("Uscita", !income);
  r.set("Data", QStringLiteral("10/12/2026"));
  r.set("Causale", QStringLiteral("Parcella progetto"));
  r.set("DataSca", QStringLiteral("20/12/2026"));
  r.set("Preavviso", QStringLiteral("5"));
  r.set("Importo", QStringLiteral("1250,50"));
  r.set("Pagatore", QStringLiteral("Rossi Mario"));
  r.set("Beneficiario", QStringLiteral("Studio Tecnico Bianchi"));
  r.setFlag("Saldato", false);
  return r;
}

} // namespace

TEST(Movimento, LayoutMatchesTheRecordFile) {
  const RecordLayout& l = TRecMovimento();
  EXPECT_EQ(l.size(), 3414);
  EXPECT_EQ(l.fieldCount(), 28);
  const std::pair<const char*, int> offsets[] = {
      {"Entrata", 0},        {"Uscita", 3},        {"Data", 6},           {"Causale", 17},     {"Promemoria", 268},
      {"DataSca", 519},      {"Preavviso", 530},   {"Importo", 534},      {"Totale", 550},     {"Pagatore", 566},
      {"RecapitoPag", 617},  {"CodFisc", 668},     {"PartitaIva", 685},   {"Categoria", 697},  {"Email", 748},
      {"Pagamento", 799},    {"Beneficiario", 1050}, {"RecapitoBen", 1101}, {"Ricevuta", 1152}, {"Note", 1403},
      {"Tariffa", 1654},     {"Saldato", 1905},    {"File01", 1908},      {"File02", 2159},    {"File03", 2410},
      {"Desc01", 2661},      {"Desc02", 2912},     {"Desc03", 3163}};
  for (auto [name, offset] : offsets) EXPECT_EQ(l.offsetOf(name), offset) << name;
  TempProgramFolder folder;
  EXPECT_EQ(movementArchive().yearPath(QStringLiteral("2026")), folder.path(QStringLiteral("2026.eur")));

  // the bytes the cash book and the charts read
  Record r = saved(false);
  r.set("Totale", QStringLiteral("-80,00"));
  const QByteArray bytes = encode(r);
  EXPECT_EQ(bytes.mid(0, 6), QByteArray("\x02No\x02S\xEC", 6));
  EXPECT_EQ(bytes.mid(550, 7), QByteArray("\x06-80,00"));
}

// Each required field in turn, in the order checked, with its message, its
// kind and the field that takes the focus.
TEST(Movimento, RulesInTheirOrder) {
  const QString need = QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare ");
  struct Case {
    const char* field;
    const char* value;
    QString message;
    MessageKind kind;
  } cases[] = {
      {"Causale", "  ", need + QStringLiteral("la causale del pagamento."), MessageKind::Warning},
      {"Data", "", need + QStringLiteral("la data di registrazione dell'operazione."), MessageKind::Warning},
      {"Data", "31/11/2026",
       QStringLiteral("Attenzione: la data 31/11/2026 non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 necessario "
                      "indicare una data valida nel formato gg/mm/aaaa."),
       MessageKind::Plain},
      {"DataSca", "", need + QStringLiteral("la data di scadenza del pagamento."), MessageKind::Warning},
      {"DataSca", "1/1/2027",
       QStringLiteral("Attenzione: la data 1/1/2027 non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 necessario "
                      "indicare una data valida nel formato gg/mm/aaaa."),
       MessageKind::Plain},
      {"Preavviso", "", need + QStringLiteral("il numero di giorni di preavviso della scadenza del pagamento."),
       MessageKind::Warning},
      {"Importo", "", need + QStringLiteral("l'importo del pagamento."), MessageKind::Warning},
      {"Importo", "100000000000,00", movement::tooLargeMessage(), MessageKind::Warning},
      {"Pagatore", "", need + QStringLiteral("il nome del Pagatore."), MessageKind::Warning},
      {"Beneficiario", "", need + QStringLiteral("il nome del Beneficiario."), MessageKind::Warning},
  };
  for (const Case& c : cases) {
    Record r = saved();
    r.set(c.field, QString::fromUtf8(c.value));
    // a later field missing too: the earlier rule speaks first
    if (std::string_view(c.field) != "Beneficiario") r.set("Beneficiario", QString());
    const auto failure = movementRules().check(r);
    ASSERT_TRUE(failure) << c.field << " " << c.value;
    EXPECT_EQ(failure->message, c.message) << c.field;
    EXPECT_EQ(failure->kind, c.kind) << c.field;
    EXPECT_EQ(failure->field, c.field);
  }
}

TEST(Movimento, CompletingGivesTheSignedTotal) {
  Record income = saved(true);
  EXPECT_FALSE(movementRules().check(income));
  EXPECT_EQ(income["Totale"], QStringLiteral("+1250,50"));
  Record expense = saved(false);
  expense.set("Importo", QStringLiteral("80,00"));
  // a due date before the operation date and "0,00" are accepted
  expense.set("DataSca", QStringLiteral("01/01/2026"));
  EXPECT_FALSE(movementRules().check(expense));
  EXPECT_EQ(expense["Totale"], QStringLiteral("-80,00"));
  expense.set("Importo", QStringLiteral("0,00"));
  EXPECT_FALSE(movementRules().check(expense));
  EXPECT_EQ(expense["Totale"], QStringLiteral("-0,00"));
}

// Listed from the first day of the notice period on, also after the due
// date, while not settled.
TEST(Movimento, FallingDue) {
  using lists::Verdict;
  const QString no = fieldtext::no(), yes = fieldtext::yes();
  struct Case {
    const char* due;
    const char* notice;
    QString settled;
    QDate today;
    Verdict verdict;
  } cases[] = {
      {"20/05/2026", "10", no, QDate(2026, 5, 9), Verdict::Skip},
      {"20/05/2026", "10", no, QDate(2026, 5, 10), Verdict::List},
      {"20/05/2026", "10", no, QDate(2026, 6, 30), Verdict::List},
      {"20/05/2026", "10", yes, QDate(2026, 6, 30), Verdict::Skip},
      {"20/05/2026", "0", no, QDate(2026, 5, 19), Verdict::Skip},
      {"20/05/2026", "0", no, QDate(2026, 5, 20), Verdict::List},
      {"05/01/2027", "10", no, QDate(2026, 12, 26), Verdict::List}, // across the year
      {"20/05/2026", " 3 ", QStringLiteral(" No "), QDate(2026, 5, 17), Verdict::List},
      {"20/05/2026", "3", QStringLiteral("no"), QDate(2026, 6, 1), Verdict::Skip}, // not exactly "No"
      {"20/05/2026", "3", QString(), QDate(2026, 6, 1), Verdict::Skip},
      {"", "3", no, QDate(2026, 6, 1), Verdict::Stop},
      {"31/02/2026", "3", no, QDate(2026, 6, 1), Verdict::Stop},
      {"20/05/2026", "", no, QDate(2026, 6, 1), Verdict::Stop},
      {"20/05/2026", "x", yes, QDate(2026, 6, 1), Verdict::Stop},
  };
  for (const Case& c : cases)
    EXPECT_EQ(movement::fallingDue(QString::fromUtf8(c.due), QString::fromUtf8(c.notice), c.settled, c.today),
              c.verdict)
        << c.due << " " << c.notice << " " << c.today.toString().toStdString();

  Record r = saved();
  r.set("DataSca", QStringLiteral("20/05/2026"));
  r.set("Preavviso", QStringLiteral("10"));
  EXPECT_EQ(movement::fallingDue(encode(r).constData(), QDate(2026, 5, 10)), Verdict::List);
  r.setFlag("Saldato", true);
  EXPECT_EQ(movement::fallingDue(encode(r).constData(), QDate(2026, 5, 10)), Verdict::Skip);
}

TEST(Movimento, ReadingAStoredMovement) {
  Record r = saved(false);
  r.set("Importo", QStringLiteral("80,00"));
  r.set("Totale", QStringLiteral("-80,00"));
  QByteArray bytes = encode(r);
  EXPECT_EQ(movement::kindOf(bytes.constData()), movement::Kind::Expense);
  EXPECT_EQ(movement::signedTotal(bytes.constData()), -8000);
  EXPECT_EQ(movement::amount(bytes.constData()), 8000);
  EXPECT_EQ(movement::operationDate(bytes.constData()), QDate(2026, 12, 10));
  EXPECT_EQ(movement::dueDate(bytes.constData()), QDate(2026, 12, 20));
  EXPECT_TRUE(movement::unsettled(bytes.constData()));

  r = saved(true);
  r.set("Totale", QStringLiteral("+1250,50"));
  r.setFlag("Saldato", true);
  bytes = encode(r);
  EXPECT_EQ(movement::kindOf(bytes.constData()), movement::Kind::Income);
  EXPECT_EQ(movement::signedTotal(bytes.constData()), 125050);
  EXPECT_FALSE(movement::unsettled(bytes.constData()));

  r.set("Entrata", QStringLiteral("?"));
  r.set("Uscita", QStringLiteral("?"));
  r.set("Totale", QStringLiteral("abc"));
  bytes = encode(r);
  EXPECT_EQ(movement::kindOf(bytes.constData()), movement::Kind::Unknown);
  EXPECT_FALSE(movement::signedTotal(bytes.constData()));
}

TEST(Movimento, ListLine) {
  const lists::LineBuilder line(TRecMovimento(), movementLine());
  Record r = saved(true);
  r.set("Causale", QStringLiteral("Parcella per il progetto della villetta di via Roma"));
  r.set("Totale", QStringLiteral("+150,00"));
  const QString income = line(encode(r).constData());
  EXPECT_EQ(income, QStringLiteral("Parcella per il progetto della villetta   Scad. 20/12/2026  Da: Rossi Mario "
                                   "                    A: Studio Tecnico Bianchi          Importo: +150,00"));
  r.setFlag("Entrata", false);
  r.setFlag("Uscita", true);
  r.set("Totale", QStringLiteral("-150,00"));
  QString expense = line(encode(r).constData());
  EXPECT_NE(expense, income);
  EXPECT_EQ(expense.replace(QStringLiteral(": -150"), QStringLiteral(": +150")), income);
}
