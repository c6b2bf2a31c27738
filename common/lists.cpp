#include "lists.h"

#include "fieldbytes.h"
#include "recordsat.h"

#include "archive/archivio.h"
#include "archive/cp1252.h"

#include <algorithm>
#include <cstring>

namespace lists {

QString pad(QStringView text, int width) {
  QString t = fieldtext::trimmed(text);
  if (t.size() > width) t.truncate(width);
  else if (t.size() < width) t.append(QString(width - t.size(), QLatin1Char(' ')));
  return t;
}

// ---- lines ----

namespace {
// A block holds many lines; a longer line gets a block of its own.
constexpr qsizetype kBlockBytes = 64 * 1024;

std::unique_ptr<char[]> newText(qsizetype length) { return std::unique_ptr<char[]>(new char[size_t(length)]); }
} // namespace

ListLines::ListLines(const ListLines& other) { *this = other; }

ListLines& ListLines::operator=(const ListLines& other) {
  if (this == &other) return *this;
  clear();
  qsizetype total = 0;
  for (const Slot& s : other.slots_) total += s.length;
  if (total > 0) blocks_.push_back({newText(total), 0, total});
  slots_.reserve(other.slots_.size());
  for (size_t i = 0; i < other.size(); ++i) append(other.bytes(i), other.position(i));
  return *this;
}

QString ListLines::line(size_t i) const { return cp1252::decode(slots_[i].text, slots_[i].length); }

char* ListLines::startLine(qsizetype length) {
  static char nothing;
  if (length == 0) return &nothing; // an empty line takes no room
  if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < length) {
    const qsizetype capacity = std::max(length, kBlockBytes);
    blocks_.push_back({newText(capacity), 0, capacity});
  }
  Block& b = blocks_.back();
  return b.text.get() + b.used;
}

void ListLines::finishLine(qsizetype length, RecordPosition position) {
  if (length == 0) {
    slots_.push_back({nullptr, 0, position});
    return;
  }
  Block& b = blocks_.back();
  slots_.push_back({b.text.get() + b.used, int(length), position});
  b.used += length;
}

void ListLines::append(std::string_view bytes, RecordPosition position) {
  char* at = startLine(qsizetype(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), at);
  finishLine(qsizetype(bytes.size()), position);
}

void ListLines::append(QStringView text, RecordPosition position) {
  const QByteArray bytes = cp1252::encode(text);
  append(std::string_view(bytes.constData(), size_t(bytes.size())), position);
}

void ListLines::clear() {
  slots_.clear();
  blocks_.clear();
}

QStringList ListLines::toStringList() const {
  QStringList out;
  out.reserve(qsizetype(size()));
  for (size_t i = 0; i < size(); ++i) out.append(line(i));
  return out;
}

LineBuilder::LineBuilder(const RecordLayout& layout, std::span<const LineColumn> columns) {
  for (const LineColumn& c : columns) {
    const int field = layout.require(c.field);
    // The fixed texts of a line are Windows-1252 text, like its fields.
    Q_ASSERT(cp1252::decode(cp1252::encode(c.before)) == c.before);
    pieces_.push_back({cp1252::encode(c.before), layout.field(field), layout.offset(field), c.width});
  }
  texts_.resize(pieces_.size());
}

qsizetype LineBuilder::texts(const char* record, std::string_view* out) const {
  qsizetype length = 0;
  for (size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& p = pieces_[i];
    out[i] = fieldbytes::trimmed(fieldbytes::raw(p.field, record + p.offset));
    if (p.width > 0 && out[i].size() > size_t(p.width)) out[i] = out[i].substr(0, size_t(p.width));
    length += p.before.size() + (p.width > 0 ? p.width : qsizetype(out[i].size()));
  }
  return length;
}

void LineBuilder::write(const std::string_view* texts, char* at) const {
  for (size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& p = pieces_[i];
    at = std::copy(p.before.cbegin(), p.before.cend(), at);
    at = std::copy(texts[i].begin(), texts[i].end(), at);
    if (qsizetype(texts[i].size()) < p.width) {
      std::memset(at, ' ', size_t(p.width) - texts[i].size());
      at += size_t(p.width) - texts[i].size();
    }
  }
}

QString LineBuilder::operator()(const char* record) const {
  const qsizetype length = texts(record, texts_.data());
  QByteArray bytes(length, Qt::Uninitialized);
  write(texts_.data(), bytes.data());
  return cp1252::decode(bytes);
}

std::vector<int> LineBuilder::fieldOffsets() const {
  std::vector<int> out;
  for (const Piece& p : pieces_) fieldbytes::addFetchOffsets(p.field, p.offset, out);
  return out;
}

void LineBuilder::appendTo(ListLines& lines, const char* record, RecordPosition position) const {
  const qsizetype length = texts(record, texts_.data());
  write(texts_.data(), lines.startLine(length));
  lines.finishLine(length, position);
}

// ---- rows by position ----

void LineSource::lines(std::span<const RecordPosition> positions, ListLines& out) const {
  size_t done = 0; // positions whose line has been made
  try {
    TArchivioSchede archive(path, recordSize);
    archive.open(TArchivioSchede::Access::Read);
    const size_t n = positions.size();
    // Rows close together in file order are read by the scan's mapped
    // windows, scattered ones each on its own.
    const bool ascending = std::is_sorted(positions.begin(), positions.end());
    const bool close =
        ascending && n > 1 && positions.front() >= 1 && positions.back() - positions.front() < RecordPosition(8 * n);
    recordsat::visit(archive, positions, close, shown, [&](size_t i, const char* record) {
      if (record) write(record, out, positions[i]);
      else out.append(std::string_view(), positions[i]);
      done = i + 1;
      return true;
    });
    archive.close();
  } catch (const ArchiveError&) {
    // the lines not made stay empty
  }
  for (; done < positions.size(); ++done) out.append(std::string_view(), positions[done]);
}

QString ListRows::line(size_t i) const { return lines(i, 1).line(0); }

ListLines ListRows::lines(size_t first, size_t n) const {
  ListLines out;
  if (first >= size()) return out;
  n = std::min(n, size() - first);
  source_->lines(std::span<const RecordPosition>(*positions_).subspan(first, n), out);
  return out;
}

QStringList ListRows::toStringList() const {
  QStringList out;
  out.reserve(qsizetype(size()));
  for (size_t first = 0; first < size(); first += kRun) {
    const ListLines run = lines(first, kRun);
    for (size_t i = 0; i < run.size(); ++i) out.append(run.line(i));
  }
  return out;
}

size_t ListRows::memoryBytes() const {
  size_t bytes = sizeof(*this);
  if (positions_) bytes += sizeof(*positions_) + positions_->capacity() * sizeof(RecordPosition);
  if (source_) bytes += sizeof(*source_) + size_t(source_->path.capacity()) * sizeof(QChar);
  return bytes;
}

ListEntry ListRows::const_iterator::operator*() const {
  if (!run_ || i_ < runFirst_ || i_ >= runFirst_ + run_->size()) {
    runFirst_ = i_;
    run_ = std::make_shared<ListLines>(rows_->lines(i_, kRun));
  }
  return {run_->line(i_ - runFirst_), rows_->position(i_)};
}

// ---- the criteria search ----

Search::Search(const RecordLayout& layout, std::span<const Criterion> criteria, const QStringList& typed) {
  for (size_t i = 0; i < criteria.size() && i < size_t(typed.size()); ++i) {
    const QString& text = typed[qsizetype(i)];
    if (fieldtext::trimmed(text).isEmpty()) continue;
    const int field = layout.require(criteria[i].field);
    Term t{layout.field(field), layout.offset(field), std::string()};
    for (QChar c : fieldtext::lowerAZ(text)) {
      const unsigned char b = cp1252::fromUnicode(c);
      if (b == '?' && c != QLatin1Char('?')) possible_ = false;
      t.needle.push_back(char(b));
    }
    terms_.push_back(std::move(t));
  }
}

namespace {
// Whether `needle` (not empty, lower-cased A to Z) occurs in `field`, the
// field's letters A to Z compared in lower case.
inline bool containsLoweredBytes(std::string_view field, std::string_view needle) {
  const size_t m = needle.size();
  if (m > field.size()) return false;
  const char first = needle[0];
  const char firstUpper = (first >= 'a' && first <= 'z') ? char(first - 32) : first;
  const size_t last = field.size() - m;
  for (size_t i = 0; i <= last; ++i) {
    const char c = field[i];
    if (c != first && c != firstUpper) continue;
    size_t j = 1;
    while (j < m && fieldbytes::lowerAZ(field[i + j]) == needle[j]) ++j;
    if (j == m) return true;
  }
  return false;
}
} // namespace

bool Search::matches(const char* record) const {
  if (!possible_) return false;
  for (const Term& t : terms_)
    if (!containsLoweredBytes(fieldbytes::raw(t.field, record + t.offset), t.needle)) return false;
  return true;
}

std::vector<int> Search::fieldOffsets() const {
  std::vector<int> out;
  for (const Term& t : terms_) out.push_back(t.offset);
  return out;
}

Condition flagIs(const RecordLayout& layout, std::string_view field, const QString& value) {
  const int index = layout.require(field);
  const QByteArray wanted = cp1252::encode(value);
  return [&layout, index, wanted](const char* record) {
    return fieldbytes::text(layout, index, record) == std::string_view(wanted.constData(), size_t(wanted.size()))
               ? Verdict::List
               : Verdict::Skip;
  };
}

const CallerTarget* targetFor(std::span<const CallerTarget> targets, const QString& tag) {
  for (const CallerTarget& t : targets)
    if (t.tag.isEmpty() || t.tag == tag) return &t;
  return nullptr;
}

// ---- scans ----

namespace {
// `searched`: where the filter looks in a record, asked for a few records
// ahead of the one judged.
template <class Filter>
void collectInto(const ListDescription& list, const QString& path, const Filter& filter, ListRows& out,
                 std::span<const int> searched = {}) {
  const size_t size = size_t(list.layout().size());
  TArchivioSchede archive(path, list.layout().size());
  archive.open(TArchivioSchede::Access::Read);
  archive.scanRuns([&](RecordPosition first, const char* records, int n) {
    for (int i = 0; i < n; ++i) {
      if (i + fieldbytes::kFetchAhead < n) fieldbytes::prefetch(records + size_t(i + fieldbytes::kFetchAhead) * size, searched);
      const Verdict v = filter(records + size_t(i) * size);
      if (v == Verdict::Stop) return false;
      if (v == Verdict::List) out.add(first + i);
    }
    return true;
  });
  archive.close();
}
} // namespace

std::shared_ptr<const LineSource> lineSource(const ListDescription& list, const QString& path) {
  auto line = std::make_shared<const LineBuilder>(list.layout(), list.line);
  return std::make_shared<const LineSource>(LineSource{
      path, list.layout().size(),
      [line](const char* record, ListLines& out, RecordPosition position) { line->appendTo(out, record, position); },
      line->fieldOffsets()});
}

ListRows collect(const ListDescription& list, const QString& path, const std::function<Verdict(const char*)>& filter) {
  ListRows out(lineSource(list, path));
  collectInto(list, path, filter, out);
  out.finish();
  return out;
}

ListRows search(const ListDescription& list, const QString& path, const QStringList& typed) {
  const Search s(list.layout(), list.criteria, typed);
  ListRows out(lineSource(list, path));
  collectInto(
      list, path, [&s](const char* record) { return s.matches(record) ? Verdict::List : Verdict::Skip; }, out,
      s.fieldOffsets());
  out.finish();
  return out;
}

ListRows summary(const ListDescription& list, const QString& path) {
  ListRows out(lineSource(list, path));
  try {
    if (list.condition)
      collectInto(list, path, list.condition, out);
    else
      collectInto(list, path, [](const char*) { return Verdict::List; }, out);
  } catch (const ArchiveError&) {
    // what was listed so far stays
  }
  out.finish();
  return out;
}

std::optional<Record> readRecord(const ListDescription& list, const QString& path, RecordPosition position) {
  try {
    TArchivioSchede archive(path, list.layout().size());
    archive.open(TArchivioSchede::Access::Read);
    if (position < 1 || position > archive.count()) {
      archive.close();
      return std::nullopt;
    }
    const QByteArray bytes = archive.read(position);
    archive.close();
    return decode(list.layout(), bytes.constData());
  } catch (const ArchiveError&) {
    return std::nullopt;
  }
}

// ---- find in the list ----

template <class Bytes>
InListFind::Outcome InListFind::pressOver(int n, int selected, const QString& typed, Bytes&& bytes) {
  if (n == 0) return {true, selected};
  if (selected < 0 || selected >= n) selected = 0;
  const QString t = fieldtext::lowerAZ(typed);
  const bool again = t == last_;
  last_ = t;
  if (t.isEmpty()) return {false, selected};
  // The lines hold Windows-1252 only: a text with a character the code page
  // lacks is in none of them.
  const QByteArray needle = cp1252::encode(t);
  if (cp1252::decode(needle) != t) return {false, selected};
  const std::string_view wanted(needle.constData(), size_t(needle.size()));
  const int first = again ? selected + 1 : 0;
  for (int k = 0; k < n; ++k) {
    const int i = (first + k) % n;
    if (containsLoweredBytes(bytes(size_t(i)), wanted)) return {false, i};
  }
  return {false, selected};
}

InListFind::Outcome InListFind::press(const ListLines& lines, int selected, const QString& typed) {
  return pressOver(int(lines.size()), selected, typed, [&lines](size_t i) { return lines.bytes(i); });
}

InListFind::Outcome InListFind::press(const ListRows& rows, int selected, const QString& typed) {
  // The lines are made a run at a time from the row the find has reached,
  // each run longer than the one before: a match close by costs a short
  // reading, a long find few openings of the file.
  ListLines run;
  size_t runFirst = 0, runLength = 256;
  return pressOver(int(rows.size()), selected, typed, [&](size_t i) {
    if (i < runFirst || i >= runFirst + run.size()) {
      runFirst = i;
      run = rows.lines(i, runLength);
      runLength = std::min(runLength * 2, 4 * ListRows::kRun);
    }
    return run.bytes(i - runFirst);
  });
}

} // namespace lists
