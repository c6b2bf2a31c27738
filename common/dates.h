// Dates as the program writes them: the text dd/mm/yyyy. Typed dates are
// read and checked here, today comes from the clock seam, and the messages
// that refuse a typed date are built from one table.
#pragma once

#include <QDate>
#include <QString>

#include <string_view>

namespace dates {

// The only form the program writes and accepts: two-digit day, "/",
// two-digit month, "/", four-digit year. One-digit days or months and
// two-digit years are refused, so that every stored date has one form and
// sorts and compares the same way everywhere. Blanks around the text are
// ignored.
inline constexpr const char* kFormat = "dd/MM/yyyy";

// The calendar day a typed text names, or an invalid QDate when the text is
// not dd/mm/yyyy or names no real day (31/04/2025, 29/02/2025, 00/01/2025).
QDate parse(const QString& text);
// The same over the bytes of a stored field, without turning them into text.
QDate parseBytes(std::string_view text);
inline bool isValid(const QString& text) { return parse(text).isValid(); }

// A date as the user types it into a field: dd/mm/yyyy, the same with a
// one-digit day or month (1/2/2026 is 01/02/2026), or the eight digits
// ddmmyyyy (31032027 is 31/03/2027). The year always has four digits: a
// two-digit year names no century. Blanks around are ignored.
struct Typed {
  enum class Status {
    Empty, // nothing but blanks
    Day,   // a real calendar day
    NoDay, // anything else: a day that does not exist, another form, letters
  };
  Status status = Status::Empty;
  QDate day; // valid exactly when the status is Day
};
Typed readTyped(const QString& text);
// What a typed date becomes once the field is left and when it is saved:
// the day it names as dd/mm/yyyy; a text that names no day (or none) stays
// exactly as typed, for the card to refuse.
QString normaliseTyped(const QString& text);

// A day as dd/mm/yyyy; an invalid day gives an empty text.
QString format(QDate day);

// Today from the clock seam, and as dd/mm/yyyy.
QDate today();
QString todayText();

// Where a typed date is checked; each place has its own message.
enum class DateCheck {
  DeadlineSave,  // saving a deadline card
  CardDate,      // a date typed into a card, when the field is left or the card saved
  IntervalStart, // start of the interval of a summary
  IntervalEnd,   // end of the interval of a summary
};

// "Attenzione: la data " + the typed text (trimmed) + what is wrong +
// "\n\r\n\r" + what is needed. Shown as a plain message.
QString invalidDateMessage(DateCheck where, const QString& typed);

// An interval whose end comes before its start, with both dates as typed
// (trimmed). Shown as a plain message.
QString intervalOrderMessage(const QString& start, const QString& end);

// Year fields take exactly four digits; anything else is refused with this
// warning.
bool isYearText(const QString& text);
inline constexpr const char* kYearWarning = "Attenzione: indicare l'anno solare utilizzando quattro cifre.";

} // namespace dates
