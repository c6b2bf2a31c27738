#include "gridrows.h"

#include "fieldbytes.h"
#include "recordsat.h"

#include "archive/cp1252.h"

#include <QFileInfo>

#include <algorithm>

namespace grids {

// ---- the cells of a record ----

CellReader::CellReader(const RecordLayout& layout, std::span<const xls::ExportColumn> columns) : layout_(&layout) {
  for (const xls::ExportColumn& c : columns) {
    Column col;
    for (std::string_view f : c.fields) col.fields.push_back(layout.require(f));
    for (const auto& [from, to] : c.words) {
      const QByteArray a = cp1252::encode(from), b = cp1252::encode(to);
      col.words.emplace_back(a.toStdString(), b.toStdString());
    }
    col.compute = c.compute;
    for (int f : col.fields) fieldbytes::addFetchOffsets(layout.field(f), layout.offset(f), offsets_);
    columns_.push_back(std::move(col));
  }
}

std::string_view CellReader::cell(const char* record, int column, std::string& scratch) const {
  const Column& c = columns_[size_t(column)];
  std::string_view value;
  if (c.compute) {
    scratch = c.compute(record);
    value = fieldbytes::trimmed(scratch);
  } else if (c.fields.size() == 1) {
    value = fieldbytes::text(*layout_, c.fields.front(), record);
  } else {
    scratch.clear();
    for (size_t i = 0; i < c.fields.size(); ++i) {
      if (i) scratch.push_back(' ');
      scratch.append(fieldbytes::text(*layout_, c.fields[i], record));
    }
    value = fieldbytes::trimmed(scratch);
  }
  for (const auto& [from, to] : c.words)
    if (value == from) return to;
  return value;
}

void CellReader::cells(const char* record, std::vector<std::string>& scratch,
                       std::vector<std::string_view>& out) const {
  scratch.resize(columns_.size());
  out.resize(columns_.size());
  for (size_t c = 0; c < columns_.size(); ++c) out[c] = cell(record, int(c), scratch[c]);
}

// ---- the rows ----

GridRows::GridRows(std::shared_ptr<const CellReader> reader, int recordSize)
    : reader_(std::move(reader)), recordSize_(recordSize) {}

void GridRows::beginFile(const QString& path) {
  paths_.push_back(path);
  runBegins_.push_back(rows());
}

size_t GridRows::fileOf(int row) const {
  return size_t(std::upper_bound(runBegins_.begin(), runBegins_.end(), row) - runBegins_.begin()) - 1;
}

const QString& GridRows::path(int row) const { return paths_[fileOf(row)]; }

void GridRows::reorder(const std::vector<std::vector<int>>& orderOfEachFile) {
  std::vector<RecordPosition> positions;
  positions.reserve(positions_.size());
  numbers_.clear();
  numbers_.reserve(positions_.size());
  for (size_t f = 0; f < orderOfEachFile.size() && f < files(); ++f) {
    const int begin = fileBegin(f);
    for (int i : orderOfEachFile[f]) {
      positions.push_back(positions_[size_t(begin + i)]);
      numbers_.push_back(begin + i + 1);
    }
  }
  positions_ = std::move(positions);
}

template <class Visit>
bool GridRows::records(int first, int end, bool inRuns, Visit&& visit) const {
  int row = first;
  while (row < end) {
    const size_t file = fileOf(row);
    const int stop = std::min(end, fileEnd(file));
    // a file removed meanwhile is not made again for this
    if (QFileInfo::exists(paths_[file])) {
      TArchivioSchede archive(paths_[file], recordSize_);
      archive.open(TArchivioSchede::Access::Read);
      const int from = row;
      const bool more =
          recordsat::visit(archive, std::span(positions_).subspan(size_t(from), size_t(stop - from)), inRuns,
                           reader_->fieldOffsets(),
                           [&](size_t i, const char* record) { return visit(from + int(i), record); });
      archive.close();
      if (!more) return false;
      row = stop;
    }
    // the rows of a file that is gone
    for (; row < stop; ++row)
      if (!visit(row, nullptr)) return false;
  }
  return true;
}

xls::ExportTable GridRows::cells(int first, int count) const {
  xls::ExportTable out(columns());
  first = std::clamp(first, 0, rows());
  const int end = std::clamp(first + std::max(count, 0), first, rows());
  out.reserve(end - first);
  std::string scratch;
  const auto add = [&](int row, const char* record) {
    for (int c = 0; c < columns(); ++c) out.addCell(record ? reader_->cell(record, c, scratch) : std::string_view());
    out.endRow(position(row), number(row));
    return true;
  };
  try {
    records(first, end, false, add);
  } catch (const ArchiveError&) {
    // what cannot be read shows empty cells
    for (int row = first + out.rows(); row < end; ++row) add(row, nullptr);
  }
  return out;
}

QString GridRows::text(int row, int column) const { return cells(row, 1).text(0, column); }

bool GridRows::visit(const RowVisitor& row, QString* reason) const {
  std::vector<std::string> scratch;
  std::vector<std::string_view> cells;
  const std::vector<std::string_view> empty(static_cast<size_t>(columns()));
  try {
    return records(0, rows(), numbers_.empty(), [&](int, const char* record) {
      if (!record) return row(empty);
      reader_->cells(record, scratch, cells);
      return row(cells);
    });
  } catch (const ArchiveError&) {
    if (reason) *reason = archiveAccessMessage();
    return false;
  }
}

} // namespace grids
