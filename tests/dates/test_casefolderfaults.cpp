// A case folder that cannot be used is refused with the program's own
// reason: a link planted under its name is neither followed nor opened, and
// the reasons are the program's Italian texts, as in every other message.
#include "archive/safefile.h"
#include "common/attachments.h"
#include "files.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

TEST(CaseFolderFaults, AFolderThatCannotBeUsedIsRefusedWithTheProgramsReason) {
  TempProgramFolder program;
  RecordingMessages messages;
  RecordingShell shell;
  QTemporaryDir elsewhere;
  ASSERT_TRUE(QFile::link(elsewhere.path(), program.path(QStringLiteral("Pratica_4"))));
  ASSERT_TRUE(testfiles::put(program.path(QStringLiteral("Pratica_5")), "a file in the way"));
  struct Case {
    RecordPosition position;
    QString reason;
  } cases[] = {{4, safefile::linkReason()}, {5, safefile::reasonFor(ENOTDIR)}};
  for (const Case& c : cases) {
    messages.clear();
    EXPECT_FALSE(casefolder::open(c.position)) << c.position;
    EXPECT_TRUE(shell.opened.empty()) << c.position;
    const QString folder = QDir::toNativeSeparators(program.path(QStringLiteral("Pratica_%1").arg(c.position)));
    EXPECT_EQ(messages.lastText(), casefolder::createFailedMessage(folder, c.reason)) << c.position;
  }
  EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
}
