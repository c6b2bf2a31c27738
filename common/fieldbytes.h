// The stored bytes of one field, without decoding: what the scans of the
// lists and exports look at, so a scan over a large archive turns into text
// only what it shows.
#pragma once

#include "archive/layout.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace fieldbytes {

// The Windows-1252 bytes of a field as stored, not trimmed. A length byte
// above the field's width is read as the width (as the decoder does), so a
// damaged record still reads as far as it can.
// `p`: where the field starts in its record.
inline std::string_view raw(const FieldDef& f, const char* p) {
  if (f.kind == FieldKind::Chars) {
    const void* zero = std::memchr(p, 0, size_t(f.width) + 1);
    return {p, zero ? size_t(static_cast<const char*>(zero) - p) : size_t(f.width)};
  }
  return {p + 1, size_t(std::min<int>(static_cast<unsigned char>(p[0]), f.width))};
}

inline std::string_view raw(const RecordLayout& layout, int index, const char* record) {
  return raw(layout.field(index), record + layout.offset(index));
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

// Asks for the bytes at these offsets of a record to be brought into the
// processor's cache: a scan asks a few records ahead of the one it reads, so
// that it does not wait for memory at every field.
inline void prefetch(const char* record, std::span<const int> offsets) {
  for (int offset : offsets) __builtin_prefetch(record + offset);
}
// How many records ahead a scan asks for the fields it will read.
inline constexpr int kFetchAhead = 8;
// The offsets to ask for to read a field at `offset`: its start, and past
// its first 64 bytes for a wide field, whose text is also read from its end.
inline void addFetchOffsets(const FieldDef& f, int offset, std::vector<int>& out) {
  out.push_back(offset);
  if (f.width >= 64) out.push_back(offset + 64);
}

// Latin letters A to Z to lower case; every other byte as it is.
inline char lowerAZ(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

} // namespace fieldbytes
