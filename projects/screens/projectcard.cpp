#include "projectcard.h"

#include "projects/progetto.h"
#include "projects/projectlists.h"
#include "rtfsheetscreen.h"
#include "common/screens/attachscreen.h"
#include "common/amounts.h"
#include "common/screens/screenkit.h"

#include <QLabel>
#include <QLineEdit>

namespace {

using card::command;
using card::edit;
using card::memo;

const QString kTag = QStringLiteral("referti");

CardItem costItem(std::string_view field, const char* caption) {
  return card::amount(field, caption, kProjectCostDecimals)
      .atMost(kProjectCostDigits, money::tooLargeMessage(kProjectCostDigits));
}

} // namespace

const CardDescription& TfrmReferti::describe() {
  static const CardDescription d{
      .screen = QStringLiteral("TfrmReferti"),
      .caption = QStringLiteral(" Velarion - Archivio progetti"),
      .archive = projectArchive(),
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Progetto"), QStringLiteral("progetto"), 2,
                       {{edit("Nome", "Nome progetto:").spanning(2)},
                        {edit("Codice", "Codice identificativo:"), edit("Ambito", "Ambito:")},
                        {memo("Annotazioni", "Annotazioni:", 3).spanning(2)}}},
                      {QStringLiteral("Descrizione"), {}, 2,
                       {{edit("Descrizione", "Descrizione sintetica:").spanning(2)},
                        {card::date("DataInizio", "Data inizio:", QStringLiteral("referti_datainizio")),
                         card::date("DataScade", "Data scadenza:", QStringLiteral("referti_datascade"))},
                        {costItem("CostoPrev", "Costo preventivato:"), edit("Stato", "Stato avanzamento:")},
                        {edit("Responsabile", "Responsabile:"), edit("Recapito", "Telefono preferenziale:")},
                        {edit("Obiettivi", "Obiettivi finali:").spanning(2)},
                        {edit("Questioni", "Questioni in sospeso:").spanning(2)},
                        {memo("Fasi", "Fasi previste:", 11).spanning(2)},
                        {card::check("Terminato", "Progetto terminato")}},
                       QStringLiteral("Descrizione"), QStringLiteral("txtDescrizione")},
                      {QStringLiteral("Partecipanti e compiti"), {}, 1,
                       {{memo("Membri", "Membri del team e compiti assegnati:", 22)},
                        {edit("TotMembri", "Totale partecipanti:").rule(Input::Digits)}},
                       QStringLiteral("Partecipanti"), QStringLiteral("txtMembri")},
                      {QStringLiteral("Materiali e strumenti"), {}, 1,
                       {{memo("Materiali", "Materiali e strumenti:", 13)}, {memo("Tecniche", "Tecniche di lavoro:", 13)}},
                       QStringLiteral("Materiali"), QStringLiteral("txtMateriali")},
                      {QStringLiteral("Registro attivit\u00E0"), {}, 1,
                       {{memo("Espletate", "Attivit\u00E0 espletate:", 13)},
                        {memo("Svolgere", "Attivit\u00E0 da svolgere:", 13)}},
                       QStringLiteral("Registro"), QStringLiteral("txtEspletate")},
                      {QStringLiteral("Costi e pagamenti"), {}, 1,
                       {{memo("Costi", "Elenco costi preventivati:", 8)},
                        {memo("Effettuati", "Pagamenti effettuati:", 8)},
                        {memo("Effettuare", "Pagamenti da effettuare:", 8)},
                        {costItem("TotCosti", "TOTALE IMPORTI VERSATI ALLA DATA ATTUALE:").limit(10)}},
                       QStringLiteral("Costi"), QStringLiteral("txtCosti")},
                  },
              // Enter moves nowhere on this card: no chain
              .firstFocus = QStringLiteral("txtNome"),
          },
      .behaviour =
          {
              .saveFailure = MessageKind::Plain,
              // the copy keeps the finished mark; the archive is not touched
              .duplicate = {attachmentsCleared(), false},
              .defaults = {{"CostoPrev", QStringLiteral("0,00")},
                           {"TotCosti", QStringLiteral("0,00")},
                           {"TotMembri", QStringLiteral("0")}},
              .rules = &projectRules(),
          },
      .commands = {command("cmdNuovo"), command("cmdSalva"), command("cmdDuplica"),
                   command("cmdTrova").opens(projectSearchList(), kTag), command("cmdFile").attaches(kTag),
                   command("cmdStampa"), command("cmdScaduti", "Scaduti", "scaduti").opens(overdueList()),
                   command("cmdEsporta").opens(projectExport()), command("cmdGuida"), command("cmdEsci")},
      .hints =
          {
              {QStringLiteral("cmdNuovo"), card::hints::newCard()},
              {QStringLiteral("cmdFile"), card::hints::attach()},
              {QStringLiteral("cmdStampa"), QStringLiteral("Stampa la scheda riepilogativa del progetto corrente.")},
              {QStringLiteral("cmdScaduti"),
               QStringLiteral("Visualizza il riepilogo dei progetti non ultimati alla data di scadenza.")},
              {QStringLiteral("cmdEsporta"), card::hints::exportCards()},
              {QStringLiteral("cmdEsci"), card::hints::leave()},
          },
      .help = HelpTopic::Progetti,
  };
  return d;
}

TfrmReferti::TfrmReferti(QWidget* parent) : CardEditor(describe(), parent) {
  on(QStringLiteral("cmdStampa"), [this] { TfrmCreaRTF::open(this, kTag); });

  // the team count is never left empty
  auto* members = findChild<QLineEdit*>(QStringLiteral("txtTotMembri"));
  screenkit::onFocusOut(members, [members] {
    if (members->text().isEmpty()) members->setText(QStringLiteral("0"));
  });
  // the attachment labels are shown trimmed, as every card shows them
  after(CardAction::Load, [this] {
    for (const char* const* names : {attachscreen::kFileLabels, attachscreen::kDescLabels})
      for (int k = 0; k < 3; ++k)
        if (auto* l = findChild<QLabel*>(QLatin1String(names[k]))) l->setText(fieldtext::trimmed(l->text()));
  });
}
