#include "statistics.h"

#include "movements/movimento.h"

#include "archive/archivio.h"
#include "archive/cp1252.h"
#include "archive/record.h"
#include "common/fieldbytes.h"

#include <algorithm>
#include <string_view>

namespace statistics {

int pointCount(Chart chart) { return chart == Chart::Balance ? 2 : 12; }

MonthYear monthYearOf(const QString& date) {
  const QString padded = fieldtext::trimmed(date) + QString(10, QLatin1Char(' '));
  return {fieldtext::trimmed(padded.mid(3, 2)), fieldtext::trimmed(padded.mid(6, 4))};
}

namespace {

// The month and the year of a stored operation date, read as monthYearOf
// reads its text: the blanks that pad the date only ever trim away.
struct DateParts {
  std::string_view month, year;
};
DateParts datePartsOf(std::string_view stored) {
  const std::string_view t = fieldbytes::trimmed(stored);
  auto part = [t](size_t from, size_t length) {
    return fieldbytes::trimmed(t.substr(std::min(from, t.size()), length));
  };
  return {part(3, 2), part(6, 4)};
}

// "01" to "12" give 1 to 12; anything else 0.
int monthNumber(std::string_view month) {
  if (month.size() != 2) return 0;
  const int tens = month[0] - '0', units = month[1] - '0';
  if (tens < 0 || tens > 9 || units < 0 || units > 9) return 0;
  const int n = tens * 10 + units;
  return n <= 12 ? n : 0;
}

const std::string_view kYes = "S\xEC"; // "Sì" as stored

} // namespace

Sums::Sums(Chart chart, QString year) : chart_(chart), cents_(size_t(pointCount(chart)), 0) {
  const QString trimmedYear = fieldtext::trimmed(year);
  year_ = cp1252::encode(trimmedYear);
  yearStorable_ = cp1252::decode(year_) == trimmedYear;
  const RecordLayout& layout = TRecMovimento();
  auto at = [&layout](std::string_view name, const FieldDef*& field, int& offset) {
    const int index = layout.require(name);
    field = &layout.field(index);
    offset = layout.offset(index);
  };
  at("Entrata", entrata_, entrataAt_);
  at("Uscita", uscita_, uscitaAt_);
  at("Data", data_, dataAt_);
  at("Importo", importo_, importoAt_);
}

bool Sums::addTo(int point, const char* record) {
  const money::Parsed amount = money::parse(fieldbytes::raw(*importo_, record + importoAt_), movement::kDecimals);
  if (!amount.ok()) return false;
  money::Units& sum = cents_[size_t(point)];
  return !__builtin_add_overflow(sum, amount.units, &sum);
}

bool Sums::add(const char* record) {
  const bool income = fieldbytes::trimmed(fieldbytes::raw(*entrata_, record + entrataAt_)) == kYes;
  const bool expense = fieldbytes::trimmed(fieldbytes::raw(*uscita_, record + uscitaAt_)) == kYes;
  if (chart_ == Chart::Balance) {
    // every movement of the file, whatever year its date carries
    if (income && !addTo(0, record)) return false;
    if (expense && !addTo(1, record)) return false;
    return true;
  }
  const DateParts when = datePartsOf(fieldbytes::raw(*data_, record + dataAt_));
  if (!yearStorable_ || when.year != std::string_view(year_.constData(), size_t(year_.size()))) return true;
  if (!(chart_ == Chart::MonthlyIncome ? income : expense)) return true;
  const int month = monthNumber(when.month);
  if (month == 0) return true;
  return addTo(month - 1, record);
}

std::vector<money::Units> Sums::euros() const {
  std::vector<money::Units> whole;
  whole.reserve(cents_.size());
  for (money::Units c : cents_) whole.push_back(money::roundToWhole(c, movement::kDecimals));
  return whole;
}

Result compute(Chart chart, const QString& file, const QString& year) {
  Sums sums(chart, year);
  bool readable = true;
  try {
    TArchivioSchede archive(file, movementArchive().recordSize());
    archive.open(TArchivioSchede::Access::Read);
    archive.scan([&](RecordPosition, const char* record) { return readable = sums.add(record); });
    archive.close();
  } catch (const ArchiveError&) {
    return {Result::Outcome::UnreadableArchive, {}};
  }
  if (!readable) return {Result::Outcome::UnreadableAmount, {}};
  return {Result::Outcome::Done, sums.euros()};
}

} // namespace statistics
