#include "statistics.h"

#include "movements/movimento.h"

#include "archive/archivio.h"
#include "archive/record.h"

namespace statistics {

int pointCount(Chart chart) { return chart == Chart::Balance ? 2 : 12; }

MonthYear monthYearOf(const QString& date) {
  const QString padded = fieldtext::trimmed(date) + QString(10, QLatin1Char(' '));
  return {fieldtext::trimmed(padded.mid(3, 2)), fieldtext::trimmed(padded.mid(6, 4))};
}

namespace {

// "01" to "12" give 1 to 12; anything else 0.
int monthNumber(const QString& month) {
  if (month.size() != 2) return 0;
  const int tens = month[0].unicode() - u'0', units = month[1].unicode() - u'0';
  if (tens < 0 || tens > 9 || units < 0 || units > 9) return 0;
  const int n = tens * 10 + units;
  return n <= 12 ? n : 0;
}

} // namespace

Sums::Sums(Chart chart, QString year)
    : chart_(chart), year_(fieldtext::trimmed(year)), cents_(size_t(pointCount(chart)), 0) {}

bool Sums::addTo(int point, const char* record) {
  const std::optional<money::Units> amount = movement::amount(record);
  if (!amount) return false;
  money::Units& sum = cents_[size_t(point)];
  return !__builtin_add_overflow(sum, *amount, &sum);
}

bool Sums::add(const char* record) {
  const bool income = movement::text(record, "Entrata") == fieldtext::yes();
  const bool expense = movement::text(record, "Uscita") == fieldtext::yes();
  if (chart_ == Chart::Balance) {
    // every movement of the file, whatever year its date carries
    if (income && !addTo(0, record)) return false;
    if (expense && !addTo(1, record)) return false;
    return true;
  }
  const MonthYear when = monthYearOf(movement::text(record, "Data"));
  if (when.year != year_) return true;
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
