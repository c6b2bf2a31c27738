// Money as the program keeps it: amounts are texts with a decimal comma
// ("1250,50", "+80,00", "0,1235"), and every computation on them is done in
// whole units of the last decimal kept (cents, or ten-thousandths of a
// euro), never in binary floating point. Typed amounts are rounded half up
// on the digits as typed, so "1,005" is 1,01 and "6,555" is 6,56.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string_view>

namespace money {

// Whole units of 10^-decimals: 125050 at 2 decimals is 1250,50.
using Units = std::int64_t;

// The most decimals an amount carries (ten-thousandths).
inline constexpr int kMaxDecimals = 4;

enum class ParseStatus {
  Ok,
  Empty,      // nothing but blanks
  Unreadable, // not an amount: letters, two commas, a thousands point, a lone ","
  TooLarge,   // more integer digits than an amount can hold (over 14)
};

struct Parsed {
  ParseStatus status = ParseStatus::Empty;
  Units units = 0;
  bool ok() const { return status == ParseStatus::Ok; }
};

// Reads an Italian amount: blanks around it, an optional "+" or "-", digits,
// and optionally "," followed by digits ("12", "12,5", ",5" and "12," are
// amounts; "," "1.234,56" "1,2,3" "1e5" are not). Rounds half up (away from
// zero) on the typed digits to `decimals` places (0 to 4).
Parsed parse(QStringView text, int decimals);
// The same over Windows-1252 bytes as stored in a record.
Parsed parse(std::string_view bytes, int decimals);

// The amount with a decimal comma, no thousands separator, a "-" for
// negative values and exactly `decimals` decimals (0 gives no comma).
QString format(Units units, int decimals);

// The form the cards store: trailing zeros of the decimals dropped, but at
// least two decimals kept: at 4 decimals 123400 is "12,34", 123450 is
// "12,345", 120000 is "12,00"; at 2 decimals always two.
QString formatShort(Units units, int decimals);

// The normalisation of a typed amount as the cards do it when the field is
// left: rounded to `decimals` places and written in the short form; an empty
// or unreadable amount becomes "0,00". A text too large to be an amount is
// also "0,00" here: cards that must refuse it check parse() first.
QString normalise(QStringView typed, int decimals);

// Whether an amount has at most `integerDigits` digits before the comma
// (a field of fixed width holds only so many).
bool withinDigits(Units units, int decimals, int integerDigits);
// Whether a typed amount can be kept in such a field: empty and unreadable
// text can (it becomes "0,00"), a readable amount when, once rounded, it has
// no more digits than that.
bool fits(QStringView typed, int decimals, int integerDigits);

// The warning that refuses an amount with more than `integerDigits` digits
// before the comma: a field of fixed width holds no larger one.
QString tooLargeMessage(int integerDigits);

// Rounds an amount to whole euros, half up: 100,50 -> 101, 100,49 -> 100,
// -0,50 -> 0 (ties go towards the larger value).
Units roundToWhole(Units units, int decimals);

// The same amount at another number of decimals (more decimals only: the
// conversion never loses digits). Programming error otherwise.
Units rescale(Units units, int fromDecimals, int toDecimals);

} // namespace money
