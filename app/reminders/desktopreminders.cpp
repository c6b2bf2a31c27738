#include "desktopreminders.h"

#include "archive/archivio.h"
#include "deadlines/icalendar.h"
#include "deadlines/reminders.h"
#include "deadlines/scadenza.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace desktopreminders {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kOpen = QStringLiteral("apri");

struct Imminent {
  QDate day;
  QTime time;
  QString title;
};

QString lineOf(const Imminent& i) {
  QString line = i.day.toString(QStringLiteral("dd/MM/yyyy"));
  if (i.time.isValid()) line += QStringLiteral(" ore ") + i.time.toString(QStringLiteral("HH:mm"));
  return line + QStringLiteral(" - ") + i.title;
}

void tell(const QString& line) {
  std::fputs(("velarion: " + line + '\n').toLocal8Bit().constData(), stderr);
  std::fflush(stderr);
}

// Waits for the notification's action or its closing; the action starts the
// program on the deadlines.
class Listener : public QObject {
  Q_OBJECT
public:
  Listener(uint id, QString program, QStringList arguments)
      : id_(id), program_(std::move(program)), arguments_(std::move(arguments)) {}

public slots:
  void actionInvoked(uint id, const QString& action) {
    if (id != id_) return;
    if (action == kOpen || action == QLatin1String("default"))
      if (!QProcess::startDetached(program_, arguments_)) tell(QStringLiteral("cannot start ") + program_);
    QCoreApplication::exit(0);
  }
  void closed(uint id, uint) {
    if (id == id_) QCoreApplication::exit(0);
  }

private:
  uint id_;
  QString program_;
  QStringList arguments_;
};

} // namespace

Found find(const QString& folder, QDate today) {
  Found out;
  const QFileInfo info(folder);
  if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
    out.failed = true;
    out.failure = QStringLiteral("the program folder %1 cannot be read.").arg(folder);
    return out;
  }
  std::vector<Imminent> found;
  for (int year : {today.year(), today.year() + 1}) {
    const QString path = QDir(folder).filePath(deadline::yearText(year) + deadlineArchive().extension);
    if (!QFileInfo::exists(path)) continue; // never created here
    try {
      TArchivioSchede archive(path, deadlineArchive().recordSize());
      archive.open(TArchivioSchede::Access::Read);
      archive.scan([&](RecordPosition position, const char* record) {
        if (reminders::imminence(record, today) != reminders::Imminence::Imminent) return true;
        const std::optional<icalendar::Event> e = icalendar::eventOf(record, position);
        if (e) found.push_back({e->day, e->time.value_or(QTime()), e->title});
        else found.push_back({today, QTime(), QString()});
        return true;
      });
      archive.close();
    } catch (const ArchiveError&) {
      out.failed = true;
      out.failure = QStringLiteral("the deadlines in %1 cannot be read.").arg(path);
      return out;
    }
  }
  // in order of date and time, a whole-day deadline first on its day
  std::stable_sort(found.begin(), found.end(), [](const Imminent& a, const Imminent& b) {
    if (a.day != b.day) return a.day < b.day;
    return a.time.isValid() ? b.time.isValid() && a.time < b.time : b.time.isValid();
  });
  out.imminent = int(found.size());
  for (const Imminent& i : found) out.titles << lineOf(i);
  return out;
}

QString summary(int imminent) {
  return imminent == 1 ? QStringLiteral("1 scadenza nei prossimi giorni")
                       : QStringLiteral("%1 scadenze nei prossimi giorni").arg(imminent);
}

QString body(const Found& found) {
  QStringList lines = found.titles.mid(0, kTitles);
  if (found.titles.size() > kTitles) lines << QStringLiteral("e altre %1").arg(found.titles.size() - kTitles);
  return lines.join(QLatin1Char('\n'));
}

bool requested(int argc, char** argv) { return argc > 1 && std::strcmp(argv[1], kOption) == 0; }

int run(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(2);
  const QString folder = args.value(0, QCoreApplication::applicationDirPath());
  QString program = QCoreApplication::applicationFilePath();
  QStringList arguments;
  if (args.size() > 1) {
    program = args.at(1);
    arguments = args.mid(2);
  }
  arguments << QStringLiteral("--scadenzario");

  const Found found = find(folder, QDate::currentDate());
  if (found.failed) {
    tell(found.failure);
    return 1;
  }
  if (found.imminent == 0) return 0;

  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kService).value()) return 0;
  QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("it.velarion.velarion"));
  hints.insert(QStringLiteral("suppress-sound"), true);
  notify << QStringLiteral("Velarion") << uint(0) << QStringLiteral("it.velarion.velarion") << summary(found.imminent)
         << body(found) << QStringList{kOpen, QStringLiteral("Apri")} << hints << int(-1);
  const QDBusReply<uint> id = bus.call(notify);
  if (!id.isValid()) return 0;

  Listener listener(id.value(), program, arguments);
  bus.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), &listener,
              SLOT(actionInvoked(uint, QString)));
  bus.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), &listener, SLOT(closed(uint, uint)));
  // a service that never tells the notification's end does not keep the
  // reminder running for ever
  QTimer::singleShot(std::chrono::hours(12), &app, [] { QCoreApplication::exit(0); });
  return QCoreApplication::exec();
}

} // namespace desktopreminders

#include "desktopreminders.moc"
