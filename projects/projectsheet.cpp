#include "projectsheet.h"

#include "archive/cp1252.h"
#include "archive/paths.h"
#include "archive/safefile.h"
#include "common/services.h"

namespace projectsheet {

namespace {

// A value as RTF text: the code page's bytes with the three special
// characters escaped and line breaks as paragraph marks.
QByteArray rtfText(QStringView value) {
  const QByteArray bytes = cp1252::encode(value);
  QByteArray out;
  out.reserve(bytes.size() + 16);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    switch (c) {
    case '\\':
    case '{':
    case '}':
      out += '\\';
      out += c;
      break;
    case '\r':
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += "\\par ";
      break;
    case '\n': out += "\\par "; break;
    default: out += c;
    }
  }
  return out;
}

} // namespace

const std::vector<PrintRow>& rows() {
  static const std::vector<PrintRow> r = {
      {QStringLiteral("Nome progetto:"), QStringLiteral("{Nome}")},
      {QStringLiteral("Codice identificativo:"), QStringLiteral("{Codice}")},
      {QStringLiteral("Ambito:"), QStringLiteral("{Ambito}")},
      {QStringLiteral("Descrizione sintetica:"), QStringLiteral("{Descrizione}")},
      {QStringLiteral("Data inizio:"), QStringLiteral("{DataInizio}")},
      {QStringLiteral("Data scadenza:"), QStringLiteral("{DataScade}")},
      {QStringLiteral("Costo preventivato:"), QStringLiteral("{CostoPrev}")},
      {QStringLiteral("Stato avanzamento:"), QStringLiteral("{Stato}")},
      {QStringLiteral("Responsabile:"), QStringLiteral("{Responsabile}")},
      {QStringLiteral("Telefono preferenziale:"), QStringLiteral("{Recapito}")},
      {QStringLiteral("Obiettivi finali:"), QStringLiteral("{Obiettivi}")},
      {QStringLiteral("Questioni in sospeso:"), QStringLiteral("{Questioni}")},
      {QStringLiteral("Fasi previste:"), QStringLiteral("{Fasi}")},
      {QStringLiteral("Membri del team e compiti assegnati:"), QStringLiteral("{Membri}")},
      {QStringLiteral("Totale partecipanti:"), QStringLiteral("{TotMembri}")},
      {QStringLiteral("Materiali e strumenti:"), QStringLiteral("{Materiali}")},
      {QStringLiteral("Tecniche di lavoro:"), QStringLiteral("{Tecniche}")},
      {QStringLiteral("Compiti espletati:"), QStringLiteral("{Espletate}")},
      {QStringLiteral("Compiti da svolgere:"), QStringLiteral("{Svolgere}")},
      {QStringLiteral("Elenco costi preventivati:"), QStringLiteral("{Costi}")},
      {QStringLiteral("Pagamenti effettuati:"), QStringLiteral("{Effettuati}")},
      {QStringLiteral("Pagamenti da effettuare:"), QStringLiteral("{Effettuare}")},
      {QStringLiteral("Totale importi versati alla data attuale:"), QStringLiteral("{TotCosti}")},
      {QStringLiteral("Annotazioni:"), QStringLiteral("{Annotazioni}")},
  };
  return r;
}

std::vector<std::pair<QString, QString>> lines(const Record& shown) { return expandRows(rows(), shown); }

QByteArray write(std::span<const std::pair<QString, QString>> lines) {
  QByteArray out;
  out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}{\\f1\\fnil Verdana;}}";
  out += "{\\colortbl ;\\red0\\green0\\blue0;}";
  out += "\\viewkind4\\uc1\\pard\\qc\\cf1\\b\\f0\\fs24 SCHEDA RIEPILOGATIVA PROGETTO\\f1\\fs16";
  out += "\\par \\fs24 " + QByteArray(48, '_') + "\\par";
  for (size_t i = 0; i < lines.size(); ++i) {
    // the first paragraph also leaves the centred title; the title's bold
    // is still on for its label
    out += i == 0 ? "\\par \\pard\\f0\\fs20 " : "\\par \\b ";
    out += cp1252::encode(lines[i].first);
    out += "\\b0\\f1  \\f0 ";
    out += rtfText(lines[i].second);
    if (i + 1 == lines.size()) out += "\\b";
    out += "\\par";
  }
  out += "\\par }";
  return out;
}

bool exportSheet(const Record& shown) {
  if (!services::ask(confirmQuestion())) return false;
  const QString path = paths::inProgramFolder(QString::fromLatin1(kFile));
  const safefile::Status saved = safefile::save(path, write(lines(shown)));
  if (!saved) {
    services::plain(failureMessage() + QStringLiteral("\n\r\n\r") + saved.reason);
    return false;
  }
  if (services::ask(doneQuestion())) services::openOrTell(path);
  return true;
}

const QString& confirmQuestion() {
  static const QString s = QStringLiteral(
      "Questa procedura esporter\u00E0 la scheda del progetto corrente in un documento in formato RTF.\r\n\r\n"
      "Si conferma la creazione del file?");
  return s;
}

const QString& doneQuestion() {
  static const QString s =
      QStringLiteral("Il file RTF \u00E8 stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
  return s;
}

const QString& failureMessage() {
  static const QString s = QStringLiteral(
      "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il documento non sia gi\u00E0 aperto.");
  return s;
}

} // namespace projectsheet
