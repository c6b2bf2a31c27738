// The value axis and the numbers written on a chart.
#include "charttest.h"
#include "engines/chart/chartscale.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace chart;

TEST(ChartScale, CoversTheValuesWithRoundStepsWithinTheTickBudget) {
  struct Case {
    double low, high;
    int maxTicks;
    bool whole;
    double wantLow, wantHigh, wantStep;
  };
  const Case cases[] = {
      {0, 101, 8, true, 0, 120, 20},
      {0, 100, 5, true, 0, 100, 20},
      {0, 1234567, 6, true, 0, 1250000, 250000},
      {-50, 120, 10, true, -60, 120, 20},
      {0, 0.9, 5, false, 0, 1, 0.2},
      {0, 3, 10, true, 0, 3, 1},            // whole values never get a step below 1
      {0, 0, 5, true, 0, 10, 2},            // all zero: an axis that still reads
      {0, 500, 0, true, 0, 500, 500},       // no room for ticks: one step
      {0, NAN, 5, true, 0, 10, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.low << ".." << c.high << " in " << c.maxTicks);
    const ValueScale s = niceScale(c.low, c.high, c.maxTicks, c.whole);
    EXPECT_DOUBLE_EQ(s.low, c.wantLow);
    EXPECT_DOUBLE_EQ(s.high, c.wantHigh);
    EXPECT_DOUBLE_EQ(s.step, c.wantStep);
  }
}

TEST(ChartScale, TicksRunFromLowToHighWithoutDrift) {
  const std::vector<double> ticks = ValueScale{0, 1, 0.1}.ticks();
  ASSERT_EQ(ticks.size(), 11u);
  EXPECT_DOUBLE_EQ(ticks.front(), 0);
  EXPECT_NEAR(ticks.back(), 1, 1e-12);
  const ValueScale huge = niceScale(0, 1e300, 5, true);
  EXPECT_LE(huge.ticks().size(), 6u);
  EXPECT_GE(huge.high, 1e300 * (1 - 1e-12));
}

TEST(ChartScale, ValuesAreWrittenInTheChartLocale) {
  const QLocale it(QLocale::Italian, QLocale::Italy);
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{0, "0"},           {101, "101"},     {1234567, "1.234.567"}, {-0.0, "0"},
                        {12.5, "12,50"},    {-3, "-3"},       {INFINITY, "0"},        {0.004, "0,00"}};
  for (const Case& c : cases) EXPECT_EQ(formatValue(c.value, it), QString::fromUtf8(c.text)) << c.value;
  EXPECT_EQ(formatValue(1234.5, QLocale::c()), QStringLiteral("1234.50"));
}
