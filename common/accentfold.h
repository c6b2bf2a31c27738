// The folding under which the studio's search compares texts: one byte of
// Windows-1252 to one byte, letters to lower case and accented letters to
// their base letter, as an Italian reader takes "citta" for "Città" and
// "perche" for "perché". A pure table: the same byte always folds the same.
#pragma once

#include <QByteArray>
#include <QStringView>

#include <array>
#include <string_view>

namespace accentfold {

// The folded byte of every Windows-1252 byte. Letters fold to a-z; the
// ligatures and "ß" fold to the first letter of the pair they stand for
// ("æ" to "a", "œ" to "o", "ß" to "s"), so that one byte stays one byte and
// a match's place in the stored text is the same in the folded text. Every
// other byte (digits, punctuation, "€", the blanks) stays as it is.
extern const std::array<unsigned char, 256> kTable;

inline unsigned char fold(unsigned char byte) { return kTable[byte]; }

// A typed text as the search compares it: encoded in Windows-1252 and
// folded byte by byte (a character the code page lacks stays "?").
QByteArray foldedText(QStringView text);

// Where the folded `needle` first occurs in `bytes` folded, or -1. The
// needle is already folded; `bytes` are the stored ones.
inline qsizetype find(std::string_view bytes, std::string_view needle) {
  const size_t m = needle.size();
  if (m == 0) return 0;
  if (bytes.size() < m) return -1;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* n = reinterpret_cast<const unsigned char*>(needle.data());
  const unsigned char first = n[0];
  const size_t last = bytes.size() - m;
  for (size_t i = 0; i <= last; ++i) {
    if (kTable[b[i]] != first) continue;
    size_t k = 1;
    while (k < m && kTable[b[i + k]] == n[k]) ++k;
    if (k == m) return qsizetype(i);
  }
  return -1;
}

// The same search made for one needle and many texts, as a scan makes it:
// it looks first for the needle's letter that the fewest stored bytes fold
// to, sixteen bytes at a time, and compares the whole needle only where that
// letter stands. Finds exactly what find() finds.
class Finder {
public:
  // `needle` is folded and not empty.
  explicit Finder(QByteArray needle);
  // find(bytes, needle); `readable` bytes from bytes.data() on may be read
  // (at least bytes.size()), so that a short text is compared in one block
  // of sixteen when the record goes on past it.
  qsizetype in(std::string_view bytes, size_t readable) const;

private:
  bool matchesAt(const unsigned char* at) const;

  QByteArray needle_;
  size_t anchor_ = 0;                   // the needle's letter looked for first
  std::array<unsigned char, 256> hits_; // the stored bytes that fold to it, as 0 or 1
  unsigned char anchorBytes_[32] = {};  // the same, listed
  int anchorCount_ = 0;
};

} // namespace accentfold
