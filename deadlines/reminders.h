// The reminders: whether a deadline is imminent on a day, and the check made
// on every entry to the deadline screen. A deadline is imminent from the day
// its notice window opens (its date less its days of notice) up to and
// including its own day; the flags play no part.
#pragma once

#include "archive/archivio.h"

#include <QDate>

namespace reminders {

// Whether `today` lies in the notice window of a deadline on `day` with
// `notice` days of notice: day - notice <= today <= day.
bool isImminent(QDate day, int notice, QDate today);

enum class Imminence {
  Imminent,
  NotImminent,
  Unreadable, // its `Data` is not a date or its `Avviso` not a number
};
// A stored `TRecScadenza` on `today`.
Imminence imminence(const char* record, QDate today);

// What the check on entry found.
struct Check {
  RecordPosition imminent = 0;   // deadlines imminent today
  RecordPosition unreadable = 0; // records skipped because their date or notice cannot be read
  bool failed = false; // an archive could not be read: the counts are of what was read before
};

// Counts the imminent deadlines of this year's archive (created empty when
// missing) and, when it exists, of next year's, whose early deadlines may
// already be in their notice window. A record that cannot be read is
// skipped; the others still count.
Check check(QDate today);

} // namespace reminders
