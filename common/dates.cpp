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
    {DateCheck::CardDate, " non esiste.",
     "Per poter salvare la scheda \u00E8 necessario indicare una data valida nel formato gg/mm/aaaa."},
    {DateCheck::IntervalStart, " di inizio intervallo non esiste.",
     "Per poter visualizzare il riepilogo \u00E8 necessario indicare una data valida."},
    {DateCheck::IntervalEnd, " di fine intervallo non esiste.",
     "Per poter visualizzare il riepilogo \u00E8 necessario indicare una data valida."},
}};

} // namespace

QDate parseBytes(std::string_view text) {
  // blanks around are ignored, as everywhere a stored text is read
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  // dd/mm/yyyy: ten characters, slashes at 2 and 5, digits elsewhere
  if (text.size() != 10 || text[2] != '/' || text[5] != '/') return QDate();
  int value[3] = {0, 0, 0};
  const int from[3] = {0, 3, 6}, length[3] = {2, 2, 4};
  for (int part = 0; part < 3; ++part)
    for (int i = from[part]; i < from[part] + length[part]; ++i) {
      if (text[size_t(i)] < '0' || text[size_t(i)] > '9') return QDate();
      value[part] = value[part] * 10 + (text[size_t(i)] - '0');
    }
  if (value[2] < 1) return QDate(); // there is no year 0000
  return QDate(value[2], value[1], value[0]); // invalid unless a real calendar day
}

QDate parse(const QString& text) {
  const QString t = fieldtext::trimmed(text);
  // a date is ten Latin-1 characters; anything else is not a date
  if (t.size() != 10) return QDate();
  for (QChar c : t)
    if (c.unicode() > 0x7F) return QDate();
  const QByteArray bytes = t.toLatin1();
  return parseBytes(std::string_view(bytes.constData(), size_t(bytes.size())));
}

Typed readTyped(const QString& text) {
  const QString t = fieldtext::trimmed(text);
  if (t.isEmpty()) return {};
  const Typed noDay{Typed::Status::NoDay, QDate()};
  QStringView day, month, year;
  if (!t.contains(QLatin1Char('/'))) {
    // ddmmyyyy
    if (t.size() != 8) return noDay;
    day = QStringView(t).mid(0, 2);
    month = QStringView(t).mid(2, 2);
    year = QStringView(t).mid(4, 4);
  } else {
    const QList<QStringView> parts = QStringView(t).split(QLatin1Char('/'));
    if (parts.size() != 3) return noDay;
    day = parts[0];
    month = parts[1];
    year = parts[2];
    if (day.size() < 1 || day.size() > 2 || month.size() < 1 || month.size() > 2) return noDay;
  }
  if (year.size() != 4 || !digits(day) || !digits(month) || !digits(year)) return noDay;
  const int y = year.toInt();
  if (y < 1) return noDay; // there is no year 0000
  const QDate d(y, month.toInt(), day.toInt());
  if (!d.isValid()) return noDay;
  return {Typed::Status::Day, d};
}

QString normaliseTyped(const QString& text) {
  const Typed typed = readTyped(text);
  return typed.status == Typed::Status::Day ? format(typed.day) : text;
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
