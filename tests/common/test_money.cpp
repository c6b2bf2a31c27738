#include "common/amounts.h"

#include <gtest/gtest.h>

#include <vector>

using money::ParseStatus;

// What a card stores when an amount field is left, for the cards that keep
// cents and those that keep ten-thousandths.
TEST(Money, NormalisingTypedAmounts) {
  struct Case { const char* typed; int decimals; const char* stored; } cases[] = {
      {"12", 2, "12,00"},       {"12,5", 2, "12,50"},     {"0,125", 2, "0,13"},
      {"1,005", 2, "1,01"},     {"6,555", 2, "6,56"},     {"1250,50", 2, "1250,50"},
      {" 80 ", 2, "80,00"},     {",", 2, "0,00"},         {"", 2, "0,00"},
      {"   ", 2, "0,00"},       {"1.234,56", 2, "0,00"},  {"1,2,3", 2, "0,00"},
      {",5", 2, "0,50"},        {"7,", 2, "7,00"},        {"007,10", 2, "7,10"},
      {"1e5", 2, "0,00"},       {"12a", 2, "0,00"},       {"0,994", 2, "0,99"},
      {"0,995", 2, "1,00"},     {"99999999999,995", 2, "100000000000,00"},
      {"12", 4, "12,00"},       {"12,5", 4, "12,50"},     {"0,12346", 4, "0,1235"},
      {"1,2,3", 4, "0,00"},     {"12,345", 4, "12,345"},  {"1,23456", 4, "1,2346"},
      {"0", 4, "0,00"},         {",", 4, "0,00"},         {"3,00005", 4, "3,0001"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(money::normalise(QString::fromUtf8(c.typed), c.decimals), QString::fromUtf8(c.stored))
        << c.typed << " at " << c.decimals;
}

TEST(Money, ParsingSignsStatusesAndStoredBytes) {
  EXPECT_EQ(money::parse(QStringLiteral("+1250,50"), 2).units, 125050);
  EXPECT_EQ(money::parse(QStringLiteral("-80,00"), 2).units, -8000);
  EXPECT_EQ(money::parse(QStringLiteral("-1,005"), 2).units, -101); // half away from zero
  EXPECT_EQ(money::parse(std::string_view("-80,00"), 2).units, -8000);
  EXPECT_EQ(money::parse(std::string_view(" +0,10 "), 2).units, 10);
  EXPECT_EQ(money::parse(QStringLiteral(""), 2).status, ParseStatus::Empty);
  EXPECT_EQ(money::parse(QStringLiteral("-"), 2).status, ParseStatus::Unreadable);
  EXPECT_EQ(money::parse(QStringLiteral("12,5\u20AC"), 2).status, ParseStatus::Unreadable);
  // fourteen integer digits are an amount, fifteen are not; leading zeros do not count
  EXPECT_EQ(money::parse(QStringLiteral("99999999999999,9999"), 4).units, 999999999999999999);
  EXPECT_EQ(money::parse(QStringLiteral("000099999999999999"), 4).status, ParseStatus::Ok);
  EXPECT_EQ(money::parse(QStringLiteral("100000000000000"), 2).status, ParseStatus::TooLarge);
  // rounding that carries into a fifteenth digit gives an amount no field can read back
  EXPECT_EQ(money::parse(QStringLiteral("99999999999999,99995"), 4).status, ParseStatus::TooLarge);
  EXPECT_EQ(money::parse(QStringLiteral("-99999999999999,995"), 2).status, ParseStatus::TooLarge);
  EXPECT_EQ(money::parse(QStringLiteral("99999999999999,994"), 2).units, 9999999999999999);
}

// A field of fixed width holds only so many digits before the comma.
TEST(Money, DigitsBeforeTheComma) {
  EXPECT_TRUE(money::withinDigits(9999999999999, 2, 11));   // 99999999999,99
  EXPECT_FALSE(money::withinDigits(10000000000000, 2, 11)); // 100000000000,00
  EXPECT_TRUE(money::withinDigits(-9999999999999, 2, 11));
  EXPECT_FALSE(money::withinDigits(-10000000000000, 2, 11));
  EXPECT_TRUE(money::withinDigits(0, 4, 0));
  EXPECT_FALSE(money::withinDigits(10000, 4, 0));
  // typed: what rounding makes of it counts; what is no amount fits (it becomes 0,00)
  EXPECT_TRUE(money::fits(u"99999999999,994", 2, 11));
  EXPECT_FALSE(money::fits(u"99999999999,995", 2, 11));
  EXPECT_FALSE(money::fits(u"123456789012345", 2, 11)); // too large to read at all
  EXPECT_TRUE(money::fits(u"000000000001,50", 2, 11));
  EXPECT_TRUE(money::fits(u"", 2, 11));
  EXPECT_TRUE(money::fits(u"1.234,56", 2, 11));
}

// Totals of the cash book are exact sums shown with two decimals and a sign.
TEST(Money, SumsAreExact) {
  auto total = [](std::vector<const char*> amounts) {
    money::Units sum = 0;
    for (const char* a : amounts) sum += money::parse(QString::fromLatin1(a), 2).units;
    return money::format(sum, 2);
  };
  EXPECT_EQ(total({"+0,10", "+0,20", "-0,30"}), QStringLiteral("0,00"));
  EXPECT_EQ(total({"+1250,00", "+100,50"}), QStringLiteral("1350,50"));
  EXPECT_EQ(total({"+1250,00", "+100,50", "-80,00"}), QStringLiteral("1270,50"));
  EXPECT_EQ(total({"-80,00", "-20,00"}), QStringLiteral("-100,00"));
  EXPECT_EQ(total({"-0,05"}), QStringLiteral("-0,05"));
  EXPECT_EQ(money::format(-123456, 4), QStringLiteral("-12,3456"));
  EXPECT_EQ(money::format(42, 0), QStringLiteral("42"));
}

TEST(Money, RoundingToWholeEuros) {
  struct Case { money::Units units; int decimals; money::Units euros; } cases[] = {
      {10040 + 20, 2, 101}, {10050, 2, 101}, {10049, 2, 100}, {0, 2, 0},      {49, 2, 0},
      {50, 2, 1},           {-50, 2, 0},     {-51, 2, -1},    {1005000, 4, 101}, {7, 0, 7},
  };
  for (const Case& c : cases) EXPECT_EQ(money::roundToWhole(c.units, c.decimals), c.euros) << c.units;
  EXPECT_EQ(money::rescale(1250, 2, 4), 125000);
  EXPECT_EQ(money::formatShort(125000, 4), QStringLiteral("12,50"));
  EXPECT_EQ(money::formatShort(12, 0), QStringLiteral("12,00"));
}
