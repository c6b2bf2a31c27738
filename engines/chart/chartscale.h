// The value axis of the bars and the numbers written on a chart.
#pragma once

#include <QLocale>
#include <QString>

#include <vector>

namespace chart {

struct ValueScale {
  double low = 0;
  double high = 1;
  double step = 1;
  // low, low + step, ..., high.
  std::vector<double> ticks() const;
};

// A scale with round steps (1, 2, 2.5 or 5 times a power of ten) that covers
// [low, high] in at most maxTicks steps. With `whole` the steps are whole
// numbers. An empty range (all values equal) is widened upwards.
ValueScale niceScale(double low, double high, int maxTicks, bool whole);

// A value as written on the chart: whole values without decimals, others
// with two, both with the locale's group separators.
QString formatValue(double value, const QLocale& locale);

// True when every value is a whole number.
bool allWhole(const std::vector<double>& values);

} // namespace chart
