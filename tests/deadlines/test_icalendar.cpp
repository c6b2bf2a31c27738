// The calendar file of a year: a year with deadlines, appointments, a paid
// one, a record that cannot be read and awkward texts against a golden file;
// the escaping and the folding as tables; the file's absence and a failed
// save.
#include "deadlinefixture.h"

#include "deadlines/icalendar.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QDateTime kStamp(QDate(2026, 12, 10), QTime(8, 30, 5), Qt::UTC);

QByteArray golden(const char* name) {
  QFile f(QStringLiteral(VELARION_ICS_GOLDEN_DIR "/") + QLatin1String(name));
  if (!f.open(QIODevice::ReadOnly)) return "missing golden file " + QByteArray(name);
  return f.readAll();
}

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// 2026: a whole-day deadline with every character that needs escaping, an
// appointment whose title folds inside accented letters, a paid deadline and
// a record whose date cannot be read.
void seedYear() {
  Record deadline = deadlineRecord(QStringLiteral("15/03/2026"), QStringLiteral("00:00"), QStringLiteral("10"),
                                   QStringLiteral("Rata IMU; acconto, 1\u00B0 semestre"));
  deadline.set("Oggetto", QStringLiteral("Ristrutturazione C:\\Via Po"));
  deadline.set("Note", QStringLiteral("Pagare entro le 12\r\nallo sportello: 539,928 \u20AC\nricevuta"));
  Record appointment = deadlineRecord(QStringLiteral("20/03/2026"), QStringLiteral("09:30"), QStringLiteral("0"),
                                      QStringLiteral("Sopralluogo con l'ingegnere per la verifica della conformit\u00E0 "
                                                     "urbanistica, perch\u00E9 \u00E8 urgente"));
  Record paid = deadlineRecord(QStringLiteral("31/01/2026"), QStringLiteral("00:00"), QStringLiteral("3"),
                               QStringLiteral("Saldo parcella"));
  paid.setFlag("Effettuata", true);
  Record unreadable = deadlineRecord(QStringLiteral("01/04/2026"), QStringLiteral("00:00"), QStringLiteral("3"));
  unreadable.set("Data", QStringLiteral("O1/04/2026"));
  appendDeadlines(2026, {deadline, appointment, paid, unreadable});
}

} // namespace

TEST(ICalendar, AYearAgainstItsGoldenFileWithPaidDeadlinesOnlyWhenAsked) {
  TempProgramFolder folder;
  seedYear();
  const QString target = folder.path(icalendar::fileName(2026));
  EXPECT_EQ(icalendar::fileName(2026), QStringLiteral("Scadenze_2026.ics"));

  icalendar::Exported e = icalendar::exportYear(yearFile(2026), 2026, target, false, kStamp);
  ASSERT_TRUE(e.ok) << e.reason.toStdString();
  EXPECT_EQ(e.events, 2);
  EXPECT_EQ(e.skipped, 1);
  EXPECT_EQ(fileBytes(target), golden("Scadenze_2026.ics"));

  // with the paid ones: the same events keep their UIDs, the paid one comes
  // in at its own position
  e = icalendar::exportYear(yearFile(2026), 2026, target, true, kStamp);
  ASSERT_TRUE(e.ok);
  EXPECT_EQ(e.events, 3);
  const QByteArray all = fileBytes(target);
  for (const char* uid : {"UID:2026-1@", "UID:2026-2@", "UID:2026-3@"}) EXPECT_TRUE(all.contains(uid)) << uid;
  EXPECT_TRUE(all.contains("DTSTART;VALUE=DATE:20260131\r\n"));
  EXPECT_FALSE(all.contains("UID:2026-4@"));
}

TEST(ICalendar, EscapingOfTexts) {
  const struct {
    QString text;
    QByteArray value;
  } cases[] = {
      {QStringLiteral("a,b;c\\d"), "a\\,b\\;c\\\\d"},
      {QStringLiteral("uno\r\ndue\ntre\rquattro"), "uno\\ndue\\ntre\\nquattro"},
      {QStringLiteral("\u20AC 1.234,50 \u00E0\u00E8\u00EC\u00F2\u00F9"), "\xE2\x82\xAC 1.234\\,50 \xC3\xA0\xC3\xA8\xC3\xAC\xC3\xB2\xC3\xB9"},
      {QStringLiteral("=1+1:\"x\"\ttab\x01"), "=1+1:\"x\"\ttab "},
  };
  for (const auto& c : cases) EXPECT_EQ(icalendar::escaped(c.text), c.value) << c.text.toStdString();
}

TEST(ICalendar, FoldingAt75OctetsNeverInsideACharacter) {
  const QByteArray a75(75, 'a'), a74(74, 'a'), e = "\xC3\xA8"; // "è", two octets
  const struct {
    QByteArray line, folded;
  } cases[] = {
      {a75, a75 + "\r\n"},
      {a75 + "b", a75 + "\r\n b\r\n"},
      {a75 + a74 + "c", a75 + "\r\n " + a74 + "\r\n c\r\n"},
      // the character that would straddle octet 75 moves whole to the next line
      {a74 + e, a74 + "\r\n " + e + "\r\n"},
      {QByteArray(73, 'a') + e + "z", QByteArray(73, 'a') + e + "\r\n z\r\n"},
  };
  for (const auto& c : cases) {
    const QByteArray out = icalendar::folded(c.line);
    EXPECT_EQ(out, c.folded) << c.line.toStdString();
    QByteArray unfolded = out;
    unfolded.replace("\r\n ", "");
    EXPECT_EQ(unfolded, c.line + "\r\n");
  }
}

TEST(ICalendar, AMissingYearIsAnEmptyCalendarAndAFailedSaveKeepsTheOldFile) {
  TempProgramFolder folder;
  const QString target = folder.path(QStringLiteral("Scadenze_2030.ics"));
  icalendar::Exported e = icalendar::exportYear(yearFile(2030), 2030, target, false, kStamp);
  ASSERT_TRUE(e.ok);
  EXPECT_EQ(e.events, 0);
  EXPECT_FALSE(QFileInfo::exists(yearFile(2030))) << "reading the year creates no archive";
  const QByteArray empty = fileBytes(target);
  EXPECT_TRUE(empty.startsWith("BEGIN:VCALENDAR\r\n"));
  EXPECT_FALSE(empty.contains("VEVENT"));

  // a folder in the way of the target: nothing written, the reason given
  const QString blocked = folder.path(QStringLiteral("Scadenze_2031.ics"));
  QDir().mkpath(blocked);
  e = icalendar::exportYear(yearFile(2030), 2031, blocked, false, kStamp);
  EXPECT_FALSE(e.ok);
  EXPECT_FALSE(e.reason.isEmpty());
  EXPECT_TRUE(QFileInfo(blocked).isDir());
}
