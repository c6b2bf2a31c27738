// `Velarion --promemoria` as the desktop starts it: on a private session bus
// with a recording notification service, one notification with the count,
// the first titles and the action "Apri", which starts the program on the
// deadlines; nothing when nothing is imminent or no service is there; a line
// on standard error when the folder cannot be read; the folder never written.
#include "../deadlines/deadlinefixture.h"

#include "app/reminders/desktopreminders.h"
#include "support.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr uint kId = 42;

struct Notified {
  QString app, summary, body;
  QStringList actions;
};

// The notification service of the test: records every Notify.
class Recorder : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
  QList<Notified> calls;

public slots:
  uint Notify(const QString& app, uint, const QString&, const QString& summary, const QString& body,
              const QStringList& actions, const QVariantMap&, int) {
    calls.append({app, summary, body, actions});
    return kId;
  }
  QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
  void CloseNotification(uint) {}
};

// Every entry of a folder with its size and time of change.
QStringList snapshot(const QString& folder) {
  QStringList out;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo f(it.next());
    out << f.fileName() + QLatin1Char(' ') + QString::number(f.size()) + QLatin1Char(' ') +
               QString::number(f.lastModified().toMSecsSinceEpoch());
  }
  out.sort();
  return out;
}

QString dayText(QDate d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

} // namespace

class TestDesktopReminders : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanupTestCase();
  void nothingWhenNothingIsImminentOrNoServiceListens();
  void oneNotificationWithCountTitlesAndTheActionThatOpensTheDeadlines();
  void aFolderThatCannotBeReadIsOneLineOnStandardError();

private:
  QProcess* reminder(const QStringList& arguments);
  bool finished(QProcess* p);

  QProcess bus_;
  QString address_;
  QDBusConnection connection_{QString()};
  Recorder recorder_;
};

void TestDesktopReminders::initTestCase() {
  bus_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--print-address"),
                                             QStringLiteral("--nofork"), QStringLiteral("--nopidfile")});
  QVERIFY2(bus_.waitForStarted(), "dbus-daemon (Debian package dbus-daemon) is needed");
  QTRY_VERIFY_WITH_TIMEOUT(bus_.canReadLine(), 10000);
  address_ = QString::fromUtf8(bus_.readLine()).trimmed();
  connection_ = QDBusConnection::connectToBus(address_, QStringLiteral("notifications"));
  QVERIFY(connection_.isConnected());
  QVERIFY(connection_.registerObject(kPath, &recorder_, QDBusConnection::ExportAllSlots));
}

void TestDesktopReminders::cleanupTestCase() {
  QDBusConnection::disconnectFromBus(QStringLiteral("notifications"));
  bus_.terminate();
  bus_.waitForFinished();
}

QProcess* TestDesktopReminders::reminder(const QStringList& arguments) {
  auto* p = new QProcess(this);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
  p->setProcessEnvironment(env);
  p->start(QStringLiteral(VELARION_EXECUTABLE), QStringList{QStringLiteral("--promemoria")} + arguments);
  return p;
}

// Waits for the end while the test's service answers on the bus.
bool TestDesktopReminders::finished(QProcess* p) {
  QDeadlineTimer deadline(15000);
  while (p->state() != QProcess::NotRunning && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    p->waitForFinished(20);
  }
  return p->state() == QProcess::NotRunning && p->exitStatus() == QProcess::NormalExit;
}

void TestDesktopReminders::nothingWhenNothingIsImminentOrNoServiceListens() {
  recorder_.calls.clear();
  TempProgramFolder folder;
  const QDate today = QDate::currentDate();
  // imminent, but no notification service on the bus yet
  appendDeadlines(today.year(), {deadlineRecord(dayText(today), QStringLiteral("10:00"), QStringLiteral("1"))});
  QProcess* p = reminder({folder.dir.path()});
  QVERIFY(finished(p));
  QCOMPARE(p->exitCode(), 0);
  QCOMPARE(p->readAllStandardError(), QByteArray());

  QVERIFY(connection_.registerService(kService));
  // an empty folder: nothing to tell, and no archive made
  TempProgramFolder empty;
  p = reminder({empty.dir.path()});
  QVERIFY(finished(p));
  QCOMPARE(p->exitCode(), 0);
  QVERIFY(snapshot(empty.dir.path()).isEmpty());
  // deadlines past or not yet in their notice window
  TempProgramFolder quiet;
  appendDeadlines(today.year(), {deadlineRecord(dayText(today.addDays(-1)), QStringLiteral("10:00"), QStringLiteral("5")),
                                 deadlineRecord(dayText(today.addDays(5)), QStringLiteral("10:00"), QStringLiteral("4"))});
  p = reminder({quiet.dir.path()});
  QVERIFY(finished(p));
  QCOMPARE(p->exitCode(), 0);
  QCOMPARE(recorder_.calls.size(), 0);
}

void TestDesktopReminders::oneNotificationWithCountTitlesAndTheActionThatOpensTheDeadlines() {
  recorder_.calls.clear();
  if (!connection_.interface()->isServiceRegistered(kService).value()) QVERIFY(connection_.registerService(kService));
  TempProgramFolder folder;
  const QDate today = QDate::currentDate();
  // six imminent, written out of order, one an appointment; one not yet
  // imminent; one that cannot be read
  std::vector<Record> records;
  for (int n : {3, 1, 6, 2, 5, 4})
    records.push_back(deadlineRecord(dayText(today.addDays(n)), QStringLiteral("00:00"), QStringLiteral("10"),
                                     QStringLiteral("Rata %1").arg(n)));
  records[1].set("OreApp", QStringLiteral("09"));
  records[1].set("MinutiApp", QStringLiteral("30"));
  records.push_back(deadlineRecord(dayText(today.addDays(20)), QStringLiteral("00:00"), QStringLiteral("10")));
  Record bad = deadlineRecord(dayText(today), QStringLiteral("00:00"), QStringLiteral("10"));
  bad.set("Avviso", QStringLiteral("x"));
  records.push_back(bad);
  for (const Record& r : records) appendDeadlines(today.year(), {r});

  QTemporaryDir opener;
  const QString opened = opener.filePath(QStringLiteral("opened"));
  const QString script = opener.filePath(QStringLiteral("velarion"));
  {
    QFile f(script);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(opened).toUtf8());
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
  }
  const QStringList before = snapshot(folder.dir.path());

  QProcess* p = reminder({folder.dir.path(), script});
  QTRY_COMPARE_WITH_TIMEOUT(recorder_.calls.size(), 1, 15000);
  const Notified& n = recorder_.calls.first();
  QCOMPARE(n.app, QStringLiteral("Velarion"));
  QCOMPARE(n.summary, QStringLiteral("6 scadenze nei prossimi giorni"));
  QStringList lines;
  for (int d = 1; d <= 5; ++d)
    lines << dayText(today.addDays(d)) + (d == 1 ? QStringLiteral(" ore 09:30") : QString()) +
                 QStringLiteral(" - Rata %1 - Ristrutturazione").arg(d);
  lines << QStringLiteral("e altre 1");
  QCOMPARE(n.body, lines.join(QLatin1Char('\n')));
  QCOMPARE(n.actions, (QStringList{QStringLiteral("apri"), QStringLiteral("Apri")}));

  // the user clicks "Apri" (told again until the reminder has subscribed)
  QDeadlineTimer deadline(15000);
  while (p->state() != QProcess::NotRunning && !deadline.hasExpired()) {
    QDBusMessage clicked = QDBusMessage::createSignal(kPath, kService, QStringLiteral("ActionInvoked"));
    clicked << kId << QStringLiteral("apri");
    connection_.send(clicked);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    p->waitForFinished(100);
  }
  QVERIFY(finished(p));
  QCOMPARE(p->exitCode(), 0);
  QTRY_VERIFY(QFileInfo::exists(opened));
  QFile f(opened);
  QVERIFY(f.open(QIODevice::ReadOnly));
  QCOMPARE(f.readAll().trimmed(), QByteArray("--scadenzario"));
  QCOMPARE(recorder_.calls.size(), 1);
  QCOMPARE(snapshot(folder.dir.path()), before);
}

void TestDesktopReminders::aFolderThatCannotBeReadIsOneLineOnStandardError() {
  recorder_.calls.clear();
  QTemporaryDir dir;
  const QString missing = dir.filePath(QStringLiteral("Velarion"));
  QProcess* p = reminder({missing});
  QVERIFY(finished(p));
  QCOMPARE(p->exitCode(), 1);
  QCOMPARE(QString::fromLocal8Bit(p->readAllStandardError()),
           QStringLiteral("velarion: the program folder %1 cannot be read.\n").arg(missing));
  QCOMPARE(recorder_.calls.size(), 0);
  QVERIFY(!QFileInfo::exists(missing));
}

QTEST_GUILESS_MAIN(TestDesktopReminders)
#include "test_desktopreminders.moc"
