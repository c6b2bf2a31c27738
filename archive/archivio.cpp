#include "archivio.h"
#include "journal.h"
#include "safefile.h"

#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <vector>

// Offsets are computed in off_t: a file of more than 2 GB must never wrap.
static_assert(sizeof(off_t) == 8, "archives need 64-bit file offsets");

namespace {

// How long a command waits for another workstation to finish with the file.
constexpr auto kLockPatience = std::chrono::seconds(5);

[[noreturn]] void fail(const char* what) { throw ArchiveError(what); }


// ---- scanning through mapped windows ----
//
// A scan maps the archive a window at a time and hands out records where
// they lie, so it touches only the bytes its visitor looks at (a search
// reads a few fields of each record, not the whole file). Each window is
// loaded before it is visited, and a page that cannot be loaded fails the
// scan as a failed read does. Should a page still fail later (the file cut
// short meanwhile by a program that ignores the lock), the access raises
// SIGBUS: the handler puts a page of zeros in its place and marks the
// window, and the scan fails once the window's visit returns.

constexpr size_t kWindowBytes = size_t(16) << 20;

struct MappedWindow {
  char* base = nullptr;
  size_t length = 0;
  volatile std::sig_atomic_t damaged = 0;
  MappedWindow* outer = nullptr; // a scan inside a visitor's scan
};

thread_local MappedWindow* tWindows = nullptr;
struct sigaction gPreviousBus {};

void onBusError(int signal, siginfo_t* info, void* context) {
  const auto at = reinterpret_cast<uintptr_t>(info->si_addr);
  for (MappedWindow* w = tWindows; w; w = w->outer) {
    const auto base = reinterpret_cast<uintptr_t>(w->base);
    if (at < base || at >= base + w->length) continue;
    const uintptr_t page = at & ~uintptr_t(::sysconf(_SC_PAGESIZE) - 1);
    if (::mmap(reinterpret_cast<void*>(page), size_t(::sysconf(_SC_PAGESIZE)), PROT_READ,
               MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
      w->damaged = 1;
      return;
    }
    break;
  }
  // Not a page of an archive: whatever was there before takes it.
  if ((gPreviousBus.sa_flags & SA_SIGINFO) && gPreviousBus.sa_sigaction) {
    gPreviousBus.sa_sigaction(signal, info, context);
    return;
  }
  if (gPreviousBus.sa_handler != SIG_DFL && gPreviousBus.sa_handler != SIG_IGN) {
    gPreviousBus.sa_handler(signal);
    return;
  }
  ::signal(SIGBUS, SIG_DFL); // the faulting access repeats and ends the program as before
}

void guardMappedReads() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction a {};
    a.sa_sigaction = onBusError;
    a.sa_flags = SA_SIGINFO;
    sigemptyset(&a.sa_mask);
    ::sigaction(SIGBUS, &a, &gPreviousBus);
  });
}

// n records from byte `start` on mapped for reading; unmapped when it goes.
class Window {
public:
  Window(int fd, off_t start, int recordSize, int n) {
    static const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    const off_t aligned = start - off_t(size_t(start) % page);
    lead_ = size_t(start - aligned);
    w_.length = lead_ + size_t(n) * size_t(recordSize);
    void* p = ::mmap(nullptr, w_.length, PROT_READ, MAP_SHARED, fd, aligned);
    if (p == MAP_FAILED) return;
    w_.base = static_cast<char*>(p);
    w_.outer = tWindows;
    tWindows = &w_;
  }
  ~Window() {
    if (!w_.base) return;
    tWindows = w_.outer;
    ::munmap(w_.base, w_.length);
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  bool mapped() const { return w_.base != nullptr; }
  // Loads every page; false when one cannot be read. Where loading ahead is
  // not possible (an older kernel), pages load as they are touched.
  bool load() {
    const bool unreadable = ::madvise(w_.base, w_.length, MADV_POPULATE_READ) != 0 && (errno == EFAULT || errno == EIO);
    return !unreadable && !w_.damaged;
  }
  const char* records() const { return w_.base + lead_; }
  bool damaged() const { return w_.damaged != 0; }

private:
  MappedWindow w_;
  size_t lead_ = 0;
};

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
    if (fd >= 0) safefile::syncFolderOf(path_);
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
  // An overwrite cut short by a kill or a power cut left its journal: the
  // old record goes back before anybody reads the archive, under the
  // exclusive lock, so two workstations agree on what it holds.
  if (writable_ && journal::pending(path_)) {
    if (access == Access::Read && ::flock(fd, LOCK_EX) != 0) {
      ::close(fd);
      fail("lock");
    }
    if (!journal::restore(path_, fd)) {
      ::close(fd);
      fail("journal");
    }
    if (access == Access::Read) ::flock(fd, LOCK_SH);
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

RecordPosition TArchivioSchede::count() const {
  requireOpen();
  struct stat st {};
  if (::fstat(fd_, &st) != 0) fail("stat");
  return RecordPosition(st.st_size / size_);
}

QByteArray TArchivioSchede::read(RecordPosition n) const {
  if (n < 1 || n > count()) fail("position");
  QByteArray out(size_, Qt::Uninitialized);
  if (!safefile::readAt(fd_, out.data(), size_t(size_), offsetOf(n))) fail("read");
  return out;
}

void TArchivioSchede::overwrite(RecordPosition n, const QByteArray& record) {
  requireWrite();
  if (record.size() != size_) fail("record size");
  if (n < 1 || n > count()) fail("position");
  // The old record is kept in the journal first, so the overwrite lands
  // whole or not at all, even when the write or the machine fails midway.
  if (!journal::keep(path_, fd_, offsetOf(n), size_t(size_))) fail("journal");
  wrote_ = true;
  if (!safefile::writeAt(fd_, record.constData(), size_t(size_), offsetOf(n)) || !safefile::syncData(fd_)) {
    journal::restore(path_, fd_); // what it cannot put back, the next opener does
    fail("write");
  }
  journal::drop(path_);
}

RecordPosition TArchivioSchede::append(const QByteArray& record) {
  requireWrite();
  if (record.size() != size_) fail("record size");
  struct stat st {};
  if (::fstat(fd_, &st) != 0) fail("stat");
  const RecordPosition position = RecordPosition(st.st_size / size_) + 1;
  const off_t at = offsetOf(position);
  wrote_ = true;
  if (!safefile::writeAt(fd_, record.constData(), size_t(size_), at)) {
    // Never leave part of a record behind: put the file back as it was.
    if (::ftruncate(fd_, st.st_size) != 0) {
    }
    fail("write");
  }
  return position;
}

void TArchivioSchede::scanRuns(const RunVisitor& visit, RecordPosition from) const {
  const RecordPosition total = count();
  if (from < 1) from = 1;
  if (from > total) return;
  guardMappedReads();
  const int perWindow = std::max(1, int(kWindowBytes / size_t(size_)));
  for (RecordPosition first = from; first <= total; first += perWindow) {
    const int n = int(std::min<RecordPosition>(perWindow, total - first + 1));
    Window window(fd_, offsetOf(first), size_, n);
    if (!window.mapped()) {
      // A file system that cannot map files, or no address space left: the
      // rest is read block by block.
      readScan(visit, first, total);
      return;
    }
    if (!window.load()) fail("read");
    const bool more = visit(first, window.records(), n);
    if (window.damaged()) fail("read");
    if (!more) return;
  }
}

void TArchivioSchede::scan(const RecordVisitor& visit, RecordPosition from) const {
  scanRuns(
      [&](RecordPosition first, const char* records, int n) {
        for (int i = 0; i < n; ++i)
          if (!visit(first + i, records + size_t(i) * size_t(size_))) return false;
        return true;
      },
      from);
}

void TArchivioSchede::readScan(const RunVisitor& visit, RecordPosition from, RecordPosition total) const {
  const int perBlock = std::max(1, (1 << 20) / size_);
  std::vector<char> block(size_t(perBlock) * size_t(size_));
  for (RecordPosition first = from; first <= total; first += perBlock) {
    const int n = int(std::min<RecordPosition>(perBlock, total - first + 1));
    if (!safefile::readAt(fd_, block.data(), size_t(n) * size_t(size_), offsetOf(first))) fail("read");
    if (!visit(first, block.data(), n)) return;
  }
}

void TArchivioSchede::close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  bool ok = true;
  if (wrote_) ok = safefile::syncData(fd);
  ::flock(fd, LOCK_UN);
  ok = ::close(fd) == 0 && ok;
  if (!ok) fail("close");
}
