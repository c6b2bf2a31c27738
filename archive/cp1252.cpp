#include "cp1252.h"

#include <array>

namespace cp1252 {
namespace {

// 0x80..0x9F; everything else is Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct Tables {
  std::array<char16_t, 256> toUni{};
  std::array<unsigned char, 0x10000> fromUni{};
  Tables() {
    fromUni.fill('?');
    for (int b = 0; b < 256; ++b) {
      const char16_t u = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b);
      toUni[b] = u;
      fromUni[u] = static_cast<unsigned char>(b);
    }
    // The C1 controls that stand in for the defined 0x80..0x9F bytes have no
    // byte of their own in the code page.
    for (int b = 0x80; b < 0xA0; ++b)
      if (kHigh[b - 0x80] != b) fromUni[b] = '?';
  }
};

const Tables& tables() {
  static const Tables t;
  return t;
}

} // namespace

QChar toUnicode(unsigned char byte) { return QChar(tables().toUni[byte]); }

unsigned char fromUnicode(QChar ch) { return tables().fromUni[ch.unicode()]; }

QString decode(const char* bytes, qsizetype length) {
  const auto& t = tables();
  QString out(length, Qt::Uninitialized);
  QChar* d = out.data();
  for (qsizetype i = 0; i < length; ++i) d[i] = QChar(t.toUni[static_cast<unsigned char>(bytes[i])]);
  return out;
}

QByteArray encode(QStringView text) {
  const auto& t = tables();
  QByteArray out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    // A character outside the Basic Multilingual Plane is one character on
    // screen and one "?" in the file.
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out.append('?');
      ++i;
      continue;
    }
    out.append(static_cast<char>(t.fromUni[c.unicode()]));
  }
  return out;
}

} // namespace cp1252
