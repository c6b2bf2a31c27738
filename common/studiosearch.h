// The search of the whole studio: one word looked for in every archive the
// registered applications declare, every year whose file is present, under
// the fold of accentfold.h. The search reads only, each archive under the
// shared lock, a slice at a time: the caller (a screen) runs the slices
// from its event loop and shows what was found so far after each.
//
// A hit is kept as its archive file and its record position (16 bytes);
// what a result shows (the record's list line, the field that matched) is
// made only for the rows on screen, reading the record again.
#pragma once

#include "accentfold.h"

#include "archive/archivio.h"
#include "common/modules.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace studiosearch {

// The fewest characters a search takes, once trimmed.
inline constexpr int kShortest = 2;

// One archive file the search reads: an application's archive, for a
// yearly archive one year of it.
struct Source {
  const modules::Module* module = nullptr;
  const modules::Searched* searched = nullptr;
  QString year; // empty for a fixed archive
  QString path;
  QString fileName() const; // the file's name in the program folder
};

// The files of the registered applications' searched archives that are
// present in the program folder: applications in menu order, each archive's
// years newest first. A missing file is never created.
std::vector<Source> presentSources();

// A record found: the source it was found in, the declared field that
// matched first, and its position, in 8 bytes (a position up to 2^40).
class Hit {
public:
  Hit() = default;
  Hit(std::uint32_t source, std::uint32_t field, RecordPosition position)
      : source_(std::uint16_t(source)), field_(std::uint8_t(field)), high_(std::uint8_t(position >> 32)),
        low_(std::uint32_t(position)) {}
  std::uint32_t source() const { return source_; }
  std::uint32_t field() const { return field_; }
  RecordPosition position() const { return RecordPosition(high_) << 32 | RecordPosition(low_); }

  // What a hit can hold.
  static constexpr size_t kMostSources = 0xFFFF;
  static constexpr size_t kMostFields = 0xFF;

private:
  std::uint16_t source_;
  std::uint8_t field_;
  std::uint8_t high_;
  std::uint32_t low_;
};
static_assert(sizeof(Hit) == 8, "a hit is its place and no more");

// The hits found, in blocks of a fixed size, so that the memory they take
// grows with them and never doubles by moving.
class HitStore {
public:
  size_t size() const { return size_; }
  const Hit& operator[](size_t i) const { return blocks_[i / kBlock][i % kBlock]; }
  void push(const Hit& hit);
  // The memory the hits take.
  size_t bytes() const { return blocks_.size() * (kBlock * sizeof(Hit) + sizeof(void*)); }

private:
  static constexpr size_t kBlock = 2048;
  std::vector<std::unique_ptr<Hit[]>> blocks_;
  size_t size_ = 0;
};

// A group of results: the hits of one source, one after another in the
// store, or the source named as unreadable.
struct Group {
  std::uint32_t source = 0;
  size_t first = 0; // its first hit in the store
  size_t count = 0;
  bool unreadable = false;
};

// The text a result names an archive that could not be read with.
QString unreadableText(const QString& fileName);

// A search under way. At most Hit::kMostSources files are read, and of each
// archive the first Hit::kMostFields fields declared.
class Run {
public:
  // `typed` as the user typed it; see acceptable().
  Run(const QString& typed, std::vector<Source> sources);
  explicit Run(const QString& typed) : Run(typed, presentSources()) {}

  // Whether a typed text can be searched: at least kShortest characters
  // once trimmed.
  static bool acceptable(const QString& typed);

  // Reads on until `budget` has passed or every source is read; returns
  // true while there is more to read. Each archive is opened, read and
  // closed within the call.
  bool step(std::chrono::steady_clock::duration budget);
  bool finished() const { return current_ >= sources_.size(); }
  // The share of the sources read so far, 0 to 1, and the one being read.
  double progress() const;
  const Source* reading() const { return finished() ? nullptr : &sources_[current_]; }

  const std::vector<Source>& sources() const { return sources_; }
  const std::vector<Group>& groups() const { return groups_; }
  const HitStore& hits() const { return hits_; }
  const QByteArray& needle() const { return needle_; }

private:
  // Reads the current source from next_ on; false when it stopped for time.
  bool readCurrent(std::chrono::steady_clock::time_point until);
  Group& groupOfCurrent();

  QByteArray needle_;
  std::optional<accentfold::Finder> finder_;
  std::vector<Source> sources_;
  std::vector<Group> groups_;
  HitStore hits_;
  size_t current_ = 0;
  RecordPosition next_ = 1;
};

// What a result shows, made from the record read again.
struct Shown {
  QString headline; // the line the application's list shows
  QString caption;  // the field that matched
  QString text;     // the field's text, or the part of it around the match
  qsizetype matchStart = -1;
  qsizetype matchLength = 0;
};
// Nothing when the record can no longer be read.
std::optional<Shown> show(const Source& source, const Hit& hit, const QByteArray& needle);

} // namespace studiosearch
