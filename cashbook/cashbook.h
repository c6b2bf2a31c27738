// The cash book ("primanota") of one year: the movements whose operation
// date lies in an interval of days and whose reason holds a given text, one
// line each in archive order, with the total income, the total expenses and
// the balance kept as exact cents. Also the checks of the interval chosen on
// the selection screen and the lines of the printed cash book.
//
//   const cashbook::SelectionCheck c = cashbook::check({"2026", "01", "Maggio", "31", "Maggio"});
//   if (!c.ok()) show(c.kind, c.message);                 // and focus c.focus
//   const cashbook::Book book = cashbook::build(path, "iva", c.from, c.to);
//   if (!book.complete()) warn(cashbook::failureMessage(book));
//   cashbook::totalText(book.balance())  -> "1270,50 €"
#pragma once

#include "common/lists.h"
#include "common/amounts.h"
#include "common/services.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace cashbook {

// ---- the interval ----

// The entries of the day and month pick lists: "01" to "31", "Gennaio" to
// "Dicembre".
const QStringList& days();
const QStringList& months();
// 1 to 12 for a month of the list, in any case and with blanks around; 0
// for anything else.
int monthNumber(const QString& name);

// What the selection screen holds: the year as typed and the four choices.
struct Selection {
  QString year;
  QString startDay, startMonth;
  QString endDay, endMonth;
};

struct SelectionCheck {
  enum class Field { None, Year, StartDay, StartMonth, EndDay, EndMonth };
  QString message; // empty: the interval is good
  MessageKind kind = MessageKind::Plain;
  Field focus = Field::None;
  // The composed dates dd/mm/yyyy, as far as the check came.
  QString startText, endText;
  QDate from, to;
  bool ok() const { return message.isEmpty(); }
};

// In order: a year of four digits, the four choices made, the start date a
// real day, the end date a real day, the start not after the end (equal
// dates are one day). The first failure gives its message, kind and field.
SelectionCheck check(const Selection& selection);

// ---- the cash book ----

// The movements listed, by position in archive order; a line is made from
// its movement when it is shown, found or printed.
using Lines = lists::ListRows;

struct Book {
  enum class Outcome {
    Complete,
    DateUnreadable,   // the operation date of a movement is not a date
    AmountUnreadable, // its signed total is not a signed amount
    ReadFailed,       // the archive failed while it was read
    Unavailable,      // the archive could not be opened
  };
  Lines lines;
  money::Units income = 0;   // cents
  money::Units expenses = 0; // cents, negative
  Outcome outcome = Outcome::Complete;
  RecordPosition position = 0; // the movement that could not be read
  money::Units balance() const { return income + expenses; }
  bool complete() const { return outcome == Outcome::Complete; }
};

// Reads the year's archive at `path` (created empty when missing). A
// movement is listed when the reason filter occurs in its reason and its
// operation date lies between `from` and `to`, both included; its signed
// total goes to the income or the expenses by its sign. The filter is taken
// as typed, lower-cased (letters A to Z), and counts only when it is not
// blank. A cash book that cannot be read to the end is given back empty,
// with the outcome and the position that stopped it: a part of the
// movements is never passed off as the whole.
Book build(const QString& path, const QString& reasonFilter, QDate from, QDate to);

// The line of a listed movement, e.g.
// "ENTRATA  Parcella ...(40)  Data: 10/05/2026  Da: ...(28)  A: ...(28)  Importo: +1250,00"
QString line(const char* record);
// What makes the lines of the movements listed from the year's file at `path`.
std::shared_ptr<const lists::LineSource> lineSource(const QString& path);

// The warning that tells why the cash book is not shown, naming the
// movement by its position.
QString failureMessage(const Book& book);

// ---- what the result screen and the printout show ----

// The reason filter trimmed, or "- - -" when there is none.
QString reasonTitle(const QString& reasonFilter);
// "Dal   01/05/2026   al   31/05/2026".
QString intervalText(QDate from, QDate to);
// A total with two decimals and the euro sign: "1350,50 €", "-80,00 €".
QString totalText(money::Units cents);

// The title of the printed cash book.
QString printTitle(const QString& reasonFilter);
// The printed lines: every line of the book, a separator, the interval and
// the three totals, their values starting in one column.
QStringList printLines(const Book& book, QDate from, QDate to);

} // namespace cashbook
