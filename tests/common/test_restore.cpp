// Restoring a day by the README's own steps, run as written in a real
// program folder: afterwards the folder holds that day's data and nothing
// made later, and every present file is kept aside.
#include "archive/journal.h"
#include "common/backup.h"
#include "datafiles.h"
#include "files.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString dataNames(const QString& folder) {
  QStringList l = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
  l.sort();
  return l.join(QLatin1Char(','));
}

// The commands of steps 2 and 3 of "To restore a day", as the README gives them.
QStringList restoreCommands() {
  QFile f(QStringLiteral(VELARION_README));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromUtf8(f.readAll());
  const qsizetype from = text.indexOf(QStringLiteral("To restore a day"));
  const qsizetype to = text.indexOf(QStringLiteral("4. Start the program"), from);
  if (from < 0 || to < 0) return {};
  QStringList commands;
  static const QRegularExpression code(QStringLiteral("`([^`]+)`"));
  for (auto m = code.globalMatch(text.mid(from, to - from)); m.hasNext();) {
    const QString c = m.next().captured(1);
    if (c.contains(QStringLiteral("mkdir")) || c.startsWith(QStringLiteral("cp "))) commands << c;
  }
  return commands;
}

} // namespace

TEST(RestoreADay, TheReadmesStepsLeaveThatDayAndKeepThePresentAside) {
  RegisteredDataFiles dataFiles;
  TempProgramFolder program;
  FixedClock clock{QDate(2026, 3, 9)};
  RecordingMessages messages;
  for (const char* name : {"Clienti.pro", "Pratiche.pro", "2026.prt", "2026.eur", "unins000.dll"})
    ASSERT_TRUE(testfiles::put(program.path(QLatin1String(name)), QByteArray("9 March: ") + name));
  ASSERT_EQ(backup::daily(), backup::Outcome::Made);
  // later: the archives change, a later year and the settings appear, and
  // a save was cut short
  for (const char* name : {"Clienti.pro", "2026.prt", "unins000.dll", "2027.prt", "2027.sca", "Quorbis.ini",
                           ".Clienti.pro-giornale"})
    ASSERT_TRUE(testfiles::put(program.path(QLatin1String(name)), QByteArray("later: ") + name));
  const QString present = dataNames(program.dir.path());

  const QStringList commands = restoreCommands();
  ASSERT_EQ(commands.size(), 2) << "steps 2 and 3 each give one command";
  for (const QString& command : commands) {
    QProcess shell;
    shell.setWorkingDirectory(program.dir.path());
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    ASSERT_TRUE(shell.waitForFinished(10000)) << command.toStdString();
  }
  EXPECT_EQ(dataNames(program.dir.path()), QStringLiteral("2026.eur,2026.prt,Clienti.pro,Pratiche.pro,unins000.dll"));
  for (const char* name : {"Clienti.pro", "Pratiche.pro", "2026.prt", "2026.eur", "unins000.dll"})
    EXPECT_EQ(testfiles::read(program.path(QLatin1String(name))), QByteArray("9 March: ") + name) << name;
  EXPECT_EQ(dataNames(program.path(QStringLiteral("Prima_del_ripristino"))), present);
  EXPECT_EQ(testfiles::read(program.path(QStringLiteral("Prima_del_ripristino/2027.prt"))), QByteArray("later: 2027.prt"));
}

// The daily copy of an archive whose last save was cut short holds the
// record as it was before that save, never the torn one.
TEST(RestoreADay, TheDailyCopyPutsACutShortSaveBackFirst) {
  RegisteredDataFiles dataFiles;
  TempProgramFolder program;
  FixedClock clock{QDate(2026, 3, 9)};
  RecordingMessages messages;
  const QString archive = program.path(QStringLiteral("2026.prt"));
  ASSERT_TRUE(testfiles::put(archive, QByteArray(8, 'a') + QByteArray(8, 'b')));
  const int fd = ::open(QFile::encodeName(archive).constData(), O_RDWR);
  ASSERT_TRUE(journal::keep(archive, fd, 8, 8));
  ASSERT_EQ(::pwrite(fd, "BBB", 3, 8), 3); // the save killed after three bytes
  ::close(fd);
  ASSERT_EQ(backup::daily(), backup::Outcome::Made);
  EXPECT_EQ(testfiles::read(program.path(QStringLiteral("Backup/2026-03-09/2026.prt"))),
            QByteArray(8, 'a') + QByteArray(8, 'b'));
  EXPECT_EQ(testfiles::read(archive), QByteArray(8, 'a') + QByteArray(8, 'b'));
  EXPECT_FALSE(journal::pending(archive));
}
