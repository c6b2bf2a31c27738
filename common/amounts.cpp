#include "amounts.h"

#include <cassert>

namespace money {

namespace {

constexpr int kMaxIntegerDigits = 14;
constexpr std::int64_t kWholeLimit = 100000000000000; // 10^kMaxIntegerDigits

constexpr Units kPowers[] = {1, 10, 100, 1000, 10000, 100000};

bool isBlank(unsigned c) { return c <= 32; }

// One parser for UTF-16 text and Windows-1252 bytes: amounts are ASCII.
template <class Char, class Code>
Parsed parseChars(const Char* begin, const Char* end, int decimals, Code code) {
  assert(decimals >= 0 && decimals <= kMaxDecimals);
  while (begin < end && isBlank(code(*begin))) ++begin;
  while (end > begin && isBlank(code(end[-1]))) --end;
  if (begin == end) return {ParseStatus::Empty, 0};

  bool negative = false;
  if (code(*begin) == '+' || code(*begin) == '-') {
    negative = code(*begin) == '-';
    ++begin;
  }
  Units whole = 0;
  int integerDigits = 0, fractionDigits = 0;
  bool comma = false, roundUp = false, tooLarge = false;
  Units fraction = 0;
  for (const Char* p = begin; p < end; ++p) {
    const unsigned c = code(*p);
    if (c == ',') {
      if (comma) return {ParseStatus::Unreadable, 0};
      comma = true;
      continue;
    }
    if (c < '0' || c > '9') return {ParseStatus::Unreadable, 0};
    const int digit = int(c - '0');
    if (!comma) {
      if (integerDigits == 0 && digit == 0) continue; // leading zeros count for nothing
      if (++integerDigits > kMaxIntegerDigits) tooLarge = true;
      else whole = whole * 10 + digit;
    } else {
      ++fractionDigits;
      if (fractionDigits <= decimals) fraction = fraction * 10 + digit;
      else if (fractionDigits == decimals + 1) roundUp = digit >= 5;
    }
  }
  // at least one digit on either side of the comma
  const bool anyDigit = [&] {
    for (const Char* p = begin; p < end; ++p)
      if (code(*p) >= '0' && code(*p) <= '9') return true;
    return false;
  }();
  if (!anyDigit) return {ParseStatus::Unreadable, 0};
  if (tooLarge) return {ParseStatus::TooLarge, 0};
  for (int d = fractionDigits; d < decimals; ++d) fraction *= 10;
  Units units = whole * kPowers[decimals] + fraction + (roundUp ? 1 : 0);
  // rounding up may carry into a fifteenth integer digit, which no amount
  // holds: 99999999999999,995 at two decimals is too large, not 10^14
  if (units >= kWholeLimit * kPowers[decimals]) return {ParseStatus::TooLarge, 0};
  return {ParseStatus::Ok, negative ? -units : units};
}

} // namespace

Parsed parse(QStringView text, int decimals) {
  return parseChars(text.data(), text.data() + text.size(), decimals, [](QChar c) { return unsigned(c.unicode()); });
}

Parsed parse(std::string_view bytes, int decimals) {
  return parseChars(bytes.data(), bytes.data() + bytes.size(), decimals,
                    [](char c) { return unsigned(static_cast<unsigned char>(c)); });
}

QString format(Units units, int decimals) {
  assert(decimals >= 0 && decimals <= kMaxDecimals);
  const bool negative = units < 0;
  // the magnitude in unsigned arithmetic, so the smallest value has one too
  const auto magnitude = negative ? std::uint64_t(0) - std::uint64_t(units) : std::uint64_t(units);
  const auto power = std::uint64_t(kPowers[decimals]);
  QString text = QString::number(magnitude / power);
  if (decimals > 0) {
    QString fraction = QString::number(magnitude % power);
    text += QLatin1Char(',') + QString(decimals - fraction.size(), QLatin1Char('0')) + fraction;
  }
  if (negative) text.prepend(QLatin1Char('-'));
  return text;
}

QString formatShort(Units units, int decimals) {
  const int shown = decimals < 2 ? 2 : decimals;
  QString text = format(rescale(units, decimals, shown), shown);
  int drop = 0;
  while (drop < shown - 2 && text.at(text.size() - 1 - drop) == QLatin1Char('0')) ++drop;
  text.chop(drop);
  return text;
}

QString normalise(QStringView typed, int decimals) {
  const Parsed p = parse(typed, decimals);
  return p.ok() ? formatShort(p.units, decimals) : QStringLiteral("0,00");
}

bool withinDigits(Units units, int decimals, int integerDigits) {
  assert(integerDigits >= 0 && integerDigits + decimals <= 18);
  Units limit = kPowers[decimals];
  for (int d = 0; d < integerDigits; ++d) limit *= 10;
  return units < limit && units > -limit;
}

bool fits(QStringView typed, int decimals, int integerDigits) {
  const Parsed p = parse(typed, decimals);
  switch (p.status) {
  case ParseStatus::Ok: return withinDigits(p.units, decimals, integerDigits);
  case ParseStatus::TooLarge: return false;
  case ParseStatus::Empty:
  case ParseStatus::Unreadable: return true;
  }
  return true;
}

QString tooLargeMessage(int integerDigits) {
  return QStringLiteral("Attenzione: l'importo indicato \u00E8 troppo grande.\n\r\n\rL'importo pu\u00F2 avere al massimo ") +
         QString::number(integerDigits) + QStringLiteral(" cifre prima della virgola.");
}

Units roundToWhole(Units units, int decimals) {
  const Units power = kPowers[decimals];
  // floor((units + power / 2) / power) with ties upwards, in integers
  const Units shifted = units + power / 2;
  Units q = shifted / power;
  if (shifted % power != 0 && shifted < 0) --q;
  return q;
}

Units rescale(Units units, int fromDecimals, int toDecimals) {
  assert(toDecimals >= fromDecimals && toDecimals <= kMaxDecimals);
  return units * kPowers[toDecimals - fromDecimals];
}

} // namespace money
