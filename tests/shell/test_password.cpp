#include "app/shell/password.h"
#include "support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeRaw(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

} // namespace

// The constants are part of the file format: a password file written by an
// earlier installation must still be read.
TEST(Scrambler, KnownValue) {
  EXPECT_EQ(scrambler::scramble(u"VELARION"), QStringLiteral("E3DF28DD144185C5"));
  EXPECT_EQ(scrambler::unscramble(u"E3DF28DD144185C5"), QStringLiteral("VELARION"));
}

TEST(Scrambler, RoundTripTwoUpperCaseDigitsPerCharacter) {
  const QString cases[] = {QStringLiteral("A"), QStringLiteral("VELARION"), QStringLiteral("pass word 1!"),
                           QStringLiteral("CITT\u00C0 \u20AC\u00E8"), QString(255, QLatin1Char('Z')),
                           QString(300, QLatin1Char('x'))};
  for (const QString& text : cases) {
    const QString hex = scrambler::scramble(text);
    EXPECT_EQ(hex.size(), 2 * text.size()) << qPrintable(text);
    for (QChar c : hex) EXPECT_TRUE((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')) << qPrintable(hex);
    EXPECT_EQ(scrambler::unscramble(hex), text);
    EXPECT_EQ(scrambler::unscramble(hex.toLower()), text) << "hexadecimal digits of either case";
  }
  // the feedback makes equal characters scramble differently
  const QString hex = scrambler::scramble(u"AAAA");
  EXPECT_NE(hex.mid(0, 2), hex.mid(2, 2));
}

TEST(Scrambler, OddDigitIgnoredAndNonHexPairsRefused) {
  const QString hex = scrambler::scramble(u"ABC");
  EXPECT_EQ(scrambler::unscramble(hex + QLatin1Char('7')), QStringLiteral("ABC"));
  EXPECT_EQ(scrambler::unscramble(hex + QLatin1Char('Z')), QStringLiteral("ABC"));
  EXPECT_EQ(scrambler::unscramble(u""), QString());
  for (const char16_t* bad : {u"4G", u"G4", u" 4", u"+4", u"E3DF2-DD", u"0x12"})
    EXPECT_FALSE(scrambler::unscramble(bad).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(PasswordFile, WriteNormalisesAndReadsBack) {
  TempProgramFolder folder;
  const QString file = folder.path(QStringLiteral("unins000.dll"));

  password::Stored missing = password::read();
  EXPECT_TRUE(missing.ok) << "a missing file reads as an empty password";
  EXPECT_EQ(missing.text, QString());

  ASSERT_TRUE(password::write(u"  Velarion 2 "));
  EXPECT_EQ(fileBytes(file), QByteArray("[Accesso]\r\nValore=") + scrambler::scramble(u"VELARION 2").toLatin1() + "\r\n");
  const password::Stored stored = password::read();
  EXPECT_TRUE(stored.ok);
  EXPECT_EQ(stored.text, QStringLiteral("VELARION 2"));

  // only a to z change case
  EXPECT_TRUE(password::matches(stored, u"velarion 2"));
  ASSERT_TRUE(password::write(u"citt\u00E0"));
  EXPECT_EQ(password::read().text, QStringLiteral("CITT\u00E0"));
  EXPECT_TRUE(password::matches(password::read(), u" Citt\u00E0"));
  EXPECT_FALSE(password::matches(password::read(), u"CITT\u00C0"));

  // the other contents of the file are kept
  writeRaw(file, "[Altro]\r\nChiave=1\r\n[Accesso]\r\nValore=00\r\n");
  ASSERT_TRUE(password::write(u"x"));
  const QByteArray bytes = fileBytes(file);
  EXPECT_TRUE(bytes.startsWith("[Altro]\r\nChiave=1\r\n[Accesso]\r\nValore=")) << bytes.constData();
}

TEST(PasswordFile, ReadFailures) {
  TempProgramFolder folder;
  const QString file = folder.path(QStringLiteral("unins000.dll"));

  writeRaw(file, "[Accesso]\r\nAltro=12\r\n");
  EXPECT_TRUE(password::read().ok) << "a missing key reads as empty";
  EXPECT_EQ(password::read().text, QString());

  writeRaw(file, "[Accesso]\r\nValore=E3DF2XDD\r\n");
  EXPECT_FALSE(password::read().ok);

  QFile::remove(file);
  ASSERT_TRUE(QDir(folder.dir.path()).mkdir(QStringLiteral("unins000.dll")));
  EXPECT_FALSE(password::read().ok) << "a password file that cannot be read";
  EXPECT_FALSE(password::write(u"nuova"));
}

TEST(PasswordFile, WriteFailure) {
  paths::setProgramFolder(QStringLiteral("/nonexistent-velarion-folder/sub"));
  EXPECT_FALSE(password::write(u"nuova"));
  paths::setProgramFolder(QString());
}

// A character the file cannot hold is stored as the file holds it; the
// password set with it still lets the user in.
TEST(PasswordFile, CharacterOutsideTheCodePage) {
  TempProgramFolder folder;
  ASSERT_TRUE(password::write(u"\u0142\u00F3d\u017A"));
  EXPECT_TRUE(password::matches(password::read(), u"\u0142\u00F3d\u017A"));
}
