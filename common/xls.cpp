#include "xls.h"

#include "fieldbytes.h"

#include "archive/cp1252.h"
#include "archive/safefile.h"

#include <QBuffer>

#include <algorithm>
#include <array>
#include <cstring>

namespace xls {

// ---- the preview table ----

namespace {
// A block holds the text of many rows; a longer row gets a block of its own.
// The first blocks are small, so a table of a few rows stays small.
constexpr size_t kFirstBlockBytes = size_t(4) << 10;
constexpr size_t kBlockBytes = size_t(1) << 20;
} // namespace

ExportTable& ExportTable::operator=(const ExportTable& other) {
  if (this == &other) return *this;
  ExportTable copy(other.columns_);
  copy.reserve(other.rows());
  for (int r = 0; r < other.rows(); ++r) {
    for (int c = 0; c < other.columns_; ++c) copy.addCell(other.cell(r, c));
    copy.endRow(other.position(r), other.number(r));
  }
  return *this = std::move(copy);
}

QString ExportTable::text(int row, int column) const {
  const std::string_view c = cell(row, column);
  return cp1252::decode(c.data(), qsizetype(c.size()));
}

char* ExportTable::room(size_t n) {
  if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < n) {
    const size_t begun = blocks_.empty() ? 0 : blocks_.back().used - rowBegin_;
    const size_t usual = std::min(kBlockBytes, kFirstBlockBytes << std::min<size_t>(blocks_.size(), 8));
    Block fresh{nullptr, 0, std::max(usual, 2 * (begun + n))};
    fresh.text.reset(new char[fresh.capacity]);
    if (begun > 0) {
      std::memcpy(fresh.text.get(), blocks_.back().text.get() + rowBegin_, begun);
      blocks_.back().used = rowBegin_;
    }
    fresh.used = begun;
    rowBegin_ = 0;
    blocks_.push_back(std::move(fresh));
  }
  Block& b = blocks_.back();
  return b.text.get() + b.used;
}

void ExportTable::endRow(RecordPosition position, int number) {
  room(0);
  Block& b = blocks_.back();
  rows_.push_back({b.text.get() + rowBegin_, position, number});
  rowBegin_ = b.used;
}

void ExportTable::reserve(int rows) {
  lengths_.reserve(size_t(rows) * size_t(columns_));
  rows_.reserve(size_t(rows));
}

void ExportTable::clear() {
  blocks_.clear();
  rowBegin_ = 0;
  lengths_.clear();
  rows_.clear();
}

ExportTable ExportTable::reordered(std::span<const int> order) const {
  ExportTable out(columns_);
  out.reserve(int(order.size()));
  for (int row : order) {
    for (int c = 0; c < columns_; ++c) out.addCell(cell(row, c));
    out.endRow(position(row), number(row));
  }
  return out;
}

bool ExportTable::visit(const RowVisitor& row, QString*) const {
  std::vector<std::string_view> cells(static_cast<size_t>(columns_));
  for (int r = 0; r < rows(); ++r) {
    int c = 0;
    forEachCell(r, [&](std::string_view s) { cells[size_t(c++)] = s; });
    if (!row(cells)) return false;
  }
  return true;
}

// ---- the document ----

namespace {

// Collects the document in a buffer and hands it to the device in large
// pieces; the cells of a large archive are millions of short texts.
class Out {
public:
  explicit Out(QIODevice& device) : device_(device), buffer_(kChunk + kSlack) {}
  Out& operator<<(std::string_view s) {
    room(s.size());
    std::memcpy(at_, s.data(), s.size());
    at_ += s.size();
    return *this;
  }
  // A data row: the first `count` cells, each trimmed between the cell's
  // tags, between the row's tags; room is made once for the row.
  void row(std::span<const std::string_view> cells, size_t count) {
    // the class keeps the cell as text in the spreadsheet: digits keep their
    // leading zeros and a decimal comma is not read as thousands
#define VELARION_XLS_CELL "<td class=\"t\" style=\"text-align: left;\">"
    static constexpr std::string_view first = "<tr>" VELARION_XLS_CELL, between = "</td>" VELARION_XLS_CELL,
                                      last = "</td></tr>", empty = "<tr></tr>";
#undef VELARION_XLS_CELL
    count = std::min(count, cells.size());
    if (count == 0) {
      *this << empty;
      return;
    }
    size_t text = 0;
    for (size_t c = 0; c < count; ++c) text += cells[c].size();
    room(first.size() + (count - 1) * between.size() + last.size() + text * 5);
    copy(first);
    for (size_t c = 0; c < count; ++c) {
      if (c > 0) copy(between);
      put(fieldbytes::trimmed(cells[c]));
    }
    copy(last);
  }
  // Text of a cell or caption: "&", "<" and ">" as entities.
  void escaped(std::string_view s) {
    room(s.size() * 5);
    put(s);
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
  static constexpr size_t kChunk = 1 << 20;
  static constexpr size_t kSlack = 1 << 14;
  // Copies a text as it is; room has been made.
  void copy(std::string_view s) {
    if (s.empty()) return; // an empty view may hold no pointer
    std::memcpy(at_, s.data(), s.size());
    at_ += s.size();
  }
  // Copies a text with its entities; room has been made.
  void put(std::string_view s) {
    static constexpr std::array<bool, 256> special = [] {
      std::array<bool, 256> t{};
      t['&'] = t['<'] = t['>'] = true;
      return t;
    }();
    if (s.empty()) return; // an empty view may hold no pointer
    if (std::none_of(s.begin(), s.end(), [](char c) { return special[static_cast<unsigned char>(c)]; })) {
      std::memcpy(at_, s.data(), s.size());
      at_ += s.size();
      return;
    }
    for (const char c : s) {
      switch (c) {
      case '&': std::memcpy(at_, "&amp;", 5); at_ += 5; break;
      case '<': std::memcpy(at_, "&lt;", 4); at_ += 4; break;
      case '>': std::memcpy(at_, "&gt;", 4); at_ += 4; break;
      default: *at_++ = c;
      }
    }
  }
  char* begin() { return buffer_.data(); }
  void room(size_t n) {
    if (size_t(at_ - begin()) + n <= buffer_.size()) return;
    flush();
    if (n > buffer_.size()) {
      buffer_.resize(n);
      at_ = begin();
    }
  }
  void flush() {
    const qint64 n = at_ - begin();
    if (ok_ && n > 0) ok_ = device_.write(begin(), n) == n;
    at_ = begin();
  }
  QIODevice& device_;
  std::vector<char> buffer_;
  char* at_ = buffer_.data();
  bool ok_ = true;
};

} // namespace

namespace {

// The document to a device; *unreadable gets the rows' reason when they
// cannot be read.
bool writeDocument(QIODevice& device, const QString& worksheet, std::span<const ExportColumn> columns,
                   const RowSource& rows, const RowsWritten& written, QString* unreadable) {
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
      << "<style>.t{mso-number-format:\"\\@\";}</style>"
      << "</head><body><table x:str>"
      << "<tr>";
  for (const ExportColumn& c : columns) {
    const std::string width = std::to_string(c.width);
    out << "<td style=\"text-align: left; font-weight: bold;\" width=" << width << ">";
    out.escaped(c.caption);
    out << "</td>";
  }
  out << "</tr>";
  // How many rows go between two reports of the rows written.
  constexpr int kReportEvery = 256;
  int r = 0;
  bool stopped = false;
  QString reason;
  const bool read = rows.visit(
      [&](std::span<const std::string_view> cells) {
        if (written && r % kReportEvery == 0 && !written(r)) {
          stopped = true;
          return false;
        }
        out.row(cells, columns.size());
        ++r;
        return true;
      },
      &reason);
  if (!read) {
    if (!stopped && unreadable) *unreadable = reason;
    return false;
  }
  out << "</table></body></html>";
  return out.finish();
}

} // namespace

bool write(QIODevice& device, const QString& worksheet, std::span<const ExportColumn> columns, const RowSource& rows,
           const RowsWritten& written) {
  return writeDocument(device, worksheet, columns, rows, written, nullptr);
}

QByteArray document(const QString& worksheet, std::span<const ExportColumn> columns, const RowSource& rows) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  write(buffer, worksheet, columns, rows);
  return bytes;
}

bool save(const QString& path, const QString& worksheet, std::span<const ExportColumn> columns, const RowSource& rows,
          QString* reason, const RowsWritten& written) {
  // Written beside the old file and put in its place only once whole and
  // synced: a failed or stopped export leaves the previous file as it was.
  safefile::Writer out(path);
  safefile::Device device(out);
  safefile::Status saved{false, QString()};
  QString unreadable;
  if (writeDocument(device, worksheet, columns, rows, written, &unreadable)) saved = out.commit();
  else if (!unreadable.isEmpty()) out.fail(unreadable);
  else out.abort();
  if (!saved && reason) *reason = saved.reason.isEmpty() ? out.reason() : saved.reason;
  return saved.ok;
}

} // namespace xls
