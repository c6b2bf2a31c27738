#include "password.h"

#include "archive/cp1252.h"
#include "archive/inifile.h"
#include "archive/paths.h"
#include "archive/record.h"

namespace {

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

int hexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  return -1;
}

quint16 nextKey(quint16 key, quint8 b) {
  return quint16(quint16(quint16(key + b) * scrambler::kMultiplier) + scrambler::kAddend);
}

} // namespace

namespace scrambler {

QString scramble(QStringView text) {
  static const char digits[] = "0123456789ABCDEF";
  const QByteArray bytes = cp1252::encode(text);
  QString out;
  out.reserve(bytes.size() * 2);
  quint16 key = kStartKey;
  for (const char ch : bytes) {
    const quint8 b = quint8(quint8(ch) ^ quint8(key >> 8));
    out += QLatin1Char(digits[b >> 4]);
    out += QLatin1Char(digits[b & 0x0F]);
    key = nextKey(key, b);
  }
  return out;
}

std::optional<QString> unscramble(QStringView hex) {
  QByteArray bytes;
  bytes.reserve(hex.size() / 2);
  quint16 key = kStartKey;
  for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
    const int hi = hexDigit(hex[i]), lo = hexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    const quint8 b = quint8(hi * 16 + lo);
    bytes += char(b ^ quint8(key >> 8));
    key = nextKey(key, b);
  }
  return cp1252::decode(bytes);
}

} // namespace scrambler

namespace password {

QString filePath() { return paths::inProgramFolder(QStringLiteral("unins000.dll")); }

QString normalised(QStringView entry) {
  // a character the password file cannot hold is compared as the file holds it,
  // so every password the user can set also lets him in again
  return cp1252::decode(cp1252::encode(fieldtext::trimmed(fieldtext::upperAZ(entry))));
}

Stored read() {
  Stored s;
  bool ok = false;
  const QString value = IniFile::read(filePath(), kSection, kKey, &ok);
  if (!ok) return s;
  const std::optional<QString> plain = scrambler::unscramble(value);
  if (!plain) return s;
  s.ok = true;
  s.text = fieldtext::trimmed(*plain);
  return s;
}

bool write(QStringView entry) { return writeTo(filePath(), entry); }

bool writeTo(const QString& path, QStringView entry) {
  return IniFile::write(path, kSection, kKey, scrambler::scramble(normalised(entry)));
}

} // namespace password
