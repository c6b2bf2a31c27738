#include "clientlists.h"

#include "cliente.h"

#include "common/modules.h"

namespace {

using lists::CallerTarget;
using lists::LineColumn;

// Both lists show the same columns but the last.
std::vector<LineColumn> clientLine(std::string_view last) {
  return {{QString(), "Cliente", 26},
          {QStringLiteral("  Tel. "), "Recapito", 15},
          {QStringLiteral("  "), "Occupazione", 25},
          {QStringLiteral("  "), "Prodotti", 35},
          {QStringLiteral("  "), last, 0}};
}

// The client card receives the whole record and its position.
CallerTarget clientCard(const QString& tag) { return {tag, QStringLiteral("TfrmClienti"), true, {}}; }

} // namespace

const lists::ListDescription& clientSearchList() {
  static lists::ListDescription d{
      .screen = QStringLiteral("TfrmTrovaClienti"),
      .caption = QStringLiteral(" Trova clienti in archivio"),
      .printTitle = QStringLiteral("Riepilogo Clienti"),
      .path = lists::ArchivePath::of(clientArchive()),
      .criteria =
          {
              {QStringLiteral("txtCliente"), QStringLiteral("Cliente:"), "Cliente"},
              {QStringLiteral("txtComuneRes"), QStringLiteral("Comune di residenza:"), "ComuneRes"},
              {QStringLiteral("txtPartitaIva"), QStringLiteral("Partita IVA:"), "PartitaIva"},
              {QStringLiteral("txtCodFisc"), QStringLiteral("Codice fiscale:"), "CodFisc"},
              {QStringLiteral("txtDocumento"), QStringLiteral("Estremi documento:"), "Documento"},
              {QStringLiteral("txtOccupazione"), QStringLiteral("Occupazione:"), "Occupazione"},
              {QStringLiteral("txtProdotti"), QStringLiteral("Servizi di interesse:"), "Prodotti"},
              {QStringLiteral("txtZona"), QStringLiteral("Zona di appartenenza:"), "Zona"},
              {QStringLiteral("txtQuestioni"), QStringLiteral("Questioni in sospeso:"), "Questioni"},
              {QStringLiteral("txtNote"), QStringLiteral("Note:"), "Note"},
          },
      .condition = {},
      .line = clientLine("Note"),
      .targets = {},
  };
  // the client card itself, then the cards the modules say receive a client
  d.targets = {clientCard(QStringLiteral("clienti"))};
  for (const CallerTarget& t : modules::receivers(modules::Sender::Client)) d.targets.push_back(t);
  return d;
}

const lists::ListDescription& recontactList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmRicontatta"),
      .caption = QStringLiteral(" Riepilogo clienti da ricontattare"),
      .printTitle = QStringLiteral("Riepilogo clienti da ricontattare"),
      .path = lists::ArchivePath::of(clientArchive()),
      .criteria = {},
      .condition = lists::flagIs(TRecCliente(), "Ricontatta", fieldtext::yes()),
      .line = clientLine("Questioni"),
      .targets = {clientCard(QString())},
  };
  return d;
}

const grids::GridDescription& clientExport() {
  // Most columns show one field under the same header on screen and in the file.
  auto same = [](const char* header, int width, std::string_view field) {
    return xls::ExportColumn{QString::fromUtf8(header), QString::fromUtf8(header), width, {field}};
  };
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmExpClienti"),
      .caption = QStringLiteral(" Esporta archivio clienti in Microsoft Excel"),
      .helpTopic = HelpTopic::EsportaClienti,
      .archive = clientArchive(),
      .columns =
          {
              same("Cliente", 250, "Cliente"),
              same("Data di nascita", 200, "DataNasc"),
              {QStringLiteral("Comune / Stato estero di nascita"), QStringLiteral("Comune di nascita"), 250,
               {"ComuneNasc", "ProvNasc"}},
              same("Recapito preferenziale", 250, "Recapito"),
              same("Indirizzo di residenza", 300, "IndirizzoRes"),
              {QStringLiteral("Comune di residenza"), QStringLiteral("Comune di residenza"), 250,
               {"ComuneRes", "ProvRes"}},
              same("Modalit\u00E0 di pagamento", 250, "Estremi"),
              same("Tel. casa", 250, "TelCasa"),
              same("Tel. ufficio", 250, "TelUff"),
              same("Tel. cellulare", 250, "TelCel"),
              same("Fax", 250, "Fax"),
              same("E-mail", 250, "Email"),
              same("Codice fiscale", 250, "CodFisc"),
              same("Partita IVA", 250, "PartitaIva"),
              same("Carta di credito n.", 300, "Carta"),
              same("Scadenza", 150, "ScadeCarta"),
              same("IBAN", 300, "Iban"),
              same("Estremi documento", 280, "Documento"),
              same("Occupazione", 250, "Occupazione"),
              same("Stato civile", 250, "Civile"),
              same("Titoli e qualifiche", 280, "Titoli"),
              same("Servizi di interesse", 300, "Prodotti"),
              same("Zona di appartenenza", 250, "Zona"),
              same("Questioni in sospeso", 300, "Questioni"),
              same("Note", 300, "Note"),
          },
      .file = QStringLiteral("Clienti.xls"),
      .worksheet = QStringLiteral("Riepilogo Clienti"),
  };
  return d;
}
