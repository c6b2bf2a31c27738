#include "app/shell/screens/applications.h"
#include "clientfixture.h"

#include "clients/clientlists.h"
#include "common/lists.h"

#include <gtest/gtest.h>

using namespace lists;

namespace {

template <class Rows> // ListRows or ListLines
std::vector<RecordPosition> positions(const Rows& entries) {
  std::vector<RecordPosition> out;
  for (size_t i = 0; i < entries.size(); ++i) out.push_back(entries[i].position);
  return out;
}

// A list of lines numbered 1, 2, 3 ...
ListLines linesOf(std::initializer_list<QString> texts) {
  ListLines out;
  for (const QString& t : texts) out.append(t, int(out.size()) + 1);
  return out;
}

// Criteria texts in the order of the client search's edits.
using Typed = std::vector<std::pair<const char*, QString>>;
QStringList criteria(const Typed& typed) {
  const auto& d = clientSearchList();
  QStringList out;
  for (const Criterion& c : d.criteria) {
    QString t;
    for (const auto& [edit, text] : typed)
      if (c.edit == QLatin1String(edit)) t = text;
    out.append(t);
  }
  return out;
}

// A record whose `Cliente` length byte is beyond the field's width.
QByteArray damaged(const Record& r) {
  QByteArray bytes = encode(r);
  bytes[TRecCliente().offsetOf("Cliente")] = char(0xFF);
  return bytes;
}

} // namespace

TEST(ListLine, PadsCutsAndTrimsTheLastColumn) {
  const Record r = client({{"Cliente", QStringLiteral("Amministrazione Condominiale Via Roma")},
                           {"Recapito", QStringLiteral("06 1234567")},
                           {"Occupazione", QStringLiteral("Ingegnere")},
                           {"Prodotti", QStringLiteral("Catasto")},
                           {"Note", QStringLiteral("Chiamare dopo le 18")},
                           {"Questioni", QStringLiteral("Parcella")}});
  const QByteArray bytes = encode(r);
  const LineBuilder search(TRecCliente(), clientSearchList().line);
  const LineBuilder recontact(TRecCliente(), recontactList().line);
  const QString head = QStringLiteral("Amministrazione Condominia") + QStringLiteral("  Tel. ") +
                       QStringLiteral("06 1234567").leftJustified(15) + QStringLiteral("  ") +
                       QStringLiteral("Ingegnere").leftJustified(25) + QStringLiteral("  ") +
                       QStringLiteral("Catasto").leftJustified(35) + QStringLiteral("  ");
  EXPECT_EQ(search(bytes.constData()), head + QStringLiteral("Chiamare dopo le 18"));
  EXPECT_EQ(recontact(bytes.constData()), head + QStringLiteral("Parcella"));

  // an empty last column leaves the line ending with its separator
  const QByteArray bare = encode(client({{"Cliente", QStringLiteral("Bianchi")}}));
  EXPECT_EQ(search(bare.constData()).size(), 26 + 7 + 15 + 2 + 25 + 2 + 35 + 2);

  // the same lines written straight into a list
  ListLines listed;
  search.appendTo(listed, bytes.constData(), 4);
  constexpr RecordPosition far = (RecordPosition(1) << 32) + 9; // kept whole, never wrapped
  search.appendTo(listed, bare.constData(), far);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].line, search(bytes.constData()));
  EXPECT_EQ(listed[1].line, search(bare.constData()));
  EXPECT_EQ(positions(listed), (std::vector<RecordPosition>{4, far}));
}

TEST(ListLinesTest, KeepsEveryLineInPlaceAcrossBlocksAndCopies) {
  // many short lines, empty ones and one longer than a whole block, of
  // records past 2^31 and 2^32
  constexpr RecordPosition far = RecordPosition(1) << 31;
  ListLines lines;
  std::vector<QString> expected;
  for (int i = 0; i < 20000; ++i) {
    expected.push_back(i % 1000 == 7 ? QString() : QStringLiteral("Riga %1 \u00E0\u20AC ").arg(i).repeated(1 + i % 3));
    if (i == 12345) expected.back() = QString(100000, QLatin1Char('x'));
    lines.append(expected.back(), far * (1 + i % 2) + i);
  }
  const std::string_view first = lines.bytes(0);
  const ListLines copy = lines;
  lines.append(u"ancora", 0);
  EXPECT_EQ(first.data(), lines.bytes(0).data()); // appending moves no line
  ASSERT_EQ(copy.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(lines.line(i), expected[i]) << i;
    ASSERT_EQ(copy.line(i), expected[i]) << i;
    ASSERT_EQ(copy.position(i), far * RecordPosition(1 + i % 2) + RecordPosition(i));
  }
  EXPECT_EQ(copy.toStringList().size(), qsizetype(expected.size()));
  EXPECT_EQ(copy.toStringList()[12345].size(), 100000);
  lines.clear();
  EXPECT_TRUE(lines.empty());
  // kept in Windows-1252, like the fields the lines are made of
  lines.append(u"Citt\u00E0 \u0142", 1);
  EXPECT_EQ(lines.bytes(0), "Citt\xE0 ?");
  EXPECT_EQ(lines.line(0), QStringLiteral("Citt\u00E0 ?"));
}

TEST(ListLine, PadTrimsThenFillsOrCuts) {
  EXPECT_EQ(pad(u"  ab  ", 4), QStringLiteral("ab  "));
  EXPECT_EQ(pad(u"abcdef", 4), QStringLiteral("abcd"));
  EXPECT_EQ(pad(u"", 3), QStringLiteral("   "));
  EXPECT_EQ(pad(u"\u00E0bc", 3), QStringLiteral("\u00E0bc"));
}

class ClientSearch : public ::testing::Test {
protected:
  void SetUp() override {
    appendClients({
        encode(client({{"Cliente", QStringLiteral("Rossi Mario")}, {"Occupazione", QStringLiteral("Ingegnere")}})),
        encode(client({{"Cliente", QStringLiteral("GROSSI ANNA")}, {"Occupazione", QStringLiteral("Architetto  capo")}})),
        encode(client({{"Cliente", QStringLiteral("Bianchi Luca")}, {"Note", QStringLiteral("Citt\u00E0 di ROMA")}})),
        encode(client({{"Cliente", QStringLiteral("Verdi")}, {"Note", QStringLiteral("CITT\u00C0")}})),
        encode(client({{"Cliente", QStringLiteral("Rossi")}, {"ComuneRes", QStringLiteral("Roma")}})),
    });
  }
  std::vector<RecordPosition> found(const Typed& typed) {
    return positions(search(clientSearchList(), clientsPath(), criteria(typed)));
  }
  TempProgramFolder folder;
};

TEST_F(ClientSearch, MatchesEveryNonEmptyCriterionAsTyped) {
  struct Case {
    const char* what;
    Typed typed;
    std::vector<RecordPosition> expected;
  };
  const std::vector<Case> cases = {
      {"all empty lists everything", {}, {1, 2, 3, 4, 5}},
      {"capitals find any case, inside longer words", {{"txtCliente", QStringLiteral("ROSSI")}}, {1, 2, 5}},
      {"lower case finds upper case letters", {{"txtNote", QStringLiteral("roma")}}, {3}},
      {"an accented letter matches only itself", {{"txtNote", QStringLiteral("citt\u00E0")}}, {3}},
      {"the upper-case accented letter likewise", {{"txtNote", QStringLiteral("CITT\u00C0")}}, {4}},
      {"every criterion must occur", {{"txtCliente", QStringLiteral("rossi")}, {"txtComuneRes", QStringLiteral("rom")}}, {5}},
      {"a trailing blank is part of the criterion", {{"txtCliente", QStringLiteral("rossi ")}}, {1, 2}},
      {"blanks alone are no criterion", {{"txtOccupazione", QStringLiteral("  ")}}, {1, 2, 3, 4, 5}},
      // blanks in one edit do not make up for a criterion that fails: the
      // architect's occupation holds two blanks, but not "rossi m"
      {"blanks do not stand in for a failing criterion",
       {{"txtCliente", QStringLiteral("rossi m")}, {"txtOccupazione", QStringLiteral("  ")}},
       {1}},
      {"a character the archive cannot hold never matches", {{"txtCliente", QStringLiteral("ro\u0142")}}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(found(c.typed), c.expected) << c.what;
  }
}

TEST_F(ClientSearch, CountsOnlyCriteriaWithText) {
  const Search s(TRecCliente(), clientSearchList().criteria,
                 criteria({{"txtCliente", QStringLiteral(" x")}, {"txtZona", QStringLiteral("   ")}, {"txtNote", QStringLiteral("y")}}));
  EXPECT_EQ(s.counted(), 2);
}

TEST_F(ClientSearch, AFieldStoredWithLeadingBlanksIsSearchedUntrimmed) {
  // written by another program: the length byte counts the leading blanks
  QByteArray bytes = encode(client({{"Cliente", QStringLiteral("Neri")}}));
  const int at = TRecCliente().offsetOf("Cliente");
  bytes.replace(at, 7, QByteArray("\x06  Neri", 7));
  appendClients({bytes});
  EXPECT_EQ(found({{"txtCliente", QStringLiteral("  neri")}}), std::vector<RecordPosition>{6});
  // and the line shows it trimmed
  EXPECT_TRUE(search(clientSearchList(), clientsPath(), criteria({{"txtCliente", QStringLiteral("  neri")}}))
                  [0]
                  .line.startsWith(QStringLiteral("Neri ")));
}

TEST_F(ClientSearch, IdenticalLinesKeepTheirOwnPositions) {
  appendClients({encode(client({{"Cliente", QStringLiteral("Rossi Mario")}, {"Occupazione", QStringLiteral("Ingegnere")}}))});
  const auto entries = search(clientSearchList(), clientsPath(), criteria({{"txtCliente", QStringLiteral("rossi mario")}}));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].line, entries[1].line);
  EXPECT_EQ(positions(entries), (std::vector<RecordPosition>{1, 6}));
}

TEST_F(ClientSearch, ADamagedRecordDoesNotCutTheListShort) {
  appendClients({damaged(client({{"Cliente", QStringLiteral("Rossi Gino")}})),
                 encode(client({{"Cliente", QStringLiteral("Rossi Ultimo")}}))});
  EXPECT_EQ(found({{"txtCliente", QStringLiteral("rossi")}}), (std::vector<RecordPosition>{1, 2, 5, 6, 7}));
}

TEST_F(ClientSearch, AnUnreadableArchiveIsAnError) {
  EXPECT_THROW(search(clientSearchList(), folder.path(QStringLiteral("missing/Clienti.pro")), criteria({})), ArchiveError);
}

TEST(RecontactSummary, ListsExactlyTheClientsFlaggedYes) {
  TempProgramFolder folder;
  Record odd = client({{"Cliente", QStringLiteral("Minuscolo")}});
  odd.set("Ricontatta", QStringLiteral("s\u00EC"));
  Record yes = client({{"Cliente", QStringLiteral("Dopo il danno")}});
  yes.setFlag("Ricontatta", true);
  Record first = client({{"Cliente", QStringLiteral("Primo")}});
  first.setFlag("Ricontatta", true);
  appendClients({encode(first), encode(client({{"Cliente", QStringLiteral("No")}})), encode(odd),
                 encode(client({{"Cliente", QStringLiteral("Vuoto")}, {"Ricontatta", QString()}})),
                 damaged(yes), encode(yes)});
  EXPECT_EQ(positions(summary(recontactList(), clientsPath())), (std::vector<RecordPosition>{1, 5, 6}));
  // an archive that cannot be read gives an empty summary, silently
  EXPECT_TRUE(summary(recontactList(), folder.path(QStringLiteral("missing/Clienti.pro"))).empty());
}

TEST(Summary, AStopVerdictEndsTheFillingWithWhatWasListed) {
  TempProgramFolder folder;
  appendClients({encode(client({{"Cliente", QStringLiteral("A")}})), encode(client({{"Cliente", QStringLiteral("STOP")}})),
                 encode(client({{"Cliente", QStringLiteral("C")}}))});
  ListDescription d = recontactList();
  const int name = TRecCliente().require("Cliente");
  d.condition = [name](const char* record) {
    return decodeField(TRecCliente(), name, record) == QLatin1String("STOP") ? Verdict::Stop : Verdict::List;
  };
  EXPECT_EQ(positions(summary(d, clientsPath())), std::vector<RecordPosition>{1});
}

TEST(ReadRecord, ReadsThePositionAskedOrNothing) {
  TempProgramFolder folder;
  appendClients({encode(client({{"Cliente", QStringLiteral("A")}})), encode(client({{"Cliente", QStringLiteral("B")}}))});
  EXPECT_EQ(readRecord(clientSearchList(), clientsPath(), 2)->operator[]("Cliente"), QStringLiteral("B"));
  EXPECT_FALSE(readRecord(clientSearchList(), clientsPath(), 3));
  EXPECT_FALSE(readRecord(clientSearchList(), clientsPath(), 0));
}

TEST(InListFindTest, MovesToTheNextMatchAndWrapsAround) {
  const ListLines lines = linesOf({QStringLiteral("Bianchi"), QStringLiteral("ROSSI Mario"), QStringLiteral("Verdi"),
                                   QStringLiteral("Grossi")});
  InListFind find;
  int selected = -1;
  std::vector<int> seen;
  for (int press = 0; press < 3; ++press) {
    selected = find.press(lines, selected, QStringLiteral("Rossi")).selected;
    seen.push_back(selected);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 3, 1}));

  // a new text starts again from the top, the first line included
  EXPECT_EQ(find.press(lines, 3, QStringLiteral("bian")).selected, 0);
  // the same text again from the only match comes back to it
  EXPECT_EQ(find.press(lines, 0, QStringLiteral("bian")).selected, 0);
  // no match: the selection stays; with none, the first line is selected
  EXPECT_EQ(find.press(lines, 2, QStringLiteral("zzz")).selected, 2);
  EXPECT_EQ(find.press(lines, -1, QStringLiteral("zzzz")).selected, 0);
  // an empty text never matches
  EXPECT_EQ(find.press(lines, 2, QString()).selected, 2);
  // accented letters are not folded
  const ListLines accented = linesOf({QStringLiteral("a"), QStringLiteral("\u00C0")});
  EXPECT_EQ(find.press(accented, 0, QStringLiteral("\u00E0")).selected, 0);
}

TEST(InListFindTest, AnEmptyListSaysSoAndForgettingRestartsFromTheTop) {
  InListFind find;
  EXPECT_TRUE(find.press(ListLines{}, -1, QStringLiteral("x")).emptyList);
  const ListLines lines = linesOf({QStringLiteral("x1"), QStringLiteral("x2")});
  EXPECT_EQ(find.press(lines, -1, QStringLiteral("X")).selected, 0);
  EXPECT_EQ(find.lastText(), QStringLiteral("x"));
  find.forget();
  EXPECT_EQ(find.press(lines, 0, QStringLiteral("x")).selected, 0);
}

TEST(CallerTargets, EachTagNamesItsScreenAndWhatItReceives) {
  registerModules(); // the cards that receive a client are the modules' own
  const auto& targets = clientSearchList().targets;
  using Copies = std::vector<std::pair<QString, std::string_view>>;
  const CallerTarget* card = targetFor(targets, QStringLiteral("clienti"));
  ASSERT_TRUE(card);
  EXPECT_EQ(card->screen, QStringLiteral("TfrmClienti"));
  EXPECT_TRUE(card->wholeRecord);

  const CallerTarget* pratica = targetFor(targets, QStringLiteral("pratica"));
  ASSERT_TRUE(pratica);
  EXPECT_EQ(pratica->screen, QStringLiteral("TfrmPratica"));
  EXPECT_FALSE(pratica->wholeRecord);
  EXPECT_EQ(pratica->copies, (Copies{{QStringLiteral("txtCliente"), "Cliente"},
                                     {QStringLiteral("txtRecapito"), "Recapito"},
                                     {QStringLiteral("txtIndirizzoRes"), "IndirizzoRes"},
                                     {QStringLiteral("txtComuneRes"), "ComuneRes"},
                                     {QStringLiteral("txtProvRes"), "ProvRes"},
                                     {QStringLiteral("txtCapRes"), "CapRes"},
                                     {QStringLiteral("txtCodFisc"), "CodFisc"},
                                     {QStringLiteral("txtPartitaIva"), "PartitaIva"}}));
  const CallerTarget* payer = targetFor(targets, QStringLiteral("movimenti_pagatore"));
  ASSERT_TRUE(payer);
  EXPECT_EQ(payer->screen, QStringLiteral("TfrmMovimenti"));
  EXPECT_EQ(payer->copies, (Copies{{QStringLiteral("txtPagatore"), "Cliente"},
                                   {QStringLiteral("txtRecapitoPag"), "Recapito"},
                                   {QStringLiteral("txtCodFisc"), "CodFisc"},
                                   {QStringLiteral("txtPartitaIva"), "PartitaIva"},
                                   {QStringLiteral("txtEmail"), "Email"}}));
  const CallerTarget* payee = targetFor(targets, QStringLiteral("movimenti_beneficiario"));
  ASSERT_TRUE(payee);
  EXPECT_EQ(payee->copies, (Copies{{QStringLiteral("txtBeneficiario"), "Cliente"}, {QStringLiteral("txtRecapitoBen"), "Recapito"}}));

  EXPECT_EQ(targetFor(targets, QStringLiteral("scadenzario")), nullptr);
  EXPECT_EQ(targetFor(targets, QString()), nullptr);
  // the summary loads into the client card whoever opened it
  const CallerTarget* any = targetFor(recontactList().targets, QStringLiteral("whatever"));
  ASSERT_TRUE(any);
  EXPECT_EQ(any->screen, QStringLiteral("TfrmClienti"));
  EXPECT_TRUE(any->wholeRecord);

  // every copied field exists in the client record
  for (const CallerTarget& t : targets)
    for (const auto& [control, field] : t.copies) EXPECT_GE(TRecCliente().indexOf(field), 0) << field;
}
