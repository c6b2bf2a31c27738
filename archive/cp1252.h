// Windows-1252, the code page of every archive, settings and export file:
// one byte per character both ways, with "?" for what the code page cannot hold.
#pragma once

#include <QByteArray>
#include <QString>

namespace cp1252 {

// The character a byte stands for. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) map to the control characters of the same
// value, so every byte reads back as it was written.
QChar toUnicode(unsigned char byte);

// The byte for a character, or '?' when the code page has none.
unsigned char fromUnicode(QChar ch);

QString decode(const char* bytes, qsizetype length);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }
QByteArray encode(QStringView text);

} // namespace cp1252
