#include "accentfold.h"

#include "archive/cp1252.h"

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace accentfold {

namespace {

constexpr std::array<unsigned char, 256> makeTable() {
  std::array<unsigned char, 256> t{};
  for (int b = 0; b < 256; ++b) t[size_t(b)] = static_cast<unsigned char>(b);
  for (int b = 'A'; b <= 'Z'; ++b) t[size_t(b)] = static_cast<unsigned char>(b + 32);
  // Each letter of the code page beyond ASCII, by its byte, and what it folds to.
  constexpr struct {
    unsigned char byte;
    char base;
  } kLetters[] = {
      {0x8A, 's'}, {0x8C, 'o'}, {0x8E, 'z'}, {0x9A, 's'}, {0x9C, 'o'}, {0x9E, 'z'}, {0x9F, 'y'}, // Š Œ Ž š œ ž Ÿ
      {0xC0, 'a'}, {0xC1, 'a'}, {0xC2, 'a'}, {0xC3, 'a'}, {0xC4, 'a'}, {0xC5, 'a'}, {0xC6, 'a'}, // À Á Â Ã Ä Å Æ
      {0xC7, 'c'}, {0xC8, 'e'}, {0xC9, 'e'}, {0xCA, 'e'}, {0xCB, 'e'},                           // Ç È É Ê Ë
      {0xCC, 'i'}, {0xCD, 'i'}, {0xCE, 'i'}, {0xCF, 'i'}, {0xD0, 'd'}, {0xD1, 'n'},              // Ì Í Î Ï Ð Ñ
      {0xD2, 'o'}, {0xD3, 'o'}, {0xD4, 'o'}, {0xD5, 'o'}, {0xD6, 'o'}, {0xD8, 'o'},              // Ò Ó Ô Õ Ö Ø
      {0xD9, 'u'}, {0xDA, 'u'}, {0xDB, 'u'}, {0xDC, 'u'}, {0xDD, 'y'}, {0xDF, 's'},              // Ù Ú Û Ü Ý ß
      {0xE0, 'a'}, {0xE1, 'a'}, {0xE2, 'a'}, {0xE3, 'a'}, {0xE4, 'a'}, {0xE5, 'a'}, {0xE6, 'a'}, // à á â ã ä å æ
      {0xE7, 'c'}, {0xE8, 'e'}, {0xE9, 'e'}, {0xEA, 'e'}, {0xEB, 'e'},                           // ç è é ê ë
      {0xEC, 'i'}, {0xED, 'i'}, {0xEE, 'i'}, {0xEF, 'i'}, {0xF0, 'd'}, {0xF1, 'n'},              // ì í î ï ð ñ
      {0xF2, 'o'}, {0xF3, 'o'}, {0xF4, 'o'}, {0xF5, 'o'}, {0xF6, 'o'}, {0xF8, 'o'},              // ò ó ô õ ö ø
      {0xF9, 'u'}, {0xFA, 'u'}, {0xFB, 'u'}, {0xFC, 'u'}, {0xFD, 'y'}, {0xFF, 'y'},              // ù ú û ü ý ÿ
  };
  for (const auto& l : kLetters) t[l.byte] = static_cast<unsigned char>(l.base);
  return t;
}

} // namespace

const std::array<unsigned char, 256> kTable = makeTable();

QByteArray foldedText(QStringView text) {
  QByteArray bytes = cp1252::encode(text);
  for (char& c : bytes) c = char(kTable[static_cast<unsigned char>(c)]);
  return bytes;
}

Finder::Finder(QByteArray needle) : needle_(std::move(needle)) {
  // the letter fewest stored bytes fold to
  int fewest = 257;
  for (qsizetype k = 0; k < needle_.size(); ++k) {
    int count = 0;
    for (int b = 0; b < 256; ++b) count += kTable[size_t(b)] == static_cast<unsigned char>(needle_[k]) ? 1 : 0;
    if (count < fewest) {
      fewest = count;
      anchor_ = size_t(k);
    }
  }
  hits_.fill(0);
  const auto letter = static_cast<unsigned char>(needle_.isEmpty() ? 0 : needle_[qsizetype(anchor_)]);
  for (int b = 0; b < 256; ++b)
    if (kTable[size_t(b)] == letter && !needle_.isEmpty()) {
      hits_[size_t(b)] = 1;
      if (anchorCount_ < int(sizeof anchorBytes_)) anchorBytes_[anchorCount_] = static_cast<unsigned char>(b);
      ++anchorCount_;
    }
}

bool Finder::matchesAt(const unsigned char* at) const {
  const auto* n = reinterpret_cast<const unsigned char*>(needle_.constData());
  for (qsizetype k = 0; k < needle_.size(); ++k)
    if (kTable[at[k]] != n[k]) return false;
  return true;
}

qsizetype Finder::in(std::string_view bytes, size_t readable) const {
  const size_t m = size_t(needle_.size()), n = bytes.size();
  if (m == 0) return 0;
  if (n < m) return -1;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  // the anchor letter's places: j = i + anchor_ for every start i from 0 to n - m
  const size_t lastStart = n - m;
  size_t i = 0;
#ifdef __SSE2__
  if (anchorCount_ <= int(sizeof anchorBytes_)) {
    for (; i <= lastStart; i += 16) {
      const size_t j = i + anchor_;
      if (j + 16 > readable) break;
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + j));
      __m128i found = _mm_setzero_si128();
      for (int c = 0; c < anchorCount_; ++c)
        found = _mm_or_si128(found, _mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(anchorBytes_[c]))));
      unsigned mask = unsigned(_mm_movemask_epi8(found));
      // only the starts that leave room for the whole needle
      if (lastStart - i < 15) mask &= (1u << (lastStart - i + 1)) - 1;
      while (mask) {
        const size_t start = i + size_t(std::countr_zero(mask));
        if (matchesAt(b + start)) return qsizetype(start);
        mask &= mask - 1;
      }
    }
  }
#endif
  for (; i <= lastStart; ++i)
    if (hits_[b[i + anchor_]] && matchesAt(b + i)) return qsizetype(i);
  return -1;
}

} // namespace accentfold
