// The project record byte by byte, the card's rules, the overdue rule, the
// list line and search over the yearly archive, and the export columns.
#include "projectfixture.h"

#include "archive/paths.h"
#include "common/xls.h"
#include "projects/projectlists.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const RecordLayout& L() { return TRecProgetto(); }

// Puts bytes at a field's offset, as another program could have left them.
void put(QByteArray& rec, const char* field, const QByteArray& bytes) {
  std::memcpy(rec.data() + L().offsetOf(field), bytes.constData(), size_t(bytes.size()));
}
QByteArray fieldBytes(const QByteArray& rec, const char* field) {
  const int i = L().require(field);
  return rec.mid(L().offset(i), L().field(i).width + 1);
}

// The criteria typed on the search screen, by edit name.
QStringList typed(std::initializer_list<std::pair<const char*, const char*>> edits) {
  QStringList t;
  for (const lists::Criterion& c : projectSearchList().criteria) {
    QString text;
    for (const auto& [edit, value] : edits)
      if (c.edit == QLatin1String(edit)) text = QString::fromUtf8(value);
    t << text;
  }
  return t;
}
QStringList lines(const lists::ListRows& entries) { return entries.toStringList(); }

} // namespace

TEST(Progetto, LayoutMatchesTheRecordFile) {
  EXPECT_EQ(L().size(), 62681);
  EXPECT_EQ(L().fieldCount(), 31);
  const std::pair<const char*, int> offsets[] = {
      {"Nome", 0},           {"Codice", 121},      {"Ambito", 152},      {"Descrizione", 203}, {"DataInizio", 454},
      {"DataScade", 465},    {"CostoPrev", 476},   {"Stato", 489},       {"Responsabile", 540}, {"Recapito", 591},
      {"Obiettivi", 642},    {"Questioni", 893},   {"Fasi", 1144},       {"Terminato", 6145},  {"Membri", 6148},
      {"TotMembri", 11149},  {"Materiali", 11154}, {"Tecniche", 16155},  {"Espletate", 21156}, {"Svolgere", 31157},
      {"Costi", 41158},      {"Effettuati", 46159}, {"Effettuare", 51160}, {"TotCosti", 56161}, {"Annotazioni", 56174},
      {"File01", 61175},     {"File02", 61426},    {"File03", 61677},    {"Desc01", 61928},    {"Desc02", 62179},
      {"Desc03", 62430}};
  for (auto [name, offset] : offsets) {
    EXPECT_EQ(L().offsetOf(name), offset) << name;
    EXPECT_EQ(L().field(L().require(name)).kind, FieldKind::Chars) << name;
  }
}

TEST(Progetto, HandBuiltBytesReadBackAndWriteBack) {
  QByteArray rec(L().size(), '\0');
  put(rec, "Nome", QByteArray("  Citt\xE0 \x80 {villa} "));
  put(rec, "Codice", QByteArray(30, 'C'));                     // fills N; the zero is the last byte
  put(rec, "Ambito", QByteArray("Edile\0ZZZZZZ", 12));         // bytes after the zero are not text
  put(rec, "Fasi", QByteArray("Rilievo\r\nProgetto\r\n\r\nCantiere"));
  put(rec, "Terminato", QByteArray("S\xEC"));
  put(rec, "TotMembri", QByteArray("12"));
  put(rec, "Desc03", QByteArray(251, 'D'));                    // no zero at all: the first N characters
  const Record r = decode(L(), rec.constData());
  EXPECT_EQ(r["Nome"], QStringLiteral("  Citt\u00E0 \u20AC {villa} "));
  EXPECT_EQ(r["Codice"], QString(30, QLatin1Char('C')));
  EXPECT_EQ(r["Ambito"], QStringLiteral("Edile"));
  EXPECT_EQ(r["Fasi"], QStringLiteral("Rilievo\r\nProgetto\r\n\r\nCantiere"));
  EXPECT_EQ(r["Terminato"], QStringLiteral("S\u00EC"));
  EXPECT_EQ(r["TotMembri"], QStringLiteral("12"));
  EXPECT_EQ(r["Desc03"], QString(250, QLatin1Char('D')));
  EXPECT_EQ(r["Membri"], QString());

  // written back, every text is in place and zero-ended; what followed a
  // zero is not kept
  const QByteArray back = encode(r);
  QByteArray clean = rec;
  put(clean, "Ambito", QByteArray(12, '\0'));
  put(clean, "Ambito", QByteArray("Edile"));
  clean[L().offsetOf("Desc03") + 250] = '\0';
  EXPECT_EQ(back, clean);
  EXPECT_EQ(fieldBytes(back, "Terminato"), QByteArray("S\xEC\0", 3));
}

TEST(Progetto, TextIsStoredAsTypedAndCutToItsField) {
  Record r = project({{"Nome", QStringLiteral("  Villa al mare  ")},
                      {"Costi", QStringLiteral("Scavo: 1.200 \u20AC\r\nTetto \u03A9\r\n")},
                      {"Espletate", QString(9998, QLatin1Char('a')) + QStringLiteral("\r\nbbbb")},
                      {"CostoPrev", QStringLiteral("12,5")}});
  const QByteArray bytes = encode(r);
  EXPECT_EQ(fieldBytes(bytes, "Nome").left(18), QByteArray("  Villa al mare  \0", 18));
  EXPECT_EQ(fieldBytes(bytes, "Costi").left(27), QByteArray("Scavo: 1.200 \x80\r\nTetto ?\r\n\0", 27));
  EXPECT_EQ(fieldBytes(bytes, "CostoPrev").left(5), QByteArray("12,5\0", 5));
  // a 10004-character log keeps its first 10000 characters, the line break cut in two
  const Record back = decode(L(), bytes.constData());
  EXPECT_EQ(back["Espletate"], QString(9998, QLatin1Char('a')) + QStringLiteral("\r\n"));
  EXPECT_EQ(fieldBytes(bytes, "Espletate").right(1), QByteArray(1, '\0'));
}

TEST(ProgettoRules, TheFirstMissingFieldInOrder) {
  struct Case {
    std::vector<const char*> blank; // fields emptied (or left blank)
    const char* field;              // the first failure, nullptr: none
    const char* message;
  } cases[] = {
      {{"Nome", "Codice", "DataInizio", "DataScade", "CostoPrev", "Responsabile"}, "Nome",
       "Attenzione: per salvare la scheda è necessario indicare il nome del progetto."},
      {{"Codice", "Responsabile"}, "Codice",
       "Attenzione: per salvare la scheda è necessario indicare il codice identificativo del progetto."},
      {{"DataInizio", "CostoPrev"}, "DataInizio",
       "Attenzione: per salvare la scheda è necessario indicare la data di inizio del progetto."},
      {{"DataScade"}, "DataScade",
       "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del progetto."},
      {{"CostoPrev"}, "CostoPrev",
       "Attenzione: per salvare la scheda è necessario indicare il costo totale preventivato del progetto."},
      {{"Responsabile"}, "Responsabile",
       "Attenzione: per salvare la scheda è necessario indicare il nome del responsabile del progetto."},
      {{}, nullptr, ""},
  };
  for (const Case& c : cases) {
    Record r = project({});
    // blanks and line breaks count as empty
    for (const char* f : c.blank) r.set(f, QStringLiteral("  \r\n "));
    const auto failure = projectRules().check(r);
    if (!c.field) {
      EXPECT_FALSE(failure.has_value());
      continue;
    }
    ASSERT_TRUE(failure.has_value()) << c.field;
    EXPECT_EQ(failure->field, std::string_view(c.field));
    EXPECT_EQ(failure->message, QString::fromUtf8(c.message));
    EXPECT_EQ(failure->kind, MessageKind::Warning);
  }
  // the dates are not checked in order: a start after the due date is saved
  Record late = project({{"DataInizio", QStringLiteral("31/12/2026")}, {"DataScade", QStringLiteral("01/01/2026")}});
  EXPECT_FALSE(projectRules().check(late).has_value());
  // but each must be a day that exists
  Record odd = project({{"DataInizio", QStringLiteral("31/12/2026")}, {"DataScade", QStringLiteral("29/02/2027")}});
  const auto failure = projectRules().check(odd);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->field, std::string_view("DataScade"));
  EXPECT_EQ(failure->kind, MessageKind::Plain);
  EXPECT_EQ(failure->message, QStringLiteral("Attenzione: la data 29/02/2027 non esiste.\n\r\n\rPer poter salvare la "
                                             "scheda \u00E8 necessario indicare una data valida nel formato gg/mm/aaaa."));
}

// A cost is refused when its normalised text would not fit the field's 12
// characters: more than 7 digits before the comma, as typed or once rounded.
TEST(ProgettoRules, CostsThatTheFieldsHold) {
  const QString tooLarge = QStringLiteral("Attenzione: l'importo indicato \u00E8 troppo grande.\n\r\n\rL'importo "
                                          "pu\u00F2 avere al massimo 7 cifre prima della virgola.");
  const struct {
    const char* cost;
    bool refused;
  } cases[] = {{"9999999,9999", false}, {"1234567,12345", false}, {"12345678", true}, {"9999999,99995", true},
               {"0,00", false}};
  for (const char* field : {"CostoPrev", "TotCosti"})
    for (const auto& c : cases) {
      Record r = project({{field, QString::fromUtf8(c.cost)}});
      const auto failure = projectRules().check(r);
      EXPECT_EQ(failure.has_value(), c.refused) << field << " " << c.cost;
      if (!failure) continue;
      EXPECT_EQ(failure->field, std::string_view(field));
      EXPECT_EQ(failure->kind, MessageKind::Warning);
      EXPECT_EQ(failure->message, tooLarge);
    }
}

TEST(Overdue, PastItsDueDateAndNotFinished) {
  const QDate today(2026, 12, 10);
  struct Case {
    const char* due;
    QString finished;
    lists::Verdict verdict;
  } cases[] = {
      {"09/12/2026", QStringLiteral("No"), lists::Verdict::List},       // due yesterday
      {"10/12/2026", QStringLiteral("No"), lists::Verdict::Skip},       // due today: not yet
      {"11/12/2026", QStringLiteral("No"), lists::Verdict::Skip},
      {"09/12/2026", QStringLiteral("S\u00EC"), lists::Verdict::Skip},  // finished
      {"01/01/1999", QStringLiteral("no"), lists::Verdict::Skip},       // the mark is compared exactly
      {"01/01/1999", QStringLiteral("N"), lists::Verdict::Skip},
      {"01/01/1999", QString(), lists::Verdict::Skip},
      {"31/02/2026", QStringLiteral("No"), lists::Verdict::Stop},       // not a date
      {"", QStringLiteral("S\u00EC"), lists::Verdict::Stop},
  };
  for (const Case& c : cases) {
    const QByteArray bytes = encode(project({{"DataScade", QString::fromUtf8(c.due)}, {"Terminato", c.finished}}));
    EXPECT_EQ(overdueVerdict(bytes.constData(), today), c.verdict) << c.due << " " << c.finished.toStdString();
  }
}

TEST(ProjectLists, TheLineAndTheCriteria) {
  TempProgramFolder folder;
  const QString longName = QStringLiteral("Ristrutturazione e ampliamento della villa Bianchi al mare");
  appendProjects(projectsPath(),
                 {encode(project({{"Nome", QStringLiteral("  ") + longName},
                                  {"Codice", QStringLiteral("RB-2026-0001-AMPLIAMENTO-VILLA")},
                                  {"DataInizio", QStringLiteral("15/03/2024")},
                                  {"DataScade", QStringLiteral("30/06/2025")},
                                  {"Responsabile", QStringLiteral(" Arch. Rossi")},
                                  {"Recapito", QStringLiteral("0543 123456 ")},
                                  {"Questioni", QStringLiteral("Permesso in Comune")}})),
                  encode(project({{"Nome", QStringLiteral("Capannone")},
                                  {"DataInizio", QStringLiteral("02/03/2024")},
                                  {"DataScade", QStringLiteral("31/12/2026")},
                                  {"Stato", QStringLiteral("Città e àmbito")}})),
                  encode(project({{"Nome", QStringLiteral("Scuola")}, {"DataScade", QStringLiteral("15/03/2025")}}))});
  const auto& d = projectSearchList();
  const QString path = projectsPath();
  const auto all = lists::search(d, path, typed({}));
  ASSERT_EQ(all.size(), size_t(3));
  EXPECT_EQ(all[0].line, longName.left(40) + QStringLiteral("  Cod. RB-2026-0001-AMPLIAMENTO-V  Inizio: 15/03/2024  "
                                                            "Scad. 30/06/2025  Arch. Rossi  Tel. 0543 123456"));
  EXPECT_EQ(all[2].line, QStringLiteral("Scuola") + QString(34, QLatin1Char(' ')) +
                             QStringLiteral("  Cod. P-1") + QString(23, QLatin1Char(' ')) +
                             QStringLiteral("  Inizio: 01/01/2026  Scad. 15/03/2025  Ing. Neri  Tel. "));
  struct Case {
    std::initializer_list<std::pair<const char*, const char*>> criteria;
    QStringList names; // first word of each line found
  } cases[] = {
      {{{"txtNome", "AL MARE"}}, {"Ristrutturazione"}},                 // the end of a name cut in the line
      {{{"txtDataInizio", "03/2024"}}, {"Ristrutturazione", "Capannone"}}, // a month of a year
      {{{"txtDataScade", "2025"}}, {"Ristrutturazione", "Scuola"}},        // a year alone
      {{{"txtDataScade", "2025"}, {"txtQuestioni", "comune"}}, {"Ristrutturazione"}},
      {{{"txtStato", "CITTÀ"}}, {}},                                        // accented letters match only themselves
      {{{"txtStato", "città e à"}}, {"Capannone"}},
      {{{"txtResponsabile", "rossi "}}, {}},                                // typed blanks count
  };
  for (const Case& c : cases) {
    QStringList found;
    for (const QString& l : lines(lists::search(d, path, typed(c.criteria)))) found << l.section(QLatin1Char(' '), 0, 0);
    EXPECT_EQ(found, c.names) << c.criteria.begin()->second;
  }
}

TEST(ProjectLists, OverdueSummaryOfTheYear) {
  TempProgramFolder folder;
  FixedClock clock(QDate(2026, 12, 10));
  appendProjects(projectsPath(),
                 {encode(project({{"Nome", QStringLiteral("Ieri")}, {"DataScade", QStringLiteral("09/12/2026")}})),
                  encode(project({{"Nome", QStringLiteral("Oggi")}, {"DataScade", QStringLiteral("10/12/2026")}})),
                  encode(project({{"Nome", QStringLiteral("Finito")},
                                  {"DataScade", QStringLiteral("01/02/2026")},
                                  {"Terminato", QStringLiteral("S\u00EC")}})),
                  encode(project({{"Nome", QStringLiteral("Marzo")}, {"DataScade", QStringLiteral("01/03/2026")}})),
                  encode(project({{"Nome", QStringLiteral("Rotta")}, {"DataScade", QStringLiteral("32/01/2026")}})),
                  encode(project({{"Nome", QStringLiteral("Dopo")}, {"DataScade", QStringLiteral("01/01/2026")}}))});
  const auto found = lists::summary(overdueList(), projectsPath());
  // an unreadable due date ends the filling; what was listed stays
  ASSERT_EQ(found.size(), size_t(2));
  EXPECT_TRUE(found[0].line.startsWith(QStringLiteral("Ieri ")));
  EXPECT_EQ(found[1].position, 4);
}

TEST(ProjectExport, FifteenTrimmedFieldsInFileOrder) {
  TempProgramFolder folder;
  appendProjects(projectsPath(),
                 {encode(project({{"Nome", QStringLiteral("  Villa <B&B>  ")},
                                  {"Ambito", QStringLiteral("Edilizia")},
                                  {"Descrizione", QStringLiteral("Ampliamento")},
                                  {"CostoPrev", QStringLiteral("1250,5")},
                                  {"Stato", QStringLiteral("Avviato")},
                                  {"Recapito", QStringLiteral("333")},
                                  {"Obiettivi", QStringLiteral("Agibilit\u00E0")},
                                  {"Questioni", QStringLiteral("Nessuna")},
                                  {"TotMembri", QStringLiteral("4")},
                                  {"TotCosti", QStringLiteral("100,00")},
                                  {"Fasi", QStringLiteral("non esportate")}})),
                  encode(project({{"Nome", QStringLiteral("Scuola")}, {"Terminato", QStringLiteral("S\u00EC")}}))});
  const grids::GridDescription& d = projectExport();
  const grids::Filled f = grids::fill(d, projectsPath(), {});
  ASSERT_EQ(f.table.rows(), 2);
  QStringList first;
  for (int c = 0; c < f.table.columns(); ++c) first << f.table.text(0, c);
  EXPECT_EQ(first, (QStringList{"Villa <B&B>", "P-1", "Edilizia", "Ampliamento", "01/01/2026", "31/12/2026", "1250,5",
                                "Avviato", "Ing. Neri", "333", QStringLiteral("Agibilit\u00E0"), "Nessuna", "4",
                                "100,00", "No"}));
  EXPECT_EQ(f.table.text(1, 14), QStringLiteral("S\u00EC"));

  QBuffer file;
  file.open(QIODevice::WriteOnly);
  ASSERT_TRUE(xls::write(file, d.worksheet, d.columns, f.table));
  const QByteArray x = file.data();
  EXPECT_EQ(d.file, QStringLiteral("Progetti.xls"));
  EXPECT_TRUE(x.contains("<x:Name>Riepilogo Progetti</x:Name>"));
  QByteArray header;
  const std::pair<const char*, int> captions[] = {
      {"Nome progetto", 250},     {"Codice identificativo", 250}, {"Ambito", 250},        {"Descrizione sintetica", 300},
      {"Data inizio", 150},       {"Data scadenza", 150},         {"Costo preventivato", 200}, {"Stato avanzamento", 250},
      {"Responsabile", 250},      {"Telefono preferenziale", 200}, {"Obiettivi finali", 350}, {"Questioni in sospeso", 350},
      {"Totale membri", 150},     {"Totale versato", 200},        {"Progetto terminato", 150}};
  for (auto [caption, width] : captions)
    header += "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + caption +
              "</td>";
  EXPECT_TRUE(x.contains("<tr>" + header + "</tr>"));
  EXPECT_TRUE(x.contains("Agibilit\xE0"));
  EXPECT_FALSE(x.contains("non esportate"));
}
