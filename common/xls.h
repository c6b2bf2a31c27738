// Spreadsheet export: the ".xls" file, an HTML table in Windows-1252 on one
// line that spreadsheet programs open as a worksheet, written from rows
// handed over one at a time (a RowSource): the rows of a grid read again
// from their archive as they are written (grids.h), or a table of cells
// held as bytes.
#pragma once

#include "archive/archivio.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

namespace xls {

// A column of the preview and of the file.
struct ExportColumn {
  QString gridHeader; // header of the preview grid
  QString caption;    // header cell of the file
  int width;          // width written into the header cell
  // The fields shown, each trimmed, joined by one blank (usually one field).
  std::vector<std::string_view> fields;
  // Stored values shown as words (a flag as "Entrata"/"Uscita"); a value
  // not listed is shown as it is.
  std::vector<std::pair<QString, QString>> words = {};
  // A cell computed from the whole record instead (its Windows-1252 bytes).
  std::function<std::string(const char* record)> compute = {};
  // Width of the column on screen; 0: derived from the width in the file.
  int gridWidth = 0;
};

// Rows handed to the writer in order, each as its cells' Windows-1252 bytes,
// left to right.
class RowSource {
public:
  virtual ~RowSource() = default;
  virtual int rows() const = 0;
  // Hands `row` every row's cells in order, valid during the call only;
  // `row` returns false to stop. False when stopped, or when the rows could
  // not be read, with *reason set (left alone when stopped).
  using RowVisitor = std::function<bool(std::span<const std::string_view> cells)>;
  virtual bool visit(const RowVisitor& row, QString* reason) const = 0;
};

// Rows of cells held as their Windows-1252 bytes, trimmed, so a
// large archive is read and written without turning every cell into text.
// A row's cells lie one after the other in large blocks, each cell known by
// its length: a row of a wide archive costs little more than its text.
// Each row also keeps the record it was read from and its number in the
// order of reading.
class ExportTable : public RowSource {
public:
  explicit ExportTable(int columns = 0) : columns_(columns) {}
  ExportTable(const ExportTable& other) { *this = other; }
  ExportTable& operator=(const ExportTable& other);
  ExportTable(ExportTable&&) noexcept = default;
  ExportTable& operator=(ExportTable&&) noexcept = default;

  int columns() const { return columns_; }
  int rows() const override { return int(rows_.size()); }
  std::string_view cell(int row, int column) const {
    const uint16_t* length = lengths_.data() + size_t(row) * size_t(columns_);
    const char* at = rows_[size_t(row)].text;
    for (int c = 0; c < column; ++c) at += length[c];
    return {at, length[column]};
  }
  QString text(int row, int column) const;
  // The cells of a row, left to right: f(std::string_view) for each.
  template <class F>
  void forEachCell(int row, F&& f) const {
    const uint16_t* length = lengths_.data() + size_t(row) * size_t(columns_);
    const char* at = rows_[size_t(row)].text;
    for (int c = 0; c < columns_; ++c) {
      f(std::string_view(at, length[c]));
      at += length[c];
    }
  }
  // The record a row was read from, and the row's number in reading order.
  RecordPosition position(int row) const { return rows_[size_t(row)].position; }
  int number(int row) const { return rows_[size_t(row)].number; }

  // Cells are added left to right, then the row is ended. A cell is at most
  // 65535 bytes (fields are at most 255).
  void addCell(std::string_view bytes) {
    if (bytes.size() > 0xFFFF) bytes = bytes.substr(0, 0xFFFF);
    char* at = blocks_.empty() || blocks_.back().capacity - blocks_.back().used < bytes.size() ? room(bytes.size())
                                                                                               : blocks_.back().text.get() + blocks_.back().used;
    if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size()); // an empty view may hold no pointer
    blocks_.back().used += bytes.size();
    lengths_.push_back(uint16_t(bytes.size()));
  }
  void endRow(RecordPosition position, int number);
  void reserve(int rows);
  void clear();
  // The rows in the given order (indexes of this table).
  ExportTable reordered(std::span<const int> order) const;
  bool visit(const RowVisitor& row, QString* reason) const override;

private:
  struct Row {
    const char* text;
    RecordPosition position;
    int number;
  };
  struct Block {
    std::unique_ptr<char[]> text;
    size_t used = 0;
    size_t capacity = 0;
  };
  // Room for `n` more bytes of the row being added, moving what it already
  // has to a new block when this one is full.
  char* room(size_t n);

  int columns_;
  std::vector<Block> blocks_;
  size_t rowBegin_ = 0; // where the row being added starts in the last block
  std::vector<uint16_t> lengths_;
  std::vector<Row> rows_;
};

// Told now and then how many rows are written; false stops the writing.
using RowsWritten = std::function<bool(int rows)>;

// The document, written to a device in one pass as the rows come. Cell
// texts are trimmed and "&", "<" and ">" are written as entities; nothing
// else is changed. A row shows as many cells as there are columns. Returns
// false when the device refuses a write, the rows cannot be read or
// `written` stops it.
bool write(QIODevice& device, const QString& worksheet, std::span<const ExportColumn> columns, const RowSource& rows,
           const RowsWritten& written = {});
QByteArray document(const QString& worksheet, std::span<const ExportColumn> columns, const RowSource& rows);

// Writes the file through the safe save (a temporary file in the same
// folder, synced and renamed over the old one), so a failed or stopped
// export leaves the previous file as it was. False on any failure, with the
// system's reason (or the rows' own, when they cannot be read), and when
// `written` stops it.
bool save(const QString& path, const QString& worksheet, std::span<const ExportColumn> columns, const RowSource& rows,
          QString* reason = nullptr, const RowsWritten& written = {});

// The questions and the failure message of the exports.
namespace text {
inline const QString& confirmQuestion() {
  static const QString s = QStringLiteral(
      "L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero di schede presenti in "
      "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
  return s;
}
inline const QString& doneQuestion() {
  static const QString s =
      QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
  return s;
}
inline const QString& failureMessage() {
  static const QString s = QStringLiteral(
      "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia gi\u00E0 "
      "aperto.");
  return s;
}
} // namespace text

} // namespace xls
