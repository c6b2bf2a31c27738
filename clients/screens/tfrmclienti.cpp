#include "tfrmclienti.h"

#include "clients/cliente.h"
#include "clients/screens/checks_screens.h"
#include "clients/screens/clientlists_screens.h"
#include "common/screens/allegacartella.h"
#include "common/services.h"

#include <QLineEdit>

namespace {

using card::edit;

CardItem province(std::string_view field) {
  return card::combo(field, "Prov.", provinceCodes()).rule(Input::UpperTrimmed);
}
CardExtra check(const char* name) { return card::button(name, "Controlla", "controlla"); }
CardCommand command(const char* name, const char* caption, const char* icon) {
  return {QLatin1String(name), QString::fromUtf8(caption), QLatin1String(icon)};
}

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
              .enterChains = {{{
                  QStringLiteral("txtCliente"),    QStringLiteral("txtDataNasc"),    QStringLiteral("txtComuneNasc"),
                  QStringLiteral("txtProvNasc"),   QStringLiteral("txtSesso"),       QStringLiteral("txtRecapito"),
                  QStringLiteral("txtIndirizzoRes"), QStringLiteral("txtProvRes"),   QStringLiteral("txtComuneRes"),
                  QStringLiteral("txtCapRes"),     QStringLiteral("txtEstremi"),     QStringLiteral("txtTelCasa"),
                  QStringLiteral("txtTelUff"),     QStringLiteral("txtTelCel"),      QStringLiteral("txtFax"),
                  QStringLiteral("txtEmail"),      QStringLiteral("txtCodFisc"),     QStringLiteral("txtCarta"),
                  QStringLiteral("txtScadeCarta"), QStringLiteral("txtPartitaIva"),  QStringLiteral("txtIban"),
                  QStringLiteral("txtDocumento"),  QStringLiteral("txtOccupazione"), QStringLiteral("txtCivile"),
                  QStringLiteral("txtTitoli"),     QStringLiteral("txtProdotti"),    QStringLiteral("txtZona"),
                  QStringLiteral("txtQuestioni"),  QStringLiteral("txtNote"),
              }}},
          },
      .behaviour = {.rules = &clientRules()},
      .commands =
          {
              command("cmdNuovo", "Nuovo", "nuovo"),
              command("cmdDuplica", "Duplica", "duplica"),
              command("cmdFile", "Allega", "allega"),
              command("cmdSalva", "Salva", "salva"),
              command("cmdTrova", "Trova", "trova"),
              command("cmdAnteprima", "Anteprima", "anteprima"),
              command("cmdStampa", "Stampa", "stampa"),
              command("cmdPDF", "PDF", "pdf"),
              command("cmdRicontatta", "Ricontatta", "ricontatta"),
              command("cmdEsporta", "Esporta", "esporta"),
              command("cmdGuida", "Guida", "guida"),
              command("cmdEsci", "Esci", "esci"),
          },
      .hints =
          {
              {QStringLiteral("cmdFile"), QStringLiteral("Allega file alla scheda corrente.")},
              {QStringLiteral("cmdPDF"), QStringLiteral("Esporta la scheda in formato PDF.")},
              {QStringLiteral("cmdRicontatta"), QStringLiteral("Visualizza il riepilogo dei Clienti da ricontattare.")},
              {QStringLiteral("cmdEsporta"), QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")},
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
  };
  return d;
}

TfrmClienti::TfrmClienti(QWidget* parent) : CardEditor(describe(), parent) {
  on(QStringLiteral("cmdTrova"), [this] { showClientSearch(this, QStringLiteral("clienti")); });
  on(QStringLiteral("cmdRicontatta"), [this] { showRecontactList(this); });
  on(QStringLiteral("cmdEsporta"), [this] { showClientExport(this); });
  on(QStringLiteral("cmdFile"), [this] { attachscreen::showAttachments(this, QStringLiteral("clienti")); });
  on(QStringLiteral("cmdPDF"), [this] { stampa(Output::Pdf, QStringLiteral("Cliente.pdf")); });
  bindCheckButtons(this);
  auto* email = findChild<QLineEdit*>(QStringLiteral("txtEmail"));
  on(QStringLiteral("btnEmail"), [email] {
    services::shell().open(QStringLiteral("mailto:") + fieldtext::trimmed(email->text()));
  });
}
