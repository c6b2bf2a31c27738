// TArchivioSchede: one archive file of fixed-size records with no header,
// addressed by 1-based position. A command opens it, works and closes it.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <QString>

#include <functional>
#include <sys/types.h>
#include <stdexcept>

// The one message every command shows when an archive cannot be used.
inline const QString& archiveAccessMessage() {
  static const QString s = QStringLiteral(
      "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
      "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
  return s;
}

// The 1-based position of a record in its archive, and a count of records.
// 64-bit everywhere, so an archive past 2^31 records neither wraps nor gives
// an early record's position to a new one.
using RecordPosition = qint64;

class ArchiveError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TArchivioSchede {
public:
  // Write access holds an exclusive lock from open to close, read access a
  // shared one, so two copies of the program sharing a folder never give one
  // position to two records.
  enum class Access { Read, Write };

  TArchivioSchede(QString path, int recordSize);
  ~TArchivioSchede();
  TArchivioSchede(const TArchivioSchede&) = delete;
  TArchivioSchede& operator=(const TArchivioSchede&) = delete;

  // Opens the file, creating it empty when missing. Throws ArchiveError.
  void open(Access access = Access::Write);
  bool isOpen() const { return fd_ >= 0; }
  // Whole records in the file; a trailing fragment is not a record.
  RecordPosition count() const;
  // Record n, 1 <= n <= count().
  QByteArray read(RecordPosition n) const;
  // Replaces record n in place with one write of the whole record.
  void overwrite(RecordPosition n, const QByteArray& record);
  // Writes the record after the last one and returns its position.
  RecordPosition append(const QByteArray& record);
  // Visits records from..count() in file order, a run of consecutive
  // records at a time: `records` holds `n` records one after the other, the
  // first of them at `position`, valid during the visit only; visit returns
  // false to stop. A run is never longer than a window, so `n` fits an int.
  // The file is mapped a window at a time, so a visitor that
  // looks at a few fields reads only those; where mapping is not possible it
  // is read in large blocks.
  using RunVisitor = std::function<bool(RecordPosition position, const char* records, int n)>;
  using RecordVisitor = std::function<bool(RecordPosition position, const char* record)>;
  void scanRuns(const RunVisitor& visit, RecordPosition from = 1) const;
  // The same, one record at a time.
  void scan(const RecordVisitor& visit, RecordPosition from = 1) const;
  void close();

  const QString& path() const { return path_; }
  int recordSize() const { return size_; }

private:
  void requireOpen() const;
  void requireWrite() const;
  void readScan(const RunVisitor& visit, RecordPosition from, RecordPosition total) const;
  // Where record n begins in the file.
  off_t offsetOf(RecordPosition n) const { return off_t(n - 1) * off_t(size_); }

  QString path_;
  int size_;
  int fd_ = -1;
  bool writable_ = false;
  bool wrote_ = false;
};
