// Windows-1252, the code page of every archive, settings and export file:
// one byte per character both ways, with "?" for what the code page cannot hold.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace cp1252 {

namespace detail {
// 0x80..0x9F; every other byte is Latin-1.
inline constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 256> toUnicodeTable() {
  std::array<char16_t, 256> t{};
  for (int b = 0; b < 256; ++b) t[size_t(b)] = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b);
  return t;
}
} // namespace detail

// The character each byte stands for. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) map to the control characters of the same
// value, so every byte reads back as it was written.
inline constexpr std::array<char16_t, 256> kToUnicode = detail::toUnicodeTable();

inline QChar toUnicode(unsigned char byte) { return QChar(kToUnicode[byte]); }

// The byte for a character, or '?' when the code page has none.
unsigned char fromUnicode(QChar ch);

// Decodes `length` bytes into `out`, which has room for them; returns the
// end of what was written.
inline QChar* decodeInto(const char* bytes, qsizetype length, QChar* out) {
  for (qsizetype i = 0; i < length; ++i) out[i] = QChar(kToUnicode[static_cast<unsigned char>(bytes[i])]);
  return out + length;
}

QString decode(const char* bytes, qsizetype length);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }
QByteArray encode(QStringView text);

} // namespace cp1252
