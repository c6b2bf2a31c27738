// Faults a test brings about on purpose: writes that fail as on a full disk,
// and a folder nobody may write into.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

// While it lives, no file of this process can grow past `bytes`: a write
// beyond fails with EFBIG, as a write on a full disk fails with ENOSPC.
// Files already larger stay readable.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
  rlimit old_{};
  void (*oldHandler_)(int) = SIG_DFL;
};

// While it lives, the folder cannot be written into: its permissions are
// taken away and, when the tests run as root, this thread gives up the
// capability that overrides them. written() tells whether it holds.
class ReadOnlyFolder {
public:
  explicit ReadOnlyFolder(const QString& folder) : folder_(QFile::encodeName(folder)) {
    struct stat st {};
    ::stat(folder_.constData(), &st);
    mode_ = st.st_mode & 07777;
    ::chmod(folder_.constData(), 0555);
    dropped_ = setOverride(false);
  }
  ~ReadOnlyFolder() {
    if (dropped_) setOverride(true);
    ::chmod(folder_.constData(), mode_);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // True when a new file really cannot be made in the folder.
  bool holds() const {
    const QByteArray probe = folder_ + "/.probe";
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return true;
    ::close(fd);
    ::unlink(probe.constData());
    return false;
  }

private:
  // Turns CAP_DAC_OVERRIDE of this thread's effective set off or on again.
  static bool setOverride(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0) return false;
    const bool had = data[0].effective & (1u << CAP_DAC_OVERRIDE);
    if (on) data[0].effective |= 1u << CAP_DAC_OVERRIDE;
    else data[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    return ::syscall(SYS_capset, &header, data) == 0 && (on || had);
  }

  QByteArray folder_;
  mode_t mode_ = 0755;
  bool dropped_ = false;
};
