#include "binding.h"

#include "screenkit.h"

#include <QCheckBox>

namespace binding {

namespace {
QString name(const char* prefix, std::string_view field) {
  return QLatin1String(prefix) + QLatin1String(field.data(), qsizetype(field.size()));
}
} // namespace

QWidget* controlFor(QWidget* screen, std::string_view field) {
  for (const char* prefix : {"txt", "chk", "lbl", "opt"})
    if (QWidget* w = screenkit::control(screen, name(prefix, field))) return w;
  return nullptr;
}

void load(QWidget* screen, const Record& record) {
  const RecordLayout& l = record.layout();
  for (int i = 0; i < l.fieldCount(); ++i)
    if (QWidget* w = controlFor(screen, l.field(i).name)) screenkit::setTextOf(w, record[i]);
}

void copy(QWidget* screen, const Record& record, std::initializer_list<std::pair<const char*, const char*>> targets) {
  for (const auto& [control, field] : targets)
    if (QWidget* w = screenkit::control(screen, QLatin1String(control)))
      screenkit::setTextOf(w, fieldtext::trimmed(record[field]));
}

Record save(QWidget* screen, const RecordLayout& layout) {
  Record r(layout);
  for (int i = 0; i < layout.fieldCount(); ++i)
    if (QWidget* w = controlFor(screen, layout.field(i).name)) r.set(i, fieldtext::trimmed(screenkit::textOf(w)));
  return r;
}

} // namespace binding
