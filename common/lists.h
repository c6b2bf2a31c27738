// Search and summary lists: the records listed, kept by position, one text
// line per record made from the file when it is asked for, the criteria search,
// the summaries' conditions, the find inside a shown list and the table of
// screens that receive a double-clicked record. Every search and summary
// screen is one ListDescription read by one list screen.
#pragma once

#include "archive/archives.h"
#include "archive/archivio.h"
#include "archive/layout.h"
#include "archive/record.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace lists {

// Where a list or export reads its records: the archive's fixed file, or
// for a yearly archive the file named by the hidden `lblFile` of a screen
// (the card that opened the list, or a year menu).
struct ArchivePath {
  const ArchiveDef* archive = nullptr;
  QString yearScreen; // a yearly archive: the screen whose `lblFile` names the year's file
  static ArchivePath of(const ArchiveDef& archive, const QString& yearScreen = QString()) {
    return {&archive, yearScreen};
  }
};

// One piece of a list line: a fixed text, then a field. A field with a
// width is trimmed, then filled with blanks or cut to exactly that width; a
// field of width 0 is trimmed only (the last column of most lines).
struct LineColumn {
  QString before;
  std::string_view field;
  int width = 0;
};

// A text trimmed, then cut to `width` characters or filled with blanks on the
// right to exactly `width`.
QString pad(QStringView text, int width);

// A listed line and the position of the record it was built from.
struct ListEntry {
  QString line;
  RecordPosition position = 0;
};

// Lines made from records and the record behind each: a run of a list's
// lines as they are shown, found or printed (ListRows::lines), or lines
// given as they are. The lines are kept as they are built, in Windows-1252
// like the fields they come from, one after the other in large blocks: many
// lines cost no allocation per line, and a line becomes text only when it
// is used.
class ListLines {
public:
  ListLines() = default;
  ListLines(const ListLines& other);
  ListLines& operator=(const ListLines& other);
  ListLines(ListLines&&) noexcept = default;
  ListLines& operator=(ListLines&&) noexcept = default;

  size_t size() const { return slots_.size(); }
  bool empty() const { return slots_.empty(); }
  // The line as Windows-1252 bytes; it stays where it is until the list is
  // cleared or destroyed.
  std::string_view bytes(size_t i) const { return {slots_[i].text, size_t(slots_[i].length)}; }
  QString line(size_t i) const;
  RecordPosition position(size_t i) const { return slots_[i].position; }
  ListEntry operator[](size_t i) const { return {line(i), position(i)}; }

  // The entries in order, each made when reached: for (const ListEntry& e : lines).
  class const_iterator {
  public:
    using value_type = ListEntry;
    using difference_type = std::ptrdiff_t;
    const_iterator(const ListLines* lines, size_t i) : lines_(lines), i_(i) {}
    ListEntry operator*() const { return (*lines_)[i_]; }
    const_iterator& operator++() { return ++i_, *this; }
    const_iterator operator++(int) { return {lines_, i_++}; }
    bool operator==(const const_iterator& other) const { return i_ == other.i_; }

  private:
    const ListLines* lines_;
    size_t i_;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // A line given as text; a character the code page lacks is kept as "?".
  void append(QStringView text, RecordPosition position);
  void append(std::string_view bytes, RecordPosition position);
  // Room for a line of up to `length` bytes, written by the caller and then
  // kept with finishLine() (at most `length` of them).
  char* startLine(qsizetype length);
  void finishLine(qsizetype length, RecordPosition position);
  void clear();

  QStringList toStringList() const;

private:
  struct Block {
    std::unique_ptr<char[]> text; // left unset until written
    qsizetype used = 0;
    qsizetype capacity = 0;
  };
  // A line's text, its length (a line is short) and its record's position.
  struct Slot {
    const char* text;
    int length;
    RecordPosition position;
  };
  static_assert(sizeof(Slot) <= 24, "a list of many lines must stay compact");
  std::vector<Block> blocks_;
  std::vector<Slot> slots_;
};

// What makes the lines of a list again from its records: the file the list
// was read from, the size of a record and the line of one record. The file
// is opened for reading only while lines are made and closed again, so a
// card may save (an exclusive lock) while its list stays on screen.
struct LineSource {
  QString path;
  int recordSize = 0;
  // Appends the line of `record` (at `position`) to `out`.
  std::function<void(const char* record, ListLines& out, RecordPosition position)> write;
  // Where the fields a line shows lie in a record, asked for a few records
  // ahead of the line being made.
  std::vector<int> shown;

  // Appends the lines of the records at `positions`, in the order given,
  // from one opening of the file. A record that cannot be read (the file
  // shortened, damaged or gone) gives an empty line.
  void lines(std::span<const RecordPosition> positions, ListLines& out) const;
};

// The records a list shows, by position: 8 bytes a row, the line of a row
// made again from its record when it is asked for. The rows are shared by
// the copies of a list, which are cheap; a list is filled once, by the scan
// that finds its records, in file order.
class ListRows {
public:
  ListRows() = default;
  explicit ListRows(std::shared_ptr<const LineSource> source)
      : source_(std::move(source)), positions_(std::make_shared<std::vector<RecordPosition>>()) {}

  size_t size() const { return positions_ ? positions_->size() : 0; }
  bool empty() const { return size() == 0; }
  RecordPosition position(size_t i) const { return (*positions_)[i]; }
  std::span<const RecordPosition> positions() const {
    return positions_ ? std::span<const RecordPosition>(*positions_) : std::span<const RecordPosition>();
  }
  // One line, read on its own; lines(first, n) reads many at once.
  QString line(size_t i) const;
  ListEntry operator[](size_t i) const { return {line(i), position(i)}; }
  // The lines of rows first .. first + n - 1, made from one reading of the file.
  ListLines lines(size_t first, size_t n) const;
  QStringList toStringList() const;
  // The memory the list holds, its shared line maker included.
  size_t memoryBytes() const;

  // The entries in order, their lines made a large run at a time as they
  // are reached: for (const ListEntry& e : rows).
  class const_iterator {
  public:
    using value_type = ListEntry;
    using difference_type = std::ptrdiff_t;
    const_iterator(const ListRows* rows, size_t i) : rows_(rows), i_(i) {}
    ListEntry operator*() const;
    const_iterator& operator++() { return ++i_, *this; }
    bool operator==(const const_iterator& other) const { return i_ == other.i_; }

  private:
    const ListRows* rows_;
    size_t i_;
    mutable std::shared_ptr<ListLines> run_; // the lines made from row runFirst_ on
    mutable size_t runFirst_ = 0;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // Filling, by the scan that finds the records.
  void add(RecordPosition position) { positions_->push_back(position); }
  // Done filling: the rows keep no room to spare.
  void finish() { if (positions_) positions_->shrink_to_fit(); }
  void clear() { positions_.reset(); }

  // How many lines are made at once where many are read.
  static constexpr size_t kRun = 4096;

private:
  std::shared_ptr<const LineSource> source_;
  std::shared_ptr<std::vector<RecordPosition>> positions_;
};

// Builds the line of a record; field indexes are resolved once.
class LineBuilder {
public:
  LineBuilder(const RecordLayout& layout, std::span<const LineColumn> columns);
  QString operator()(const char* record) const;
  // The line written straight into a list.
  void appendTo(ListLines& lines, const char* record, RecordPosition position) const;
  // Where the fields the line shows lie in a record.
  std::vector<int> fieldOffsets() const;

private:
  struct Piece {
    QByteArray before; // in Windows-1252
    FieldDef field;
    int offset;
    int width;
  };
  // The field texts of a record, cut to their columns, and the line's length.
  qsizetype texts(const char* record, std::string_view* out) const;
  void write(const std::string_view* texts, char* at) const;
  std::vector<Piece> pieces_;
  mutable std::vector<std::string_view> texts_; // the texts of the line being built
};

// A criterion of a search screen: its edit, the caption beside it and the
// field it searches.
struct Criterion {
  QString edit;
  QString caption;
  std::string_view field;
};

// The criteria search. Each criterion's text is lower-cased as typed (letters
// A to Z only, not trimmed) and looked for as a substring of the lower-cased
// stored field (not trimmed); accented letters match only themselves. Only
// the criteria whose trimmed text is not empty take part, and a record
// matches when every one of them occurs, so a criterion of blanks alone
// never stands in for a real one. With no such criterion every record matches.
class Search {
public:
  Search(const RecordLayout& layout, std::span<const Criterion> criteria, const QStringList& typed);
  // The number of criteria taking part.
  int counted() const { return int(terms_.size()); }
  bool matches(const char* record) const;
  // Where the fields searched lie in a record.
  std::vector<int> fieldOffsets() const;

private:
  struct Term {
    FieldDef field;
    int offset;
    std::string needle; // Windows-1252, lower-cased A to Z
  };
  std::vector<Term> terms_;
  bool possible_ = true; // false when a text holds a character the code page lacks
};

// What a summary's condition (or an export's row selection) says of a record.
enum class Verdict {
  Skip, // not listed
  List, // listed
  Stop, // the record cannot be judged (a date that is not a date): the
        // filling ends here with what was listed so far
};
using Condition = std::function<Verdict(const char* record)>;

// A yes/no flag whose trimmed text is exactly `value` ("Sì" or "No").
Condition flagIs(const RecordLayout& layout, std::string_view field, const QString& value);

// Who receives a double-clicked record, by the caller tag in `lblMemory`.
struct CallerTarget {
  QString tag;    // the caller tag; empty: whatever the tag (the summaries)
  QString screen; // object name of the receiving screen
  // true: the whole record, as the card's own navigation loads it, and the
  // record's position in `lblPosizione` (the card of the same archive)
  bool wholeRecord = false;
  // otherwise: the controls that receive a field (control <- field)
  std::vector<std::pair<QString, std::string_view>> copies;
};

// The row for a caller tag, or nullptr when the tag has no receiver.
const CallerTarget* targetFor(std::span<const CallerTarget> targets, const QString& tag);

struct ListDescription {
  QString screen;     // object name of the list screen
  QString caption;    // window caption
  QString printTitle; // title of the printed list
  ArchivePath path;
  std::vector<Criterion> criteria; // a search screen; empty for a summary
  Condition condition;             // a summary: which records are listed
  std::vector<LineColumn> line;
  QString countPrefix = QStringLiteral("Il presente riepilogo contiene ");
  std::vector<CallerTarget> targets;
  // A summary that lists its records when the screen is made rather than
  // each time it is shown (an instance made at start-up reads its archive
  // then, once).
  bool fillWhenCreated = false;

  const RecordLayout& layout() const { return *path.archive->layout; }
  bool isSearch() const { return !criteria.empty(); }
  QString countText(int lines) const { return countPrefix + QString::number(lines) + QStringLiteral(" schede."); }
};

// The line maker of a list's rows read from the file at `path`.
std::shared_ptr<const LineSource> lineSource(const ListDescription& list, const QString& path);

// The records of the archive at `path` that the filter lists, in file order;
// their lines are made from the file when asked for. A Stop verdict ends the
// scan. Throws ArchiveError.
ListRows collect(const ListDescription& list, const QString& path, const std::function<Verdict(const char*)>& filter);
// "Cerca": the records matching the criteria texts typed (one per criterion,
// in order). Throws ArchiveError.
ListRows search(const ListDescription& list, const QString& path, const QStringList& typed);
// A summary: the records meeting the condition. A failure of the archive ends
// the filling silently with what was listed so far.
ListRows summary(const ListDescription& list, const QString& path);
// The record at a position, read again for loading; nothing when the archive
// cannot be read or no longer holds that position.
std::optional<Record> readRecord(const ListDescription& list, const QString& path, RecordPosition position);

// The find inside a shown list ("Trova").
class InListFind {
public:
  struct Outcome {
    bool emptyList = false; // nothing to search: the screen says so
    int selected = -1;      // the line to select
  };
  // `selected` is the selected line or -1. A new text searches from the first
  // line on; the text of the previous press searches from the line after the
  // selected one, wrapping around, the selected line tested last. Without a
  // match the selection stays (the first line when none was selected).
  Outcome press(const ListLines& lines, int selected, const QString& typed);
  // The same over a list's rows, their lines made a large run at a time
  // as the find reaches them.
  Outcome press(const ListRows& rows, int selected, const QString& typed);
  void forget() { last_.clear(); }
  const QString& lastText() const { return last_; }

private:
  // `bytes(i)`: the line of row i, asked for in the order of the find.
  template <class Bytes>
  Outcome pressOver(int n, int selected, const QString& typed, Bytes&& bytes);
  QString last_;
};


// Texts every list screen shows.
namespace text {
inline const QString& emptyListMessage() {
  static const QString s = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
  return s;
}
} // namespace text

} // namespace lists
