#include "lists.h"

#include "fieldbytes.h"

#include "archive/archivio.h"
#include "archive/cp1252.h"

#include <algorithm>

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
constexpr qsizetype kBlockChars = 32 * 1024;
} // namespace

ListLines::ListLines(const ListLines& other) { *this = other; }

ListLines& ListLines::operator=(const ListLines& other) {
  if (this == &other) return *this;
  clear();
  qsizetype total = 0;
  for (const Slot& s : other.slots_) total += s.length;
  if (total > 0) {
    blocks_.push_back({std::make_unique<QChar[]>(size_t(total)), 0, total});
  }
  slots_.reserve(other.slots_.size());
  for (size_t i = 0; i < other.size(); ++i) append(other.line(i), other.position(i));
  return *this;
}

QStringView ListLines::line(size_t i) const { return QStringView(slots_[i].text, slots_[i].length); }

QChar* ListLines::startLine(qsizetype length) {
  static QChar nothing;
  if (length == 0) return &nothing; // an empty line takes no room
  if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < length) {
    const qsizetype capacity = std::max(length, kBlockChars);
    blocks_.push_back({std::make_unique<QChar[]>(size_t(capacity)), 0, capacity});
  }
  Block& b = blocks_.back();
  return b.text.get() + b.used;
}

void ListLines::finishLine(qsizetype length, int position) {
  if (length == 0) {
    slots_.push_back({nullptr, 0, position});
    return;
  }
  Block& b = blocks_.back();
  slots_.push_back({b.text.get() + b.used, int(length), position});
  b.used += length;
}

void ListLines::append(QStringView text, int position) {
  QChar* at = startLine(text.size());
  std::copy(text.begin(), text.end(), at);
  finishLine(text.size(), position);
}

void ListLines::clear() {
  slots_.clear();
  blocks_.clear();
}

QStringList ListLines::toStringList() const {
  QStringList out;
  out.reserve(qsizetype(size()));
  for (size_t i = 0; i < size(); ++i) out.append(line(i).toString());
  return out;
}

LineBuilder::LineBuilder(const RecordLayout& layout, std::span<const LineColumn> columns) : layout_(&layout) {
  for (const LineColumn& c : columns) {
    pieces_.push_back({c.before, layout.require(c.field), c.width});
  }
}

qsizetype LineBuilder::texts(const char* record, std::string_view* out) const {
  qsizetype length = 0;
  for (size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& p = pieces_[i];
    out[i] = fieldbytes::text(*layout_, p.field, record);
    if (p.width > 0 && out[i].size() > size_t(p.width)) out[i] = out[i].substr(0, size_t(p.width));
    length += p.before.size() + (p.width > 0 ? p.width : qsizetype(out[i].size()));
  }
  return length;
}

void LineBuilder::write(const std::string_view* texts, QChar* at) const {
  for (size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& p = pieces_[i];
    at = std::copy(p.before.cbegin(), p.before.cend(), at);
    at = cp1252::decodeInto(texts[i].data(), qsizetype(texts[i].size()), at);
    for (qsizetype k = qsizetype(texts[i].size()); k < p.width; ++k) *at++ = QLatin1Char(' ');
  }
}

namespace {
// Room for the field texts of one line: on the stack for the usual few columns.
class TextSlots {
public:
  explicit TextSlots(size_t n) {
    if (n > std::size(small_)) large_.resize(n);
  }
  std::string_view* get() { return large_.empty() ? small_ : large_.data(); }

private:
  std::string_view small_[16];
  std::vector<std::string_view> large_;
};
} // namespace

QString LineBuilder::operator()(const char* record) const {
  TextSlots fields(pieces_.size());
  const qsizetype length = texts(record, fields.get());
  QString out(length, Qt::Uninitialized);
  write(fields.get(), out.data());
  return out;
}

void LineBuilder::appendTo(ListLines& lines, const char* record, int position) const {
  TextSlots fields(pieces_.size());
  const qsizetype length = texts(record, fields.get());
  write(fields.get(), lines.startLine(length));
  lines.finishLine(length, position);
}

// ---- the criteria search ----

Search::Search(const RecordLayout& layout, std::span<const Criterion> criteria, const QStringList& typed)
    : layout_(&layout) {
  for (size_t i = 0; i < criteria.size() && i < size_t(typed.size()); ++i) {
    const QString& text = typed[qsizetype(i)];
    if (fieldtext::trimmed(text).isEmpty()) continue;
    Term t{layout.require(criteria[i].field), std::string(), true};
    for (QChar c : fieldtext::lowerAZ(text)) {
      const unsigned char b = cp1252::fromUnicode(c);
      if (b == '?' && c != QLatin1Char('?')) t.possible = false;
      t.needle.push_back(char(b));
    }
    terms_.push_back(std::move(t));
  }
}

bool Search::matches(const char* record) const {
  char small[256];
  std::string large;
  for (const Term& t : terms_) {
    if (!t.possible) return false;
    const std::string_view field = fieldbytes::raw(*layout_, t.field, record);
    if (field.size() < t.needle.size()) return false;
    char* lowered = small;
    if (field.size() > sizeof small) {
      large.resize(field.size());
      lowered = large.data();
    }
    std::transform(field.begin(), field.end(), lowered, fieldbytes::lowerAZ);
    if (std::string_view(lowered, field.size()).find(t.needle) == std::string_view::npos) return false;
  }
  return true;
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
void collectInto(const ListDescription& list, const QString& path, const std::function<Verdict(const char*)>& filter,
                 ListLines& out) {
  const LineBuilder line(*list.layout, list.line);
  TArchivioSchede archive(path, list.layout->size());
  archive.open(TArchivioSchede::Access::Read);
  archive.scan([&](int position, const char* record) {
    const Verdict v = filter(record);
    if (v == Verdict::Stop) return false;
    if (v == Verdict::List) line.appendTo(out, record, position);
    return true;
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
  const Search s(*list.layout, list.criteria, typed);
  return collect(list, path, [&s](const char* record) { return s.matches(record) ? Verdict::List : Verdict::Skip; });
}

ListLines summary(const ListDescription& list, const QString& path) {
  ListLines out;
  try {
    collectInto(list, path, list.condition ? list.condition : Condition([](const char*) { return Verdict::List; }), out);
  } catch (const ArchiveError&) {
    // what was listed so far stays
  }
  return out;
}

std::optional<Record> readRecord(const ListDescription& list, const QString& path, int position) {
  try {
    TArchivioSchede archive(path, list.layout->size());
    archive.open(TArchivioSchede::Access::Read);
    if (position < 1 || position > archive.count()) {
      archive.close();
      return std::nullopt;
    }
    const QByteArray bytes = archive.read(position);
    archive.close();
    return decode(*list.layout, bytes.constData());
  } catch (const ArchiveError&) {
    return std::nullopt;
  }
}

// ---- find in the list ----

bool containsLowered(QStringView line, QStringView lowered) {
  const qsizetype n = line.size(), m = lowered.size();
  if (m == 0 || m > n) return false;
  for (qsizetype i = 0; i + m <= n; ++i) {
    qsizetype j = 0;
    for (; j < m; ++j) {
      char16_t c = line[i + j].unicode();
      if (c >= 'A' && c <= 'Z') c = char16_t(c + 32);
      if (c != lowered[j].unicode()) break;
    }
    if (j == m) return true;
  }
  return false;
}

InListFind::Outcome InListFind::press(const ListLines& lines, int selected, const QString& typed) {
  if (lines.empty()) return {true, selected};
  const int n = int(lines.size());
  if (selected < 0 || selected >= n) selected = 0;
  const QString t = fieldtext::lowerAZ(typed);
  const bool again = t == last_;
  last_ = t;
  if (t.isEmpty()) return {false, selected};
  const int first = again ? selected + 1 : 0;
  for (int k = 0; k < n; ++k) {
    const int i = (first + k) % n;
    if (containsLowered(lines.line(size_t(i)), t)) return {false, i};
  }
  return {false, selected};
}

} // namespace lists
