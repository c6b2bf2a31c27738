#include "clientcard.h"

#include "clients/cliente.h"
#include "common/checks/screens/checks_screens.h"
#include "clients/clientlists.h"
#include "common/services.h"

#include <QLineEdit>

namespace {

using card::command;
using card::edit;

CardItem province(std::string_view field) {
  return card::combo(field, "Prov.", provinceCodes()).rule(Input::UpperTrimmed);
}
CardExtra check(const char* name) { return card::button(name, "Controlla", "controlla"); }

} // namespace

const CardDescription& TfrmClienti::describe() {
  static const CardDescription d{
      .screen = QStringLiteral("TfrmClienti"),
      .caption = QStringLiteral(" Velarion - Anagrafica Clienti"),
      .archive = clientArchive(),
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Dati anagrafici"), QStringLiteral("anagrafica"), 3,
                       {{edit("Cliente", "Cognome e nome o ragione sociale:").spanning(3)},
                        {edit("DataNasc", "Data di nascita:"), edit("ComuneNasc", "Comune di nascita:"),
                         province("ProvNasc")},
                        {edit("Sesso", "Sesso:").rule(Input::Upper),
                         edit("Recapito", "Recapito preferenziale:").spanning(2)},
                        {edit("IndirizzoRes", "Residente in Via / Piazza e numero civico:").spanning(3)},
                        {province("ProvRes"), edit("ComuneRes", "Comune di residenza:"),
                         edit("CapRes", "CAP:").rule(Input::Upper)},
                        {edit("Estremi", "Modalità di pagamento:").spanning(3)}}},
                      {QStringLiteral("Telefoni e posta elettronica"), QStringLiteral("telefono"), 3,
                       {{edit("TelCasa", "Tel. casa:"), edit("TelUff", "Tel. ufficio:"),
                         edit("TelCel", "Tel. cellulare:")},
                        {edit("Fax", "Fax:"), edit("Email", "E-mail:")
                                                  .spanning(2)
                                                  .rule(Input::Trimmed)
                                                  .beside({card::button("btnEmail", "Scrivi", "email")})}}},
                      {QStringLiteral("Dati fiscali e bancari"), QStringLiteral("fisco"), 3,
                       {{edit("CodFisc", "Codice fiscale:").rule(Input::UpperTrimmed).beside({check("btnCodFisc")}),
                         edit("Carta", "Carta di credito n.").rule(Input::Digits).beside({check("btnCarta")}),
                         edit("ScadeCarta", "Scadenza:")},
                        {edit("PartitaIva", "Partita IVA:").rule(Input::Digits).beside({check("btnPartitaIva")}),
                         edit("Iban", "IBAN:").spanning(2).rule(Input::UpperTrimmed).beside({check("btnIban")})}}},
                      {QStringLiteral("Documento, occupazione e interessi"), QStringLiteral("documento"), 2,
                       {{edit("Documento", "Estremi documento:").spanning(2)},
                        {edit("Occupazione", "Occupazione:"), edit("Civile", "Stato civile:")},
                        {edit("Titoli", "Titoli e qualifiche:").spanning(2)},
                        {edit("Prodotti", "Servizi di interesse:").spanning(2)},
                        {edit("Zona", "Zona di appartenenza:")}}},
                      {QStringLiteral("Questioni in sospeso e note"), QStringLiteral("questioni"), 2,
                       {{edit("Questioni", "Questioni in sospeso:"), card::check("Ricontatta", "Da ricontattare")},
                        {edit("Note", "Note:").spanning(2)}}},
                  },
              .enterChains = {{card::names({
                  "txtCliente", "txtDataNasc", "txtComuneNasc", "txtProvNasc", "txtSesso", "txtRecapito",
                  "txtIndirizzoRes", "txtProvRes", "txtComuneRes", "txtCapRes", "txtEstremi", "txtTelCasa",
                  "txtTelUff", "txtTelCel", "txtFax", "txtEmail", "txtCodFisc", "txtCarta", "txtScadeCarta",
                  "txtPartitaIva", "txtIban", "txtDocumento", "txtOccupazione", "txtCivile", "txtTitoli",
                  "txtProdotti", "txtZona", "txtQuestioni", "txtNote"})}},
          },
      .behaviour = {.rules = &clientRules()},
      .commands = {
          command("cmdNuovo"), command("cmdDuplica"), command("cmdFile").attaches(QStringLiteral("clienti")),
          command("cmdSalva"), command("cmdTrova").opens(clientSearchList(), QStringLiteral("clienti")),
          command("cmdAnteprima"), command("cmdStampa"), command("cmdPDF"),
          command("cmdRicontatta", "Ricontatta", "ricontatta").opens(recontactList()),
          command("cmdEsporta").opens(clientExport()), command("cmdGuida"), command("cmdEsci")},
      .hints =
          {
              {QStringLiteral("cmdFile"), card::hints::attach()},
              {QStringLiteral("cmdPDF"), QStringLiteral("Esporta la scheda in formato PDF.")},
              {QStringLiteral("cmdRicontatta"), QStringLiteral("Visualizza il riepilogo dei Clienti da ricontattare.")},
              {QStringLiteral("cmdEsporta"), card::hints::exportCards()},
              {QStringLiteral("btnEmail"), QStringLiteral("Invia una e-mail all'indirizzo indicato.")},
              {QStringLiteral("btnCodFisc"), QStringLiteral("Controlla il codice fiscale.")},
              {QStringLiteral("btnCarta"), QStringLiteral("Controlla il numero di carta di credito.")},
              {QStringLiteral("btnPartitaIva"), QStringLiteral("Controlla il numero di partita IVA.")},
              {QStringLiteral("btnIban"), QStringLiteral("Controlla l'IBAN.")},
              {QStringLiteral("chkRicontatta"),
               QStringLiteral("Annota che il Cliente \u00E8 da ricontattare per questioni in sospeso.")},
          },
      .help = HelpTopic::Clienti,
      .printTitle = QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"),
      .printRows = &clientPrintRows(),
      .pdfFile = QStringLiteral("Cliente.pdf"),
  };
  return d;
}

TfrmClienti::TfrmClienti(QWidget* parent) : CardEditor(describe(), parent) {
  bindCheckButtons(this);
  auto* email = findChild<QLineEdit*>(QStringLiteral("txtEmail"));
  on(QStringLiteral("btnEmail"), [email] {
    services::openOrTell(QStringLiteral("mailto:") + fieldtext::trimmed(email->text()));
  });
}
