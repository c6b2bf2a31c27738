// The sums of the statistical charts: months of the chosen year, the yearly
// balance of the whole file, cents rounded to the euro only at the end, and
// a computation that stops on an amount it cannot read.
#include "charts/statistics.h"

#include "movementfixture.h"
#include "support.h"

#include <QFile>

#include <cstring>

#include <gtest/gtest.h>

using movementfixture::Movement;
using statistics::Chart;
using statistics::Result;
using Euros = std::vector<money::Units>;

namespace {

constexpr bool In = true, Out = false;

Euros months(std::initializer_list<std::pair<int, money::Units>> set) {
  Euros e(12, 0);
  for (auto [month, value] : set) e[size_t(month - 1)] = value;
  return e;
}

statistics::Sums sum(Chart chart, const std::vector<Movement>& movements) {
  statistics::Sums s(chart, QStringLiteral("2026"));
  for (const Movement& m : movements) EXPECT_TRUE(s.add(movementfixture::bytes(m).constData())) << m.date;
  return s;
}

} // namespace

TEST(Statistics, MonthAndYearAreReadByPosition) {
  struct Case {
    const char* date;
    const char* month;
    const char* year;
  } cases[] = {
      {"15/03/2026", "03", "2026"}, {"  15/03/2026 ", "03", "2026"}, {"5/3/2026", "/2", "26"},
      {"15/03/26", "03", "26"},     {"15/03", "03", ""},             {"", "", ""},
      {"31/02/2026", "02", "2026"}, {"15/ 3/2026", "3", "2026"},
  };
  for (const Case& c : cases) {
    const statistics::MonthYear my = statistics::monthYearOf(QString::fromLatin1(c.date));
    EXPECT_EQ(my.month, QLatin1String(c.month)) << c.date;
    EXPECT_EQ(my.year, QLatin1String(c.year)) << c.date;
  }
}

// Rounding once per month, half up, on the exact cents.
TEST(Statistics, MonthlySumsRoundToTheEuro) {
  const struct Case {
    const char* name;
    std::vector<Movement> movements;
    Euros income;
  } cases[] = {
      {"two amounts of one month", {{In, "10/03/2026", "100,40"}, {In, "28/03/2026", "0,20"}}, months({{3, 101}})},
      {"half a euro goes up", {{In, "01/05/2026", "100,50"}}, months({{5, 101}})},
      {"less than half goes down", {{In, "01/05/2026", "100,49"}}, months({{5, 100}})},
      // 0,30 + 0,30 + 0,30 + 0,60 is 1,50 in cents (binary fractions would
      // add up to a hair under it)
      {"cents stay exact",
       {{In, "01/07/2026", "0,30"}, {In, "02/07/2026", "0,30"}, {In, "03/07/2026", "0,30"}, {In, "04/07/2026", "0,60"}},
       months({{7, 2}})},
      {"settled or not", {{In, "01/01/2026", "10,00", true}, {In, "02/01/2026", "5,00", false}}, months({{1, 15}})},
      {"every month in its place",
       {{In, "31/12/2026", "12,00"}, {In, "01/01/2026", "1,00"}, {In, "30/06/2026", "6,00"}},
       months({{1, 1}, {6, 6}, {12, 12}})},
      {"other years and other kinds are left out",
       {{In, "15/01/2027", "500,00"}, {In, "31/12/2025", "400,00"}, {Out, "10/03/2026", "300,00"}}, months({})},
      {"a month that is not 01 to 12 is left out",
       {{In, "10/13/2026", "1,00"}, {In, "10/00/2026", "1,00"}, {In, "5/3/2026", "1,00"}, {In, "", "1,00"}},
       months({})},
      {"the date need not exist", {{In, "31/02/2026", "7,00"}}, months({{2, 7}})},
      {"no income at all", {{Out, "10/03/2026", "80,00"}}, months({})},
      {"an empty archive", {}, months({})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sum(Chart::MonthlyIncome, c.movements).euros(), c.income) << c.name;
    // the same movements with the kinds swapped make the expense chart
    std::vector<Movement> swapped(c.movements);
    statistics::Sums expenses(Chart::MonthlyExpenses, QStringLiteral("2026"));
    for (Movement& m : swapped) {
      m.income = !m.income;
      EXPECT_TRUE(expenses.add(movementfixture::bytes(m).constData()));
    }
    EXPECT_EQ(expenses.euros(), c.income) << c.name;
  }
  EXPECT_EQ(sum(Chart::MonthlyIncome, {{In, "10/03/2026", "100,40"}}).cents(), months({{3, 10040}}));
}

// The balance reads every movement of the file, whatever its date.
TEST(Statistics, BalanceCountsTheWholeFile) {
  const statistics::Sums s = sum(Chart::Balance, {{In, "10/03/2026", "100,40"},
                                                  {In, "15/01/2027", "0,20"},
                                                  {In, "", "1000,00", true},
                                                  {Out, "10/03/2026", "80,50"},
                                                  {Out, "01/01/1999", "19,99"}});
  EXPECT_EQ(s.cents(), (Euros{110060, 10049}));
  EXPECT_EQ(s.euros(), (Euros{1101, 100}));
  EXPECT_EQ(sum(Chart::Balance, {}).euros(), (Euros{0, 0}));
}

// An amount that cannot be read stops the sums, but only where it would be
// added; a movement the chart leaves out is not read further.
TEST(Statistics, UnreadableAmount) {
  const QByteArray bad = movementfixture::bytes({In, "10/03/2026", "12,3x"});
  const QByteArray empty = movementfixture::bytes({In, "10/03/2026", ""});
  const QByteArray otherYear = movementfixture::bytes({In, "10/03/2025", "abc"});
  statistics::Sums income(Chart::MonthlyIncome, QStringLiteral("2026"));
  EXPECT_TRUE(income.add(otherYear.constData()));
  EXPECT_FALSE(income.add(bad.constData()));
  EXPECT_FALSE(statistics::Sums(Chart::MonthlyIncome, QStringLiteral("2026")).add(empty.constData()));
  EXPECT_TRUE(statistics::Sums(Chart::MonthlyExpenses, QStringLiteral("2026")).add(bad.constData()));
  EXPECT_FALSE(statistics::Sums(Chart::Balance).add(otherYear.constData()));

  // sums that would no longer be amounts
  const QByteArray huge = movementfixture::bytes({In, "10/03/2026", "99999999999999"});
  statistics::Sums balance(Chart::Balance);
  bool added = true;
  for (int i = 0; i < 1000 && added; ++i) added = balance.add(huge.constData());
  EXPECT_FALSE(added);
}

TEST(Statistics, ComputeReadsTheArchiveFile) {
  TempProgramFolder folder;
  const QString file = folder.path(QStringLiteral("2026.eur"));
  // a year without archive: an empty one is created and every month is 0
  Result r = statistics::compute(Chart::MonthlyIncome, file, QStringLiteral("2026"));
  EXPECT_TRUE(r.done());
  EXPECT_EQ(r.euros, months({}));
  EXPECT_TRUE(QFile::exists(file));

  movementfixture::write(file, {{In, "10/03/2026", "100,40"}, {In, "15/01/2027", "0,60"}, {Out, "02/02/2026", "9,50"}});
  r = statistics::compute(Chart::MonthlyIncome, file, QStringLiteral("2026"));
  EXPECT_EQ(r.euros, months({{3, 100}}));
  EXPECT_EQ(statistics::compute(Chart::MonthlyExpenses, file, QStringLiteral("2026")).euros, months({{2, 10}}));
  EXPECT_EQ(statistics::compute(Chart::Balance, file).euros, (Euros{101, 10}));
  // the year chosen decides which movements are months of the chart
  EXPECT_EQ(statistics::compute(Chart::MonthlyIncome, file, QStringLiteral("2027")).euros, months({{1, 1}}));

  movementfixture::write(file, {{Out, "10/03/2026", "1,00,0"}});
  r = statistics::compute(Chart::MonthlyExpenses, file, QStringLiteral("2026"));
  EXPECT_EQ(r.outcome, Result::Outcome::UnreadableAmount);
  EXPECT_TRUE(r.euros.empty());
  EXPECT_EQ(statistics::compute(Chart::MonthlyIncome, file, QStringLiteral("2026")).euros, months({{3, 100}}));

  r = statistics::compute(Chart::Balance, folder.path(QStringLiteral("manca/2026.eur")));
  EXPECT_EQ(r.outcome, Result::Outcome::UnreadableArchive);
  EXPECT_TRUE(r.euros.empty());
}

// The sums read the flags, the date and the amount straight from the stored
// bytes. Stored fields the card would never write (blanks and controls
// inside and around, a length byte past the field's width, bytes outside
// ASCII, a stray character in the amount) must give what their texts give:
// a flag is "Sì" once trimmed, the month and year are read by position in
// the trimmed date, the amount is parsed as text.
TEST(Statistics, StoredBytesReadAsTheirTexts) {
  const RecordLayout& layout = TRecMovimento();
  // Field bytes as stored: the length byte, then the characters.
  auto stored = [&layout](QByteArray& record, std::string_view field, const QByteArray& bytes) {
    char* at = record.data() + layout.offsetOf(field);
    std::memcpy(at, bytes.constData(), size_t(bytes.size()));
  };
  auto str = [](const char* text, int length = -1) {
    const QByteArray t(text);
    return char(length < 0 ? t.size() : length) + t;
  };
  const struct Case {
    const char* name;
    QByteArray entrata, data, importo;
  } cases[] = {
      {"as the card stores it", str("S\xEC"), str("15/03/2026"), str("100,40")},
      {"flag of a blank and a letter", str(" S"), str("15/03/2026"), str("1,00")},
      {"flag in lower case is not yes", str("s\xEC"), str("15/03/2026"), str("1,00")},
      {"flag cut by its length byte", str("S\xEC", 1), str("15/03/2026"), str("1,00")},
      {"flag length byte past its width", str("S\xEC", 200), str("15/03/2026"), str("1,00")},
      {"date with blanks around", str("S\xEC"), str(" 5/03/26\r "), str("2,00")},
      {"date led by a tab", str("S\xEC"), str("\t1/03/2026"), str("2,00")},
      {"date with a blank in the month", str("S\xEC"), str("15/ 3/2026"), str("3,00")},
      {"date with a blank in the year", str("S\xEC"), str("5/03/ 2026"), str("3,00")},
      {"date of blanks", str("S\xEC"), str("          "), str("4,00")},
      {"date with a control inside", str("S\xEC"), str("15/0\x01/2026"), str("4,00")},
      {"date with a byte outside ASCII", str("S\xEC"), str("15/\x80" "3/2026"), str("4,00")},
      {"date length byte past its width", str("S\xEC"), str("15/03/2026", 255), str("5,00")},
      {"date cut short by its length byte", str("S\xEC"), str("15/03/2026", 8), str("5,00")},
      {"amount with blanks and controls around", str("S\xEC"), str("15/03/2026"), str(" \t12,50\r\n")},
      {"amount with a stray letter", str("S\xEC"), str("15/03/2026"), str("12,3x")},
      {"amount with the euro sign", str("S\xEC"), str("15/03/2026"), str("12,30\x80")},
      {"amount with a blank inside", str("S\xEC"), str("15/03/2026"), str("1 000,00")},
      {"amount of blanks", str("S\xEC"), str("15/03/2026"), str("   ")},
      {"amount length byte past its width", str("S\xEC"), str("15/03/2026"), str("7,00", 255)},
  };
  // What the texts of the fields give, as the card reads them.
  auto byText = [](Chart chart, const char* record, std::vector<money::Units>& cents) {
    const bool income = movement::text(record, "Entrata") == fieldtext::yes();
    int point = 0;
    if (chart == Chart::Balance) {
      if (!income) return true;
    } else {
      const statistics::MonthYear when = statistics::monthYearOf(movement::text(record, "Data"));
      const bool digits = when.month.size() == 2 && when.month[0].isDigit() && when.month[1].isDigit();
      const int month = digits ? when.month.toInt() : 0;
      if (!income || when.year != QLatin1String("2026") || month < 1 || month > 12) return true;
      point = month - 1;
    }
    const std::optional<money::Units> amount = movement::amount(record);
    if (!amount) return false;
    cents[size_t(point)] += *amount;
    return true;
  };
  for (const Case& c : cases) {
    QByteArray record = movementfixture::bytes({In, "01/01/2026", "0,00"});
    stored(record, "Uscita", str("No"));
    stored(record, "Entrata", c.entrata);
    stored(record, "Data", c.data);
    stored(record, "Importo", c.importo);
    for (Chart chart : {Chart::MonthlyIncome, Chart::Balance}) {
      statistics::Sums sums(chart, QStringLiteral("2026"));
      std::vector<money::Units> expected(size_t(statistics::pointCount(chart)), 0);
      EXPECT_EQ(sums.add(record.constData()), byText(chart, record.constData(), expected)) << c.name;
      EXPECT_EQ(sums.cents(), expected) << c.name;
    }
  }
}
