#include "protocolcard.h"

#include "numberingscreen.h"

#include "archive/archivio.h"
#include "common/services.h"
#include "protocol/numbering.h"
#include "protocol/protocollists.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace {

using card::command;
using card::edit;

const QString kCallerTag = QStringLiteral("protocollo");

} // namespace

const CardDescription& TfrmProtocollo::describe() {
  static const CardDescription d{
      .screen = QStringLiteral("TfrmProtocollo"),
      .caption = QStringLiteral(" Velarion - Protocollo Posta"),
      .archive = protocolArchive(),
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Registrazione"), QStringLiteral("documento"), 2,
                       {{card::textOptions("Tipo", "Tipologia posta:",
                                           {{QStringLiteral("optEntrata"), QStringLiteral("In entrata")},
                                            {QStringLiteral("optUscita"), QStringLiteral("In uscita")},
                                            {QStringLiteral("optInterna"), QStringLiteral("Interna")}})
                             .spanning(2)},
                        {edit("Numero", "N. protocollo:"), card::date("DataReg", "Data registrazione:", "datareg")},
                        {edit("Ufficio", "Ufficio:"), edit("Operatore", "Operatore:")},
                        {edit("Categoria", "Categoria:"), edit("Collocazione", "Collocazione documento cartaceo:")}}},
                      {QStringLiteral("Documento"), QStringLiteral("note"), 2,
                       {{edit("Oggetto", "Oggetto:").spanning(2)},
                        {edit("DataSpe", "Data spedizione:"), edit("DataRic", "Data ricezione:")},
                        {edit("Formato", "Formato:"), edit("Pagine", "N. pagine:")},
                        {edit("Riferimenti", "Riferimenti:").spanning(2)},
                        {edit("Note", "Note:").spanning(2)}}},
                      {QStringLiteral("Mittente e destinatario"), QStringLiteral("email"), 2,
                       {{edit("Mittente", "Mittente:"), edit("RecapitoMit", "Recapito:")},
                        {edit("Destinatario", "Destinatario:"), edit("RecapitoDes", "Recapito:")}}},
                      {QStringLiteral("Copia digitale"), QStringLiteral("allega"), 1,
                       {{card::fileSlot("Copia", "Copia digitale documento:", QStringLiteral("imgCancella01"))}}},
                  },
              .enterChains =
                  {
                      {card::names({"txtNumero", "txtDataReg", "txtUfficio"}), false},
                      {card::names({"txtUfficio", "txtOperatore", "txtCategoria", "txtCollocazione", "txtOggetto",
                                    "txtDataSpe", "txtDataRic", "txtFormato", "txtPagine", "txtRiferimenti", "txtNote",
                                    "txtMittente", "txtRecapitoMit", "txtDestinatario", "txtRecapitoDes",
                                    "txtCopia"})},
                  },
              .tabOrder = card::names({"optEntrata",   "optUscita",      "optInterna",     "txtNumero",
                                       "txtDataReg",   "txtUfficio",     "txtOperatore",   "txtCategoria",
                                       "txtCollocazione", "txtOggetto",  "txtDataSpe",     "txtDataRic",
                                       "txtFormato",   "txtPagine",      "txtRiferimenti", "txtNote",
                                       "txtMittente",  "txtRecapitoMit", "txtDestinatario", "txtRecapitoDes",
                                       "txtCopia",     "btnSfoglia",     "btnApri"}),
              .firstFocus = QStringLiteral("txtNumero"),
          },
      .behaviour = {.defaults = {FieldValue::todayIn("DataReg")},
                    .keptOnClear = {"Ufficio", "Operatore"},
                    .rules = &protocolRules()},
      .commands = {command("cmdNuovo"), command("cmdSalva"),
                   command("cmdTrova").opens(protocolSearchList(), kCallerTag),
                   command("cmdRiepilogo", "Riepilogo", "elenco").opens(protocolSummary()),
                   command("cmdStampa").prints(protocolPrint()), command("cmdEsporta").opens(protocolExport()),
                   command("cmdNumerazione", "Numerazione", "numerazione"), command("cmdFile").attaches(kCallerTag),
                   command("cmdGuida"), command("cmdEsci")},
      .hints =
          {
              {QStringLiteral("cmdNuovo"), card::hints::newCard()},
              {QStringLiteral("cmdRiepilogo"),
               QStringLiteral("Visualizza il riepilogo dei documenti protocollati in un intervallo di tempo.")},
              {QStringLiteral("cmdEsporta"), card::hints::exportCards()},
              {QStringLiteral("cmdNumerazione"),
               QStringLiteral("Imposta il numero iniziale per la numerazione del protocollo.")},
              {QStringLiteral("cmdFile"), card::hints::attach()},
              {QStringLiteral("cmdEsci"), card::hints::leave()},
          },
      .help = HelpTopic::Protocollo,
  };
  return d;
}

TfrmProtocollo::TfrmProtocollo(QWidget* parent) : CardEditor(describe(), parent) {
  on(QStringLiteral("cmdNuovo"), [this] { nuovoProtocollo(); });
  on(QStringLiteral("cmdNumerazione"), [this] { TfrmNumerazione::open(this, kCallerTag); });

  // a proposal stays a proposal only on the new card it was made for
  after(CardAction::Save, [this] { proposal_.reset(); });
  after(CardAction::Load, [this] { proposal_.reset(); });
  navigator()->beforeAppend([this](Record& record, const TArchivioSchede& archive) {
    return proposal_ ? numbering::renumber(*proposal_, record, archive.count()) : QString();
  });
}

void TfrmProtocollo::nuovoProtocollo() {
  const std::variant<numbering::Proposal, numbering::Refusal> proposed = numbering::propose(archivePath());
  const numbering::Refusal* refusal = std::get_if<numbering::Refusal>(&proposed);
  if (refusal && *refusal != numbering::Refusal::StartNotANumber) {
    services::error(*refusal == numbering::Refusal::SettingsUnreachable ? protocoltext::settingsUnreachable()
                                                                        : archiveAccessMessage());
    return;
  }
  proposal_.reset();
  nuovo();
  if (refusal) { // the start is not a whole number: the card stays cleared
    services::warning(protocoltext::startNotANumber());
    return;
  }
  proposal_ = std::get<numbering::Proposal>(proposed);
  form()->set("Numero", proposal_->number);
  navigator()->markUnchanged(); // the proposed number belongs to the new card
  form()->focusField("Categoria");
}

void TfrmProtocollo::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) {
    proposal_.reset();
    if (const std::optional<protocolsettings::Desk> desk = protocolsettings::readDesk()) {
      form()->set("Ufficio", desk->office);
      form()->set("Operatore", desk->operatore);
    }
  }
  CardEditor::showEvent(e);
}

void TfrmProtocollo::closeEvent(QCloseEvent* e) {
  if (!protocolsettings::writeDesk({form()->text("Ufficio"), form()->text("Operatore")}))
    services::warning(protocoltext::settingsUnreachable());
  CardEditor::closeEvent(e);
}
