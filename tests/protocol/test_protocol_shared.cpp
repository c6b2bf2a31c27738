// Two workstations registering documents in one shared folder at the same
// time, each with the number "Nuovo" proposes: every document gets a number
// of its own, the one of its position in the year's archive.
#include "archive/archivio.h"
#include "archive/record.h"
#include "protocol/protocollo.h"
#include "support.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <set>

TEST(SharedFolder, TwoWorkstationsNeverGiveOneNumberToTwoDocuments) {
  constexpr int kEach = 200;
  TempProgramFolder folder;
  QProcess one, two;
  for (QProcess* p : {&one, &two}) p->start(QStringLiteral(PROTOCOL_APPENDER), {folder.dir.path(), QString::number(kEach)});
  int renumbered = 0;
  for (QProcess* p : {&one, &two}) {
    ASSERT_TRUE(p->waitForFinished(300000));
    ASSERT_EQ(p->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    renumbered += p->readAllStandardOutput().trimmed().toInt();
  }
  std::printf("stored under another number than proposed: %d of %d\n", renumbered, 2 * kEach);

  TArchivioSchede archive(folder.path(QStringLiteral("2026.prt")), TRecProtocollo().size());
  archive.open(TArchivioSchede::Access::Read);
  ASSERT_EQ(archive.count(), 2 * kEach);
  std::set<QString> numbers;
  archive.scan([&](RecordPosition position, const char* bytes) {
    const QString number = decodeField(TRecProtocollo(), TRecProtocollo().require("Numero"), bytes);
    EXPECT_EQ(number, QString::number(position));
    numbers.insert(number);
    return true;
  });
  EXPECT_EQ(numbers.size(), size_t(2 * kEach));
}
