#include "tfrmclienti.h"

#include "clients/cliente.h"
#include "app/help/screens/helpscreens.h"
#include "clients/screens/checks_screens.h"
#include "clients/screens/clientlists_screens.h"
#include "common/screens/allegacartella.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

using I = CardItem;

CardItem edit(std::string_view f, const char* caption, int span = 1, std::vector<CardExtra> extras = {}) {
  return CardItem{f, QString::fromUtf8(caption), I::Edit, span, {}, std::move(extras)};
}
CardItem province(std::string_view f) {
  return CardItem{f, QStringLiteral("Prov."), I::Combo, 1, provinceCodes(), {}};
}
CardExtra check(const char* name) {
  return CardExtra{QLatin1String(name), QStringLiteral("Controlla"), QStringLiteral("controlla")};
}

} // namespace

const CardDescription& TfrmClienti::describe() {
  static const CardDescription d{
      QStringLiteral("TfrmClienti"),
      QStringLiteral(" Velarion - Anagrafica Clienti"),
      &TRecCliente(),
      QLatin1String("Clienti.pro"),
      {
          {QStringLiteral("Dati anagrafici"), QStringLiteral("anagrafica"), 3,
           {{edit("Cliente", "Cognome e nome o ragione sociale:", 3)},
            {edit("DataNasc", "Data di nascita:"), edit("ComuneNasc", "Comune di nascita:"), province("ProvNasc")},
            {edit("Sesso", "Sesso:"), edit("Recapito", "Recapito preferenziale:", 2)},
            {edit("IndirizzoRes", "Residente in Via / Piazza e numero civico:", 3)},
            {province("ProvRes"), edit("ComuneRes", "Comune di residenza:"), edit("CapRes", "CAP:")},
            {edit("Estremi", "Modalità di pagamento:", 3)}}},
          {QStringLiteral("Telefoni e posta elettronica"), QStringLiteral("telefono"), 3,
           {{edit("TelCasa", "Tel. casa:"), edit("TelUff", "Tel. ufficio:"), edit("TelCel", "Tel. cellulare:")},
            {edit("Fax", "Fax:"),
             edit("Email", "E-mail:", 2, {CardExtra{QStringLiteral("btnEmail"), QStringLiteral("Scrivi"), QStringLiteral("email")}})}}},
          {QStringLiteral("Dati fiscali e bancari"), QStringLiteral("fisco"), 3,
           {{edit("CodFisc", "Codice fiscale:", 1, {check("btnCodFisc")}),
             edit("Carta", "Carta di credito n.", 1, {check("btnCarta")}), edit("ScadeCarta", "Scadenza:")},
            {edit("PartitaIva", "Partita IVA:", 1, {check("btnPartitaIva")}),
             edit("Iban", "IBAN:", 2, {check("btnIban")})}}},
          {QStringLiteral("Documento, occupazione e interessi"), QStringLiteral("documento"), 2,
           {{edit("Documento", "Estremi documento:", 2)},
            {edit("Occupazione", "Occupazione:"), edit("Civile", "Stato civile:")},
            {edit("Titoli", "Titoli e qualifiche:", 2)},
            {edit("Prodotti", "Servizi di interesse:", 2)},
            {edit("Zona", "Zona di appartenenza:")}}},
          {QStringLiteral("Questioni in sospeso e note"), QStringLiteral("questioni"), 2,
           {{edit("Questioni", "Questioni in sospeso:"), CardItem{"Ricontatta", QStringLiteral("Da ricontattare"), I::Check}},
            {edit("Note", "Note:", 2)}}},
      },
      {
          {QStringLiteral("cmdNuovo"), QStringLiteral("Nuovo"), QStringLiteral("nuovo")},
          {QStringLiteral("cmdDuplica"), QStringLiteral("Duplica"), QStringLiteral("duplica")},
          {QStringLiteral("cmdFile"), QStringLiteral("Allega"), QStringLiteral("allega")},
          {QStringLiteral("cmdSalva"), QStringLiteral("Salva"), QStringLiteral("salva")},
          {QStringLiteral("cmdTrova"), QStringLiteral("Trova"), QStringLiteral("trova")},
          {QStringLiteral("cmdAnteprima"), QStringLiteral("Anteprima"), QStringLiteral("anteprima")},
          {QStringLiteral("cmdStampa"), QStringLiteral("Stampa"), QStringLiteral("stampa")},
          {QStringLiteral("cmdPDF"), QStringLiteral("PDF"), QStringLiteral("pdf")},
          {QStringLiteral("cmdRicontatta"), QStringLiteral("Ricontatta"), QStringLiteral("ricontatta")},
          {QStringLiteral("cmdEsporta"), QStringLiteral("Esporta"), QStringLiteral("esporta")},
          {QStringLiteral("cmdGuida"), QStringLiteral("Guida"), QStringLiteral("guida")},
          {QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QStringLiteral("esci")},
      },
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
      {{"Cliente", QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il nome del Cliente.")}},
      {QStringLiteral("txtCliente"), QStringLiteral("txtDataNasc"), QStringLiteral("txtComuneNasc"),
       QStringLiteral("txtProvNasc"), QStringLiteral("txtSesso"), QStringLiteral("txtRecapito"),
       QStringLiteral("txtIndirizzoRes"), QStringLiteral("txtProvRes"), QStringLiteral("txtComuneRes"),
       QStringLiteral("txtCapRes"), QStringLiteral("txtEstremi"), QStringLiteral("txtTelCasa"),
       QStringLiteral("txtTelUff"), QStringLiteral("txtTelCel"), QStringLiteral("txtFax"), QStringLiteral("txtEmail"),
       QStringLiteral("txtCodFisc"), QStringLiteral("txtCarta"), QStringLiteral("txtScadeCarta"),
       QStringLiteral("txtPartitaIva"), QStringLiteral("txtIban"), QStringLiteral("txtDocumento"),
       QStringLiteral("txtOccupazione"), QStringLiteral("txtCivile"), QStringLiteral("txtTitoli"),
       QStringLiteral("txtProdotti"), QStringLiteral("txtZona"), QStringLiteral("txtQuestioni"),
       QStringLiteral("txtNote")},
      QStringLiteral("Pronto per archiviare una nuova scheda..."),
      QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"),
      &clientPrintRows(),
  };
  return d;
}

TfrmClienti::TfrmClienti(QWidget* parent) : CardEditor(describe(), parent) {
  on(QStringLiteral("cmdGuida"), [this] { showHelp(this, HelpTopic::Clienti); });
  auto* codFisc = findChild<QLineEdit*>(QStringLiteral("txtCodFisc"));
  auto* iban = findChild<QLineEdit*>(QStringLiteral("txtIban"));
  auto* email = findChild<QLineEdit*>(QStringLiteral("txtEmail"));
  screenkit::keepUpper(codFisc, true);
  screenkit::keepUpper(iban, true);
  screenkit::keepTrimmed(email);
  screenkit::keepUpper(findChild<QLineEdit*>(QStringLiteral("txtSesso")), false);
  screenkit::keepUpper(findChild<QLineEdit*>(QStringLiteral("txtCapRes")), false);
  for (const char* name : {"txtProvNasc", "txtProvRes"}) screenkit::keepUpper(findChild<QComboBox*>(QLatin1String(name)), true);
  screenkit::digitsOnly(findChild<QLineEdit*>(QStringLiteral("txtCarta")));
  screenkit::digitsOnly(findChild<QLineEdit*>(QStringLiteral("txtPartitaIva")));

  on(QStringLiteral("cmdTrova"), [this] { showClientSearch(this, QStringLiteral("clienti")); });
  on(QStringLiteral("cmdRicontatta"), [this] { showRecontactList(this); });
  on(QStringLiteral("cmdEsporta"), [this] { showClientExport(this); });
  on(QStringLiteral("cmdFile"), [this] { attachscreen::showAttachments(this, QStringLiteral("clienti")); });
  on(QStringLiteral("cmdPDF"), [this] { stampa(Output::Pdf, QStringLiteral("Cliente.pdf")); });
  bindCheckButtons(this);
  on(QStringLiteral("btnEmail"), [email] {
    services::shell().open(QStringLiteral("mailto:") + fieldtext::trimmed(email->text()));
  });
}
