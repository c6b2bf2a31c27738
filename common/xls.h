// Spreadsheet export: the preview table read from an archive and the ".xls"
// file written from it, an HTML table in Windows-1252 on one line that
// spreadsheet programs open as a worksheet. Every export screen is one
// ExportDescription read by one export screen.
#pragma once

#include "lists.h"

#include <QByteArray>
#include <QString>

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
};

// The preview: rows of cells held as their Windows-1252 bytes, trimmed, so
// a large archive is read and written without turning every cell into text.
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
  // The record a row was read from.
  int position(int row) const { return positions_[size_t(row)]; }

  // Cells are added left to right; a row is complete after `columns` cells.
  void addCell(std::string_view bytes) {
    bytes_.append(bytes);
    ends_.push_back(bytes_.size());
  }
  void setPosition(int position) { positions_.push_back(position); }
  void reserve(int rows);
  void clear();
  // The rows in the given order (indexes of this table).
  ExportTable reordered(std::span<const int> order) const;

private:
  int columns_;
  std::string bytes_;
  std::vector<size_t> ends_;
  std::vector<int> positions_;
};

// Reads the cells of a record into a table; field indexes are resolved once.
class RowReader {
public:
  RowReader(const RecordLayout& layout, std::span<const ExportColumn> columns);
  void append(const char* record, int position, ExportTable& table) const;

private:
  struct Column {
    std::vector<int> fields;
    std::vector<std::pair<std::string, std::string>> words;
  };
  const RecordLayout* layout_;
  std::vector<Column> columns_;
};

struct ExportDescription {
  QString screen;    // object name, e.g. "TfrmExpClienti"
  QString caption;   // window caption
  QString file;      // file name in the program folder
  QString worksheet; // worksheet name inside the file
  QString helpTitle; // title of the help page
  const RecordLayout* layout = nullptr;
  lists::ArchivePath path;
  std::vector<ExportColumn> columns;
  // The rows kept (empty: every record) and their order (empty: file order;
  // otherwise ascending by key, records of equal key in file order).
  lists::Condition select;
  std::function<QString(const char* record)> sortKey;
  // Texts that differ between members.
  QString status = QStringLiteral("Esportazione archivio in Microsoft Excel.");
  QString exportHint = QStringLiteral("Esporta l'archivio in formato Microsoft Excel.");
  QString doneQuestion = QStringLiteral(
      "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
};

// The preview of an archive: its rows in order. A failure of the archive
// ends the filling silently with what was read so far.
ExportTable preview(const ExportDescription& description, const QString& path);

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

// The two questions and the failure message of every export.
namespace text {
inline const QString& confirmQuestion() {
  static const QString s = QStringLiteral(
      "L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero di schede presenti in "
      "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
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
