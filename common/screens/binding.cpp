#include "binding.h"

#include "screenkit.h"

namespace binding {

QWidget* controlFor(QWidget* screen, std::string_view field) {
  const QString stem = QString::fromLatin1(field.data(), qsizetype(field.size()));
  for (const char* prefix : {"txt", "chk", "lbl", "opt"})
    if (QWidget* w = screenkit::control(screen, QLatin1String(prefix) + stem)) return w;
  return nullptr;
}

void load(QWidget* screen, const Record& record) {
  const RecordLayout& l = record.layout();
  for (int i = 0; i < l.fieldCount(); ++i)
    if (QWidget* w = controlFor(screen, l.field(i).name)) screenkit::setTextOf(w, record[i]);
}

void copy(QWidget* screen, const Record& record, std::span<const std::pair<QString, std::string_view>> targets) {
  for (const auto& [control, field] : targets)
    if (QWidget* w = screenkit::control(screen, control)) screenkit::setTextOf(w, fieldtext::trimmed(record[field]));
}

} // namespace binding
