#include "validation.h"

#include "dates.h"
#include "printrows.h"

namespace validation {

Rule required(std::string_view field, const QString& message) { return {Rule::Test::Required, field, message}; }

Rule minLength(std::string_view field, int length, const QString& message) {
  return {Rule::Test::MinLength, field, message, MessageKind::Warning, length};
}

Rule holds(std::string_view field, std::function<bool(const Record&)> test, const QString& message, MessageKind kind) {
  return {Rule::Test::Holds, field, message, kind, 0, std::move(test)};
}

Rule existingDate(std::string_view field) {
  const QString typed = QLatin1Char('{') + QString::fromLatin1(field.data(), qsizetype(field.size())) + QLatin1Char('}');
  return holds(
      field,
      [field](const Record& r) {
        const QString t = fieldtext::trimmed(r[field]);
        return t.isEmpty() || dates::isValid(t);
      },
      dates::invalidDateMessage(dates::DateCheck::CardDate, typed), MessageKind::Plain);
}

namespace {

bool passes(const Rule& r, const Record& record) {
  switch (r.test) {
  case Rule::Test::Required: return !fieldtext::trimmed(record[r.field]).isEmpty();
  case Rule::Test::MinLength: return fieldtext::trimmed(record[r.field]).size() >= r.length;
  case Rule::Test::Holds: return !r.holds || r.holds(record);
  }
  return true;
}

QString messageFor(const Rule& r, const Record& record) {
  return r.message.contains(QLatin1Char('{')) ? expandPattern(r.message, record) : r.message;
}

} // namespace

std::optional<Failure> firstFailure(std::span<const Rule> rules, const Record& record) {
  for (const Rule& r : rules)
    if (!passes(r, record)) return Failure{messageFor(r, record), r.kind, r.field};
  return std::nullopt;
}

} // namespace validation

std::optional<validation::Failure> CardRules::check(Record& record) const {
  if (complete) complete(record);
  return validation::firstFailure(rules, record);
}
