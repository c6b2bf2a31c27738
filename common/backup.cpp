#include "backup.h"

#include "archive/journal.h"
#include "archive/paths.h"
#include "archive/safefile.h"
#include "common/modules.h"
#include "common/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace backup {

namespace {

// How long the copy of an archive waits for another workstation to finish
// writing it before copying it as it stands.
constexpr auto kLockPatience = std::chrono::seconds(2);

QStringList& keptFiles() {
  static QStringList files;
  return files;
}

// An archive of a registered application (a fixed one by its name, a
// yearly one by its extension), a file it keeps, or one kept by the program.
bool isDataFile(const QString& name) {
  if (name.startsWith(QLatin1Char('.'))) return false;
  if (keptFiles().contains(name)) return true;
  for (const modules::Module* module : modules::all()) {
    for (const ArchiveDef& archive : module->archives)
      if (archive.isYearly() ? name.endsWith(archive.extension) : name == archive.fixedName) return true;
    for (const char* file : module->files)
      if (name == QLatin1String(file)) return true;
  }
  return false;
}

bool isDayName(const QString& name) {
  static const QRegularExpression day(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
  return day.match(name).hasMatch();
}

// A real folder (not a link), created when missing.
bool ensureFolder(const QString& path) {
  const QFileInfo info(path);
  if (info.isSymLink()) return false;
  if (info.isDir()) return true;
  return !info.exists() && QDir().mkdir(path);
}

// Removes a folder with what it holds; a link in its place is removed
// itself, and what it points to is left alone.
void removeTree(const QString& path) {
  const QFileInfo info(path);
  if (info.isSymLink() || info.isFile()) QFile::remove(path);
  else if (info.isDir()) QDir(path).removeRecursively();
}

void syncFolder(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

enum class Copy { Done, Unreadable, Failed };

// One file of the program folder into the day folder, read without
// following a link and, for an archive, while no workstation writes it.
Copy copyOne(const QString& folder, const QString& name, const QString& into) {
  // an archive whose last save was cut short is put back before it is copied
  if (!journal::recover(folder + name)) return Copy::Unreadable;
  const int fd = safefile::openNoFollow(folder + name, O_RDONLY);
  if (fd < 0) return Copy::Unreadable;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Copy::Unreadable;
  }
  const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
  while (::flock(fd, LOCK_SH | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR) &&
         std::chrono::steady_clock::now() < deadline)
    QThread::msleep(5);
  QFile source;
  if (!source.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return Copy::Unreadable;
  }
  return safefile::copy(source, into + QLatin1Char('/') + name) ? Copy::Done : Copy::Failed;
}

// Removes the day folders beyond the last kDays; today's always stays.
void prune(const QString& backups, const QString& today) {
  QStringList days;
  for (const QFileInfo& e : QDir(backups).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks))
    if (isDayName(e.fileName())) days << e.fileName();
  days.sort();
  for (qsizetype i = 0; i + kDays < days.size(); ++i)
    if (days[i] != today) removeTree(backups + QLatin1Char('/') + days[i]);
}

QStringList dataFilesIn(const QString& folder) {
  QStringList names;
  for (const QFileInfo& e : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
    if (!e.isSymLink() && isDataFile(e.fileName())) names << e.fileName();
  names.sort();
  return names;
}

QString dayName(QDate day) { return day.toString(QStringLiteral("yyyy-MM-dd")); }

// The day's copy of the program folder (with its trailing separator).
Outcome make(const QString& folder, QDate today) {
  const QString backups = folder + QLatin1String(kFolder);
  const QString name = dayName(today);
  const QString day = backups + QLatin1Char('/') + name;
  if (QFileInfo(day).isDir()) return Outcome::AlreadyMade;
  if (!ensureFolder(backups)) return Outcome::Skipped;

  // The copy is made in a hidden folder and given the day's name only when
  // whole, so a start that is cut short leaves no half day behind.
  const QString partial = backups + QStringLiteral("/.") + name + QStringLiteral(".partial");
  removeTree(partial);
  if (!QDir().mkdir(partial)) return Outcome::Skipped;
  for (const QString& file : dataFilesIn(folder)) {
    if (copyOne(folder, file, partial) == Copy::Failed) {
      removeTree(partial);
      return Outcome::Skipped;
    }
  }
  syncFolder(partial);
  if (::rename(QFile::encodeName(partial).constData(), QFile::encodeName(day).constData()) != 0) {
    removeTree(partial);
    return Outcome::Skipped;
  }
  syncFolder(backups);
  prune(backups, name);
  return Outcome::Made;
}

// The copy made at start-up; a program that ends while it runs waits for it.
std::thread& worker() {
  static struct Worker {
    std::thread thread;
    ~Worker() {
      if (thread.joinable()) thread.join();
    }
  } w;
  return w.thread;
}

} // namespace

void alsoKeep(const QString& name) {
  if (!keptFiles().contains(name)) keptFiles() << name;
}

QStringList dataFiles() { return dataFilesIn(paths::programFolder()); }

QString todaysFolder() {
  return paths::inProgramFolder(QLatin1String(kFolder)) + QLatin1Char('/') + dayName(services::clock().today());
}

Outcome daily() { return make(paths::programFolder(), services::clock().today()); }

void start() {
  wait();
  // the folder and the day are read here: the thread touches only files
  worker() = std::thread([folder = paths::programFolder(), today = services::clock().today()] { make(folder, today); });
}

void wait() {
  if (worker().joinable()) worker().join();
}

} // namespace backup
