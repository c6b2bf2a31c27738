// The spreadsheet writer: any cell bytes; the document is one line when the
// cells are, and every cell reads back (entities undone) as its trimmed
// bytes, in order.
#include "fuzzcheck.h"

#include "common/fieldbytes.h"
#include "common/xls.h"

#include <QBuffer>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string unescaped(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    if (s.compare(i, 5, "&amp;") == 0) out += '&', i += 5;
    else if (s.compare(i, 4, "&lt;") == 0) out += '<', i += 4;
    else if (s.compare(i, 4, "&gt;") == 0) out += '>', i += 4;
    else out += s[i++];
  }
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int columns = 1 + data[0] % 5;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  // cells are separated by 0x1F; the last row is completed with empty cells
  std::vector<std::string_view> cells;
  for (size_t at = 0;;) {
    const size_t end = rest.find('\x1F', at);
    cells.push_back(rest.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  while (cells.size() % size_t(columns)) cells.emplace_back();
  xls::ExportTable table(columns);
  for (size_t i = 0; i < cells.size(); ++i) {
    table.addCell(cells[i]);
    if ((i + 1) % size_t(columns) == 0) {
      const int row = int(i / size_t(columns)) + 1;
      table.endRow(RecordPosition(row), row);
    }
  }
  std::vector<xls::ExportColumn> header;
  for (int c = 0; c < columns; ++c)
    header.push_back({QStringLiteral("C%1").arg(c), QStringLiteral("Colonna <%1> & co").arg(c), 100 + c, {}});

  const QByteArray doc = xls::document(QStringLiteral("Foglio & <prova>"), header, table);
  const std::string_view d(doc.constData(), size_t(doc.size()));
  if (rest.find_first_of("\r\n") == std::string_view::npos) FUZZ_CHECK(d.find_first_of("\r\n") == std::string_view::npos);

  // every data cell, in order, reads back as the trimmed cell
  static constexpr std::string_view open = "<td class=\"t\" style=\"text-align: left;\">", close = "</td>";
  size_t at = 0, n = 0;
  while ((at = d.find(open, at)) != std::string_view::npos) {
    at += open.size();
    const size_t end = d.find(close, at);
    FUZZ_CHECK(end != std::string_view::npos);
    FUZZ_CHECK(n < cells.size());
    FUZZ_CHECK(unescaped(d.substr(at, end - at)) == std::string(fieldbytes::trimmed(cells[n])));
    ++n;
    at = end;
  }
  FUZZ_CHECK(n == cells.size());
  FUZZ_CHECK(d.size() >= 22 && d.substr(d.size() - 22) == "</table></body></html>");
  return 0;
}
