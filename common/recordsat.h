// The records of an open archive at a list of positions, as a list or a grid
// reads again the rows it shows, finds, prints or exports.
#pragma once

#include "fieldbytes.h"

#include "archive/archivio.h"

#include <QByteArray>

#include <algorithm>
#include <span>
#include <vector>

namespace recordsat {

// Visits the records at `positions`, in their order: visit(i, record), where
// `record` is nullptr for a position the file does not hold; visit returns
// false to stop, and so does this. Positions that ascend are read in runs
// through the scan's mapped windows (`inRuns`), the fields at the offsets
// `fetch` asked for a few records ahead; otherwise each record is read on
// its own. Throws ArchiveError as the archive does.
template <class Visit>
bool visit(const TArchivioSchede& archive, std::span<const RecordPosition> positions, bool inRuns,
           std::span<const int> fetch, Visit&& visit) {
  const size_t n = positions.size();
  const size_t size = size_t(archive.recordSize());
  size_t i = 0;
  bool more = true;
  if (inRuns && n > 0) {
    archive.scanRuns(
        [&](RecordPosition at, const char* records, int count) {
          const RecordPosition past = at + count;
          while (i < n && positions[i] < past) {
            const size_t ahead = i + fieldbytes::kFetchAhead;
            if (ahead < n && positions[ahead] >= at && positions[ahead] < past)
              fieldbytes::prefetch(records + size_t(positions[ahead] - at) * size, fetch);
            const RecordPosition p = positions[i++];
            more = visit(i - 1, p >= at ? records + size_t(p - at) * size : nullptr);
            if (!more) return false;
          }
          return i < n;
        },
        std::max<RecordPosition>(1, positions.front()));
  } else {
    const RecordPosition count = archive.count();
    for (; i < n && more; ++i) {
      const RecordPosition p = positions[i];
      if (p >= 1 && p <= count) {
        const QByteArray record = archive.read(p);
        more = visit(i, record.constData());
      } else {
        more = visit(i, nullptr);
      }
    }
  }
  if (!more) return false;
  // positions past the end of the file
  for (; i < n; ++i)
    if (!visit(i, nullptr)) return false;
  return true;
}

} // namespace recordsat
