// A record overwrite lands whole or leaves the old record whole: when the
// write fails midway, and after a kill or a power cut at any byte of the
// journal or of the record, the next command that opens the archive finds
// the old record or the new one, never a mix.
#include "archive/archivio.h"
#include "archive/journal.h"
#include "archive/safefile.h"
#include "faults.h"
#include "support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSize = 100;

QByteArray rec(char c) { return QByteArray(kSize, c); }

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

QStringList hidden(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

struct Journal : ::testing::Test {
  TempProgramFolder folder;
  QString path = folder.path(QStringLiteral("2026.prt"));
  void SetUp() override {
    TArchivioSchede a(path, kSize);
    a.open();
    for (char c : {'a', 'b', 'c'}) a.append(rec(c));
  }
  // What the next command reads, in a process of its own as on another
  // workstation.
  QByteArray readInAnotherProcess(TArchivioSchede::Access access) {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    const pid_t kid = ::fork();
    if (kid == 0) {
      ::close(fds[0]);
      try {
        TArchivioSchede a(path, kSize);
        a.open(access);
        QByteArray all;
        for (RecordPosition n = 1; n <= a.count(); ++n) all += a.read(n);
        a.close();
        if (::write(fds[1], all.constData(), size_t(all.size())) != all.size()) _exit(2);
      } catch (...) {
        _exit(1);
      }
      _exit(0);
    }
    ::close(fds[1]);
    QByteArray all;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) all.append(buf, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(kid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    return all;
  }
};

} // namespace

TEST_F(Journal, ACleanOverwriteLeavesNoJournal) {
  TArchivioSchede a(path, kSize);
  a.open();
  a.overwrite(2, rec('B'));
  a.close();
  EXPECT_EQ(fileBytes(path), rec('a') + rec('B') + rec('c'));
  EXPECT_EQ(hidden(folder.dir.path()), QStringList{QStringLiteral("2026.prt")});
}

TEST_F(Journal, AWriteFailingMidRecordLeavesTheOldRecordWhole) {
  // No file may grow past the middle of record 2, so the overwrite stops
  // there as on a failing disk; the journal itself is small enough.
  for (const int cut : {1, kSize / 2, kSize - 1}) {
    TArchivioSchede a(path, kSize);
    a.open();
    {
      FileSizeLimit limit(rlim_t(kSize + cut));
      EXPECT_THROW(a.overwrite(2, rec('B')), ArchiveError) << cut;
    }
    EXPECT_EQ(a.read(2), rec('b')) << cut;
    a.close();
    EXPECT_EQ(readInAnotherProcess(TArchivioSchede::Access::Write), rec('a') + rec('b') + rec('c')) << cut;
    EXPECT_FALSE(journal::pending(path)) << cut;
  }
}

TEST_F(Journal, AKillAtAnyByteLeavesTheOldRecordOrTheNewOne) {
  // The journal is made whole before the record is touched: a kill while it
  // is written leaves the archive as it was and a journal that fails its
  // check; a kill after leaves the record anywhere between old and new.
  QByteArray whole;
  {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_TRUE(journal::keep(path, fd, kSize, kSize));
    ::close(fd);
    whole = fileBytes(journal::pathFor(path));
  }
  const QByteArray old = rec('a') + rec('b') + rec('c');
  for (const auto access : {TArchivioSchede::Access::Read, TArchivioSchede::Access::Write}) {
    for (int cut = 0; cut < whole.size(); cut += 7) { // the journal cut short
      ASSERT_TRUE(safefile::save(journal::pathFor(path), whole.left(cut)));
      EXPECT_EQ(readInAnotherProcess(access), old) << cut;
      EXPECT_FALSE(journal::pending(path)) << cut;
    }
    for (int written = 0; written <= kSize; written += 9) { // the record torn at any byte
      ASSERT_TRUE(safefile::save(journal::pathFor(path), whole));
      {
        QFile archive(path); // torn in place, as the kill left it
        ASSERT_TRUE(archive.open(QIODevice::ReadWrite));
        archive.seek(kSize);
        archive.write(QByteArray(written, 'B'));
      }
      EXPECT_EQ(readInAnotherProcess(access), old) << written;
      EXPECT_FALSE(journal::pending(path)) << written;
    }
  }
}

TEST_F(Journal, IsNeitherAnArchiveNorATemporaryFile) {
  ASSERT_TRUE(safefile::save(journal::pathFor(path), QByteArray("x")));
  const QString name = QFileInfo(journal::pathFor(path)).fileName();
  for (const char* pattern : {"*.pro", "*.prt", "*.prg", "*.eur", "*.sca"})
    EXPECT_FALSE(QDir::match(QString::fromLatin1(pattern), name)) << pattern;
  // the start-up clean-up, even with no wait, leaves it to the archive
  safefile::removeLeftovers(folder.dir.path(), 0);
  EXPECT_TRUE(journal::pending(path));
}

TEST_F(Journal, AFolderPlantedUnderTheJournalsNameStopsTheSaveAndTouchesNothing) {
  ASSERT_TRUE(QDir().mkdir(journal::pathFor(path)));
  TArchivioSchede a(path, kSize);
  EXPECT_THROW(a.open(), ArchiveError);
  EXPECT_EQ(fileBytes(path), rec('a') + rec('b') + rec('c'));
}

TEST_F(Journal, AJournalOfAnotherFileIsNotApplied) {
  // an archive put back from a backup after a crash is another file: the
  // journal left by the crash says nothing about it
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  ASSERT_TRUE(journal::keep(path, fd, kSize, kSize));
  ::close(fd);
  const QByteArray restored = rec('x') + rec('y') + rec('z');
  ASSERT_TRUE(safefile::save(path, restored));
  EXPECT_EQ(readInAnotherProcess(TArchivioSchede::Access::Write), restored);
  EXPECT_FALSE(journal::pending(path));
}

TEST_F(Journal, ARealKillWhileSavingLeavesAWholeRecord) {
  // a workstation saves record 2 over and over and is killed at some moment;
  // the next command finds record 2 whole, old or new
  for (int round = 0; round < 12; ++round) {
    const pid_t kid = ::fork();
    ASSERT_GE(kid, 0);
    if (kid == 0) {
      for (int i = 0;; ++i) {
        TArchivioSchede a(path, kSize);
        a.open();
        a.overwrite(2, rec(char('A' + i % 26)));
        a.close();
      }
    }
    ::usleep(useconds_t(3000 + round * 1700));
    ::kill(kid, SIGKILL);
    ::waitpid(kid, nullptr, 0);
    const QByteArray all = readInAnotherProcess(TArchivioSchede::Access::Write);
    ASSERT_EQ(all.size(), 3 * kSize) << round;
    const QByteArray second = all.mid(kSize, kSize);
    EXPECT_EQ(second, QByteArray(kSize, second[0])) << "round " << round << " left record 2 torn";
    EXPECT_EQ(all.left(kSize), rec('a'));
    EXPECT_EQ(all.right(kSize), rec('c'));
    EXPECT_FALSE(journal::pending(path));
  }
}
