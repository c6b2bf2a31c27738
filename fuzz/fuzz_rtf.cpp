// The project sheet writer: any typed values. The braces of the document
// stay balanced whatever a value holds (it closes at its last byte and not
// before), and every value is found in it as its bytes with "\", "{" and
// "}" escaped and each line break a paragraph mark.
#include "fuzzcheck.h"

#include "archive/cp1252.h"
#include "projects/projectsheet.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::string expectedText(const QByteArray& bytes) {
  std::string out;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\\' || c == '{' || c == '}') out += '\\', out += c;
    else if (c == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += "\\par ";
    } else if (c == '\n') out += "\\par ";
    else out += c;
  }
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // values are separated by 0x1F, each under a label of its own
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  std::vector<std::pair<QString, QString>> lines;
  for (size_t at = 0;;) {
    const size_t end = in.find('\x1F', at);
    const std::string_view value = in.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    lines.emplace_back(QStringLiteral("Voce %1:").arg(lines.size() + 1),
                       cp1252::decode(value.data(), qsizetype(value.size())));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  const QByteArray doc = projectsheet::write(lines);
  const std::string_view d(doc.constData(), size_t(doc.size()));

  int depth = 0;
  for (size_t i = 0; i < d.size(); ++i) {
    if (d[i] == '\\') {
      ++i; // an escaped character or the first letter of a control word
      continue;
    }
    if (d[i] == '{') ++depth;
    if (d[i] == '}') --depth;
    FUZZ_CHECK(depth > 0 || i + 1 == d.size());
  }
  FUZZ_CHECK(depth == 0);

  for (const auto& [label, value] : lines)
    FUZZ_CHECK(d.find(expectedText(cp1252::encode(value))) != std::string_view::npos);
  return 0;
}
