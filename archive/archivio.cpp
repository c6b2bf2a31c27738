#include "archivio.h"

#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <vector>

namespace {

// How long a command waits for another workstation to finish with the file.
constexpr auto kLockPatience = std::chrono::seconds(5);

[[noreturn]] void fail(const char* what) { throw ArchiveError(what); }

// Repeats a positioned read or write until the whole span is done; a
// short transfer with no error (end of file) counts as a failure.
template <class Buffer, class Io>
bool whole(Io io, int fd, Buffer data, size_t size, off_t at) {
  while (size > 0) {
    const ssize_t n = io(fd, data, size, at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= size_t(n);
    at += n;
  }
  return true;
}

bool fullWrite(int fd, const char* data, size_t size, off_t at) { return whole(::pwrite, fd, data, size, at); }

void syncFolderOf(const QByteArray& file) {
  const qsizetype slash = file.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash);
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
bool fullRead(int fd, char* data, size_t size, off_t at) { return whole(::pread, fd, data, size, at); }

} // namespace

TArchivioSchede::TArchivioSchede(QString path, int recordSize) : path_(std::move(path)), size_(recordSize) {}

TArchivioSchede::~TArchivioSchede() {
  try {
    close();
  } catch (...) {
  }
}

void TArchivioSchede::open(Access access) {
  close();
  const QByteArray native = path_.toLocal8Bit();
  // A link planted under an archive's name is never followed (ELOOP).
  int fd = ::open(native.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  // A new archive's name is synced with its folder, so it survives a power cut.
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) syncFolderOf(native);
    else if (errno == EEXIST) fd = ::open(native.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  }
  writable_ = fd >= 0;
  // A reading command may still browse an archive it cannot write, for
  // instance a copy on read-only media; a writing command may not.
  if (fd < 0 && access == Access::Read && (errno == EACCES || errno == EROFS || errno == EPERM))
    fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) fail("open");
  const int op = (access == Access::Write ? LOCK_EX : LOCK_SH) | LOCK_NB;
  const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
  while (::flock(fd, op) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline) {
      ::close(fd);
      fail("lock");
    }
    QThread::msleep(2);
  }
  if (access == Access::Read) writable_ = false;
  fd_ = fd;
  wrote_ = false;
}

void TArchivioSchede::requireOpen() const {
  if (fd_ < 0) fail("not open");
}

void TArchivioSchede::requireWrite() const {
  requireOpen();
  if (!writable_) fail("read-only");
}

int TArchivioSchede::count() const {
  requireOpen();
  struct stat st {};
  if (::fstat(fd_, &st) != 0) fail("stat");
  return int(st.st_size / size_);
}

QByteArray TArchivioSchede::read(int n) const {
  if (n < 1 || n > count()) fail("position");
  QByteArray out(size_, Qt::Uninitialized);
  if (!fullRead(fd_, out.data(), size_t(size_), off_t(n - 1) * size_)) fail("read");
  return out;
}

void TArchivioSchede::overwrite(int n, const QByteArray& record) {
  requireWrite();
  if (record.size() != size_) fail("record size");
  if (n < 1 || n > count()) fail("position");
  wrote_ = true;
  if (!fullWrite(fd_, record.constData(), size_t(size_), off_t(n - 1) * size_)) fail("write");
}

int TArchivioSchede::append(const QByteArray& record) {
  requireWrite();
  if (record.size() != size_) fail("record size");
  struct stat st {};
  if (::fstat(fd_, &st) != 0) fail("stat");
  const int position = int(st.st_size / size_) + 1;
  const off_t at = off_t(position - 1) * size_;
  wrote_ = true;
  if (!fullWrite(fd_, record.constData(), size_t(size_), at)) {
    // Never leave part of a record behind: put the file back as it was.
    if (::ftruncate(fd_, st.st_size) != 0) {
    }
    fail("write");
  }
  return position;
}

void TArchivioSchede::scan(const std::function<bool(int, const char*)>& visit, int from) const {
  const int total = count();
  if (from < 1) from = 1;
  const int perBlock = std::max(1, (1 << 20) / size_);
  std::vector<char> block(size_t(perBlock) * size_t(size_));
  for (int first = from; first <= total; first += perBlock) {
    const int n = std::min(perBlock, total - first + 1);
    if (!fullRead(fd_, block.data(), size_t(n) * size_t(size_), off_t(first - 1) * size_)) fail("read");
    for (int i = 0; i < n; ++i)
      if (!visit(first + i, block.data() + size_t(i) * size_t(size_))) return;
  }
}

void TArchivioSchede::close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  bool ok = true;
  if (wrote_) ok = ::fdatasync(fd) == 0 || errno == EINVAL;
  ::flock(fd, LOCK_UN);
  ok = ::close(fd) == 0 && ok;
  if (!ok) fail("close");
}
