#include "archive/cp1252.h"
#include "archive/record.h"
#include "clients/cliente.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Cp1252, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const char byte = char(b);
    const QString text = cp1252::decode(&byte, 1);
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(cp1252::encode(text), QByteArray(1, byte)) << "byte " << b;
  }
}

TEST(Cp1252, TheHighRangeIsWindowsNotLatin1) {
  struct Case { unsigned char byte; char16_t ch; } cases[] = {
      {0x80, u'\u20AC'}, {0x8A, u'\u0160'}, {0x91, u'\u2018'}, {0x93, u'\u201C'}, {0x96, u'\u2013'},
      {0x9F, u'\u0178'}, {0xE0, u'\u00E0'}, {0xEC, u'\u00EC'}};
  for (auto c : cases) {
    EXPECT_EQ(cp1252::toUnicode(c.byte), QChar(c.ch));
    EXPECT_EQ(cp1252::fromUnicode(QChar(c.ch)), c.byte);
  }
}

TEST(Cp1252, UnrepresentableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(cp1252::encode(u"a\u0100b\u4E2D"), QByteArray("a?b?"));
  EXPECT_EQ(cp1252::encode(QString::fromUtf8("x\U0001F600y")), QByteArray("x?y")); // one mark for a pair
  EXPECT_EQ(cp1252::encode(u"\u0080"), QByteArray("?")); // the C1 control that 0x80 is not
}

TEST(FieldText, TrimAndCaseRules) {
  EXPECT_EQ(fieldtext::trimmed(u" \t\r\nab c\x01 "), QStringLiteral("ab c"));
  EXPECT_EQ(fieldtext::lowerAZ(u"ÀBC àbc"), QStringLiteral("Àbc àbc"));
  EXPECT_EQ(fieldtext::upperAZ(u"àbc"), QStringLiteral("àBC"));
}

// Upper-casing on the cards: a capital only where Windows-1252 has it as
// one character, so the length and the stored bytes stay true.
TEST(FieldText, UpperCaseKeepsWhatTheCodePageHolds) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"rssmra85t10a562s", u"RSSMRA85T10A562S"},
      {u"àèìòù ç ñ", u"ÀÈÌÒÙ Ç Ñ"},
      {u"ÿ š ž œ", u"\u0178 \u0160 \u017D \u0152"},
      {u"straße µm", u"STRAßE µM"}, // no one-letter capital in the code page
      {u"1a/b-2 €", u"1A/B-2 €"},
  };
  for (auto [in, out] : cases) {
    const QString upper = fieldtext::upperStorable(QString::fromUtf16(in));
    EXPECT_EQ(upper, QString::fromUtf16(out)) << upper.toStdString();
    EXPECT_EQ(upper.size(), QString::fromUtf16(in).size());
    EXPECT_FALSE(cp1252::encode(upper).contains('?'));
  }
}

TEST(Cliente, LayoutMatchesTheRecordFile) {
  const RecordLayout& l = TRecCliente();
  EXPECT_EQ(l.size(), 3372);
  EXPECT_EQ(l.fieldCount(), 36);
  const std::pair<const char*, int> offsets[] = {
      {"Cliente", 0},       {"DataNasc", 51},     {"ComuneNasc", 82},   {"ProvNasc", 133},   {"Sesso", 136},
      {"Recapito", 138},    {"IndirizzoRes", 189}, {"ProvRes", 240},    {"ComuneRes", 243},  {"CapRes", 294},
      {"Estremi", 300},     {"TelCasa", 551},     {"TelUff", 582},      {"TelCel", 613},     {"Fax", 644},
      {"Email", 675},       {"CodFisc", 726},     {"Carta", 743},       {"ScadeCarta", 774}, {"PartitaIva", 805},
      {"Iban", 817},        {"Documento", 845},   {"Occupazione", 966}, {"Civile", 1017},    {"Titoli", 1068},
      {"Prodotti", 1189},   {"Zona", 1310},       {"Questioni", 1361},  {"Note", 1612},      {"Ricontatta", 1863},
      {"File01", 1866},     {"File02", 2117},     {"File03", 2368},     {"Desc01", 2619},    {"Desc02", 2870},
      {"Desc03", 3121}};
  for (auto [name, offset] : offsets) EXPECT_EQ(l.offsetOf(name), offset) << name;
}

namespace {
void put(QByteArray& rec, int offset, const QByteArray& value, int garbageTo = 0) {
  rec[offset] = char(value.size());
  std::memcpy(rec.data() + offset + 1, value.constData(), size_t(value.size()));
  // bytes past the length are not significant: fill some with garbage
  for (int i = offset + 1 + int(value.size()); i < garbageTo; ++i) rec[i] = 'Z';
}
} // namespace

TEST(Cliente, HandBuiltBytesDecodeAndEncodeBack) {
  const RecordLayout& l = TRecCliente();
  QByteArray rec(l.size(), '\0');
  put(rec, 0, QByteArray("Citt\xE0 \x80 \x93Rossi\x94"));
  put(rec, 675, QByteArray("a@b.it"));
  put(rec, 1863, QByteArray("S\xEC"));
  put(rec, 3121, QByteArray(250, 'x'));
  const Record r = decode(l, rec.constData());
  EXPECT_EQ(r["Cliente"], QStringLiteral("Città € “Rossi”"));
  EXPECT_EQ(r["Email"], QStringLiteral("a@b.it"));
  EXPECT_EQ(r["Ricontatta"], QStringLiteral("Sì"));
  EXPECT_EQ(r["Desc03"], QString(250, QLatin1Char('x')));
  EXPECT_EQ(r["Note"], QString());
  EXPECT_EQ(encode(r), rec);

  QByteArray dirty = rec;
  put(dirty, 51, QByteArray("1"), 51 + 31); // garbage after the value
  EXPECT_EQ(decode(l, dirty.constData())["DataNasc"], QStringLiteral("1"));
}

TEST(Cliente, EncodingTrimsCutsAndReplaces) {
  const RecordLayout& l = TRecCliente();
  Record r(l);
  r.set("Cliente", QStringLiteral("  Bianchi Mario \t"));
  r.set("ProvNasc", QStringLiteral("ROMA"));
  r.set("Sesso", QStringLiteral("\u0100"));
  r.setFlag("Ricontatta", false);
  const QByteArray bytes = encode(r);
  EXPECT_EQ(bytes.mid(0, 14), QByteArray("\x0D" "Bianchi Mario"));
  EXPECT_EQ(bytes.mid(133, 3), QByteArray("\x02RO"));
  EXPECT_EQ(bytes.mid(136, 2), QByteArray("\x01?"));
  EXPECT_EQ(bytes.mid(1863, 3), QByteArray("\x02No"));
}

TEST(Record, ImpossibleLengthByteReadsAsTheWholeField) {
  const RecordLayout l("T", {{"A", FieldKind::Str, 3}, {"B", FieldKind::Str, 2}});
  QByteArray rec("\xFF" "abc" "\x02" "de", 7);
  const Record r = decode(l, rec.constData());
  EXPECT_EQ(r["A"], QStringLiteral("abc"));
  EXPECT_EQ(r["B"], QStringLiteral("de"));
}

TEST(Record, CharFieldsKeepLineBreaksAndStopAtZero) {
  const RecordLayout l("T", {{"A", FieldKind::Chars, 5}, {"B", FieldKind::Chars, 2}});
  Record r(l);
  r.set("A", QStringLiteral(" a\r\nbcdef"));
  r.set("B", QStringLiteral("Sì"));
  const QByteArray bytes = encode(r);
  EXPECT_EQ(bytes, QByteArray(" a\r\nb\0S\xEC\0", 9));
  const Record back = decode(l, bytes.constData());
  EXPECT_EQ(back["A"], QStringLiteral(" a\r\nb"));
  EXPECT_EQ(back["B"], QStringLiteral("Sì"));
}
