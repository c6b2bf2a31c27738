// A record held as texts, one per field of its layout, and the conversions
// between those texts and the bytes of a fixed-size record.
#pragma once

#include "layout.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace fieldtext {
// Removes characters with codes up to 32 at both ends (blanks and controls).
QString trimmed(QStringView text);
// Latin letters A to Z only to lower or upper case; every other character as it is.
QString lowerAZ(QStringView text);
QString upperAZ(QStringView text);
// Every letter to its capital where that capital is one Windows-1252
// character (à to À, ÿ to Ÿ); letters without one (ß, µ) and every other
// character stay as they are, so the length never changes and the text
// stores as it reads.
QString upperStorable(QStringView text);
inline const QString& yes() { static const QString s = QStringLiteral("S\u00EC"); return s; }
inline const QString& no() { static const QString s = QStringLiteral("No"); return s; }
} // namespace fieldtext

class Record {
public:
  explicit Record(const RecordLayout& layout);

  const RecordLayout& layout() const { return *layout_; }
  const QString& operator[](int index) const { return values_[index]; }
  const QString& operator[](std::string_view name) const { return values_[layout_->require(name)]; }
  void set(int index, const QString& text) { values_[index] = text; }
  void set(std::string_view name, const QString& text) { values_[layout_->require(name)] = text; }
  // A yes/no flag: "Sì" when on, "No" when off.
  void setFlag(std::string_view name, bool on) { set(name, on ? fieldtext::yes() : fieldtext::no()); }

private:
  const RecordLayout* layout_;
  std::vector<QString> values_;
};

// Bytes of one field to its text. str[N] and flags are trimmed; char[N] is
// kept as stored (line breaks included). A length byte above N is read as N.
QString decodeField(const RecordLayout& layout, int index, const char* record);
// The same without trimming: what the searches compare against.
QString decodeFieldRaw(const RecordLayout& layout, int index, const char* record);
Record decode(const RecordLayout& layout, const char* record);

// Text to the bytes of one field: str[N] is trimmed and cut to N bytes,
// char[N] is cut to N and zero-ended. Bytes past the value are zeroed.
void encodeField(const RecordLayout& layout, int index, const QString& text, char* record);
// A whole record of layout.size() bytes.
QByteArray encode(const Record& record);
