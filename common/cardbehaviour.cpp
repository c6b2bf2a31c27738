#include "cardbehaviour.h"

QString FieldValue::text() const { return today ? services::todayText() : value; }

std::vector<FieldValue> attachmentsCleared() {
  return {{"File01"}, {"File02"}, {"File03"}, {"Desc01"}, {"Desc02"}, {"Desc03"}};
}

namespace cardtext {

const QString& savedChanges() {
  static const QString s = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
  return s;
}
const QString& inserted() {
  static const QString s = QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio.");
  return s;
}
const QString& emptyArchive() {
  static const QString s = QStringLiteral("L'archivio non contiene nessuna scheda.");
  return s;
}
const QString& duplicateNew() {
  static const QString s = QStringLiteral(
      "Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto dopo che questa \u00E8 stata inserita in "
      "archivio.");
  return s;
}
const QString& duplicated() {
  static const QString s = QStringLiteral(
      "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
      "Al termine premere Salva per inserire la scheda in archivio.");
  return s;
}

const QString& unsavedEdits() {
  static const QString s = QStringLiteral(
      "La scheda corrente contiene modifiche non salvate.\n\r\n\rSalvare le modifiche prima di uscire?");
  return s;
}

QString missing(const char* what) {
  return QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare ") + QString::fromUtf8(what);
}

} // namespace cardtext

bool differsAsStored(const Record& shown, const Record& unchanged) {
  if (&shown.layout() != &unchanged.layout()) return true;
  return encode(shown) != encode(unchanged);
}
