#include "layout.h"

#include <stdexcept>
#include <string>

RecordLayout::RecordLayout(std::string_view type, std::span<const FieldDef> fields)
    : type_(type), fields_(fields.begin(), fields.end()) {
  offsets_.reserve(fields_.size());
  for (const FieldDef& f : fields_) {
    offsets_.push_back(size_);
    size_ += f.width + 1;
  }
}

int RecordLayout::indexOf(std::string_view name) const {
  for (int i = 0; i < fieldCount(); ++i)
    if (fields_[i].name == name) return i;
  return -1;
}

int RecordLayout::indexOf(QStringView name) const {
  for (int i = 0; i < fieldCount(); ++i)
    if (name == QLatin1StringView(fields_[i].name.data(), qsizetype(fields_[i].name.size()))) return i;
  return -1;
}

int RecordLayout::require(std::string_view name) const {
  const int i = indexOf(name);
  if (i < 0) throw std::logic_error(std::string(type_) + " has no field " + std::string(name));
  return i;
}
