#include "lists.h"

#include "fieldbytes.h"

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
// `searched`: where the filter looks in a record. Each run of records is
// judged first, then the lines of those listed are built, so that memory
// is asked ahead for what each step reads and for no record skipped.
template <class Filter>
void collectInto(const ListDescription& list, const QString& path, const Filter& filter, ListLines& out,
                 std::span<const int> searched = {}) {
  const LineBuilder line(list.layout(), list.line);
  const std::vector<int> shown = line.fieldOffsets();
  const size_t size = size_t(list.layout().size());
  std::vector<int> listed;
  TArchivioSchede archive(path, list.layout().size());
  archive.open(TArchivioSchede::Access::Read);
  archive.scanRuns([&](RecordPosition first, const char* records, int n) {
    listed.clear();
    bool stopped = false;
    for (int i = 0; i < n; ++i) {
      if (i + fieldbytes::kFetchAhead < n) fieldbytes::prefetch(records + size_t(i + fieldbytes::kFetchAhead) * size, searched);
      const Verdict v = filter(records + size_t(i) * size);
      if (v == Verdict::Stop) {
        stopped = true;
        break;
      }
      if (v == Verdict::List) listed.push_back(i);
    }
    for (size_t j = 0; j < listed.size(); ++j) {
      if (j + fieldbytes::kFetchAhead < listed.size())
        fieldbytes::prefetch(records + size_t(listed[j + fieldbytes::kFetchAhead]) * size, shown);
      line.appendTo(out, records + size_t(listed[j]) * size, first + listed[j]);
    }
    return !stopped;
  });
  archive.close();
}
} // namespace

ListLines collect(const ListDescription& list, const QString& path, const std::function<Verdict(const char*)>& filter) {
  ListLines out;
  collectInto(list, path, filter, out);
  return out;
}

ListLines search(const ListDescription& list, const QString& path, const QStringList& typed) {
  const Search s(list.layout(), list.criteria, typed);
  ListLines out;
  collectInto(
      list, path, [&s](const char* record) { return s.matches(record) ? Verdict::List : Verdict::Skip; }, out,
      s.fieldOffsets());
  return out;
}

ListLines summary(const ListDescription& list, const QString& path) {
  ListLines out;
  try {
    if (list.condition)
      collectInto(list, path, list.condition, out);
    else
      collectInto(list, path, [](const char*) { return Verdict::List; }, out);
  } catch (const ArchiveError&) {
    // what was listed so far stays
  }
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

InListFind::Outcome InListFind::press(const ListLines& lines, int selected, const QString& typed) {
  if (lines.empty()) return {true, selected};
  const int n = int(lines.size());
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
    if (containsLoweredBytes(lines.bytes(size_t(i)), wanted)) return {false, i};
  }
  return {false, selected};
}

} // namespace lists
