#include "grids.h"

#include "dates.h"
#include "fieldbytes.h"
#include "sortkeys.h"

#include "archive/archivio.h"

#include <QFileInfo>

#include <memory>

namespace grids {

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

Filled fill(const GridDescription& d, std::span<const QString> paths, const GridContext& context,
            const std::function<void(qint64)>& read) {
  const auto reader = std::make_shared<const CellReader>(*d.archive.layout, d.columns);
  Filled out{GridRows(reader, d.archive.recordSize()), Filled::Outcome::Complete};
  const bool sorting = d.sortColumn >= 0 && d.sortColumn < reader->columns();
  // what the selection and the sort key read, asked for a few records ahead
  std::vector<int> fields;
  if (sorting) {
    const xls::ExportColumn& key = d.columns[size_t(d.sortColumn)];
    for (std::string_view f : key.fields) {
      const int index = d.archive.layout->require(f);
      fieldbytes::addFetchOffsets(d.archive.layout->field(index), d.archive.layout->offset(index), fields);
    }
  }
  const size_t size = size_t(d.archive.recordSize());
  std::vector<sortkeys::Keys> keys; // each file's rows are sorted apart
  std::string scratch;
  qint64 before = 0; // records read from the archives before this one
  for (const QString& path : paths) {
    out.table.beginFile(path);
    if (sorting) keys.emplace_back();
    try {
      TArchivioSchede archive(path, d.archive.recordSize());
      archive.open(TArchivioSchede::Access::Read);
      const RecordPosition count = archive.count();
      if (!d.select && !sorting) {
        // every record is a row in file order: nothing in them is read now
        out.table.reserve(size_t(out.table.rows() + count));
        for (RecordPosition p = 1; p <= count; ++p) out.table.add(p);
      } else {
        if (!d.select) out.table.reserve(size_t(out.table.rows() + count));
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
            out.table.add(first + i);
            if (sorting) keys.back().add(reader->cell(record, d.sortColumn, scratch));
          }
          return true;
        });
      }
      archive.close();
      before += count;
    } catch (const ArchiveError&) {
      out.outcome = Filled::Outcome::Failed;
    }
    if (out.outcome != Filled::Outcome::Complete) break;
  }
  if (out.outcome == Filled::Outcome::Complete && sorting) {
    std::vector<std::vector<int>> orders;
    for (sortkeys::Keys& k : keys) {
      orders.push_back(k.order());
      k = {}; // the keys go as soon as their order is known
    }
    out.table.reorder(orders);
  }
  out.table.fit();
  return out;
}

xls::ExportTable sorted(const xls::ExportTable& table, int column) {
  sortkeys::Keys keys;
  keys.reserve(size_t(table.rows()));
  for (int r = 0; r < table.rows(); ++r) keys.add(table.cell(r, column));
  return table.reordered(keys.order());
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
