// The safe save every written file goes through: whole or nothing, also
// when writes fail, the folder is read-only, the name is a link or the
// process is killed in the middle.
#include "archive/safefile.h"
#include "faults.h"
#include "files.h"
#include "support.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <sys/wait.h>

namespace {

QByteArray pattern(qsizetype size, char seed) {
  QByteArray b(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i) b[i] = char(seed + i % 61);
  return b;
}

// Everything in the folder, hidden files included.
QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Writes through the streaming writer in pieces of `piece` bytes.
safefile::Status streamed(const QString& target, const QByteArray& bytes, qsizetype piece) {
  safefile::Writer out(target);
  for (qsizetype at = 0; at < bytes.size(); at += piece)
    if (!out.append(bytes.constData() + at, size_t(std::min(piece, bytes.size() - at)))) break;
  return out.commit();
}

struct SafeSave : ::testing::Test {
  TempProgramFolder folder;
  QString target = folder.path(QStringLiteral("Pratiche.xls"));
};

} // namespace

TEST_F(SafeSave, ReplacesTheWholeFileKeepsItsPermissionsAndLeavesNothingBeside) {
  ASSERT_TRUE(testfiles::put(target, "OLD CONTENT"));
  ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
  // empty, small (what Qt keeps in its buffer), past one block of the writer
  for (const qsizetype size : {qsizetype(0), qsizetype(10), qsizetype(16 * 1024 + 1), qsizetype(3 << 20)}) {
    const QByteArray whole = pattern(size, 'a'), pieces = pattern(size, 'A');
    ASSERT_TRUE(safefile::save(target, whole)) << size;
    EXPECT_EQ(testfiles::read(target), whole) << size;
    ASSERT_TRUE(streamed(target, pieces, 777)) << size;
    EXPECT_EQ(testfiles::read(target), pieces) << size;
    EXPECT_EQ(QFileInfo(target).permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                   QFile::WriteUser | QFile::ReadGroup);
    EXPECT_EQ(entries(folder.dir.path()), QStringList{QStringLiteral("Pratiche.xls")});
  }
  // a large piece after small ones keeps the order
  safefile::Writer out(target);
  ASSERT_TRUE(out.append(std::string_view("head ")));
  const QByteArray big = pattern(2 << 20, 'k');
  ASSERT_TRUE(out.append(big));
  ASSERT_TRUE(out.append(std::string_view(" tail")));
  ASSERT_TRUE(out.commit());
  EXPECT_EQ(testfiles::read(target), "head " + big + " tail");
}

TEST_F(SafeSave, FailedWritesKeepTheOldFileAndGiveTheSystemsReason) {
  const QByteArray old = pattern(5000, 'o');
  struct Case {
    qsizetype size;
    rlim_t limit;
  } cases[] = {
      {10, 0},                      // nothing can be written: Qt would have put an empty file in place
      {20000, 16 * 1024},           // cut after Qt's buffer
      {(3 << 20) + 11, 1 << 20},    // cut inside a large export
      {1 << 20, (1 << 20) - 1},     // the last byte does not fit
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(testfiles::put(target, old));
    const QByteArray fresh = pattern(c.size, 'n');
    for (const qsizetype piece : {c.size, qsizetype(1000)}) {
      safefile::Status saved;
      {
        FileSizeLimit full(c.limit);
        saved = piece == c.size ? safefile::save(target, fresh) : streamed(target, fresh, piece);
      }
      EXPECT_FALSE(saved) << c.size << " " << c.limit;
      EXPECT_EQ(saved.reason, safefile::reasonFor(EFBIG));
      EXPECT_EQ(testfiles::read(target), old) << c.size << " " << c.limit;
      EXPECT_EQ(entries(folder.dir.path()), QStringList{QStringLiteral("Pratiche.xls")});
    }
  }
  // a file that is not there yet stays absent
  const QString fresh = folder.path(QStringLiteral("Clienti.xls"));
  FileSizeLimit full(0);
  EXPECT_FALSE(safefile::save(fresh, QByteArray("x")));
  EXPECT_FALSE(QFileInfo::exists(fresh));
}

TEST_F(SafeSave, ALinkOrAFolderUnderTheNameIsNeitherFollowedNorReplaced) {
  QTemporaryDir elsewhere;
  const QString victim = elsewhere.path() + QStringLiteral("/importante.txt");
  ASSERT_TRUE(testfiles::put(victim, "KEEP"));
  ASSERT_TRUE(QFile::link(victim, target));

  const safefile::Status saved = safefile::save(target, QByteArray("planted"));
  EXPECT_FALSE(saved);
  EXPECT_EQ(saved.reason, safefile::linkReason());
  EXPECT_TRUE(QFileInfo(target).isSymLink());
  EXPECT_EQ(testfiles::read(victim), QByteArray("KEEP"));

  // reading does not follow it either
  errno = 0;
  EXPECT_EQ(safefile::openNoFollow(target, O_RDONLY), -1);
  EXPECT_EQ(errno, ELOOP);
  EXPECT_EQ(safefile::reasonFor(ELOOP), safefile::linkReason());

  const QString taken = folder.path(QStringLiteral("Cliente.pdf"));
  ASSERT_TRUE(QDir().mkdir(taken));
  EXPECT_FALSE(safefile::save(taken, QByteArray("pdf")));
  EXPECT_TRUE(QFileInfo(taken).isDir());
  EXPECT_EQ(entries(folder.dir.path()), (QStringList{QStringLiteral("Cliente.pdf"), QStringLiteral("Pratiche.xls")}));
}

TEST_F(SafeSave, ReadOnlyFolderIsReportedAndTheOldFileStays) {
  ASSERT_TRUE(testfiles::put(target, "OLD"));
  safefile::Status saved;
  {
    ReadOnlyFolder readOnly(folder.dir.path());
    if (!readOnly.holds()) GTEST_SKIP() << "the folder cannot be made read-only here";
    saved = safefile::save(target, QByteArray("NEW"));
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(saved.reason, safefile::reasonFor(EACCES));
  EXPECT_EQ(testfiles::read(target), QByteArray("OLD"));
  EXPECT_EQ(entries(folder.dir.path()), QStringList{QStringLiteral("Pratiche.xls")});
}

TEST_F(SafeSave, AnAbandonedWriterLeavesTheTargetAlone) {
  ASSERT_TRUE(testfiles::put(target, "OLD"));
  {
    safefile::Writer out(target);
    ASSERT_TRUE(out.append(pattern(100, 'x')));
  } // destroyed without commit
  safefile::Writer aborted(target);
  ASSERT_TRUE(aborted.append(pattern(100, 'y')));
  aborted.abort();
  EXPECT_FALSE(aborted.commit());
  // the caller's own reason, for a source that broke off
  safefile::Writer failed(target);
  ASSERT_TRUE(failed.append(pattern(100, 'z')));
  failed.fail(QStringLiteral("Errore di lettura."));
  EXPECT_FALSE(failed.append(std::string_view("more")));
  const safefile::Status s = failed.commit();
  EXPECT_FALSE(s);
  EXPECT_EQ(s.reason, QStringLiteral("Errore di lettura."));
  EXPECT_EQ(testfiles::read(target), QByteArray("OLD"));
  EXPECT_EQ(entries(folder.dir.path()), QStringList{QStringLiteral("Pratiche.xls")});
}

// A process killed at any moment of a save leaves one whole version under
// the name: the old one or the new one, never a mix or a cut file.
TEST_F(SafeSave, KilledAtAnyMomentLeavesOneWholeVersion) {
  const QByteArray a = pattern(3 << 20, 'a'), b = pattern(3 << 20, 'b');
  ASSERT_TRUE(testfiles::put(target, a));
  std::mt19937 random(12345);
  for (int round = 0; round < 12; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) safefile::save(target, i % 2 ? a : b);
    }
    ::usleep(useconds_t(1000 + random() % 40000));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const QByteArray now = testfiles::read(target);
    EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
  }
}

// What saves cut short left behind goes at the next start once it is old
// enough not to be a save still in hand; nothing else is touched.
TEST_F(SafeSave, LeftoversOfSavesCutShortAreRemovedOnceOld) {
  const QString dir = folder.dir.path() + QLatin1Char('/');
  const QDateTime yesterday = QDateTime::currentDateTime().addDays(-1);
  auto make = [&](const QString& name, bool old) {
    ASSERT_TRUE(testfiles::put(dir + name, "x"));
    if (!old) return;
    QFile f(dir + name);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(yesterday, QFileDevice::FileModificationTime));
  };
  make(QStringLiteral(".Clienti.xls.aB3dE6gH"), true);             // an old leftover
  make(QStringLiteral(".unins000.dll.Zz9Yy8Xx"), true);            // another
  make(QStringLiteral(".Pratiche.xls.q1W2e3R4"), false);           // a save in hand
  make(QStringLiteral(".profilo"), true);                          // not ours
  make(QStringLiteral(".note.txt.bak"), true);                     // not ours
  make(QStringLiteral("Clienti.xls.aB3dE6gH"), true);              // not hidden: not ours
  safefile::removeLeftovers(folder.dir.path());
  QStringList left = entries(folder.dir.path());
  left.sort();
  EXPECT_EQ(left.join(QLatin1Char(',')).toStdString(), ".Pratiche.xls.q1W2e3R4,.note.txt.bak,.profilo,Clienti.xls.aB3dE6gH");
}
