// The rows of a filled grid as a view over its archives: for each row only
// the record's position and its number in reading order, and for each run
// of rows the file they were read from. The cells are made when they are
// asked for, by reading those records again (each time opening the archive
// for reading and closing it again, so a card can still save while a grid
// is on screen) and building them from the columns exactly as the filling
// would. A record that is no longer in its file (the file was cut short or
// removed) shows empty cells.
#pragma once

#include "xls.h"

#include "archive/archivio.h"
#include "archive/layout.h"

#include <QString>

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace grids {

// Builds the cells of a record from the columns: fields trimmed and joined
// by one blank, stored values shown as their words, computed cells; the
// field indexes and words are resolved once.
class CellReader {
public:
  CellReader(const RecordLayout& layout, std::span<const xls::ExportColumn> columns);

  int columns() const { return int(columns_.size()); }
  // The cell of one column; `scratch` holds what the view points into when
  // the cell is not the record's own bytes.
  std::string_view cell(const char* record, int column, std::string& scratch) const;
  // Every cell of a record, left to right, into `out` (one scratch a column).
  void cells(const char* record, std::vector<std::string>& scratch, std::vector<std::string_view>& out) const;
  // Where the fields the columns show lie in a record.
  const std::vector<int>& fieldOffsets() const { return offsets_; }

private:
  struct Column {
    std::vector<int> fields;
    std::vector<std::pair<std::string, std::string>> words;
    std::function<std::string(const char*)> compute;
  };
  const RecordLayout* layout_;
  std::vector<Column> columns_;
  std::vector<int> offsets_;
};

class GridRows : public xls::RowSource {
public:
  GridRows() = default;
  GridRows(std::shared_ptr<const CellReader> reader, int recordSize);

  int columns() const { return reader_ ? reader_->columns() : 0; }
  int rows() const override { return int(positions_.size()); }
  // The record a row shows, the row's number in reading order, and the file
  // of the grid's archives it was read from.
  RecordPosition position(int row) const { return positions_[size_t(row)]; }
  int number(int row) const { return numbers_.empty() ? row + 1 : numbers_[size_t(row)]; }
  const QString& path(int row) const;

  // The cells of rows [first, first + count), read from the archives now;
  // a row whose record cannot be read has empty cells.
  xls::ExportTable cells(int first, int count) const;
  xls::ExportTable cells() const { return cells(0, rows()); }
  // One cell, read from its archive now.
  QString text(int row, int column) const;

  // The rows in order for the writer: a grid in reading order is read in
  // large runs, one pass over each file; a sorted one record by record. An
  // archive that cannot be opened or read fails the visit.
  bool visit(const RowVisitor& row, QString* reason) const override;

  // ---- the filling ----
  // The rows read from `path` follow.
  void beginFile(const QString& path);
  void add(RecordPosition position) { positions_.push_back(position); }
  void reserve(size_t rows) { positions_.reserve(rows); }
  // The rows of each file put in the order given for that file (indexes
  // from the file's first row); the numbers stay with their rows.
  void reorder(const std::vector<std::vector<int>>& orderOfEachFile);
  // Gives back the room a filling kept for rows it did not find.
  void fit() { positions_.shrink_to_fit(); }
  // Where each file's rows begin and end.
  size_t files() const { return paths_.size(); }
  int fileBegin(size_t file) const { return runBegins_[file]; }
  int fileEnd(size_t file) const { return file + 1 < runBegins_.size() ? runBegins_[file + 1] : rows(); }

private:
  size_t fileOf(int row) const;
  // Hands visit(row, record) the record of each row of [first, end) in
  // order, null when the record is no longer in its file; visit returns
  // false to stop, and so does this. `inRuns`: the rows of each file lie in
  // ascending positions and are read in one pass over the file. Throws
  // ArchiveError when a file cannot be opened or read.
  template <class Visit>
  bool records(int first, int end, bool inRuns, Visit&& visit) const;

  std::shared_ptr<const CellReader> reader_;
  int recordSize_ = 0;
  std::vector<QString> paths_;
  std::vector<int> runBegins_; // the first row of each file
  std::vector<RecordPosition> positions_;
  std::vector<int> numbers_; // empty: each row's number is its index + 1
};

} // namespace grids
