// The mail protocol register without screens: the record layout, what a
// card must hold, the proposed number, the number taken again when a new
// card is stored, the start as the numbering screen keeps it, the settings
// file, the search line, the grid of the summary and
// export with its date test, and the printed card.
#include "archive/archivio.h"
#include "archive/record.h"
#include "protocol/protocollists.h"
#include "protocol/numbering.h"
#include "protocol/protocollo.h"
#include "seed.h"
#include "support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

Record protocol(std::initializer_list<std::pair<std::string_view, const char*>> values) {
  Record r(TRecProtocollo());
  for (const auto& [field, value] : values) r.set(field, QString::fromUtf8(value));
  return r;
}

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

} // namespace

TEST(Protocollo, LayoutMatchesTheRecordFile) {
  const RecordLayout& l = TRecProtocollo();
  EXPECT_EQ(l.size(), 3403);
  EXPECT_EQ(l.fieldCount(), 25);
  const std::pair<const char*, int> offsets[] = {
      {"Numero", 0},         {"Tipo", 17},          {"DataReg", 38},       {"Ufficio", 49},
      {"Operatore", 100},    {"Categoria", 151},    {"Collocazione", 202}, {"Oggetto", 323},
      {"DataSpe", 574},      {"DataRic", 585},      {"Formato", 596},      {"Pagine", 647},
      {"Riferimenti", 660},  {"Note", 911},         {"Mittente", 1162},    {"RecapitoMit", 1283},
      {"Destinatario", 1404}, {"RecapitoDes", 1525}, {"Copia", 1646},      {"File01", 1897},
      {"File02", 2148},      {"File03", 2399},      {"Desc01", 2650},      {"Desc02", 2901},
      {"Desc03", 3152}};
  for (auto [name, offset] : offsets) EXPECT_EQ(l.offsetOf(name), offset) << name;
  for (int i = 0; i < l.fieldCount(); ++i) EXPECT_EQ(l.field(i).kind, FieldKind::Str) << l.field(i).name;

  TempProgramFolder folder;
  EXPECT_EQ(protocolArchive().yearPath(QStringLiteral("2025")), folder.path(QStringLiteral("2025.prt")));
}

TEST(Protocollo, RulesStopAtTheFirstMissingValueInOrder) {
  const Record whole = protocol({{"Numero", "1"}, {"DataReg", "01/03/2025"}, {"Categoria", "Lettera"},
                                 {"Oggetto", "Richiesta"}, {"Tipo", "In uscita"}});
  Record ok = whole;
  EXPECT_FALSE(protocolRules().check(ok));
  struct Case {
    std::string_view emptied;
    const char* message;
  } cases[] = {
      {"Numero", "Attenzione: per salvare la scheda è necessario indicare il numero di protocollo del documento."},
      {"DataReg", "Attenzione: per salvare la scheda è necessario indicare la data di registrazione del documento."},
      {"Categoria", "Attenzione: per salvare la scheda è necessario indicare la categoria del documento."},
      {"Oggetto", "Attenzione: per salvare la scheda è necessario indicare l'oggetto del documento."},
      {"Tipo", "Attenzione: per salvare la scheda è necessario indicare la tipologia di posta (in entrata, in uscita "
               "o interna)."},
  };
  for (const Case& c : cases) {
    Record r = whole;
    r.set(c.emptied, QStringLiteral("   "));
    const auto failure = protocolRules().check(r);
    ASSERT_TRUE(failure) << c.emptied;
    EXPECT_EQ(failure->field, c.emptied);
    EXPECT_EQ(failure->kind, MessageKind::Warning);
    EXPECT_EQ(failure->message, QString::fromUtf8(c.message));
  }
  // the type must be one of the three, exactly
  Record other = whole;
  other.set("Tipo", QStringLiteral("in entrata"));
  ASSERT_TRUE(protocolRules().check(other));
  EXPECT_EQ(protocolRules().check(other)->field, "Tipo");
  // the first missing value wins
  Record two = whole;
  two.set("Categoria", QString());
  two.set("DataReg", QString());
  EXPECT_EQ(protocolRules().check(two)->field, "DataReg");
}

TEST(Numbering, ProposalIsStartPlusCountWithTheArchiveYear) {
  struct Case {
    const char* start;
    bool suffix;
    int count;
    const char* year;
    const char* expected; // nullptr: no proposal
  } cases[] = {
      {"", false, 0, "2025", "1"},           // the default start
      {"", true, 0, "2025", "1/2025"},       // with the year of the archive
      {"120", false, 7, "2025", "127"},
      {"120", true, 3, "2026", "123/2026"},
      {"0", false, 0, "2025", "0"},          // start 0: the first document gets 0
      {" 12 ", false, 1, "2025", "13"},      // blanks around the setting
      {"007", false, 2, "2025", "9"},
      {"99999", false, 100000, "2025", "199999"},
      {"abc", false, 0, "2025", nullptr},    // a hand-edited settings file
      {"12a", true, 0, "2025", nullptr},
      {"1,5", false, 0, "2025", nullptr},
      {"99999999999999999999", false, 0, "2025", nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<QString> n =
        numbering::proposal(QString::fromUtf8(c.start), c.suffix, c.count, QString::fromUtf8(c.year));
    if (!c.expected) {
      EXPECT_FALSE(n) << c.start;
      continue;
    }
    ASSERT_TRUE(n) << c.start;
    EXPECT_EQ(*n, QString::fromUtf8(c.expected)) << c.start;
  }
}

TEST(Numbering, TheYearOfAnArchiveIsInItsFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/studio/Velarion/2026.prt", "2026"}, {"1999.prt", "1999"}, {"/a/2024.PRT", "2024"},
      {"/a/20x4.prt", ""},                   {"/a/202.prt", ""},   {"", ""},
  };
  for (auto [path, year] : cases) EXPECT_EQ(numbering::archiveYear(QString::fromUtf8(path)), QString::fromUtf8(year)) << path;
}

TEST(Numbering, TheStartIsKeptAsAWholeNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "1"},    {"  ", "1"},   {"7", "7"},   {"00120", "120"}, {"2,5", "3"}, {"2.49", "2"},
      {"0,5", "1"}, {"12,", "12"}, {"abc", "1"}, {"1-2", "1"},     {",", "1"},   {"0", "0"},
  };
  for (auto [typed, kept] : cases) EXPECT_EQ(numbering::normalisedStart(QString::fromUtf8(typed)), QString::fromUtf8(kept)) << typed;
}

class Settings : public ::testing::Test {
protected:
  TempProgramFolder folder;
  QString ini = folder.path(QStringLiteral("Quorbis.ini"));
};

TEST_F(Settings, AMissingFileGivesTheDefaults) {
  const auto n = protocolsettings::readNumbering();
  ASSERT_TRUE(n);
  EXPECT_EQ(n->start, QString());
  EXPECT_FALSE(n->yearSuffix);
  const auto desk = protocolsettings::readDesk();
  ASSERT_TRUE(desk);
  EXPECT_EQ(desk->office, QString());
  EXPECT_FALSE(QFile::exists(ini)); // reading creates nothing
}

TEST_F(Settings, WrittenAsWindowsWritesThemAndReadBack) {
  writeFile(ini, "; studio\r\n[Altro]\r\nChiave=valore\r\n");
  ASSERT_TRUE(protocolsettings::writeNumbering(QStringLiteral(" 120 "), true));
  ASSERT_TRUE(protocolsettings::writeDesk({QStringLiteral(" Segreteria "), QStringLiteral("Niccolò")}));
  EXPECT_EQ(fileBytes(ini), QByteArray("; studio\r\n[Altro]\r\nChiave=valore\r\n\r\n"
                                       "[Numerazione Protocollo]\r\nInizio=120\r\nIndicazione Anno Solare=S\xEC\r\n\r\n"
                                       "[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Niccol\xF2\r\n"));
  EXPECT_EQ(protocolsettings::readNumbering()->start, QStringLiteral("120"));
  EXPECT_TRUE(protocolsettings::readNumbering()->yearSuffix);
  EXPECT_EQ(protocolsettings::readDesk()->operatore, QStringLiteral("Niccolò"));

  // empty values are written too, and "No" turns the suffix off
  ASSERT_TRUE(protocolsettings::writeDesk({QString(), QString()}));
  ASSERT_TRUE(protocolsettings::writeNumbering(QStringLiteral("1"), false));
  EXPECT_TRUE(fileBytes(ini).contains("Ufficio=\r\nOperatore=\r\n"));
  EXPECT_TRUE(fileBytes(ini).contains("Indicazione Anno Solare=No\r\n"));
  EXPECT_FALSE(protocolsettings::readNumbering()->yearSuffix);
}

TEST_F(Settings, OnlyAnExactSìTurnsTheSuffixOn) {
  for (const char* value : {"si", "SI", "S\xEC\xEC", "1", "No", ""}) {
    writeFile(ini, QByteArray("[Numerazione Protocollo]\r\nIndicazione Anno Solare=") + value + "\r\n");
    EXPECT_FALSE(protocolsettings::readNumbering()->yearSuffix) << value;
  }
  writeFile(ini, "[numerazione protocollo]\r\nINIZIO= 5 \r\nIndicazione Anno Solare= S\xEC \r\n");
  EXPECT_TRUE(protocolsettings::readNumbering()->yearSuffix);
  EXPECT_EQ(protocolsettings::readNumbering()->start, QStringLiteral("5"));
}

TEST_F(Settings, AFileThatCannotBeReadIsNeitherReadNorReplaced) {
  ASSERT_TRUE(QDir(folder.dir.path()).mkdir(QStringLiteral("Quorbis.ini")));
  EXPECT_FALSE(protocolsettings::readNumbering());
  EXPECT_FALSE(protocolsettings::readDesk());
  EXPECT_FALSE(protocolsettings::writeDesk({QStringLiteral("a"), QStringLiteral("b")}));
  EXPECT_FALSE(protocolsettings::writeNumbering(QStringLiteral("3"), true));
  EXPECT_TRUE(QFileInfo(ini).isDir());
}

class ProtocolArchive : public ::testing::Test {
protected:
  TempProgramFolder folder;
  QString path = folder.path(QStringLiteral("2025.prt"));
  void add(const Record& r) { seed::append(path, TRecProtocollo(), {r}); }
  void addCards(int n) {
    for (int i = 0; i < n; ++i) add(protocol({{"Numero", "x"}}));
  }
  void settings(const QByteArray& numbering) {
    writeFile(folder.path(QStringLiteral("Quorbis.ini")), "[Numerazione Protocollo]\r\n" + numbering);
  }
  numbering::Proposal proposed(const QString& archive) {
    const auto p = numbering::propose(archive);
    EXPECT_TRUE(std::holds_alternative<numbering::Proposal>(p));
    return std::holds_alternative<numbering::Proposal>(p) ? std::get<numbering::Proposal>(p) : numbering::Proposal{};
  }
  QString storedNumber(RecordPosition n) {
    TArchivioSchede a(path, TRecProtocollo().size());
    a.open(TArchivioSchede::Access::Read);
    return decode(TRecProtocollo(), a.read(n).constData())["Numero"];
  }
};

TEST_F(ProtocolArchive, NuovoProposesFromTheSettingsAndTheRecordsCounted) {
  FixedClock clock; // today is in 2026
  EXPECT_EQ(proposed(path).number, QStringLiteral("1")); // no settings, no archive yet
  addCards(3);
  settings("Inizio=120\r\nIndicazione Anno Solare=S\xEC\r\n");
  const numbering::Proposal p = proposed(path);
  EXPECT_EQ(p.number, QStringLiteral("123/2025")); // the archive's year, not today's
  EXPECT_EQ(p.settings.start, QStringLiteral("120"));
  EXPECT_EQ(p.year, QStringLiteral("2025"));
  // an archive whose name holds no year takes today's
  EXPECT_EQ(proposed(folder.path(QStringLiteral("Protocollo.prt"))).number, QStringLiteral("120/2026"));
}

TEST_F(ProtocolArchive, NuovoRefusesWhatItCannotReadOrCount) {
  settings("Inizio=12a\r\n");
  EXPECT_EQ(std::get<numbering::Refusal>(numbering::propose(path)), numbering::Refusal::StartNotANumber);
  ASSERT_TRUE(QDir(folder.dir.path()).mkdir(QStringLiteral("2024.prt")));
  EXPECT_EQ(std::get<numbering::Refusal>(numbering::propose(folder.path(QStringLiteral("2024.prt")))),
            numbering::Refusal::ArchiveUnreachable);
  ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("Quorbis.ini"))));
  ASSERT_TRUE(QDir(folder.dir.path()).mkdir(QStringLiteral("Quorbis.ini")));
  EXPECT_EQ(std::get<numbering::Refusal>(numbering::propose(path)), numbering::Refusal::SettingsUnreachable);
}

TEST_F(ProtocolArchive, AProposalTakenMeanwhileIsStoredUnderTheNextNumber) {
  settings("Inizio=120\r\nIndicazione Anno Solare=S\xEC\r\n");
  addCards(2);
  const numbering::Proposal p = proposed(path); // 122/2025
  Record card = protocol({{"Numero", "122/2025"}, {"Oggetto", "Richiesta"}});

  // still free: stored as proposed, without a note
  Record first = card;
  numbering::Stored s = numbering::append(path, first, p);
  EXPECT_EQ(s.position, 3);
  EXPECT_EQ(s.note, QString());
  EXPECT_EQ(storedNumber(3), QStringLiteral("122/2025"));

  // the same proposal again, once another card has taken it
  Record second = card;
  s = numbering::append(path, second, p);
  EXPECT_EQ(s.position, 4);
  EXPECT_EQ(s.note, QStringLiteral("Il numero di protocollo 122/2025 \u00E8 stato assegnato nel frattempo ad un altro "
                                   "documento: la scheda \u00E8 stata registrata con il numero 123/2025."));
  EXPECT_EQ(second["Numero"], QStringLiteral("123/2025")); // the card shows what was stored
  EXPECT_EQ(storedNumber(4), QStringLiteral("123/2025"));
  EXPECT_EQ(storedNumber(3), QStringLiteral("122/2025")); // stored numbers stay

  // a number typed over the proposal, and a card that was never proposed one,
  // are stored as typed
  Record typed = protocol({{"Numero", "7"}});
  EXPECT_EQ(numbering::append(path, typed, p).note, QString());
  Record unproposed = protocol({{"Numero", "122/2025"}});
  EXPECT_EQ(numbering::append(path, unproposed, std::nullopt).note, QString());
  EXPECT_EQ(storedNumber(5), QStringLiteral("7"));
  EXPECT_EQ(storedNumber(6), QStringLiteral("122/2025"));
}

TEST_F(ProtocolArchive, TheSearchLineAndCriteria) {
  add(protocol({{"Numero", "12/2025"}, {"DataReg", "03/03/2025"}, {"Tipo", "In entrata"},
                {"Oggetto", "Richiesta di accesso agli atti del fascicolo edilizio"}, {"Mittente", "Comune di Forlì"},
                {"Destinatario", "  Studio Tecnico Rossi  "}, {"Operatore", "Anna"}}));
  add(protocol({{"Numero", "13"}, {"DataReg", "04/04/2025"}, {"Tipo", "Interna"}, {"Oggetto", "Verbale"}}));
  const lists::ListDescription& d = protocolSearchList();
  ASSERT_EQ(d.criteria.size(), size_t(10));

  QStringList all(10);
  const auto every = lists::search(d, path, all);
  ASSERT_EQ(every.size(), size_t(2));
  EXPECT_EQ(every[0].line, QStringLiteral("Prot. n. 12/2025         Data: 03/03/2025  Posta: In entrata  "
                                          "Richiesta di accesso agli atti del   Da: Comune di Forlì           "
                                          "A: Studio Tecnico Rossi"));
  EXPECT_EQ(every[1].line, QStringLiteral("Prot. n. 13              Data: 04/04/2025  Posta: Interna     Verbale"
                                          "                              Da:                           A: "));
  EXPECT_EQ(d.countText(2), QStringLiteral("Il presente riepilogo contiene 2 schede."));

  auto found = [&](int criterion, const char* text) {
    QStringList typed(10);
    typed[criterion] = QString::fromUtf8(text);
    QList<RecordPosition> positions;
    for (const lists::ListEntry& e : lists::search(d, path, typed)) positions << e.position;
    return positions;
  };
  EXPECT_EQ(found(1, "INTERNA"), QList<RecordPosition>({2}));
  EXPECT_EQ(found(1, "entrata"), QList<RecordPosition>({1}));
  EXPECT_EQ(found(2, "/03/"), QList<RecordPosition>({1}));
  EXPECT_EQ(found(3, "ann"), QList<RecordPosition>({1}));
  EXPECT_EQ(found(7, "rossi"), QList<RecordPosition>({1}));

  ASSERT_EQ(d.targets.size(), size_t(1));
  EXPECT_EQ(d.targets[0].tag, QStringLiteral("protocollo"));
  EXPECT_EQ(d.targets[0].screen, QStringLiteral("TfrmProtocollo"));
  EXPECT_TRUE(d.targets[0].wholeRecord);
}

TEST(ProtocolGrid, BothScreensShowTheSameEighteenColumns) {
  const std::tuple<const char*, int, std::string_view> expected[] = {
      {"N. protocollo", 200, "Numero"},
      {"Tipologia posta", 250, "Tipo"},
      {"Data registrazione", 200, "DataReg"},
      {"Ufficio", 250, "Ufficio"},
      {"Operatore", 250, "Operatore"},
      {"Categoria", 250, "Categoria"},
      {"Collocazione documento cartaceo", 300, "Collocazione"},
      {"Oggetto", 300, "Oggetto"},
      {"Data spedizione", 200, "DataSpe"},
      {"Data ricezione", 200, "DataRic"},
      {"Formato", 250, "Formato"},
      {"N. pagine", 200, "Pagine"},
      {"Riferimenti", 300, "Riferimenti"},
      {"Note", 300, "Note"},
      {"Mittente", 250, "Mittente"},
      {"Recapito mittente", 250, "RecapitoMit"},
      {"Destinatario", 250, "Destinatario"},
      {"Recapito destinatario", 250, "RecapitoDes"},
  };
  for (const grids::GridDescription* d : {&protocolSummary(), &protocolExport()}) {
    ASSERT_EQ(d->columns.size(), std::size(expected)) << d->screen.toStdString();
    for (size_t i = 0; i < std::size(expected); ++i) {
      const auto& [caption, width, field] = expected[i];
      EXPECT_EQ(d->columns[i].caption, QString::fromUtf8(caption));
      EXPECT_EQ(d->columns[i].gridHeader, QString::fromUtf8(caption));
      EXPECT_EQ(d->columns[i].width, width);
      EXPECT_EQ(d->columns[i].fields, std::vector<std::string_view>({field}));
    }
    EXPECT_EQ(d->file, QStringLiteral("Protocollo.xls"));
    EXPECT_EQ(d->fileOfScreen, QStringLiteral("TfrmProtocollo"));
  }
  EXPECT_EQ(protocolSummary().worksheet, QStringLiteral("Protocollo Documenti"));
  EXPECT_EQ(protocolExport().worksheet, QStringLiteral("Protocollo Posta"));
  EXPECT_FALSE(protocolExport().select);
}

TEST(ProtocolGrid, TheSummaryListsRegistrationDatesWithinTheIntervalBothIncluded) {
  const grids::Select& within = protocolSummary().select;
  ASSERT_TRUE(within);
  const grids::GridContext march1{QDate(2025, 3, 10), {}, QDate(2025, 3, 1), QDate(2025, 3, 1)};
  const grids::GridContext spring{QDate(2025, 3, 10), {}, QDate(2025, 3, 1), QDate(2025, 5, 31)};
  struct Case {
    const char* date;
    const grids::GridContext* context;
    lists::Verdict verdict;
  } cases[] = {
      {"01/03/2025", &march1, lists::Verdict::List},  {"28/02/2025", &march1, lists::Verdict::Skip},
      {"02/03/2025", &march1, lists::Verdict::Skip},  {"01/03/2025", &spring, lists::Verdict::List},
      {"31/05/2025", &spring, lists::Verdict::List},  {"01/06/2025", &spring, lists::Verdict::Skip},
      {"15/04/2024", &spring, lists::Verdict::Skip},  {" 15/04/2025 ", &spring, lists::Verdict::List},
      {"31/04/2025", &spring, lists::Verdict::Stop},  {"", &spring, lists::Verdict::Stop},
  };
  for (const Case& c : cases) {
    const QByteArray bytes = encode(protocol({{"DataReg", c.date}}));
    EXPECT_EQ(within(bytes.constData(), *c.context), c.verdict) << c.date;
  }
}

TEST(ProtocolPrint, SixteenRowsFromTheCardAsShown) {
  const FormPrintDescription& d = protocolPrint();
  EXPECT_EQ(d.screen, QStringLiteral("TfrmStampaProtocollo"));
  EXPECT_EQ(d.caption, QStringLiteral(" Stampa scheda"));
  EXPECT_EQ(d.reportName, QStringLiteral("Scheda Protocollo"));
  EXPECT_EQ(d.title, QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO"));
  const Record r = protocol({{"Numero", "27/2025"}, {"DataReg", "01/03/2025"}, {"Ufficio", "Tecnico"},
                             {"Operatore", "Anna"}, {"Categoria", "Lettera"}, {"Collocazione", "Faldone 3"},
                             {"Oggetto", "Richiesta"}, {"DataSpe", "28/02/2025"}, {"DataRic", "01/03/2025"},
                             {"Formato", "A4"}, {"Pagine", "3"}, {"Riferimenti", "Prot. 12"}, {"Mittente", "Comune"},
                             {"RecapitoMit", "Piazza 1"}, {"Destinatario", "Studio"}, {"RecapitoDes", "Via 2"},
                             {"Note", "urgente"}, {"Tipo", "In entrata"}, {"Copia", "scan.pdf"}});
  const std::tuple<const char*, const char*, const char*> expected[] = {
      {"Protocollo n.", "txtNumero", "27/2025"},
      {"Data registrazione:", "txtDataReg", "01/03/2025"},
      {"Ufficio:", "txtUfficio", "Tecnico"},
      {"Operatore:", "txtOperatore", "Anna"},
      {"Categoria:", "txtCategoria", "Lettera"},
      {"Collocazione cartaceo:", "txtCollocazione", "Faldone 3"},
      {"Oggetto:", "txtOggetto", "Richiesta"},
      {"Data spedizione:", "txtDataSpe", "28/02/2025"},
      {"Data ricezione:", "txtDataRic", "01/03/2025"},
      {"Formato:", "txtFormato", "A4  -  N. pagine: 3"},
      {"Riferimenti:", "txtRiferimenti", "Prot. 12"},
      {"Mittente:", "txtMittente", "Comune"},
      {"Recapito mittente:", "txtRecapitoMit", "Piazza 1"},
      {"Destinatario:", "txtDestinatario", "Studio"},
      {"Recapito destinatario:", "txtRecapitoDes", "Via 2"},
      {"Note:", "txtNote", "urgente"},
  };
  const std::vector<FormField> fields = expandForm(d, r);
  ASSERT_EQ(fields.size(), std::size(expected));
  for (size_t i = 0; i < fields.size(); ++i) {
    const auto& [label, box, value] = expected[i];
    EXPECT_EQ(fields[i].label, QString::fromUtf8(label));
    EXPECT_EQ(fields[i].name, QString::fromUtf8(box));
    EXPECT_EQ(fields[i].value, QString::fromUtf8(value));
  }
}
