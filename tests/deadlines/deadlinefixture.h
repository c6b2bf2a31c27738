// Deadlines written straight into a yearly archive, for the tests that read
// them back through the reminders, the lists and the screen.
#pragma once

#include "archive/paths.h"
#include "archive/record.h"
#include "deadlines/scadenza.h"
#include "seed.h"

#include <QString>

#include <initializer_list>

// A deadline on "dd/mm/yyyy" at "hh:mm" with its days of notice and reason;
// the card's invariants hold (Giorno, Mese, Anno, Data, Ora agree).
inline Record deadlineRecord(const QString& date, const QString& time, const QString& notice,
                             const QString& reason = QStringLiteral("Rata")) {
  Record r(TRecScadenza());
  r.set("Giorno", date.left(2));
  r.set("Mese", deadline::monthNames().value(date.mid(3, 2).toInt() - 1));
  r.set("Anno", date.mid(6, 4));
  r.set("Data", date);
  r.set("OreApp", time.left(2));
  r.set("MinutiApp", time.mid(3, 2));
  r.set("Ora", time);
  r.set("Avviso", notice);
  r.set("Cliente", QStringLiteral("Rossi Mario"));
  r.set("Oggetto", QStringLiteral("Ristrutturazione"));
  r.set("Dettagli", reason);
  r.set("Costo", QStringLiteral("0,00"));
  r.setFlag("DaConfermare", false);
  r.setFlag("Effettuata", false);
  return r;
}

inline QString yearFile(int year) { return paths::yearly(deadline::yearText(year), QStringLiteral(".sca")); }

inline void appendDeadlines(int year, std::initializer_list<seed::Stored> records) {
  seed::append(yearFile(year), TRecScadenza(), records);
}
