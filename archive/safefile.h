// The one way the program writes a file. The new content goes to a
// temporary file beside the target; every write, the flush and the sync are
// checked; only then is it renamed over the target and the folder synced. On
// any failure the temporary file is removed, the target stays exactly as it
// was and the system's reason comes back for the caller's message. A target
// name that is a symbolic link is refused, never followed or replaced.
//
// Reading files of the program folder goes through openNoFollow() for the
// same reason: a link planted under a program file's name is not followed.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include <sys/types.h>

namespace safefile {

struct Status {
  bool ok = true;
  QString reason; // the system's reason when not ok
  explicit operator bool() const { return ok; }
};

// The program's Italian text for an error number the system gives
// (permission, full disk, missing, not a folder, a link refused, in use,
// input/output, ...); every message that names a reason takes it from here.
QString reasonFor(int error);
// The reason given when a name is a symbolic link.
QString linkReason();
// The reason given when a file to replace is read-only.
QString readOnlyReason();

// open(2) of an existing file that refuses a symbolic link at the last
// component of the name (errno ELOOP). The descriptor is close-on-exec.
int openNoFollow(const QString& path, int flags);
// Positioned reads and writes repeated until the whole span is done; a
// short transfer with no error counts as a failure (ENOSPC for a write).
bool readAt(int fd, char* data, size_t size, off_t at);
bool writeAt(int fd, const char* data, size_t size, off_t at);
// Syncs a descriptor's data; a file system that cannot sync one of this
// kind (EINVAL) is no failure of the write.
bool syncData(int fd);
// Syncs the folder holding a file, so a name made or removed there lasts;
// errno tells why it could not.
bool syncFolderOf(const QString& file);

// Writes a file piece by piece (large exports, copies): appends are
// gathered into large blocks. Nothing is visible under the target's name
// until commit() succeeds. A failed append makes every later call fail
// with the first reason. Destroying an uncommitted writer aborts it.
class Writer {
public:
  explicit Writer(QString target);
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // Creates the temporary file (done by the first append when not called).
  bool open();
  bool append(const char* data, size_t size);
  bool append(std::string_view bytes) { return append(bytes.data(), bytes.size()); }
  bool append(const QByteArray& bytes) { return append(bytes.constData(), size_t(bytes.size())); }
  // Puts the file in place; on failure the target is untouched.
  Status commit();
  // Drops what was written; the target is untouched.
  void abort();
  // Fails the writer with a reason of the caller's (a source that could
  // not be read, for instance); the file is dropped.
  void fail(const QString& reason);

  // The temporary file's name once open() succeeded, for a writer of
  // another kind that fills the file by name (a printer).
  QString temporaryPath() const { return QString::fromLocal8Bit(temp_); }

  bool ok() const { return reason_.isEmpty(); }
  const QString& reason() const { return reason_; }
  const QString& target() const { return target_; }

private:
  bool flushBuffer();
  bool failWith(int error);
  void drop();

  QString target_;
  QByteArray temp_; // the temporary file's name, encoded
  int fd_ = -1;
  bool committed_ = false;
  QString reason_;
  std::vector<char> buffer_;
};

// A write-only device over a writer, for code that writes to a QIODevice.
class Device : public QIODevice {
public:
  explicit Device(Writer& writer);

protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override;

private:
  Writer& writer_;
};

// The whole new content of a file in one call.
Status save(const QString& target, std::string_view bytes);
inline Status save(const QString& target, const QByteArray& bytes) {
  return save(target, std::string_view(bytes.constData(), size_t(bytes.size())));
}

// The same as a plain function, for code that is handed a way to save
// (the report engine): true when saved, else false with *reason set.
bool saveTo(const QString& target, const QByteArray& bytes, QString* reason);

// A file that another writer fills by name (the printer of a print to a
// file): `fill` is handed the temporary file's name and writes it whole, or
// returns false with *reason set (left empty when the user stopped it).
// The file then goes in place as any save does; nothing is ever written
// into the target itself.
using Filler = std::function<bool(const QString& temporary, QString* reason)>;
Status saveByName(const QString& target, const Filler& fill);
// The same as a plain function, for code that is handed a way to save.
bool saveByNameTo(const QString& target, const Filler& fill, QString* reason);

// Copies everything a device still has to read into the target.
Status copy(QIODevice& source, const QString& target);

// Removes from a folder the temporary files of saves that never finished
// (the program was killed, the power failed): only files named as the
// writer names them, not written to for `age` seconds and not locked by a
// writer, so a save that another workstation has in hand is never touched.
void removeLeftovers(const QString& folder, qint64 age = 10 * 60);

} // namespace safefile
