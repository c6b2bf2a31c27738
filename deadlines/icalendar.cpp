#include "icalendar.h"

#include "scadenza.h"

#include "archive/record.h"
#include "archive/safefile.h"

#include <QFileInfo>

namespace icalendar {

namespace {

constexpr int kLineOctets = 75;

// Digits only, at most `most` of them, as a number; -1 otherwise.
int number(const QString& text, int most) {
  if (text.isEmpty() || text.size() > most) return -1;
  int value = 0;
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    value = value * 10 + (c.unicode() - '0');
  }
  return value;
}

QByteArray property(const char* name, const QByteArray& value) { return folded(QByteArray(name) + ':' + value); }

QByteArray dateText(QDate day) { return day.toString(QStringLiteral("yyyyMMdd")).toLatin1(); }

} // namespace

std::optional<Event> eventOf(const char* record, RecordPosition position) {
  const Record r = decode(TRecScadenza(), record);
  const QString data = r["Data"];
  if (data.size() != 10 || data[2] != QLatin1Char('/') || data[5] != QLatin1Char('/')) return std::nullopt;
  const int d = number(data.mid(0, 2), 2), m = number(data.mid(3, 2), 2), y = number(data.mid(6, 4), 4);
  const int hours = number(r["OreApp"], 2), minutes = number(r["MinutiApp"], 2);
  const int notice = number(r["Avviso"], 3);
  if (d < 0 || m < 0 || y < 0 || !QDate::isValid(y, m, d) || notice < 0 || !QTime::isValid(hours, minutes, 0))
    return std::nullopt;
  Event e;
  e.position = position;
  e.day = QDate(y, m, d);
  if (hours != 0 || minutes != 0) e.time = QTime(hours, minutes);
  e.notice = notice;
  e.title = r["Dettagli"];
  if (!r["Oggetto"].isEmpty()) e.title += (e.title.isEmpty() ? QString() : QStringLiteral(" - ")) + r["Oggetto"];
  e.description = r["Note"];
  e.paid = r["Effettuata"] == fieldtext::yes();
  return e;
}

QByteArray escaped(const QString& text) {
  QString out;
  out.reserve(text.size() + 8);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    switch (c.unicode()) {
    case '\\': out += QLatin1String("\\\\"); break;
    case ';': out += QLatin1String("\\;"); break;
    case ',': out += QLatin1String("\\,"); break;
    case '\r':
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
      out += QLatin1String("\\n");
      break;
    case '\n': out += QLatin1String("\\n"); break;
    default: out += (c.unicode() < 32 && c != QLatin1Char('\t')) || c.unicode() == 127 ? QChar(u' ') : c;
    }
  }
  return out.toUtf8();
}

QByteArray folded(const QByteArray& line) {
  QByteArray out;
  out.reserve(line.size() + line.size() / 70 * 3 + 2);
  qsizetype begin = 0;
  int room = kLineOctets;
  while (line.size() - begin > room) {
    qsizetype end = begin + room;
    // a continuation byte (10xxxxxx) belongs to the character before it
    while (end > begin && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    out += line.mid(begin, end - begin);
    out += "\r\n ";
    begin = end;
    room = kLineOctets - 1; // the blank that begins a continuation counts
  }
  out += line.mid(begin);
  out += "\r\n";
  return out;
}

QByteArray document(int year, std::span<const Event> events, const QDateTime& stamp) {
  const QByteArray dtstamp = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
  QByteArray out;
  out += property("BEGIN", "VCALENDAR");
  out += property("VERSION", "2.0");
  out += property("PRODID", "-//Velarion//Scadenze e appuntamenti//IT");
  out += property("CALSCALE", "GREGORIAN");
  out += property("X-WR-CALNAME", escaped(QStringLiteral("Scadenze %1").arg(year)));
  for (const Event& e : events) {
    out += property("BEGIN", "VEVENT");
    out += property("UID", QByteArray::number(year) + '-' + QByteArray::number(e.position) + "@scadenze.velarion.it");
    out += property("DTSTAMP", dtstamp);
    if (e.time) {
      out += property("DTSTART", dateText(e.day) + 'T' + e.time->toString(QStringLiteral("HHmm")).toLatin1() + "00");
      out += property("DURATION", "PT1H");
    } else {
      out += property("DTSTART;VALUE=DATE", dateText(e.day));
      out += property("DTEND;VALUE=DATE", dateText(e.day.addDays(1)));
    }
    out += property("SUMMARY", escaped(e.title));
    if (!e.description.isEmpty()) out += property("DESCRIPTION", escaped(e.description));
    out += property("BEGIN", "VALARM");
    out += property("ACTION", "DISPLAY");
    out += property("DESCRIPTION", escaped(e.title));
    out += property("TRIGGER", e.notice == 0 ? QByteArray("PT0S") : "-P" + QByteArray::number(e.notice) + 'D');
    out += property("END", "VALARM");
    out += property("END", "VEVENT");
  }
  out += property("END", "VCALENDAR");
  return out;
}

QString fileName(int year) { return QStringLiteral("Scadenze_%1.ics").arg(year, 4, 10, QLatin1Char('0')); }

Exported exportYear(const QString& archivePath, int year, const QString& target, bool includePaid,
                    const QDateTime& stamp) {
  Exported out;
  std::vector<Event> events;
  if (QFileInfo::exists(archivePath)) {
    try {
      TArchivioSchede archive(archivePath, deadlineArchive().recordSize());
      archive.open(TArchivioSchede::Access::Read);
      archive.scan([&](RecordPosition position, const char* record) {
        std::optional<Event> e = eventOf(record, position);
        if (!e) ++out.skipped;
        else if (includePaid || !e->paid) events.push_back(std::move(*e));
        return true;
      });
      archive.close();
    } catch (const ArchiveError& error) {
      out.reason = QString::fromLocal8Bit(error.what());
      return out;
    }
  }
  const safefile::Status saved = safefile::save(target, document(year, events, stamp));
  out.ok = saved.ok;
  out.reason = saved.reason;
  out.events = out.ok ? int(events.size()) : 0;
  return out;
}

} // namespace icalendar
