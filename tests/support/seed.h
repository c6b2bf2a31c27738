// Archives a test starts from, written through the archive's own code: the
// records of any layout, encoded or as raw bytes, appended or put at given
// positions of a fixed or a yearly archive.
#pragma once

#include "archive/archives.h"
#include "archive/archivio.h"
#include "archive/record.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <utility>

namespace seed {

// A record as the archive stores it: a record encoded, or the bytes of one.
struct Stored {
  Stored(const Record& r) : bytes(encode(r)) {}
  Stored(QByteArray b) : bytes(std::move(b)) {}
  Stored(const char* b) = delete; // the bytes of a record hold NULs: give a QByteArray
  QByteArray bytes;
};

// The file of an archive: a fixed archive's, or a yearly one's for `year`.
inline QString pathOf(const ArchiveDef& def, const QString& year = QString()) {
  return def.isYearly() ? def.yearPath(year) : def.fixedPath();
}

// Appends the records (any range of what makes a Stored) to the archive at
// `path` of records of `recordSize` bytes, made when missing.
template <class Records>
void appendAll(const QString& path, int recordSize, const Records& records) {
  TArchivioSchede a(path, recordSize);
  a.open();
  for (const auto& r : records) a.append(Stored(r).bytes);
  a.close();
}
inline void append(const QString& path, int recordSize, std::initializer_list<Stored> records) {
  appendAll(path, recordSize, records);
}
inline void append(const QString& path, const RecordLayout& layout, std::initializer_list<Stored> records) {
  append(path, layout.size(), records);
}
// The same into an archive of the program, a yearly one for `year`.
inline void append(const ArchiveDef& def, const QString& year, std::initializer_list<Stored> records) {
  append(pathOf(def, year), def.recordSize(), records);
}
inline void append(const ArchiveDef& def, std::initializer_list<Stored> records) {
  append(def, QString(), records);
}

// `count` copies of one record appended.
inline void repeat(const QString& path, const RecordLayout& layout, const Stored& record, int count) {
  TArchivioSchede a(path, layout.size());
  a.open();
  for (int n = 0; n < count; ++n) a.append(record.bytes);
  a.close();
}

// Puts each record at its 1-based position: over the record there, or after
// the last one when the position is the next one.
inline void put(const QString& path, const RecordLayout& layout,
                std::initializer_list<std::pair<RecordPosition, Stored>> records) {
  TArchivioSchede a(path, layout.size());
  a.open();
  for (const auto& [at, r] : records) {
    if (at == a.count() + 1)
      a.append(r.bytes);
    else
      a.overwrite(at, r.bytes);
  }
  a.close();
}

} // namespace seed
