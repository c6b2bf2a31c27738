#include "calendarexport.h"

#include "archive/paths.h"
#include "common/services.h"
#include "deadlines/icalendar.h"

#include <QDateTime>

namespace calendarexport {

QString includePaidQuestion() {
  return QStringLiteral("Includere nel calendario anche le scadenze gi\u00E0 pagate?");
}

QString doneQuestion(const QString& file) {
  return QStringLiteral("Le scadenze e gli appuntamenti sono stati esportati nel file %1.\r\n\r\n"
                        "Si vuole aprire il file del calendario?")
      .arg(file);
}

QString failureMessage() {
  return QStringLiteral("Attenzione: il sistema non permette di esportare il calendario.\n\r\n\r"
                        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

void run(const QString& archivePath, const QString& year) {
  const int number = year.toInt();
  if (archivePath.isEmpty() || number <= 0) return;
  const bool includePaid = services::ask(includePaidQuestion());
  const QString file = icalendar::fileName(number);
  const QString target = paths::inProgramFolder(file);
  const QDateTime stamp(services::clock().today(), services::clock().now());
  const icalendar::Exported e = icalendar::exportYear(archivePath, number, target, includePaid, stamp);
  if (!e.ok) {
    services::error(failureMessage());
    return;
  }
  if (services::ask(doneQuestion(file))) services::openOrTell(target);
}

} // namespace calendarexport
