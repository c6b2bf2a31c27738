#include "tfrmprotocollo.h"

#include "tfrmnumerazione.h"

#include "archive/archivio.h"
#include "common/services.h"
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
              {QStringLiteral("cmdNuovo"), QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda.")},
              {QStringLiteral("cmdRiepilogo"),
               QStringLiteral("Visualizza il riepilogo dei documenti protocollati in un intervallo di tempo.")},
              {QStringLiteral("cmdEsporta"), QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")},
              {QStringLiteral("cmdNumerazione"),
               QStringLiteral("Imposta il numero iniziale per la numerazione del protocollo.")},
              {QStringLiteral("cmdFile"), QStringLiteral("Allega file alla scheda corrente.")},
              {QStringLiteral("cmdEsci"), QStringLiteral("Esci da questa schermata di lavoro.")},
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
  navigator()->beforeAppend([this](Record& record, const TArchivioSchede& archive) { return renumber(record, archive); });
}

void TfrmProtocollo::nuovoProtocollo() {
  const std::optional<numbering::Settings> settings = protocolsettings::readNumbering();
  if (!settings) {
    services::error(protocoltext::settingsUnreachable());
    return;
  }
  RecordPosition count = 0;
  try {
    TArchivioSchede archive(archivePath(), protocolArchive().recordSize());
    archive.open(TArchivioSchede::Access::Read);
    count = archive.count();
    archive.close();
  } catch (const ArchiveError&) {
    services::error(archiveAccessMessage());
    return;
  }
  proposal_.reset();
  nuovo();
  QString year = numbering::archiveYear(archivePath());
  if (year.isEmpty()) year = services::clock().today().toString(QStringLiteral("yyyy"));
  const std::optional<QString> number = numbering::proposal(settings->start, settings->yearSuffix, count, year);
  if (!number) {
    services::warning(protocoltext::startNotANumber());
    return;
  }
  form()->set("Numero", *number);
  proposal_ = Proposal{*number, *settings, year};
  navigator()->markUnchanged(); // the proposed number belongs to the new card
  form()->focusField("Categoria");
}

QString TfrmProtocollo::renumber(Record& record, const TArchivioSchede& archive) {
  if (!proposal_) return QString();
  const QString shown = fieldtext::trimmed(record["Numero"]);
  if (shown != proposal_->number) return QString(); // typed by hand: stored as typed
  const std::optional<QString> now =
      numbering::proposal(proposal_->settings.start, proposal_->settings.yearSuffix, archive.count(), proposal_->year);
  if (!now || *now == shown) return QString();
  record.set("Numero", *now);
  return protocoltext::renumbered(shown, *now);
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
