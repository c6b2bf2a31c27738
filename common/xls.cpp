#include "xls.h"

#include "fieldbytes.h"

#include "archive/archivio.h"
#include "archive/cp1252.h"

#include <QBuffer>
#include <QSaveFile>

#include <algorithm>
#include <numeric>

namespace xls {

// ---- the preview table ----

std::string_view ExportTable::cell(int row, int column) const {
  const size_t i = size_t(row) * size_t(columns_) + size_t(column);
  const size_t begin = i ? ends_[i - 1] : 0;
  return std::string_view(bytes_).substr(begin, ends_[i] - begin);
}

QString ExportTable::text(int row, int column) const {
  const std::string_view c = cell(row, column);
  return cp1252::decode(c.data(), qsizetype(c.size()));
}

void ExportTable::addCell(std::string_view bytes) {
  bytes_.append(bytes);
  ends_.push_back(bytes_.size());
}

void ExportTable::clear() {
  bytes_.clear();
  ends_.clear();
  positions_.clear();
}

ExportTable ExportTable::reordered(std::span<const int> order) const {
  ExportTable out(columns_);
  out.bytes_.reserve(bytes_.size());
  for (int row : order) {
    for (int c = 0; c < columns_; ++c) out.addCell(cell(row, c));
    out.setPosition(position(row));
  }
  return out;
}

RowReader::RowReader(const RecordLayout& layout, std::span<const ExportColumn> columns) : layout_(&layout) {
  for (const ExportColumn& c : columns) {
    Column col;
    for (std::string_view f : c.fields) col.fields.push_back(layout.require(f));
    for (const auto& [from, to] : c.words) {
      const QByteArray a = cp1252::encode(from), b = cp1252::encode(to);
      col.words.emplace_back(a.toStdString(), b.toStdString());
    }
    columns_.push_back(std::move(col));
  }
}

void RowReader::append(const char* record, int position, ExportTable& table) const {
  std::string joined;
  for (const Column& c : columns_) {
    std::string_view value;
    if (c.fields.size() == 1) {
      value = fieldbytes::text(*layout_, c.fields.front(), record);
    } else {
      joined.clear();
      for (size_t i = 0; i < c.fields.size(); ++i) {
        if (i) joined.push_back(' ');
        joined.append(fieldbytes::text(*layout_, c.fields[i], record));
      }
      value = fieldbytes::trimmed(joined);
    }
    for (const auto& [from, to] : c.words)
      if (value == from) {
        value = to;
        break;
      }
    table.addCell(value);
  }
  table.setPosition(position);
}

ExportTable preview(const ExportDescription& d, const QString& path) {
  ExportTable table(int(d.columns.size()));
  const RowReader reader(*d.layout, d.columns);
  std::vector<QString> keys;
  try {
    TArchivioSchede archive(path, d.layout->size());
    archive.open(TArchivioSchede::Access::Read);
    archive.scan([&](int position, const char* record) {
      if (d.select) {
        const lists::Verdict v = d.select(record);
        if (v == lists::Verdict::Stop) return false;
        if (v == lists::Verdict::Skip) return true;
      }
      reader.append(record, position, table);
      if (d.sortKey) keys.push_back(d.sortKey(record));
      return true;
    });
    archive.close();
  } catch (const ArchiveError&) {
    // the preview keeps what was read so far
  }
  if (!d.sortKey) return table;
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
  return table.reordered(order);
}

// ---- the document ----

namespace {

// Collects the document and hands it to the device in large pieces.
class Out {
public:
  explicit Out(QIODevice& device) : device_(device) { buffer_.reserve(kChunk + 4096); }
  Out& operator<<(std::string_view s) {
    buffer_.append(s.data(), qsizetype(s.size()));
    if (buffer_.size() >= kChunk) flush();
    return *this;
  }
  // Text of a cell or caption: "&", "<" and ">" as entities.
  void escaped(std::string_view s) {
    size_t from = 0;
    for (size_t i = 0; i < s.size(); ++i) {
      const char* entity = s[i] == '&' ? "&amp;" : s[i] == '<' ? "&lt;" : s[i] == '>' ? "&gt;" : nullptr;
      if (!entity) continue;
      *this << s.substr(from, i - from) << entity;
      from = i + 1;
    }
    *this << s.substr(from);
  }
  void escaped(const QString& text) {
    const QByteArray b = cp1252::encode(text);
    escaped(std::string_view(b.constData(), size_t(b.size())));
  }
  bool finish() {
    flush();
    return ok_;
  }

private:
  static constexpr qsizetype kChunk = 1 << 20;
  void flush() {
    if (ok_ && !buffer_.isEmpty()) ok_ = device_.write(buffer_) == buffer_.size();
    buffer_.clear();
  }
  QIODevice& device_;
  QByteArray buffer_;
  bool ok_ = true;
};

} // namespace

bool write(QIODevice& device, const QString& worksheet, std::span<const ExportColumn> columns, const ExportTable& table) {
  Out out(device);
  out << "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
         "xmlns=\"http://www.w3.org/TR/REC-html40\">"
      << "<head>"
      << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
      << "<!--[if gte mso 9]><xml>"
      << "<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>";
  out.escaped(worksheet);
  out << "</x:Name>"
      << "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
         "</x:Pane></x:Panes>"
      << "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
         "<x:ProtectScenarios>False</x:ProtectScenarios>"
      << "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>"
      << "</xml><![endif]-->"
      << "</head><body><table x:str>"
      << "<tr>";
  for (const ExportColumn& c : columns) {
    const std::string width = std::to_string(c.width);
    out << "<td style=\"text-align: left; font-weight: bold;\" width=" << width << ">";
    out.escaped(c.caption);
    out << "</td>";
  }
  out << "</tr>";
  const int cells = std::min(int(columns.size()), table.columns());
  for (int r = 0; r < table.rows(); ++r) {
    out << "<tr>";
    for (int c = 0; c < cells; ++c) {
      out << "<td style=\"text-align: left;\">";
      out.escaped(fieldbytes::trimmed(table.cell(r, c)));
      out << "</td>";
    }
    out << "</tr>";
  }
  out << "</table></body></html>";
  return out.finish();
}

QByteArray document(const QString& worksheet, std::span<const ExportColumn> columns, const ExportTable& table) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  write(buffer, worksheet, columns, table);
  return bytes;
}

bool save(const QString& path, const QString& worksheet, std::span<const ExportColumn> columns,
          const ExportTable& table) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!write(file, worksheet, columns, table)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

} // namespace xls
