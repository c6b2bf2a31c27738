// The daily copy of the data made at start-up: what it holds, once a day,
// ten days kept, and silence when it cannot be made.
#include "common/backup.h"
#include "datafiles.h"
#include "faults.h"
#include "files.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using testfiles::put;

QString names(const QString& folder) {
  QStringList l = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  l.sort();
  return l.join(QLatin1Char(','));
}

struct Backup : ::testing::Test {
  TempProgramFolder program;
  FixedClock clock{QDate(2026, 3, 9)};
  RecordingMessages messages;
  QString backups = program.path(QStringLiteral("Backup"));

  RegisteredDataFiles dataFiles;

  void SetUp() override {
    for (const char* name : {"Clienti.pro", "Pratiche.pro", "Archivio_Documenti.pro", "2026.prt", "2025.prg",
                             "2026.eur", "2026.sca", "Quorbis.ini", "unins000.dll"})
      ASSERT_TRUE(put(program.path(QLatin1String(name)), QByteArray("data of ") + name));
    // not data: exports, PDFs, attachments, guides
    ASSERT_TRUE(put(program.path(QStringLiteral("Clienti.xls")), "export"));
    ASSERT_TRUE(put(program.path(QStringLiteral("Cliente.pdf")), "pdf"));
    QDir().mkpath(program.path(QStringLiteral("Documenti_Allegati")));
    ASSERT_TRUE(put(program.path(QStringLiteral("Documenti_Allegati/a.pro")), "attachment"));
  }
};

} // namespace

TEST_F(Backup, FirstStartOfTheDayCopiesEveryArchiveTheSettingsAndThePassword) {
  EXPECT_EQ(backup::daily(), backup::Outcome::Made);
  const QString day = backups + QStringLiteral("/2026-03-09");
  EXPECT_EQ(backup::todaysFolder(), day);
  EXPECT_EQ(names(day), QStringLiteral("2025.prg,2026.eur,2026.prt,2026.sca,Archivio_Documenti.pro,Clienti.pro,"
                                       "Pratiche.pro,Quorbis.ini,unins000.dll"));
  for (const QString& name : QDir(day).entryList(QDir::Files))
    EXPECT_EQ(testfiles::read(day + QLatin1Char('/') + name), testfiles::read(program.path(name))) << name.toStdString();
  EXPECT_EQ(names(backups), QStringLiteral("2026-03-09")); // nothing half-made beside it

  // later starts of the same day leave the morning's copy as it was
  ASSERT_TRUE(put(program.path(QStringLiteral("Clienti.pro")), "changed at noon"));
  EXPECT_EQ(backup::daily(), backup::Outcome::AlreadyMade);
  EXPECT_EQ(testfiles::read(day + QStringLiteral("/Clienti.pro")), QByteArray("data of Clienti.pro"));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Backup, TheLastTenDaysAreKept) {
  // something of the user's in the folder is not touched
  QDir().mkpath(backups + QStringLiteral("/mia copia"));
  for (int d = 0; d < 13; ++d) {
    clock.day = QDate(2026, 2, 25).addDays(d); // across the end of February
    EXPECT_EQ(backup::daily(), backup::Outcome::Made);
  }
  EXPECT_EQ(names(backups), QStringLiteral("2026-02-28,2026-03-01,2026-03-02,2026-03-03,2026-03-04,2026-03-05,"
                                           "2026-03-06,2026-03-07,2026-03-08,2026-03-09,mia copia"));
  // a clock set back still gets its day, which is not removed at once
  clock.day = QDate(2026, 1, 2);
  EXPECT_EQ(backup::daily(), backup::Outcome::Made);
  EXPECT_TRUE(QFileInfo(backups + QStringLiteral("/2026-01-02")).isDir());
}

TEST_F(Backup, ABackupThatCannotBeMadeIsSkippedSilentlyAndTriedAgain) {
  // disk full: no half-made day remains, and nothing is said
  {
    FileSizeLimit full(5);
    EXPECT_EQ(backup::daily(), backup::Outcome::Skipped);
  }
  EXPECT_EQ(names(backups), QString());
  // a read-only program folder: nothing is made
  QDir(backups).removeRecursively();
  {
    ReadOnlyFolder readOnly(program.dir.path());
    if (readOnly.holds()) EXPECT_EQ(backup::daily(), backup::Outcome::Skipped);
  }
  EXPECT_FALSE(QFileInfo::exists(backups));
  EXPECT_TRUE(messages.shown.empty());
  // the next start with room makes it
  EXPECT_EQ(backup::daily(), backup::Outcome::Made);
  EXPECT_EQ(QDir(backup::todaysFolder()).entryList(QDir::Files).size(), 9);
}

TEST_F(Backup, LinksAreNotFollowed) {
  QTemporaryDir elsewhere;
  ASSERT_TRUE(put(elsewhere.path() + QStringLiteral("/secret"), "not ours"));
  ASSERT_TRUE(QFile::link(elsewhere.path() + QStringLiteral("/secret"), program.path(QStringLiteral("2024.eur"))));
  EXPECT_FALSE(backup::dataFiles().contains(QStringLiteral("2024.eur")));

  // a link in place of the backup folder is not written through
  ASSERT_TRUE(QFile::link(elsewhere.path(), backups));
  EXPECT_EQ(backup::daily(), backup::Outcome::Skipped);
  EXPECT_EQ(names(elsewhere.path()), QStringLiteral("secret"));
  QFile::remove(backups);

  // nor is a half-made day that is a link emptied
  QDir().mkpath(backups);
  ASSERT_TRUE(QFile::link(elsewhere.path(), backups + QStringLiteral("/.2026-03-09.partial")));
  EXPECT_EQ(backup::daily(), backup::Outcome::Made);
  EXPECT_EQ(names(elsewhere.path()), QStringLiteral("secret"));
  EXPECT_FALSE(QFileInfo::exists(backup::todaysFolder() + QStringLiteral("/2024.eur")));
}
