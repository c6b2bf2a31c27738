#include "dates.h"

#include "archive/record.h"
#include "common/services.h"

#include <array>

namespace dates {

namespace {

bool digits(QStringView text) {
  for (QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return !text.isEmpty();
}

struct DateMessage {
  DateCheck where;
  const char* tail;
  const char* needed;
};

// What is wrong and what is needed, for each place that checks a date.
constexpr std::array<DateMessage, 4> kMessages{{
    {DateCheck::DeadlineSave, " non esiste.", "Per poter salvare la scheda \u00E8 necessario indicare una data valida."},
    {DateCheck::MovementSave, " non esiste.",
     "Per poter salvare la scheda \u00E8 necessario indicare una data valida nel formato gg/mm/aaaa."},
    {DateCheck::IntervalStart, " di inizio intervallo non esiste.",
     "Per poter visualizzare il riepilogo \u00E8 necessario indicare una data valida."},
    {DateCheck::IntervalEnd, " di fine intervallo non esiste.",
     "Per poter visualizzare il riepilogo \u00E8 necessario indicare una data valida."},
}};

} // namespace

QDate parse(const QString& text) {
  const QString t = fieldtext::trimmed(text);
  // dd/mm/yyyy: ten characters, slashes at 2 and 5, digits elsewhere
  if (t.size() != 10 || t[2] != QLatin1Char('/') || t[5] != QLatin1Char('/')) return QDate();
  const QStringView v(t);
  if (!digits(v.mid(0, 2)) || !digits(v.mid(3, 2)) || !digits(v.mid(6, 4))) return QDate();
  const int day = v.mid(0, 2).toInt();
  const int month = v.mid(3, 2).toInt();
  const int year = v.mid(6, 4).toInt();
  if (year < 1) return QDate(); // there is no year 0000
  return QDate(year, month, day); // invalid unless a real calendar day
}

QString format(QDate day) { return day.isValid() ? day.toString(QLatin1String(kFormat)) : QString(); }

QDate today() { return services::clock().today(); }

QString todayText() { return format(today()); }

QString invalidDateMessage(DateCheck where, const QString& typed) {
  for (const DateMessage& m : kMessages)
    if (m.where == where)
      return QStringLiteral("Attenzione: la data ") + fieldtext::trimmed(typed) + QString::fromUtf8(m.tail) +
             QStringLiteral("\n\r\n\r") + QString::fromUtf8(m.needed);
  return QString();
}

QString intervalOrderMessage(const QString& start, const QString& end) {
  return QStringLiteral("Attenzione: la data di fine intervallo (") + fieldtext::trimmed(end) +
         QStringLiteral(") non pu\u00F2 essere anteriore a quella di inizio intervallo (") + fieldtext::trimmed(start) +
         QStringLiteral(").\n\r\n\rPer poter visualizzare il riepilogo \u00E8 necessario indicare un intervallo di "
                        "tempo valido.");
}

bool isYearText(const QString& text) { return text.size() == 4 && digits(text); }

} // namespace dates
