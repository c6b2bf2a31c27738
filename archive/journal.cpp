#include "journal.h"
#include "safefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace journal {

namespace {

// "VJ1" + offset (8 bytes) + length (4 bytes) + the archive's file number
// and size (8 bytes each), the old bytes, then a check over all of it: a
// journal cut short by a kill fails the check, and is known to have been
// made before the archive was touched. One made for another file (an
// archive put back from a backup since) is not applied.
constexpr char kMagic[4] = {'V', 'J', '1', '\n'};
constexpr size_t kLengthAt = sizeof kMagic + 8;
constexpr size_t kFileAt = kLengthAt + 4;
constexpr size_t kHead = kFileAt + 16;

quint64 check(const char* data, size_t size) {
  quint64 h = 1469598103934665603ull; // FNV-1a
  for (size_t i = 0; i < size; ++i) h = (h ^ quint8(data[i])) * 1099511628211ull;
  return h;
}

void putNumber(char* at, quint64 value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = char((value >> (8 * i)) & 0xff);
}
quint64 getNumber(const char* at, int bytes) {
  quint64 v = 0;
  for (int i = 0; i < bytes; ++i) v |= quint64(quint8(at[i])) << (8 * i);
  return v;
}

QByteArray encoded(const QString& archive) { return QFile::encodeName(pathFor(archive)); }

} // namespace

QString pathFor(const QString& archive) {
  const QFileInfo info(archive);
  return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-giornale");
}

bool pending(const QString& archive) {
  struct stat st {};
  return ::lstat(encoded(archive).constData(), &st) == 0;
}

bool keep(const QString& archive, int fd, off_t at, size_t length) {
  QByteArray bytes(qsizetype(kHead + length + 8), '\0');
  char* p = bytes.data();
  std::memcpy(p, kMagic, sizeof kMagic);
  putNumber(p + sizeof kMagic, quint64(at), 8);
  putNumber(p + kLengthAt, quint64(length), 4);
  struct stat archiveStat {};
  if (::fstat(fd, &archiveStat) != 0) return false;
  putNumber(p + kFileAt, quint64(archiveStat.st_ino), 8);
  putNumber(p + kFileAt + 8, quint64(archiveStat.st_size), 8);
  if (!safefile::readAt(fd, p + kHead, length, at)) {
    if (errno == 0) errno = EIO;
    return false;
  }
  putNumber(p + kHead + length, check(p, kHead + length), 8);
  const QByteArray name = encoded(archive);
  // A link or anything else planted under the journal's name is never
  // followed: the name is removed first and made anew.
  ::unlink(name.constData());
  const int j = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (j < 0) return false;
  bool ok = safefile::writeAt(j, bytes.constData(), size_t(bytes.size()), 0) && safefile::syncData(j);
  int error = errno;
  ok = ::close(j) == 0 && ok;
  if (ok && !safefile::syncFolderOf(archive)) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(name.constData());
    errno = error ? error : EIO;
  }
  return ok;
}

bool restore(const QString& archive, int fd) {
  const QByteArray name = encoded(archive);
  const int j = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (j < 0) return errno == ENOENT;
  struct stat st {};
  QByteArray bytes;
  if (::fstat(j, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= off_t(kHead + 8) && st.st_size < (off_t(1) << 26)) {
    bytes.resize(qsizetype(st.st_size));
    if (!safefile::readAt(j, bytes.data(), size_t(bytes.size()), 0)) bytes.clear();
  }
  ::close(j);
  const char* p = bytes.constData();
  struct stat archiveStat {};
  if (::fstat(fd, &archiveStat) != 0) return false;
  const bool whole = !bytes.isEmpty() && std::memcmp(p, kMagic, sizeof kMagic) == 0 &&
                     getNumber(p + kLengthAt, 4) + kHead + 8 == quint64(bytes.size()) &&
                     getNumber(p + bytes.size() - 8, 8) == check(p, size_t(bytes.size()) - 8);
  const bool sameFile = whole && getNumber(p + kFileAt, 8) == quint64(archiveStat.st_ino) &&
                        getNumber(p + kFileAt + 8, 8) == quint64(archiveStat.st_size);
  if (sameFile) {
    const off_t at = off_t(getNumber(p + sizeof kMagic, 8));
    const size_t length = size_t(getNumber(p + kLengthAt, 4));
    if (!safefile::writeAt(fd, p + kHead, length, at) || !safefile::syncData(fd)) return false;
  }
  // A journal that fails its check was cut short while it was made, before
  // the archive was touched: there is nothing to put back.
  return ::unlink(name.constData()) == 0 || errno == ENOENT;
}

void drop(const QString& archive) { ::unlink(encoded(archive).constData()); }

bool recover(const QString& archive) {
  if (!pending(archive)) return true;
  const int fd = ::open(QFile::encodeName(archive).constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  bool locked = false;
  while (!(locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0) && (errno == EWOULDBLOCK || errno == EINTR) &&
         std::chrono::steady_clock::now() < deadline)
    ::usleep(2000);
  const bool ok = locked && restore(archive, fd);
  ::close(fd);
  return ok;
}

} // namespace journal
