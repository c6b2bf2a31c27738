// What the safe save refuses and how it says so: a read-only file is not
// replaced, whatever writes it; every reason is the program's Italian text;
// a file filled by another writer by name goes in place the same way; the
// start-up clean-up never takes a file still in use; the settings file is
// changed under a lock, so two workstations' changes both survive.
#include "archive/inifile.h"
#include "archive/safefile.h"
#include "faults.h"
#include "files.h"
#include "support.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList entries(const QString& folder) {
  QStringList all = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  all.sort();
  return all;
}

struct SaveChecks : ::testing::Test {
  TempProgramFolder folder;
};

} // namespace

TEST_F(SaveChecks, AReadOnlyFileIsRefusedByEveryWayOfWriting) {
  using Way = std::function<QString(const QString&)>; // the reason, empty when saved
  const std::pair<const char*, Way> ways[] = {
      {"save", [](const QString& t) { return safefile::save(t, QByteArray("NEW")).reason; }},
      {"copy",
       [](const QString& t) {
         QByteArray bytes("NEW");
         QBuffer source(&bytes);
         source.open(QIODevice::ReadOnly);
         return safefile::copy(source, t).reason;
       }},
      {"by name",
       [](const QString& t) {
         bool filled = false;
         const safefile::Status s = safefile::saveByName(t, [&](const QString&, QString*) { return filled = true; });
         return filled ? QStringLiteral("filled") : s.reason;
       }},
      {"settings",
       [](const QString& t) {
         QString reason;
         IniFile::write(t, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("V"), &reason);
         return reason;
       }},
  };
  for (const auto& [what, way] : ways) {
    const QString target = folder.path(QStringLiteral("Quorbis.ini"));
    ASSERT_TRUE(testfiles::put(target, "[S]\r\nK=OLD\r\n"));
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    EXPECT_EQ(way(target), safefile::readOnlyReason()) << what;
    EXPECT_EQ(testfiles::read(target), QByteArray("[S]\r\nK=OLD\r\n")) << what;
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(target);
  }
}

TEST_F(SaveChecks, ReasonsAreTheProgramsItalianTexts) {
  ASSERT_TRUE(testfiles::put(folder.path(QStringLiteral("file")), "x"));
  struct Case {
    const char* what;
    QString target;
    int error;
  } cases[] = {
      {"not a folder", folder.path(QStringLiteral("file/Clienti.xls")), ENOTDIR},
      {"missing folder", folder.path(QStringLiteral("manca/Clienti.xls")), ENOENT},
  };
  for (const Case& c : cases) {
    const safefile::Status s = safefile::save(c.target, QByteArray("x"));
    EXPECT_FALSE(s) << c.what;
    EXPECT_EQ(s.reason, safefile::reasonFor(c.error)) << c.what;
    EXPECT_NE(s.reason, qt_error_string(c.error)) << c.what;
  }
  // one distinct Italian text for each error a save can meet
  QStringList texts;
  for (const int e : {ENOSPC, ENOENT, ENOTDIR, ELOOP, EBUSY, EIO, EISDIR, EROFS, EPERM}) {
    const QString t = safefile::reasonFor(e);
    EXPECT_NE(t, qt_error_string(e)) << e;
    EXPECT_FALSE(texts.contains(t)) << e;
    texts << t;
  }
}

TEST_F(SaveChecks, AFileFilledByNameGoesInPlaceWholeOrNotAtAll) {
  const QString target = folder.path(QStringLiteral("Stampa.pdf"));
  ASSERT_TRUE(testfiles::put(target, "OLD"));
  QString seen;
  EXPECT_TRUE(safefile::saveByName(target, [&](const QString& temporary, QString*) {
    seen = temporary;
    return testfiles::put(temporary, "NEW");
  }));
  EXPECT_NE(seen, target);
  EXPECT_EQ(QFileInfo(seen).path(), QFileInfo(target).path());
  EXPECT_EQ(testfiles::read(target), QByteArray("NEW"));
  // a filler that fails leaves the file and nothing beside it
  const safefile::Status failed = safefile::saveByName(target, [](const QString& temporary, QString* why) {
    testfiles::put(temporary, "HALF");
    *why = QStringLiteral("incompleta");
    return false;
  });
  EXPECT_FALSE(failed);
  EXPECT_EQ(failed.reason, QStringLiteral("incompleta"));
  EXPECT_EQ(testfiles::read(target), QByteArray("NEW"));
  EXPECT_EQ(entries(folder.dir.path()), QStringList{QStringLiteral("Stampa.pdf")});
  // no temporary file possible: the filler is never called
  ReadOnlyFolder readOnly(folder.dir.path());
  if (!readOnly.holds()) GTEST_SKIP() << "the folder cannot be made read-only here";
  bool called = false;
  EXPECT_FALSE(safefile::saveByName(target, [&](const QString&, QString*) { return called = true; }));
  EXPECT_FALSE(called);
  EXPECT_EQ(testfiles::read(target), QByteArray("NEW"));
}

TEST_F(SaveChecks, TheCleanUpTakesOldLeftoversOnlyAndNeverOneInUse) {
  const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
  auto make = [&](const QString& name) {
    const QString path = folder.path(name);
    EXPECT_TRUE(testfiles::put(path, "x"));
    QFile f(path);
    f.open(QIODevice::ReadWrite);
    f.setFileTime(anHourAgo, QFileDevice::FileModificationTime);
  };
  make(QStringLiteral(".Clienti.xls.aB3dE6gH"));     // a save killed an hour ago
  make(QStringLiteral(".Scheda.pdf.Xy12Zw"));        // a print to file cut short by an earlier version
  make(QStringLiteral(".Pratiche.xls.q1W2e3R4"));    // an old name, but a writer still holds it
  const int held = ::open(QFile::encodeName(folder.path(QStringLiteral(".Pratiche.xls.q1W2e3R4"))).constData(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  safefile::removeLeftovers(folder.dir.path());
  EXPECT_EQ(entries(folder.dir.path()), QStringList{QStringLiteral(".Pratiche.xls.q1W2e3R4")});
  ::close(held);
  // a writer at work holds its temporary file
  safefile::Writer out(folder.path(QStringLiteral("Export.xls")));
  ASSERT_TRUE(out.append(std::string_view("data")));
  safefile::removeLeftovers(folder.dir.path(), 0);
  EXPECT_TRUE(QFileInfo::exists(out.temporaryPath()));
  EXPECT_TRUE(out.commit());
  EXPECT_EQ(testfiles::read(folder.path(QStringLiteral("Export.xls"))), QByteArray("data"));
}

TEST_F(SaveChecks, TwoWorkstationsChangingTheSettingsAtOnceLoseNothing) {
  const QString ini = folder.path(QStringLiteral("Quorbis.ini"));
  constexpr int kEach = 60;
  pid_t kids[2];
  for (int k = 0; k < 2; ++k) {
    kids[k] = ::fork();
    ASSERT_GE(kids[k], 0);
    if (kids[k] == 0) {
      // each workstation counts in a key of its own and in one they share
      for (int i = 0; i < kEach; ++i) {
        const bool ok = IniFile::update(ini, [k](IniFile& s) {
          const QString own = QStringLiteral("N%1").arg(k);
          s.setValue(QStringLiteral("Conta"), own, QString::number(s.value(QStringLiteral("Conta"), own).toInt() + 1));
          s.setValue(QStringLiteral("Conta"), QStringLiteral("Tutti"),
                     QString::number(s.value(QStringLiteral("Conta"), QStringLiteral("Tutti")).toInt() + 1));
        });
        if (!ok) _exit(1);
      }
      _exit(0);
    }
  }
  for (const pid_t kid : kids) {
    int status = 0;
    ::waitpid(kid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  IniFile s;
  ASSERT_TRUE(s.load(ini));
  EXPECT_EQ(s.value(QStringLiteral("Conta"), QStringLiteral("N0")).toInt(), kEach);
  EXPECT_EQ(s.value(QStringLiteral("Conta"), QStringLiteral("N1")).toInt(), kEach);
  EXPECT_EQ(s.value(QStringLiteral("Conta"), QStringLiteral("Tutti")).toInt(), 2 * kEach);
  EXPECT_EQ(entries(folder.dir.path()), QStringList{QStringLiteral("Quorbis.ini")}); // no lock left behind
}
