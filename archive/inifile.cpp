#include "inifile.h"

#include "cp1252.h"
#include "safefile.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
} // namespace

bool IniFile::load(const QString& path) {
  lines_.clear();
  // a link under the file's name is not followed: it reads as a failure
  const int fd = safefile::openNoFollow(path, O_RDONLY);
  if (fd < 0) return errno == ENOENT;
  struct stat st {};
  QFile f;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) return false;
  parse(bytes);
  return true;
}

void IniFile::parse(const QByteArray& bytes) {
  lines_.clear();
  const QString text = cp1252::decode(bytes);
  QString section;
  const QStringList raw = text.split(QLatin1Char('\n'));
  for (int i = 0; i < raw.size(); ++i) {
    QString line = raw[i];
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (i == raw.size() - 1 && line.isEmpty()) break; // the final line end
    Line l;
    l.text = line;
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
      section = t.mid(1, t.size() - 2).trimmed();
      l.section = section;
    } else if (!t.startsWith(QLatin1Char(';')) && t.contains(QLatin1Char('='))) {
      const qsizetype eq = line.indexOf(QLatin1Char('='));
      l.section = section;
      l.key = line.left(eq).trimmed();
      l.value = line.mid(eq + 1).trimmed();
    }
    lines_.push_back(l);
  }
}

QByteArray IniFile::toBytes() const {
  QByteArray out;
  for (const Line& l : lines_) {
    out += cp1252::encode(l.key.isEmpty() ? l.text : l.key + QLatin1Char('=') + l.value);
    out += "\r\n";
  }
  return out;
}

bool IniFile::save(const QString& path, QString* reason) const {
  const safefile::Status saved = safefile::save(path, toBytes());
  if (!saved && reason) *reason = saved.reason;
  return saved.ok;
}

int IniFile::findKey(const QString& section, const QString& key) const {
  for (int i = 0; i < int(lines_.size()); ++i)
    if (!lines_[i].key.isEmpty() && sameName(lines_[i].section, section) && sameName(lines_[i].key, key)) return i;
  return -1;
}

QString IniFile::value(const QString& section, const QString& key) const {
  const int i = findKey(section, key);
  return i < 0 ? QString() : lines_[i].value;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& text) {
  // A value is one line, stored as a reading gives it back: a line break
  // would end it and start a key or section of its own.
  QString value = text;
  value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  value = value.trimmed();
  const int i = findKey(section, key);
  if (i >= 0) {
    lines_[i].value = value;
    return;
  }
  Line kv;
  kv.section = section;
  kv.key = key;
  kv.value = value;
  // After the last line of the section, or a new section at the end.
  int lastOfSection = -1;
  for (int j = 0; j < int(lines_.size()); ++j)
    if (sameName(lines_[j].section, section) &&
        (!lines_[j].key.isEmpty() || lines_[j].text.trimmed().startsWith(QLatin1Char('['))))
      lastOfSection = j;
  if (lastOfSection >= 0) {
    lines_.insert(lines_.begin() + lastOfSection + 1, kv);
    return;
  }
  if (!lines_.empty() && !lines_.back().text.trimmed().isEmpty()) {
    Line blank;
    lines_.push_back(blank);
  }
  Line head;
  head.text = QLatin1Char('[') + section + QLatin1Char(']');
  head.section = section;
  lines_.push_back(head);
  lines_.push_back(kv);
}

QString IniFile::read(const QString& path, const QString& section, const QString& key, bool* ok) {
  IniFile ini;
  const bool loaded = ini.load(path);
  if (ok) *ok = loaded;
  return loaded ? ini.value(section, key) : QString();
}

bool IniFile::write(const QString& path, const QString& section, const QString& key, const QString& value,
                    QString* reason) {
  return update(path, [&](IniFile& ini) { ini.setValue(section, key, value); }, reason);
}

bool IniFile::update(const QString& path, const std::function<void(IniFile&)>& change, QString* reason) {
  const QFileInfo info(path);
  const QString lockName = info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-blocco");
  const QByteArray lockPath = QFile::encodeName(lockName);
  // The lock file lives only while a workstation holds it: the holder
  // removes it before letting go, and a waiter that then gets the lock of
  // the removed file starts again on a new one.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int lock = -1;
  for (;;) {
    lock = safefile::openNoFollow(lockName, O_RDWR | O_CREAT);
    if (lock < 0) {
      if (reason) *reason = safefile::reasonFor(errno);
      return false;
    }
    if (::flock(lock, LOCK_EX | LOCK_NB) == 0) {
      struct stat held {}, named {};
      if (::fstat(lock, &held) == 0 && ::lstat(lockPath.constData(), &named) == 0 && held.st_ino == named.st_ino &&
          held.st_dev == named.st_dev)
        break;
    } else if (errno != EWOULDBLOCK && errno != EINTR) {
      if (reason) *reason = safefile::reasonFor(errno);
      ::close(lock);
      return false;
    }
    ::close(lock);
    if (std::chrono::steady_clock::now() > deadline) {
      if (reason) *reason = safefile::reasonFor(EWOULDBLOCK);
      return false;
    }
    ::usleep(2000);
  }
  IniFile ini;
  bool ok = ini.load(path);
  if (!ok) {
    if (reason) *reason = QStringLiteral("Impossibile leggere il file.");
  } else {
    change(ini);
    ok = ini.save(path, reason);
  }
  ::unlink(lockPath.constData());
  ::flock(lock, LOCK_UN);
  ::close(lock);
  return ok;
}
