// The stored bytes of one field, without decoding: what the scans of the
// lists and exports look at, so a scan over a large archive turns into text
// only what it shows.
#pragma once

#include "archive/layout.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace fieldbytes {

// The Windows-1252 bytes of a field as stored, not trimmed. A length byte
// above the field's width is read as the width (as the decoder does), so a
// damaged record still reads as far as it can.
inline std::string_view raw(const RecordLayout& layout, int index, const char* record) {
  const FieldDef& f = layout.field(index);
  const char* p = record + layout.offset(index);
  if (f.kind == FieldKind::Chars) {
    const void* zero = std::memchr(p, 0, size_t(f.width) + 1);
    return {p, zero ? size_t(static_cast<const char*>(zero) - p) : size_t(f.width)};
  }
  return {p + 1, size_t(std::min<int>(static_cast<unsigned char>(p[0]), f.width))};
}

// Blanks and control characters (codes up to 32) removed at both ends; the
// code page keeps them at the same values as Unicode.
inline std::string_view trimmed(std::string_view bytes) {
  size_t b = 0, e = bytes.size();
  while (b < e && static_cast<unsigned char>(bytes[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(bytes[e - 1]) <= 32) --e;
  return bytes.substr(b, e - b);
}

inline std::string_view text(const RecordLayout& layout, int index, const char* record) {
  return trimmed(raw(layout, index, record));
}

// Latin letters A to Z to lower case; every other byte as it is.
inline char lowerAZ(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

} // namespace fieldbytes
