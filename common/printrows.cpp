#include "printrows.h"

QString expandPattern(const QString& pattern, const Record& record) {
  QString out;
  out.reserve(pattern.size() + 32);
  qsizetype i = 0;
  while (i < pattern.size()) {
    const qsizetype open = pattern.indexOf(QLatin1Char('{'), i);
    const qsizetype close = open < 0 ? -1 : pattern.indexOf(QLatin1Char('}'), open);
    if (open < 0 || close < 0) {
      out += pattern.mid(i);
      break;
    }
    out += pattern.mid(i, open - i);
    const QString name = pattern.mid(open + 1, close - open - 1);
    const int index = record.layout().indexOf(QStringView(name));
    if (index >= 0) out += fieldtext::trimmed(record[index]);
    else out += pattern.mid(open, close - open + 1);
    i = close + 1;
  }
  return fieldtext::trimmed(out);
}

std::vector<std::pair<QString, QString>> expandRows(const std::vector<PrintRow>& rows, const Record& record) {
  std::vector<std::pair<QString, QString>> out;
  out.reserve(rows.size());
  for (const PrintRow& r : rows) out.emplace_back(r.title, expandPattern(r.pattern, record));
  return out;
}

QString expandPattern(const QString& pattern, const ValueWords& words, const Record& record) {
  const QString value = expandPattern(pattern, record);
  for (const auto& [from, to] : words)
    if (value == from) return to;
  return value;
}

std::vector<FormField> expandForm(const FormPrintDescription& description, const Record& record) {
  std::vector<FormField> out;
  out.reserve(description.rows.size());
  for (const FormPrintRow& r : description.rows)
    out.push_back({r.label, r.box, expandPattern(r.pattern, r.words, record)});
  return out;
}
