#include "archive/inifile.h"
#include "archive/safefile.h"
#include "faults.h"
#include "support.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <gtest/gtest.h>

namespace {
QByteArray bytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}
void writeBytes(const QString& path, const QByteArray& b) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(b);
}
} // namespace

TEST(IniFile, WritesNamesAsTheyStandInWindows1252WithCrLf) {
  TempProgramFolder folder;
  const QString path = folder.path(QStringLiteral("Quorbis.ini"));
  ASSERT_TRUE(IniFile::write(path, QStringLiteral("Numerazione Protocollo"), QStringLiteral("Ufficio tecnico"),
                             QStringLiteral("Città, sede")));
  ASSERT_TRUE(IniFile::write(path, QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("0A1B")));
  ASSERT_TRUE(IniFile::write(path, QStringLiteral("Numerazione Protocollo"), QStringLiteral("Altro"), QStringLiteral("1")));
  EXPECT_EQ(bytes(path), QByteArray("[Numerazione Protocollo]\r\nUfficio tecnico=Citt\xE0, sede\r\nAltro=1\r\n"
                                    "\r\n[Accesso]\r\nValore=0A1B\r\n"));
  EXPECT_EQ(IniFile::read(path, QStringLiteral("numerazione protocollo"), QStringLiteral("UFFICIO TECNICO")),
            QStringLiteral("Città, sede"));
}

TEST(IniFile, ReadsWhatWindowsWroteAndKeepsTheRest) {
  TempProgramFolder folder;
  const QString path = folder.path(QStringLiteral("x.ini"));
  writeBytes(path, "; comment\r\n[Accesso]\r\nValore = 4F7A \r\nAltro=\xE8\r\n");
  EXPECT_EQ(IniFile::read(path, QStringLiteral("Accesso"), QStringLiteral("Valore")), QStringLiteral("4F7A"));
  EXPECT_EQ(IniFile::read(path, QStringLiteral("Accesso"), QStringLiteral("Altro")), QStringLiteral("è"));
  EXPECT_EQ(IniFile::read(path, QStringLiteral("Accesso"), QStringLiteral("Manca")), QString());
  ASSERT_TRUE(IniFile::write(path, QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("00")));
  EXPECT_EQ(bytes(path), QByteArray("; comment\r\n[Accesso]\r\nValore=00\r\nAltro=\xE8\r\n"));
}

TEST(IniFile, MissingFileReadsEmptyAndUnwritableFolderFails) {
  TempProgramFolder folder;
  bool ok = false;
  EXPECT_EQ(IniFile::read(folder.path(QStringLiteral("none.ini")), QStringLiteral("A"), QStringLiteral("B"), &ok), QString());
  EXPECT_TRUE(ok);
  EXPECT_FALSE(IniFile::write(folder.path(QStringLiteral("no/dir/x.ini")), QStringLiteral("A"), QStringLiteral("B"),
                              QStringLiteral("C")));
}

// The settings and password files are written whole or not at all: a write
// that fails (full disk) keeps the old file and says why; a link under the
// file's name is neither read nor replaced.
TEST(IniFile, FailedWriteKeepsTheOldFileAndALinkIsRefused) {
  TempProgramFolder folder;
  const QString path = folder.path(QStringLiteral("Quorbis.ini"));
  const QByteArray old("[Numerazione Protocollo]\r\nUltimo=41\r\n");
  writeBytes(path, old);
  for (const rlim_t limit : {rlim_t(0), rlim_t(10)}) {
    QString reason;
    bool written = true;
    {
      FileSizeLimit full(limit);
      written = IniFile::write(path, QStringLiteral("Numerazione Protocollo"), QStringLiteral("Ultimo"),
                               QStringLiteral("42"), &reason);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(reason, safefile::reasonFor(EFBIG));
    EXPECT_EQ(bytes(path), old);
  }

  QTemporaryDir elsewhere;
  const QString victim = elsewhere.path() + QStringLiteral("/other.ini");
  writeBytes(victim, "[Accesso]\r\nValore=00\r\n");
  const QString link = folder.path(QStringLiteral("unins000.dll"));
  ASSERT_TRUE(QFile::link(victim, link));
  bool ok = true;
  EXPECT_EQ(IniFile::read(link, QStringLiteral("Accesso"), QStringLiteral("Valore"), &ok), QString());
  EXPECT_FALSE(ok);
  EXPECT_FALSE(IniFile::write(link, QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("FF")));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(bytes(victim), QByteArray("[Accesso]\r\nValore=00\r\n"));
}

// A value is one line: a line break in it cannot start a key or a section
// of its own (an office name could otherwise reset the password).
TEST(IniFile, AValueCannotBreakIntoTheNextLine) {
  TempProgramFolder folder;
  const QString path = folder.path(QStringLiteral("Quorbis.ini"));
  ASSERT_TRUE(IniFile::write(path, QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("4F7A")));
  ASSERT_TRUE(IniFile::write(path, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio"),
                             QStringLiteral(" Tecnico\r\n[Accesso]\nValore=00 ")));
  EXPECT_EQ(IniFile::read(path, QStringLiteral("Accesso"), QStringLiteral("Valore")), QStringLiteral("4F7A"));
  EXPECT_EQ(IniFile::read(path, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio")),
            QStringLiteral("Tecnico  [Accesso] Valore=00"));
}
