#include "grids.h"

#include "dates.h"
#include "fieldbytes.h"

#include "archive/archivio.h"
#include "archive/cp1252.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace grids {

namespace {

// Reads the cells of a record into a table; field indexes are resolved once.
class RowReader {
public:
  RowReader(const RecordLayout& layout, std::span<const xls::ExportColumn> columns) : layout_(&layout) {
    for (const xls::ExportColumn& c : columns) {
      Column col;
      for (std::string_view f : c.fields) col.fields.push_back(layout.require(f));
      for (const auto& [from, to] : c.words) {
        const QByteArray a = cp1252::encode(from), b = cp1252::encode(to);
        col.words.emplace_back(a.toStdString(), b.toStdString());
      }
      col.compute = c.compute;
      columns_.push_back(std::move(col));
    }
  }

  void append(const char* record, RecordPosition position, int number, xls::ExportTable& table) const {
    for (const Column& c : columns_) {
      std::string_view value;
      if (c.compute) {
        scratch_ = c.compute(record);
        value = fieldbytes::trimmed(scratch_);
      } else if (c.fields.size() == 1) {
        value = fieldbytes::text(*layout_, c.fields.front(), record);
      } else {
        scratch_.clear();
        for (size_t i = 0; i < c.fields.size(); ++i) {
          if (i) scratch_.push_back(' ');
          scratch_.append(fieldbytes::text(*layout_, c.fields[i], record));
        }
        value = fieldbytes::trimmed(scratch_);
      }
      for (const auto& [from, to] : c.words)
        if (value == from) {
          value = to;
          break;
        }
      table.addCell(value);
    }
    table.endRow(position, number);
  }

  // Where the fields the columns show lie in a record.
  std::vector<int> fieldOffsets() const {
    std::vector<int> out;
    for (const Column& c : columns_)
      for (int f : c.fields) fieldbytes::addFetchOffsets(layout_->field(f), layout_->offset(f), out);
    return out;
  }

private:
  struct Column {
    std::vector<int> fields;
    std::vector<std::pair<std::string, std::string>> words;
    std::function<std::string(const char*)> compute;
  };
  const RecordLayout* layout_;
  std::vector<Column> columns_;
  mutable std::string scratch_;
};

} // namespace

Select dateWithin(const RecordLayout& layout, std::string_view field) {
  const int index = layout.require(field);
  return [&layout, index](const char* record, const GridContext& c) {
    const std::string_view bytes = fieldbytes::text(layout, index, record);
    const QDate day = dates::parse(QString::fromLatin1(bytes.data(), qsizetype(bytes.size())));
    if (!day.isValid()) return lists::Verdict::Stop;
    return c.from <= day && day <= c.to ? lists::Verdict::List : lists::Verdict::Skip;
  };
}

std::function<std::string(const char* record)> joined(const RecordLayout& layout, std::vector<Piece> pieces) {
  struct Part {
    int field, from, count;
  };
  std::vector<Part> parts;
  for (const Piece& p : pieces) parts.push_back({layout.require(p.field), p.from, p.count});
  return [&layout, parts](const char* record) {
    std::string out;
    for (const Part& p : parts) {
      const std::string_view text = fieldbytes::text(layout, p.field, record);
      if (size_t(p.from) >= text.size()) continue;
      out.append(text.substr(size_t(p.from), p.count < 0 ? std::string_view::npos : size_t(p.count)));
    }
    return out;
  };
}

QString yearlyPath(const GridDescription& d, const GridContext& context) {
  const QDate day = context.chosen.isValid() ? context.chosen : context.today;
  return d.archive.yearPath(QStringLiteral("%1").arg(day.year(), 4, 10, QLatin1Char('0')));
}

std::vector<QString> yearlyPaths(const GridDescription& d, const GridContext& context) {
  std::vector<QString> out{yearlyPath(d, context)};
  if (d.nextYearToo) {
    const QDate day = context.chosen.isValid() ? context.chosen : context.today;
    const QString next = d.archive.yearPath(QStringLiteral("%1").arg(day.year() + 1, 4, 10, QLatin1Char('0')));
    if (QFileInfo::exists(next)) out.push_back(next);
  }
  return out;
}

Filled fill(const GridDescription& d, const QString& path, const GridContext& context,
            const std::function<void(qint64)>& read) {
  return fill(d, std::span<const QString>(&path, 1), context, read);
}

namespace {

// The indexes [begin, end) of a table in ascending order of one column,
// rows of equal key in their order.
void sortRange(const xls::ExportTable& table, int column, int begin, int end, std::vector<int>& order) {
  std::vector<QString> keys;
  keys.reserve(size_t(end - begin));
  for (int r = begin; r < end; ++r) keys.push_back(table.text(r, column));
  const size_t first = order.size();
  for (int r = begin; r < end; ++r) order.push_back(r);
  std::stable_sort(order.begin() + qsizetype(first), order.end(), [&keys, begin](int a, int b) {
    return QString::compare(keys[size_t(a - begin)], keys[size_t(b - begin)], Qt::CaseInsensitive) < 0;
  });
}

} // namespace

Filled fill(const GridDescription& d, std::span<const QString> paths, const GridContext& context,
            const std::function<void(qint64)>& read) {
  Filled out{xls::ExportTable(int(d.columns.size())), Filled::Outcome::Complete};
  const RowReader reader(*d.archive.layout, d.columns);
  const std::vector<int> fields = reader.fieldOffsets();
  const size_t size = size_t(d.archive.recordSize());
  int number = 0;
  qint64 before = 0;     // records read from the archives before this one
  std::vector<int> ends; // where each archive's rows end
  for (const QString& path : paths) {
    try {
      TArchivioSchede archive(path, d.archive.recordSize());
      archive.open(TArchivioSchede::Access::Read);
      const RecordPosition count = archive.count();
      if (!d.select && paths.size() == 1 && count <= std::numeric_limits<int>::max()) out.table.reserve(int(count));
      archive.scanRuns([&](RecordPosition first, const char* records, int n) {
        if (read) read(before + first - 1);
        for (int i = 0; i < n; ++i) {
          if (i + fieldbytes::kFetchAhead < n)
            fieldbytes::prefetch(records + size_t(i + fieldbytes::kFetchAhead) * size, fields);
          const char* record = records + size_t(i) * size;
          if (d.select) {
            const lists::Verdict v = d.select(record, context);
            if (v == lists::Verdict::Stop) {
              out.outcome = Filled::Outcome::Stopped;
              return false;
            }
            if (v == lists::Verdict::Skip) continue;
          }
          reader.append(record, first + i, ++number, out.table);
        }
        return true;
      });
      archive.close();
      before += count;
    } catch (const ArchiveError&) {
      out.outcome = Filled::Outcome::Failed;
    }
    if (out.outcome != Filled::Outcome::Complete) break;
    ends.push_back(out.table.rows());
  }
  if (out.outcome == Filled::Outcome::Complete && d.sortColumn >= 0 && d.sortColumn < out.table.columns()) {
    std::vector<int> order;
    order.reserve(size_t(out.table.rows()));
    int begin = 0;
    for (int end : ends) {
      sortRange(out.table, d.sortColumn, begin, end, order);
      begin = end;
    }
    out.table = out.table.reordered(order);
  }
  return out;
}

xls::ExportTable sorted(const xls::ExportTable& table, int column) {
  std::vector<int> order;
  order.reserve(size_t(table.rows()));
  sortRange(table, column, 0, table.rows(), order);
  return table.reordered(order);
}

IntervalCheck checkInterval(const QString& start, const QString& end) {
  using Field = IntervalCheck::Field;
  const QString s = fieldtext::trimmed(start), e = fieldtext::trimmed(end);
  if (s.isEmpty())
    return {QStringLiteral("Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di inizio "
                           "intervallo."),
            MessageKind::Warning, Field::Start, {}, {}};
  if (e.isEmpty())
    return {QStringLiteral("Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di fine "
                           "intervallo."),
            MessageKind::Warning, Field::End, {}, {}};
  const QDate from = dates::parse(s), to = dates::parse(e);
  if (!from.isValid())
    return {dates::invalidDateMessage(dates::DateCheck::IntervalStart, s), MessageKind::Plain, Field::Start, {}, {}};
  if (!to.isValid())
    return {dates::invalidDateMessage(dates::DateCheck::IntervalEnd, e), MessageKind::Plain, Field::End, {}, {}};
  if (from > to) return {dates::intervalOrderMessage(s, e), MessageKind::Plain, Field::None, {}, {}};
  return {QString(), MessageKind::Plain, Field::None, from, to};
}

} // namespace grids
