#include "movementcard.h"

#include "common/checks/screens/checks_screens.h"
#include "clients/screens/clientsearch.h"
#include "common/services.h"
#include "movements/movementlists.h"
#include "movements/movimento.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

using card::command;
using card::edit;

const QString kIncomeLabel = QStringLiteral("Importo in entrata: \u20AC");
const QString kExpenseLabel = QStringLiteral("Importo in uscita: \u20AC");
const QString kNoEmail = QStringLiteral("Attenzione: indicare l'indirizzo e-mail del tesserato.");

CardExtra check(const char* name) { return {QLatin1String(name), QStringLiteral("Controlla"), QStringLiteral("controlla"), false}; }

std::vector<FieldValue> duplicateReset() {
  std::vector<FieldValue> reset = {{"Saldato", fieldtext::no()}, FieldValue::todayIn("Data"), {"DataSca"}};
  for (const FieldValue& v : attachmentsCleared()) reset.push_back(v);
  return reset;
}

} // namespace

const CardDescription& TfrmMovimenti::describe() {
  static const CardDescription d{
      .screen = QStringLiteral("TfrmMovimenti"),
      .caption = QStringLiteral(" Velarion - Entrate e Uscite"),
      .archive = movementArchive(),
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Movimento"), QStringLiteral("pagamenti"), 2,
                       {{card::flagOptions("Tipo movimento:", {{QStringLiteral("optEntrata"), QStringLiteral("Entrata"), "Entrata"},
                                                               {QStringLiteral("optUscita"), QStringLiteral("Uscita"), "Uscita"}}),
                         card::check("Saldato", "Saldato")},
                        {edit("Causale", "Causale:").spanning(2)},
                        {edit("Promemoria", "Promemoria:").spanning(2)},
                        {card::date("Data", "Data operazione:", QStringLiteral("movimenti_data")).clearedBy(QStringLiteral("impData")),
                         card::date("DataSca", "Data scadenza:", QStringLiteral("movimenti_scadenza"))
                             .clearedBy(QStringLiteral("impDataSca"))},
                        {card::amount("Importo", "Importo in entrata: \u20AC", movement::kDecimals)
                             .savedAs(AmountSave::EmptyIsZero)
                             .atMost(movement::kIntegerDigits, movement::tooLargeMessage()),
                         edit("Preavviso", "Avvisa n.").rule(Input::Digits).followedBy("giorni prima della scadenza.")},
                        {edit("Categoria", "Categoria:")}}},
                      {QStringLiteral("Pagatore"), QStringLiteral("cliente"), 2,
                       {{edit("Pagatore", "Pagatore:").beside({card::picture("impPagatore", "importa")}),
                         edit("RecapitoPag", "Recapito:")},
                        {edit("CodFisc", "Codice fiscale:").rule(Input::UpperTrimmed).beside({check("chkCodFisc")}),
                         edit("PartitaIva", "Partita IVA:").rule(Input::Digits).beside({check("chkIva")})},
                        {edit("Email", "E-mail:").rule(Input::Trimmed).beside({card::button("sndEmail", "Scrivi", "email")})}}},
                      {QStringLiteral("Beneficiario e pagamento"), QStringLiteral("anagrafica"), 2,
                       {{edit("Beneficiario", "Beneficiario:").beside({card::picture("impBeneficiario", "importa")}),
                         edit("RecapitoBen", "Recapito:")},
                        {edit("Pagamento", "Modalit\u00E0 pagamento:").limit(150).spanning(2)},
                        {edit("Ricevuta", "CRO / Ricevuta n.").spanning(2)},
                        {edit("Tariffa", "Tariffa applicata:").spanning(2)},
                        {edit("Note", "Note:").spanning(2)}}},
                  },
              // Enter runs from the reason to the due date and on from the
              // notice days round to the operation date and the reason again
              .enterChains = {{card::names({"txtCausale", "txtPromemoria", "txtDataSca", "txtPreavviso", "txtImporto",
                                            "txtPagatore", "txtRecapitoPag", "txtCodFisc", "txtPartitaIva",
                                            "txtCategoria", "txtEmail", "txtPagamento", "txtBeneficiario",
                                            "txtRecapitoBen", "txtRicevuta", "txtNote", "txtTariffa", "txtData"})}},
              .hidden = {{"Totale", QStringLiteral("txtTotale")}},
          },
      .behaviour =
          {
              .duplicateFailure = MessageKind::Warning,
              .duplicate = {duplicateReset()},
              .defaults = {{"Entrata", fieldtext::yes()},
                           {"Uscita", fieldtext::no()},
                           FieldValue::todayIn("Data"),
                           {"Preavviso", QStringLiteral("0")},
                           {"Importo", QStringLiteral("0,00")},
                           {"Totale", QStringLiteral("+0,00")}},
              .rules = &movementRules(),
          },
      .commands = {command("cmdNuovo"), command("cmdDuplica"), command("cmdSalva"),
                   command("cmdTrova").opens(movementSearchList(), QStringLiteral("movimenti")),
                   command("cmdFile").attaches(QStringLiteral("movimenti")),
                   command("cmdStampa").prints(movementPrintForm()),
                   command("cmdScadenze", "Scadenze", "orologio").opens(fallingDueList()),
                   command("cmdEsporta").opens(movementExport()), command("cmdGuida"), command("cmdEsci")},
      .hints =
          {
              {QStringLiteral("cmdNuovo"), QStringLiteral("Predispone la schermata per l'inserimento di una nuova scheda.")},
              {QStringLiteral("cmdFile"), card::hints::attach()},
              {QStringLiteral("cmdEsporta"), card::hints::exportCards()},
              {QStringLiteral("cmdScadenze"),
               QStringLiteral("Visualizza il riepilogo dei pagamenti in scadenza o scaduti e non saldati.")},
              {QStringLiteral("cmdGuida"), card::hints::contextHelp()},
              {QStringLiteral("cmdEsci"), card::hints::leave()},
              {QStringLiteral("impPagatore"), QStringLiteral("Importa i dati dall'archivio anagrafico dei Clienti.")},
              {QStringLiteral("impBeneficiario"), QStringLiteral("Importa i dati dall'archivio anagrafico dei Clienti.")},
              {QStringLiteral("chkCodFisc"), QStringLiteral("Controlla il codice fiscale.")},
              {QStringLiteral("chkIva"), QStringLiteral("Controlla il numero di partita IVA.")},
              {QStringLiteral("sndEmail"), QStringLiteral("Invia una e-mail all'indirizzo indicato.")},
              {QStringLiteral("optEntrata"), QStringLiteral("Spunta questa casella per registrare un importo in entrata.")},
              {QStringLiteral("optUscita"), QStringLiteral("Spunta questa casella per registrare un importo in uscita.")},
              {QStringLiteral("chkSaldato"),
               QStringLiteral("Spunta questa casella per indicare che il pagamento \u00E8 stato saldato.")},
          },
      .help = HelpTopic::Movimenti,
  };
  return d;
}

TfrmMovimenti::TfrmMovimenti(QWidget* parent) : CardEditor(describe(), parent) {
  auto* amount = findChild<QLineEdit*>(QStringLiteral("txtImporto"));
  for (QLabel* l : form()->findChildren<QLabel*>())
    if (l->buddy() == amount) lblImporto_ = l;
  lblImporto_->setObjectName(QStringLiteral("lblImporto"));
  // the label follows the option checked, by the user or by a loaded record
  for (const bool income : {true, false})
    connect(findChild<QRadioButton*>(income ? QStringLiteral("optEntrata") : QStringLiteral("optUscita")),
            &QRadioButton::toggled, this, [this, income](bool on) { if (on) showAmountLabel(income); });
  showAmountLabel(true);

  on(QStringLiteral("impPagatore"), [this] { showClientSearch(this, QStringLiteral("movimenti_pagatore")); });
  on(QStringLiteral("impBeneficiario"), [this] { showClientSearch(this, QStringLiteral("movimenti_beneficiario")); });
  on(QStringLiteral("sndEmail"), [this] { scriviEmail(); });
  bindCheckButtons(this);
}

void TfrmMovimenti::showAmountLabel(bool income) {
  lblImporto_->setText(income ? kIncomeLabel : kExpenseLabel);
  lblImporto_->setStyleSheet(income ? QStringLiteral("color:#000000;") : QStringLiteral("color:#FF0000;"));
}

void TfrmMovimenti::scriviEmail() {
  const QString address = fieldtext::trimmed(form()->text("Email"));
  if (address.isEmpty()) {
    services::warning(kNoEmail);
    form()->focusField("Email");
    return;
  }
  services::openOrTell(QStringLiteral("mailto:") + address);
}
