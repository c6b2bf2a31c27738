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

LineBuilder::LineBuilder(const RecordLayout& layout, std::span<const LineColumn> columns) : layout_(&layout) {
  for (const LineColumn& c : columns) {
    pieces_.push_back({c.before, layout.require(c.field), c.width});
  }
}

QString LineBuilder::operator()(const char* record) const {
  // The texts first, so the line is made in one allocation.
  std::string_view texts[16];
  std::vector<std::string_view> many;
  std::string_view* text = texts;
  if (pieces_.size() > std::size(texts)) {
    many.resize(pieces_.size());
    text = many.data();
  }
  qsizetype length = 0;
  for (size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& p = pieces_[i];
    text[i] = fieldbytes::text(*layout_, p.field, record);
    if (p.width > 0 && text[i].size() > size_t(p.width)) text[i] = text[i].substr(0, size_t(p.width));
    length += p.before.size() + (p.width > 0 ? p.width : qsizetype(text[i].size()));
  }
  QString out(length, Qt::Uninitialized);
  QChar* at = out.data();
  for (size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& p = pieces_[i];
    at = std::copy(p.before.cbegin(), p.before.cend(), at);
    for (char c : text[i]) *at++ = cp1252::toUnicode(static_cast<unsigned char>(c));
    for (qsizetype k = qsizetype(text[i].size()); k < p.width; ++k) *at++ = QLatin1Char(' ');
  }
  return out;
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
                 std::vector<ListEntry>& out) {
  const LineBuilder line(list.layout(), list.line);
  TArchivioSchede archive(path, list.layout().size());
  archive.open(TArchivioSchede::Access::Read);
  archive.scan([&](int position, const char* record) {
    const Verdict v = filter(record);
    if (v == Verdict::Stop) return false;
    if (v == Verdict::List) out.push_back({line(record), position});
    return true;
  });
  archive.close();
}
} // namespace

std::vector<ListEntry> collect(const ListDescription& list, const QString& path,
                               const std::function<Verdict(const char*)>& filter) {
  std::vector<ListEntry> out;
  collectInto(list, path, filter, out);
  return out;
}

std::vector<ListEntry> search(const ListDescription& list, const QString& path, const QStringList& typed) {
  const Search s(list.layout(), list.criteria, typed);
  return collect(list, path, [&s](const char* record) { return s.matches(record) ? Verdict::List : Verdict::Skip; });
}

std::vector<ListEntry> summary(const ListDescription& list, const QString& path) {
  std::vector<ListEntry> out;
  try {
    collectInto(list, path, list.condition ? list.condition : Condition([](const char*) { return Verdict::List; }), out);
  } catch (const ArchiveError&) {
    // what was listed so far stays
  }
  return out;
}

std::optional<Record> readRecord(const ListDescription& list, const QString& path, int position) {
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

InListFind::Outcome InListFind::press(std::span<const ListEntry> lines, int selected, const QString& typed) {
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
    if (containsLowered(lines[size_t(i)].line, t)) return {false, i};
  }
  return {false, selected};
}

} // namespace lists
