// Spreadsheet export: the table of a grid, its cells held as bytes, and the
// ".xls" file written from it, an HTML table in Windows-1252 on one line that
// spreadsheet programs open as a worksheet. The grid screens that fill the
// table and offer the export are described in grids.h.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
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

// The rows of a grid: cells held as their Windows-1252 bytes, trimmed, so a
// large archive is read and written without turning every cell into text.
// Each row also keeps the record it was read from and its number in the
// order of reading.
class ExportTable {
public:
  explicit ExportTable(int columns = 0) : columns_(columns) {}
  int columns() const { return columns_; }
  int rows() const { return columns_ ? int(ends_.size() / size_t(columns_)) : 0; }
  std::string_view cell(int row, int column) const {
    const size_t i = size_t(row) * size_t(columns_) + size_t(column);
    const size_t begin = i ? ends_[i - 1] : 0;
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }
  QString text(int row, int column) const;
  // The record a row was read from, and the row's number in reading order.
  int position(int row) const { return positions_[size_t(row)]; }
  int number(int row) const { return numbers_[size_t(row)]; }

  // Cells are added left to right, then the row is ended.
  void addCell(std::string_view bytes) {
    bytes_.append(bytes);
    ends_.push_back(bytes_.size());
  }
  void endRow(int position, int number) {
    positions_.push_back(position);
    numbers_.push_back(number);
  }
  void reserve(int rows);
  void clear();
  // The rows in the given order (indexes of this table).
  ExportTable reordered(std::span<const int> order) const;

private:
  int columns_;
  std::string bytes_;
  std::vector<size_t> ends_;
  std::vector<int> positions_;
  std::vector<int> numbers_;
};

// The document, written to a device in one pass. Cell texts are trimmed and
// "&", "<" and ">" are written as entities; nothing else is changed. Returns
// false when the device refuses a write.
bool write(QIODevice& device, const QString& worksheet, std::span<const ExportColumn> columns, const ExportTable& table);
QByteArray document(const QString& worksheet, std::span<const ExportColumn> columns, const ExportTable& table);

// Writes the file through the safe save (a temporary file in the same
// folder, synced and renamed over the old one), so a failed export leaves
// the previous file as it was. False on any failure, with the system's
// reason.
bool save(const QString& path, const QString& worksheet, std::span<const ExportColumn> columns,
          const ExportTable& table, QString* reason = nullptr);

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
