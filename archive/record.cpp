#include "record.h"

#include "cp1252.h"

#include <algorithm>
#include <cstring>

namespace fieldtext {

QString trimmed(QStringView text) {
  qsizetype b = 0, e = text.size();
  while (b < e && text[b].unicode() <= 32) ++b;
  while (e > b && text[e - 1].unicode() <= 32) --e;
  return text.mid(b, e - b).toString();
}

QString lowerAZ(QStringView text) {
  QString out = text.toString();
  for (QChar& c : out)
    if (c.unicode() >= 'A' && c.unicode() <= 'Z') c = QChar(c.unicode() + 32);
  return out;
}

QString upperAZ(QStringView text) {
  QString out = text.toString();
  for (QChar& c : out)
    if (c.unicode() >= 'a' && c.unicode() <= 'z') c = QChar(c.unicode() - 32);
  return out;
}

QString upperStorable(QStringView text) {
  QString out = text.toString();
  for (QChar& c : out) {
    const QChar up = c.toUpper();
    if (up != c && cp1252::fromUnicode(up) != '?') c = up;
  }
  return out;
}

} // namespace fieldtext

Record::Record(const RecordLayout& layout) : layout_(&layout), values_(layout.fieldCount()) {}

QString decodeFieldRaw(const RecordLayout& layout, int index, const char* record) {
  const FieldDef& f = layout.field(index);
  const char* p = record + layout.offset(index);
  if (f.kind == FieldKind::Chars) {
    const void* zero = std::memchr(p, 0, size_t(f.width) + 1);
    const qsizetype len = zero ? static_cast<const char*>(zero) - p : f.width;
    return cp1252::decode(p, len);
  }
  const int len = std::min<int>(static_cast<unsigned char>(p[0]), f.width);
  return cp1252::decode(p + 1, len);
}

QString decodeField(const RecordLayout& layout, int index, const char* record) {
  if (layout.field(index).kind == FieldKind::Chars) return decodeFieldRaw(layout, index, record);
  return fieldtext::trimmed(decodeFieldRaw(layout, index, record));
}

Record decode(const RecordLayout& layout, const char* record) {
  Record r(layout);
  for (int i = 0; i < layout.fieldCount(); ++i) r.set(i, decodeField(layout, i, record));
  return r;
}

void encodeField(const RecordLayout& layout, int index, const QString& text, char* record) {
  const FieldDef& f = layout.field(index);
  char* p = record + layout.offset(index);
  std::memset(p, 0, size_t(f.width) + 1);
  if (f.kind == FieldKind::Chars) {
    const QByteArray bytes = cp1252::encode(text).left(f.width);
    std::memcpy(p, bytes.constData(), size_t(bytes.size()));
    return;
  }
  const QByteArray bytes = cp1252::encode(fieldtext::trimmed(text)).left(f.width);
  p[0] = static_cast<char>(bytes.size());
  std::memcpy(p + 1, bytes.constData(), size_t(bytes.size()));
}

QByteArray encode(const Record& record) {
  const RecordLayout& layout = record.layout();
  QByteArray out(layout.size(), '\0');
  for (int i = 0; i < layout.fieldCount(); ++i) encodeField(layout, i, record[i], out.data());
  return out;
}
