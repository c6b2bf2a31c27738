// The calendar of a year: its deadlines and appointments as an iCalendar
// file (RFC 5545) that a phone's or desktop's calendar imports. One event per
// record: a deadline (time 00:00) is a whole-day event, an appointment a
// one-hour event at its time, in the local time of whoever imports it. The
// title is the reason and the case's object, the description the notes, and
// an alarm rings the record's days of notice before. The UID is made of the
// year and the position, so importing the file again updates the events
// instead of adding them twice. UTF-8, CRLF, lines folded at 75 octets.
#pragma once

#include "archive/archivio.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>
#include <span>
#include <vector>

namespace icalendar {

struct Event {
  RecordPosition position = 0;
  QDate day;
  std::optional<QTime> time; // none: a whole-day deadline
  int notice = 0;            // days of notice before the day
  QString title;
  QString description;
  bool paid = false;
};

// The event of a stored `TRecScadenza`; none when its date, time or notice
// cannot be read.
std::optional<Event> eventOf(const char* record, RecordPosition position);

// A TEXT value with "\", ";", "," and line breaks escaped; other control
// characters become blanks.
QByteArray escaped(const QString& text);
// One content line, folded at 75 octets (never inside a UTF-8 character),
// ended by CRLF.
QByteArray folded(const QByteArray& line);

// The whole file. `stamp` is the moment of the export (written in UTC).
QByteArray document(int year, std::span<const Event> events, const QDateTime& stamp);

// "Scadenze_<anno>.ics"
QString fileName(int year);

struct Exported {
  bool ok = false;
  int events = 0;  // events written
  int skipped = 0; // records left out because they cannot be read
  QString reason;  // the system's reason when not ok
};
// Reads the year's archive at `archivePath` (read only, under the shared
// lock; a missing archive has no events) and writes the file `target`
// through the safe save. Paid deadlines are left out unless `includePaid`.
Exported exportYear(const QString& archivePath, int year, const QString& target, bool includePaid,
                    const QDateTime& stamp);

} // namespace icalendar
