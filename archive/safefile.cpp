#include "safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefile {

namespace {

// Appends are gathered into blocks of this size before they reach the disk.
constexpr size_t kBlock = size_t(1) << 20;

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    data += n;
    size -= size_t(n);
  }
  return true;
}

// A file system that cannot sync a descriptor of this kind says EINVAL:
// nothing more can be done there, and it is no failure of the write.
bool sync(int fd) { return ::fsync(fd) == 0 || errno == EINVAL; }

bool syncFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = sync(fd);
  const int error = errno;
  ::close(fd);
  errno = error;
  return ok;
}

// "." + the target's name + "." + eight random letters, in the target's
// folder; a long name is cut (on a character boundary) so the whole still
// fits the 255 bytes a name may have.
QByteArray temporaryName(const QByteArray& folder, QByteArray name) {
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  constexpr qsizetype kLongest = 200;
  if (name.size() > kLongest) {
    qsizetype cut = kLongest;
    while (cut > 0 && (quint8(name[cut]) & 0xC0) == 0x80) --cut;
    name.truncate(cut);
  }
  QByteArray suffix(8, 'x');
  for (char& c : suffix) c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
  return folder + "/." + name + '.' + suffix;
}

} // namespace

QString reasonFor(int error) {
  switch (error) {
  case ELOOP: return linkReason();
  case EACCES: return QStringLiteral("Accesso negato: non si possiedono i permessi necessari sul file o sulla cartella.");
  case EFBIG: return QStringLiteral("Il file supera la dimensione massima consentita.");
  case EPERM: return QStringLiteral("Operazione non permessa: non si possiedono i privilegi necessari.");
  case EROFS: return QStringLiteral("Il disco \u00E8 di sola lettura.");
  case ENOSPC:
  case EDQUOT: return QStringLiteral("Spazio su disco esaurito.");
  case ENOENT: return QStringLiteral("Il file o la cartella non esiste.");
  case ENOTDIR: return QStringLiteral("Una parte del percorso non \u00E8 una cartella.");
  case EISDIR: return QStringLiteral("Il nome indica una cartella, non un file.");
  case EBUSY:
  case ETXTBSY:
  case EWOULDBLOCK: return QStringLiteral("Il file \u00E8 in uso da un altro programma o da un'altra postazione.");
  case EIO: return QStringLiteral("Errore di lettura o scrittura sul disco (errore di input/output).");
  default: return QStringLiteral("Errore del sistema (codice %1).").arg(error);
  }
}

QString readOnlyReason() {
  return QStringLiteral("Il file \u00E8 di sola lettura: per sicurezza il programma non lo sostituisce.");
}

QString linkReason() {
  return QStringLiteral("Il nome indica un collegamento simbolico: per sicurezza il programma non lo segue e non lo "
                        "sostituisce.");
}

bool readAt(int fd, char* data, size_t size, off_t at) {
  while (size > 0) {
    const ssize_t n = ::pread(fd, data, size, at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= size_t(n);
    at += n;
  }
  return true;
}

bool writeAt(int fd, const char* data, size_t size, off_t at) {
  while (size > 0) {
    const ssize_t n = ::pwrite(fd, data, size, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    data += n;
    size -= size_t(n);
    at += n;
  }
  return true;
}

bool syncData(int fd) { return ::fdatasync(fd) == 0 || errno == EINVAL; }

bool syncFolderOf(const QString& file) { return syncFolder(QFile::encodeName(QFileInfo(file).absolutePath())); }

int openNoFollow(const QString& path, int flags) {
  return ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_CLOEXEC);
}

// ---- Writer ----

Writer::Writer(QString target) : target_(std::move(target)) {}

Writer::~Writer() {
  if (!committed_) drop();
}

bool Writer::failWith(int error) {
  if (reason_.isEmpty()) reason_ = reasonFor(error);
  drop();
  return false;
}

void Writer::fail(const QString& reason) {
  if (reason_.isEmpty()) reason_ = reason.isEmpty() ? QStringLiteral("Errore sconosciuto.") : reason;
  drop();
}

void Writer::drop() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.isEmpty()) ::unlink(temp_.constData());
  temp_.clear();
  buffer_ = {};
}

bool Writer::open() {
  if (!ok()) return false;
  if (fd_ >= 0 || committed_) return true;
  const QFileInfo info(target_);
  const QByteArray target = QFile::encodeName(info.absoluteFilePath());
  const QByteArray folder = QFile::encodeName(info.absolutePath());
  struct stat st {};
  bool exists = false;
  if (::lstat(target.constData(), &st) == 0) {
    if (S_ISLNK(st.st_mode)) return failWith(ELOOP);
    if (S_ISDIR(st.st_mode)) return failWith(EISDIR);
    // A file made read-only is refused as an archive is: its folder being
    // writable is no leave to replace it.
    if ((st.st_mode & 0222) == 0 || (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0 && errno == EACCES)) {
      fail(readOnlyReason());
      return false;
    }
    exists = true;
  } else if (errno != ENOENT) {
    return failWith(errno);
  }
  // O_EXCL: the name is new, so nothing planted there is followed
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_ = temporaryName(folder, QFile::encodeName(info.fileName()));
    fd_ = ::open(temp_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    return failWith(errno);
  }
  // held until the file is put in place or dropped: the start-up clean-up
  // of another workstation leaves a locked temporary file alone
  ::flock(fd_, LOCK_EX | LOCK_NB);
  // the new file keeps the permissions of the one it replaces
  if (exists && ::fchmod(fd_, st.st_mode & 07777) != 0) return failWith(errno);
  buffer_.reserve(kBlock);
  return true;
}

bool Writer::flushBuffer() {
  if (buffer_.empty()) return true;
  const bool written = writeAll(fd_, buffer_.data(), buffer_.size());
  buffer_.clear();
  return written || failWith(errno);
}

bool Writer::append(const char* data, size_t size) {
  if (!open()) return false;
  if (committed_) return false;
  if (buffer_.size() + size <= kBlock) {
    buffer_.insert(buffer_.end(), data, data + size);
    return true;
  }
  if (!flushBuffer()) return false;
  if (size >= kBlock) return writeAll(fd_, data, size) || failWith(errno);
  buffer_.insert(buffer_.end(), data, data + size);
  return true;
}

Status Writer::commit() {
  if (committed_) return {};
  if (!open() || !flushBuffer()) return {false, reason_};
  if (!sync(fd_)) {
    failWith(errno);
    return {false, reason_};
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    failWith(errno);
    return {false, reason_};
  }
  const QFileInfo info(target_);
  if (::rename(temp_.constData(), QFile::encodeName(info.absoluteFilePath()).constData()) != 0) {
    failWith(errno);
    return {false, reason_};
  }
  temp_.clear();
  committed_ = true;
  buffer_ = {};
  // the new name must survive a power cut as well as the content
  if (!syncFolder(QFile::encodeName(info.absolutePath()))) {
    reason_ = reasonFor(errno);
    return {false, reason_};
  }
  return {};
}

void Writer::abort() {
  if (committed_) return;
  // an aborted writer stays aborted: a later commit puts nothing in place
  fail(QStringLiteral("Salvataggio annullato."));
}

// ---- Device ----

Device::Device(Writer& writer) : writer_(writer) { QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

qint64 Device::writeData(const char* data, qint64 size) {
  if (!writer_.append(data, size_t(size))) {
    setErrorString(writer_.reason());
    return -1;
  }
  return size;
}

// ---- one call ----

Status save(const QString& target, std::string_view bytes) {
  Writer out(target);
  out.append(bytes);
  return out.commit();
}

bool saveTo(const QString& target, const QByteArray& bytes, QString* reason) {
  const Status saved = save(target, bytes);
  if (!saved && reason) *reason = saved.reason;
  return saved.ok;
}

Status saveByName(const QString& target, const Filler& fill) {
  Writer out(target);
  if (!out.open()) return {false, out.reason()};
  QString why;
  if (!fill(out.temporaryPath(), &why)) {
    out.fail(why.isEmpty() ? QStringLiteral("Salvataggio annullato.") : why);
    return {false, out.reason()};
  }
  return out.commit();
}

bool saveByNameTo(const QString& target, const Filler& fill, QString* reason) {
  const Status saved = saveByName(target, fill);
  if (!saved && reason) *reason = saved.reason;
  return saved.ok;
}

Status copy(QIODevice& source, const QString& target) {
  Writer out(target);
  if (!out.open()) return {false, out.reason()};
  std::vector<char> block(kBlock);
  for (;;) {
    errno = 0;
    const qint64 n = source.read(block.data(), qint64(block.size()));
    if (n < 0) {
      const int error = errno;
      out.fail(error ? reasonFor(error) : source.errorString());
      return {false, out.reason()};
    }
    if (n == 0) break;
    if (!out.append(block.data(), size_t(n))) return {false, out.reason()};
  }
  return out.commit();
}

void removeLeftovers(const QString& folder, qint64 age) {
  // the writer's names, and those of a print to file cut short by an
  // earlier version (".<name>.pdf." and six letters)
  static const QRegularExpression temporary(QStringLiteral("^\\..+\\.([A-Za-z0-9]{8}|pdf\\.[A-Za-z0-9]{6})$"));
  const QDateTime before = QDateTime::currentDateTime().addSecs(-age);
  for (const QFileInfo& e : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (e.isSymLink() || !temporary.match(e.fileName()).hasMatch()) continue;
    if (e.lastModified() >= before) continue;
    const QByteArray name = QFile::encodeName(e.absoluteFilePath());
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    // a file another writer still holds is in use, however old
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(name.constData());
    ::close(fd);
  }
}

} // namespace safefile
