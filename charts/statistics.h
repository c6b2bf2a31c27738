// The sums the statistical charts draw from one yearly movement archive:
// the income or the expenses of each month of the chosen year, and the
// yearly balance (total income, total expenses) of every movement in the
// file whatever its date. Amounts are added in cents and each sum is
// rounded to the euro, half up, only at the end. Settled and unsettled
// movements count alike.
//
//   statistics::compute(Chart::MonthlyIncome, "…/2026.eur", "2026")
//     -> {Outcome::Done, {0, 0, 101, 0, …}}   twelve sums in whole euros
//   statistics::compute(Chart::Balance, "…/2026.eur")
//     -> {Outcome::Done, {48210, 31975}}       income, expenses
#pragma once

#include "archive/layout.h"
#include "common/amounts.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace statistics {

enum class Chart { MonthlyIncome, MonthlyExpenses, Balance };

// Twelve sums for a monthly chart, two for the balance.
int pointCount(Chart chart);

// The month and the year of an operation date as the charts read them: the
// date trimmed and followed by ten blanks, the month from its characters 4-5
// and the year from 7-10, each trimmed ("15/03/2026" -> "03", "2026"). The
// day is not read, and the date need not exist.
struct MonthYear {
  QString month;
  QString year;
};
MonthYear monthYearOf(const QString& date);

// The sums of one chart, record by record in file order.
class Sums {
public:
  // `year`: the four digits chosen for a monthly chart (the balance reads
  // every movement and ignores it).
  explicit Sums(Chart chart, QString year = QString());

  // Adds a stored movement (record bytes of TRecMovimento) to the sum it
  // belongs to, if any. False when the amount it should add cannot be read
  // (or the sum would no longer be an amount): the chart then has no sums.
  bool add(const char* record);

  // In cents, in point order.
  const std::vector<money::Units>& cents() const { return cents_; }
  // Each sum rounded to the euro, half up.
  std::vector<money::Units> euros() const;

private:
  bool addTo(int point, const char* record);

  Chart chart_;
  // The chosen year as stored bytes; a year no stored date can hold
  // (characters the code page lacks) matches no movement.
  QByteArray year_;
  bool yearStorable_ = true;
  // Where the fields read lie in a record.
  const FieldDef* entrata_;
  const FieldDef* uscita_;
  const FieldDef* data_;
  const FieldDef* importo_;
  int entrataAt_, uscitaAt_, dataAt_, importoAt_;
  std::vector<money::Units> cents_;
};

struct Result {
  enum class Outcome {
    Done,
    UnreadableArchive, // the file could not be opened or read
    UnreadableAmount,  // a movement's amount could not be read
  };
  Outcome outcome = Outcome::Done;
  // Whole euros in point order; empty unless Done.
  std::vector<money::Units> euros;
  bool done() const { return outcome == Outcome::Done; }
};

// Reads the yearly archive `file` (created empty when missing) and sums it
// for the chart.
Result compute(Chart chart, const QString& file, const QString& year = QString());

} // namespace statistics
