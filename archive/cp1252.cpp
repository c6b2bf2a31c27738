#include "cp1252.h"

namespace cp1252 {
namespace {

// Every character of the Basic Multilingual Plane to its byte, '?' for
// those the code page lacks.
constexpr std::array<unsigned char, 0x10000> fromUnicodeTable() {
  std::array<unsigned char, 0x10000> t{};
  for (auto& b : t) b = '?';
  for (int b = 0; b < 256; ++b) t[kToUnicode[size_t(b)]] = static_cast<unsigned char>(b);
  // The C1 controls that stand in for the defined 0x80..0x9F bytes have no
  // byte of their own in the code page.
  for (int b = 0x80; b < 0xA0; ++b)
    if (detail::kHigh[b - 0x80] != b) t[size_t(b)] = '?';
  return t;
}

constexpr std::array<unsigned char, 0x10000> kFromUnicode = fromUnicodeTable();

} // namespace

unsigned char fromUnicode(QChar ch) { return kFromUnicode[ch.unicode()]; }

QString decode(const char* bytes, qsizetype length) {
  QString out(length, Qt::Uninitialized);
  decodeInto(bytes, length, out.data());
  return out;
}

QByteArray encode(QStringView text) {
  QByteArray out(text.size(), Qt::Uninitialized);
  char* at = out.data();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    // A character outside the Basic Multilingual Plane is one character on
    // screen and one "?" in the file.
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    *at++ = static_cast<char>(kFromUnicode[c.unicode()]);
  }
  out.truncate(at - out.constData());
  return out;
}

} // namespace cp1252
