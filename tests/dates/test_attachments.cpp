#include "common/attachments.h"

#include "archive/safefile.h"
#include "faults.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

namespace {

void write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A program folder and a separate folder the user picks files from.
struct Attaching : ::testing::Test {
  TempProgramFolder program;
  QTemporaryDir elsewhere;
  RecordingMessages messages;
  RecordingShell shell;
  QString pick(const QString& name, const QByteArray& bytes) {
    const QString p = elsewhere.path() + QLatin1Char('/') + name;
    write(p, bytes);
    return p;
  }
  QString stored(const QString& name) const { return program.path(QStringLiteral("Documenti_Allegati/") + name); }
  QStringList storedFiles() const {
    return QDir(program.path(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files | QDir::Hidden | QDir::System);
  }
};

} // namespace

TEST_F(Attaching, FirstAttachmentCreatesTheFolderAndCopiesUnderItsOwnName) {
  const QString source = pick(QStringLiteral("Pianta piano terra.pdf"), "PDF-1");
  const auto r = attachments::attach(source);
  EXPECT_EQ(r.outcome, attachments::Outcome::Copied);
  EXPECT_EQ(r.name, QStringLiteral("Pianta piano terra.pdf"));
  EXPECT_EQ(read(stored(r.name)), QByteArray("PDF-1"));
  EXPECT_EQ(read(source), QByteArray("PDF-1")); // the picked file stays where it was
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(storedFiles(), QStringList{r.name}); // no temporary file left behind
}

TEST_F(Attaching, ExistingCopyIsReplacedOnlyAfterYes) {
  write(stored(QStringLiteral("rilievo.jpg")), "OLD");
  const QString source = pick(QStringLiteral("rilievo.jpg"), "NEW");

  messages.answers = {false};
  auto r = attachments::attach(source);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Question);
  EXPECT_EQ(messages.shown[0].text, QStringLiteral("Attenzione: nella cartella dei documenti allegati \u00E8 presente un file con lo "
                                                   "stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"));
  EXPECT_EQ(r.outcome, attachments::Outcome::KeptExisting);
  EXPECT_EQ(r.name, QStringLiteral("rilievo.jpg")); // the name now designates the existing copy
  EXPECT_EQ(read(stored(r.name)), QByteArray("OLD"));

  messages.answers = {true};
  r = attachments::attach(source);
  EXPECT_EQ(r.outcome, attachments::Outcome::Copied);
  EXPECT_EQ(read(stored(r.name)), QByteArray("NEW"));
}

TEST_F(Attaching, FailedCopiesAreReportedAndStoreNothing) {
  // source gone since it was picked
  auto r = attachments::attach(elsewhere.path() + QStringLiteral("/sparito.doc"));
  EXPECT_EQ(r.outcome, attachments::Outcome::Failed);
  EXPECT_TRUE(r.name.isEmpty());
  EXPECT_EQ(messages.last().kind, MessageKind::Error);
  EXPECT_TRUE(messages.lastText().startsWith(attachments::copyFailedMessage(QStringLiteral("sparito.doc"), QString())));

  // the target name is taken by something that is not a file: nothing can replace it
  QDir().mkpath(stored(QStringLiteral("occupato.txt")));
  messages.clear();
  r = attachments::attach(pick(QStringLiteral("occupato.txt"), "X"));
  EXPECT_EQ(r.outcome, attachments::Outcome::Failed);
  EXPECT_EQ(messages.last().kind, MessageKind::Error);
  EXPECT_TRUE(QFileInfo(stored(QStringLiteral("occupato.txt"))).isDir());
}

TEST_F(Attaching, FolderThatCannotBeCreatedIsReported) {
  write(program.path(QStringLiteral("Documenti_Allegati")), "a file where the folder should be");
  const auto r = attachments::attach(pick(QStringLiteral("a.txt"), "A"));
  EXPECT_EQ(r.outcome, attachments::Outcome::Failed);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.last().kind, MessageKind::Error);
  const QString bare = attachments::copyFailedMessage(QStringLiteral("a.txt"), QString());
  EXPECT_GT(messages.lastText().size(), bare.size()); // with the system's reason
}

TEST_F(Attaching, ACopyThatBreaksOffKeepsTheEarlierStoredCopy) {
  // /proc/self/mem opens but cannot be read from its start: the copy breaks off
  if (!QFileInfo(QStringLiteral("/proc/self/mem")).isFile()) GTEST_SKIP() << "no /proc";
  write(stored(QStringLiteral("mem")), "EARLIER");
  messages.answers = {true};
  const auto r = attachments::attach(QStringLiteral("/proc/self/mem"));
  EXPECT_EQ(r.outcome, attachments::Outcome::Failed);
  EXPECT_EQ(messages.last().kind, MessageKind::Error);
  EXPECT_EQ(read(stored(QStringLiteral("mem"))), QByteArray("EARLIER"));
  EXPECT_EQ(storedFiles(), QStringList{QStringLiteral("mem")});
}

// On a full disk or a failing write nothing is stored: no empty or cut copy
// under the name, an earlier copy stays whole, and the user is told why.
TEST_F(Attaching, ACopyThatCannotBeWrittenStoresNothingAndSaysWhy) {
  const QByteArray earlier = "EARLIER COPY";
  struct Case {
    const char* what;
    qsizetype size;  // bytes of the picked file
    int limit;       // bytes a file may grow to; -1: read-only folder
    bool overwrite;  // a copy of that name is already stored
  } cases[] = {
      {"new name, disk full", 5000, 0, false},
      {"new name, disk fills after 64 KiB", 200000, 65536, false},
      {"overwrite, disk full", 5000, 0, true},
      {"overwrite, disk fills after 64 KiB", 200000, 65536, true},
      {"overwrite, disk fills inside a block", 200000, 40000, true},
      {"overwrite, read-only folder", 5000, -1, true},
  };
  for (const Case& c : cases) {
    QDir(program.path(QStringLiteral("Documenti_Allegati"))).removeRecursively();
    QDir().mkpath(program.path(QStringLiteral("Documenti_Allegati")));
    if (c.overwrite) write(stored(QStringLiteral("perizia.pdf")), earlier);
    const QString source = pick(QStringLiteral("perizia.pdf"), QByteArray(c.size, 'p'));
    messages.clear();
    messages.answers = {true};
    attachments::AttachResult r;
    {
      std::optional<FileSizeLimit> full;
      std::optional<ReadOnlyFolder> readOnly;
      if (c.limit >= 0) {
        full.emplace(rlim_t(c.limit));
      } else {
        readOnly.emplace(program.path(QStringLiteral("Documenti_Allegati")));
        if (!readOnly->holds()) continue;
      }
      r = attachments::attach(source);
    }
    EXPECT_EQ(r.outcome, attachments::Outcome::Failed) << c.what;
    EXPECT_TRUE(r.name.isEmpty()) << c.what;
    EXPECT_FALSE(messages.shown.empty()) << c.what;
    EXPECT_EQ(messages.last().kind, MessageKind::Error) << c.what;
    const QString reason = c.limit >= 0 ? safefile::reasonFor(EFBIG) : safefile::reasonFor(EACCES);
    EXPECT_EQ(messages.lastText(), attachments::copyFailedMessage(QStringLiteral("perizia.pdf"), reason)) << c.what;
    if (c.overwrite) {
      EXPECT_EQ(read(stored(QStringLiteral("perizia.pdf"))), earlier) << c.what;
      EXPECT_EQ(storedFiles(), QStringList{QStringLiteral("perizia.pdf")}) << c.what;
    } else {
      EXPECT_TRUE(storedFiles().isEmpty()) << c.what;
    }
  }
}

// A link planted in the folder under the name of an attachment is neither
// followed (the file it points to stays as it is) nor opened.
TEST_F(Attaching, ALinkInTheFolderIsNeitherFollowedNorOpened) {
  const QString victim = elsewhere.path() + QStringLiteral("/Clienti.pro");
  write(victim, "RECORDS");
  QDir().mkpath(program.path(QStringLiteral("Documenti_Allegati")));
  ASSERT_TRUE(QFile::link(victim, stored(QStringLiteral("verbale.doc"))));

  messages.answers = {true};
  const auto r = attachments::attach(pick(QStringLiteral("verbale.doc"), "OVERWRITTEN"));
  EXPECT_EQ(r.outcome, attachments::Outcome::Failed);
  ASSERT_EQ(messages.shown.size(), 1u); // refused before the overwrite question
  EXPECT_EQ(messages.last().kind, MessageKind::Error);
  EXPECT_EQ(messages.lastText(), attachments::copyFailedMessage(QStringLiteral("verbale.doc"), safefile::linkReason()));
  EXPECT_EQ(read(victim), QByteArray("RECORDS"));
  EXPECT_TRUE(QFileInfo(stored(QStringLiteral("verbale.doc"))).isSymLink());

  messages.clear();
  EXPECT_FALSE(attachments::openStored(QStringLiteral("verbale.doc")));
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(messages.last().kind, MessageKind::Warning);
  EXPECT_EQ(messages.lastText(), attachments::linkMessage(QStringLiteral("verbale.doc")));

  // nor is a link put in place of the folder itself
  QDir(program.path(QStringLiteral("Documenti_Allegati"))).removeRecursively();
  ASSERT_TRUE(QFile::link(elsewhere.path(), program.path(QStringLiteral("Documenti_Allegati"))));
  messages.clear();
  EXPECT_EQ(attachments::attach(pick(QStringLiteral("altro.doc"), "X")).outcome, attachments::Outcome::Failed);
  EXPECT_EQ(messages.lastText(), attachments::copyFailedMessage(QStringLiteral("altro.doc"), safefile::linkReason()));
  QStringList there = QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden);
  there.sort();
  EXPECT_EQ(there.join(QLatin1Char(',')).toStdString(), "Clienti.pro,altro.doc,verbale.doc");
}

TEST_F(Attaching, OnlyBareNamesAreOpenedOrWritten) {
  struct Case { const char* name; bool bare; } cases[] = {
      {"relazione.pdf", true}, {" relazione.pdf ", true}, {"a b.c.d", true}, {"..pdf", true},
      {"", false}, {"   ", false}, {".", false}, {"..", false}, {"../Clienti.pro", false},
      {"..\\..\\Windows\\win.ini", false}, {"/etc/passwd", false}, {"sub/file.txt", false},
      {"C:x.txt", false}, {"a\tb", false},
  };
  for (const Case& c : cases) {
    const QString name = QString::fromUtf8(c.name);
    EXPECT_EQ(attachments::isBareName(name), c.bare) << c.name;
    EXPECT_EQ(attachments::storedPath(name).isEmpty(), !c.bare) << c.name;
  }

  QDir().mkpath(attachments::folder());
  write(program.path(QStringLiteral("Documenti_Allegati/relazione.pdf")), "PDF");
  EXPECT_TRUE(attachments::openStored(QStringLiteral(" relazione.pdf ")));
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(QDir::fromNativeSeparators(shell.opened[0]), program.path(QStringLiteral("Documenti_Allegati/relazione.pdf")));

  EXPECT_FALSE(attachments::openStored(QStringLiteral("")));
  EXPECT_TRUE(messages.shown.empty()); // an empty slot opens nothing and says nothing
  EXPECT_FALSE(attachments::openStored(QStringLiteral("../Clienti.pro")));
  EXPECT_EQ(messages.last().kind, MessageKind::Warning);
  EXPECT_EQ(shell.opened.size(), 1u);

  // a picked file whose name holds a backslash is not copied anywhere (nor
  // is the folder made for it)
  ASSERT_TRUE(QDir(attachments::folder()).removeRecursively());
  messages.clear();
  const auto r = attachments::attach(pick(QStringLiteral("..\\fuori.txt"), "X"));
  EXPECT_EQ(r.outcome, attachments::Outcome::Failed);
  EXPECT_EQ(messages.last().kind, MessageKind::Error);
  EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("Documenti_Allegati"))));
  EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("fuori.txt"))));
}

TEST_F(Attaching, ANameTheCardCannotHoldIsRefusedBeforeCopying) {
  // the card keeps the bare name in a Windows-1252 field of 250 characters:
  // a longer name, or one with letters outside the code page, would come back
  // from the archive as another name, naming no stored copy
  const QString fits = QString(246, QLatin1Char('a')) + QStringLiteral(".pdf");
  const QString cases[] = {QStringLiteral("\u03A9mega.pdf"), QStringLiteral("\u0141\u00F3d\u017A.jpg"),
                           QString(247, QLatin1Char('a')) + QStringLiteral(".pdf")};
  for (const QString& name : cases) {
    messages.clear();
    const auto r = attachments::attach(pick(name, "X"));
    EXPECT_EQ(r.outcome, attachments::Outcome::Failed) << name.toStdString();
    EXPECT_TRUE(r.name.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().kind, MessageKind::Error);
    EXPECT_TRUE(messages.lastText().contains(name));
  }
  EXPECT_TRUE(storedFiles().isEmpty());

  // accented letters of the code page, the euro sign and 250 characters are fine
  for (const QString& name : {QStringLiteral("Citt\u00E0 \u20AC \u2013 perizia.pdf"), fits}) {
    messages.clear();
    const auto r = attachments::attach(pick(name, "Y"));
    EXPECT_EQ(r.outcome, attachments::Outcome::Copied) << name.toStdString();
    EXPECT_EQ(r.name, name);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(CaseFolder, CreatedOnceAndOpenedEveryTime) {
  TempProgramFolder program;
  RecordingMessages messages;
  RecordingShell shell;
  EXPECT_EQ(casefolder::path(12), program.path(QStringLiteral("Pratica_12")));
  EXPECT_TRUE(casefolder::open(7));
  EXPECT_TRUE(QFileInfo(program.path(QStringLiteral("Pratica_7"))).isDir());
  EXPECT_TRUE(casefolder::open(7));
  ASSERT_EQ(shell.opened.size(), 2u);
  EXPECT_EQ(QDir::fromNativeSeparators(shell.opened[0]), program.path(QStringLiteral("Pratica_7")));
  EXPECT_EQ(shell.opened[1], shell.opened[0]);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(CaseFolder, FolderThatCannotBeCreatedIsReportedAndNotOpened) {
  TempProgramFolder program;
  RecordingMessages messages;
  RecordingShell shell;
  write(program.path(QStringLiteral("Pratica_3")), "a file in the way");
  EXPECT_FALSE(casefolder::open(3));
  EXPECT_TRUE(shell.opened.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.last().kind, MessageKind::Error);
  const QString head = casefolder::createFailedMessage(QDir::toNativeSeparators(program.path(QStringLiteral("Pratica_3"))), QString());
  EXPECT_TRUE(messages.lastText().startsWith(head)) << messages.lastText().toStdString();
  EXPECT_GT(messages.lastText().size(), head.size());
}
