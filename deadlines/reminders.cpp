#include "reminders.h"

#include "deadlinelists.h"
#include "scadenza.h"

#include "archive/archivio.h"
#include "common/fieldbytes.h"

#include <string_view>

namespace reminders {

namespace {

// Two or more digits as a number; -1 when any is not a digit.
int digitsValue(std::string_view text) {
  if (text.empty()) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// dd/mm/yyyy as a day; an invalid QDate otherwise.
QDate dateOf(std::string_view text) {
  if (text.size() != 10 || text[2] != '/' || text[5] != '/') return {};
  const int d = digitsValue(text.substr(0, 2)), m = digitsValue(text.substr(3, 2)), y = digitsValue(text.substr(6, 4));
  if (d < 0 || m < 0 || y < 0 || !QDate::isValid(y, m, d)) return {};
  return QDate(y, m, d);
}

} // namespace

bool isImminent(QDate day, int notice, QDate today) {
  const qint64 d = day.toJulianDay(), t = today.toJulianDay();
  return d - notice <= t && t <= d;
}

Imminence imminence(const char* record, QDate today) {
  static const RecordLayout& l = TRecScadenza();
  static const int data = l.require("Data"), avviso = l.require("Avviso");
  const QDate day = dateOf(fieldbytes::text(l, data, record));
  const int notice = digitsValue(fieldbytes::text(l, avviso, record));
  if (!day.isValid() || notice < 0) return Imminence::Unreadable;
  return isImminent(day, notice, today) ? Imminence::Imminent : Imminence::NotImminent;
}

Check check(QDate today) {
  Check out;
  for (const QString& path : grids::yearlyPaths(imminentDeadlines(), {today, {}, {}, {}})) {
    try {
      TArchivioSchede archive(path, deadlineArchive().recordSize());
      archive.open(TArchivioSchede::Access::Read);
      archive.scan([&](RecordPosition, const char* record) {
        switch (imminence(record, today)) {
        case Imminence::Imminent: ++out.imminent; break;
        case Imminence::NotImminent: break;
        case Imminence::Unreadable: ++out.unreadable; break;
        }
        return true;
      });
      archive.close();
    } catch (const ArchiveError&) {
      out.failed = true;
      return out;
    }
  }
  return out;
}

} // namespace reminders
