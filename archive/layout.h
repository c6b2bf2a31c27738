// A record layout is data: a table of fields (name, kind, width) from which
// offsets, record size, encoding and decoding follow.
#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

enum class FieldKind {
  Str,   // str[N]: a length byte, then up to N Windows-1252 characters
  Chars, // char[N]: up to N characters ended by a zero byte (projects archive)
  Flag,  // yes/no flag: a str[2] holding "Sì" or "No"
};

struct FieldDef {
  std::string_view name;
  FieldKind kind;
  int width; // N: the field occupies N + 1 bytes
};

class RecordLayout {
public:
  RecordLayout(std::string_view type, std::span<const FieldDef> fields);
  RecordLayout(std::string_view type, std::initializer_list<FieldDef> fields)
      : RecordLayout(type, std::span<const FieldDef>(fields.begin(), fields.size())) {}

  std::string_view type() const { return type_; }
  int size() const { return size_; }
  int fieldCount() const { return int(fields_.size()); }
  const FieldDef& field(int index) const { return fields_[index]; }
  int offset(int index) const { return offsets_[index]; }
  // Index of a field by name, or -1.
  int indexOf(std::string_view name) const;
  int indexOf(QStringView name) const;
  // Index of a field that must exist (a programming error otherwise).
  int require(std::string_view name) const;
  int offsetOf(std::string_view name) const { return offset(require(name)); }

private:
  std::string_view type_;
  std::vector<FieldDef> fields_;
  std::vector<int> offsets_;
  int size_ = 0;
};
