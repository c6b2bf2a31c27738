#include "accentfold.h"

#include "archive/cp1252.h"

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

} // namespace accentfold
