#include "archive/archivio.h"
#include "archive/paths.h"
#include "support.h"

#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QByteArray rec(char c, int size = 8) { return QByteArray(size, c); }
QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}
} // namespace

class Archivio : public ::testing::Test {
protected:
  TempProgramFolder folder;
  QString path = folder.path(QStringLiteral("T.pro"));
};

TEST_F(Archivio, OpenCreatesAMissingFileEvenForReading) {
  TArchivioSchede a(path, 8);
  a.open(TArchivioSchede::Access::Read);
  EXPECT_EQ(a.count(), 0);
  a.close();
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_EQ(QFile(path).size(), 0);
}

TEST_F(Archivio, AppendOverwriteReadAndScan) {
  TArchivioSchede a(path, 8);
  a.open();
  EXPECT_EQ(a.append(rec('a')), 1);
  EXPECT_EQ(a.append(rec('b')), 2);
  EXPECT_EQ(a.append(rec('c')), 3);
  a.overwrite(2, rec('B'));
  EXPECT_EQ(a.count(), 3);
  EXPECT_EQ(a.read(2), rec('B'));
  std::vector<std::pair<RecordPosition, char>> seen;
  a.scan([&](RecordPosition pos, const char* r) {
    seen.push_back({pos, r[0]});
    return true;
  });
  a.close();
  EXPECT_EQ(seen, (std::vector<std::pair<RecordPosition, char>>{{1, 'a'}, {2, 'B'}, {3, 'c'}}));
  EXPECT_EQ(fileBytes(path), rec('a') + rec('B') + rec('c'));
}

TEST_F(Archivio, ScanCrossesBlocksAndStopsWhenAsked) {
  const int size = 300000; // a few records per read block
  TArchivioSchede a(path, size);
  a.open();
  for (int i = 0; i < 9; ++i) a.append(QByteArray(size, char('0' + i)));
  int visited = 0;
  std::string order;
  a.scan([&](RecordPosition pos, const char* r) {
    order += r[size - 1];
    return ++visited < pos + 100;
  });
  EXPECT_EQ(order, "012345678");
  visited = 0;
  a.scan([&](RecordPosition, const char*) { return ++visited < 4; });
  EXPECT_EQ(visited, 4);
}

TEST_F(Archivio, FileCutShortDuringAScanFailsTheScan) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer keeps the bus-error signal for itself";
#endif
  // Another program that ignores the lock empties the file while a scan
  // has it in memory: the scan fails as a failed read does, the program goes on.
  const int size = 10000;
  TArchivioSchede a(path, size);
  a.open();
  for (int i = 0; i < 6; ++i) a.append(QByteArray(size, char('0' + i)));
  std::string seen;
  EXPECT_THROW(a.scan([&](RecordPosition pos, const char* r) {
    seen += r[size - 1];
    if (pos == 2) EXPECT_EQ(::truncate(QFile::encodeName(path).constData(), 0), 0);
    return true;
  }),
               ArchiveError);
  // The records read before the cut are whole; none after it shows bytes
  // the file no longer holds.
  EXPECT_EQ(seen.substr(0, 2), "01");
  EXPECT_EQ(seen.substr(2), std::string(seen.size() - 2, '\0'));
  a.close();
}

TEST_F(Archivio, ScanReadsBlockByBlockWhenTheFileCannotBeMapped) {
  // With almost no address space left, mapping a window fails and the scan
  // reads the file block by block instead, with the same result.
  const int size = 1 << 18, records = 40;
  std::string expected;
  {
    TArchivioSchede a(path, size);
    a.open();
    for (int i = 0; i < records; ++i) {
      expected += char('0' + i);
      a.append(QByteArray(size, expected.back()));
    }
  }
  const pid_t kid = fork();
  ASSERT_GE(kid, 0);
  if (kid == 0) {
    TArchivioSchede a(path, size);
    a.open(TArchivioSchede::Access::Read);
    std::string order;
    order.reserve(64);
    // Room for a read block of four records, not for a window of forty.
    long pages = 0;
    if (FILE* f = fopen("/proc/self/statm", "r")) {
      if (fscanf(f, "%ld", &pages) != 1) pages = 0;
      fclose(f);
    }
    const rlimit limit{rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(6) << 20), RLIM_INFINITY};
    if (pages == 0 || setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
    bool ok = true;
    try {
      a.scan([&](RecordPosition pos, const char* r) {
        ok = ok && r[0] == char('0' + pos - 1) && r[size - 1] == r[0];
        order += r[0];
        return true;
      });
    } catch (const ArchiveError&) {
      _exit(4);
    }
    _exit(ok && order == expected ? 0 : 1);
  }
  int status = 0;
  waitpid(kid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST_F(Archivio, TrailingFragmentIsNotARecordAndIsLeftAlone) {
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(rec('a') + rec('b') + QByteArray("xyz"));
  }
  TArchivioSchede a(path, 8);
  a.open(TArchivioSchede::Access::Read);
  EXPECT_EQ(a.count(), 2);
  int n = 0;
  a.scan([&](RecordPosition, const char*) { return ++n, true; });
  EXPECT_EQ(n, 2);
  EXPECT_THROW(a.read(3), ArchiveError);
  a.close();
  EXPECT_EQ(QFile(path).size(), 19);
}

TEST_F(Archivio, PositionsOutsideTheFileFail) {
  TArchivioSchede a(path, 8);
  a.open();
  a.append(rec('a'));
  EXPECT_THROW(a.read(0), ArchiveError);
  EXPECT_THROW(a.read(2), ArchiveError);
  EXPECT_THROW(a.overwrite(2, rec('x')), ArchiveError);
  EXPECT_THROW(a.append(rec('x', 7)), ArchiveError);
  a.close();
  EXPECT_EQ(fileBytes(path), rec('a'));
}

// A link planted under an archive's name is never opened: neither its
// target is written nor its records shown.
// An archive past 2^32 records, made as a sparse file (the records in
// between read as zeros and take no room on disk): counting, appending,
// reading, overwriting and scanning all work at 64-bit positions. With the
// count cut to 32 bits the new record would land on record 2.
TEST_F(Archivio, PositionsPastFourBillionRecordsDoNotWrap) {
  constexpr int size = 8;
  constexpr RecordPosition count = (RecordPosition(1) << 32) + 1;
  TArchivioSchede a(path, size);
  a.open();
  a.append(rec('a'));
  a.append(rec('b'));
  if (::truncate(QFile::encodeName(path).constData(), off_t(count) * size) != 0)
    GTEST_SKIP() << "the file system holds no sparse file of " << count * size << " bytes";
  ASSERT_EQ(a.count(), count);
  EXPECT_EQ(a.append(rec('n')), count + 1);
  EXPECT_EQ(a.count(), count + 1);
  EXPECT_EQ(a.read(count + 1), rec('n'));
  a.overwrite(count, rec('o'));
  EXPECT_EQ(a.read(count), rec('o'));
  EXPECT_EQ(a.read(1), rec('a'));
  EXPECT_EQ(a.read(2), rec('b'));
  EXPECT_EQ(a.read(3), QByteArray(size, '\0'));
  EXPECT_THROW(a.read(count + 2), ArchiveError);
  std::vector<std::pair<RecordPosition, char>> seen;
  a.scan(
      [&](RecordPosition pos, const char* r) {
        seen.push_back({pos, r[0]});
        return true;
      },
      count - 1);
  a.close();
  EXPECT_EQ(seen, (std::vector<std::pair<RecordPosition, char>>{{count - 1, '\0'}, {count, 'o'}, {count + 1, 'n'}}));
  // the bytes lie where the positions say, read without the archive class
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.size(), (count + 1) * size);
  ASSERT_TRUE(f.seek((count - 1) * size));
  EXPECT_EQ(f.read(2 * size), rec('o') + rec('n'));
}

TEST_F(Archivio, ALinkUnderTheArchivesNameIsRefused) {
  QTemporaryDir elsewhere;
  const QString victim = elsewhere.path() + QStringLiteral("/passwd");
  {
    QFile f(victim);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(rec('v'));
  }
  ASSERT_TRUE(QFile::link(victim, path));
  for (const auto access : {TArchivioSchede::Access::Read, TArchivioSchede::Access::Write}) {
    TArchivioSchede a(path, 8);
    EXPECT_THROW(a.open(access), ArchiveError);
  }
  EXPECT_EQ(fileBytes(victim), rec('v'));
}

TEST_F(Archivio, ReadOnlyFolderFailsToCreateAndWriteButStillReads) {
  {
    TArchivioSchede a(path, 8);
    a.open();
    a.append(rec('a'));
  }
  // The folder and the file can be read but not written by the user who
  // works on them; as root, that user is "nobody" in a child process.
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
  QFile::setPermissions(folder.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                               QFileDevice::ExeOther | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
  auto checks = [this] {
    TArchivioSchede other(folder.path(QStringLiteral("New.pro")), 8);
    EXPECT_THROW(other.open(TArchivioSchede::Access::Read), ArchiveError);
    TArchivioSchede a(path, 8);
    EXPECT_THROW(a.open(TArchivioSchede::Access::Write), ArchiveError);
    a.open(TArchivioSchede::Access::Read);
    EXPECT_EQ(a.read(1), rec('a'));
    EXPECT_THROW(a.append(rec('b')), ArchiveError);
    a.close();
    return !::testing::Test::HasFailure();
  };
  if (geteuid() != 0) {
    checks();
  } else {
    const pid_t kid = fork();
    ASSERT_GE(kid, 0);
    if (kid == 0) {
      if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
      _exit(checks() ? 0 : 1);
    }
    int status = 0;
    waitpid(kid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  }
  QFile::setPermissions(folder.dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(fileBytes(path), rec('a'));
}

TEST_F(Archivio, TwoProcessesAppendingNeverShareAPosition) {
  constexpr int kEach = 1000;
  constexpr int kSize = 64;
  int fds[2][2];
  pid_t kids[2];
  for (int k = 0; k < 2; ++k) {
    ASSERT_EQ(pipe(fds[k]), 0);
    kids[k] = fork();
    ASSERT_GE(kids[k], 0);
    if (kids[k] == 0) {
      close(fds[k][0]);
      for (int i = 0; i < kEach; ++i) {
        QByteArray r(kSize, char('A' + k));
        r.replace(1, 4, QByteArray::number(i).rightJustified(4, '0'));
        TArchivioSchede a(path, kSize);
        a.open();
        const RecordPosition pos = a.append(r);
        a.close();
        if (write(fds[k][1], &pos, sizeof pos) != sizeof pos) _exit(2);
      }
      _exit(0);
    }
    close(fds[k][1]);
  }
  std::set<RecordPosition> positions;
  for (int k = 0; k < 2; ++k) {
    RecordPosition pos;
    while (read(fds[k][0], &pos, sizeof pos) == sizeof pos) positions.insert(pos);
    int status = 0;
    waitpid(kids[k], &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(positions.size(), size_t(2 * kEach));
  EXPECT_EQ(*positions.begin(), 1);
  EXPECT_EQ(*positions.rbegin(), 2 * kEach);
  const QByteArray all = fileBytes(path);
  ASSERT_EQ(all.size(), 2 * kEach * kSize);
  std::set<QByteArray> records;
  for (int i = 0; i < 2 * kEach; ++i) {
    const QByteArray r = all.mid(i * kSize, kSize);
    EXPECT_EQ(r.count(r[0]), kSize - 4) << "record " << i + 1 << " is not whole";
    records.insert(r);
  }
  EXPECT_EQ(records.size(), size_t(2 * kEach));
}

TEST_F(Archivio, AWriterWaitsForAReaderOfAnotherProcess) {
  TArchivioSchede reader(path, 8);
  reader.open(TArchivioSchede::Access::Read);
  const pid_t kid = fork();
  ASSERT_GE(kid, 0);
  if (kid == 0) {
    TArchivioSchede w(path, 8);
    w.open();
    w.append(QByteArray(8, 'w'));
    w.close();
    _exit(0);
  }
  usleep(200000);
  EXPECT_EQ(reader.count(), 0); // the writer is still waiting
  reader.close();
  int status = 0;
  waitpid(kid, &status, 0);
  EXPECT_EQ(QFile(path).size(), 8);
}
