#include "chartscale.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {
bool isWhole(double v) { return std::abs(v - std::round(v)) < 1e-9; }
} // namespace

std::vector<double> ValueScale::ticks() const {
  std::vector<double> out;
  if (!(step > 0)) return {low, high};
  const long long count = std::llround((high - low) / step);
  for (long long i = 0; i <= count; ++i) out.push_back(low + double(i) * step);
  return out;
}

ValueScale niceScale(double low, double high, int maxTicks, bool whole) {
  // Beyond this the range itself would overflow.
  constexpr double limit = 1e300;
  low = std::isfinite(low) ? std::clamp(low, -limit, limit) : 0;
  high = std::isfinite(high) ? std::clamp(high, -limit, limit) : 0;
  if (low > high) std::swap(low, high);
  if (high - low <= 0) high = low + (low == 0 ? 10 : std::max(1.0, std::abs(low) * 0.1));
  maxTicks = std::max(1, maxTicks);

  const double raw = (high - low) / maxTicks;
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (;;) {
    for (double m : {1.0, 2.0, 2.5, 5.0}) {
      const double step = m * magnitude;
      if (whole && !isWhole(step)) continue;
      const double bottom = std::floor(low / step + 1e-9) * step;
      const double top = std::ceil(high / step - 1e-9) * step;
      if ((top - bottom) / step <= maxTicks + 1e-9) return {bottom, top, step};
    }
    magnitude *= 10;
  }
}

QString formatValue(double value, const QLocale& locale) {
  if (!std::isfinite(value)) value = 0;
  if (isWhole(value)) return locale.toString(std::round(value) + 0.0, 'f', 0);
  return locale.toString(value, 'f', 2);
}

bool allWhole(const std::vector<double>& values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return !std::isfinite(v) || isWhole(v); });
}

} // namespace chart
