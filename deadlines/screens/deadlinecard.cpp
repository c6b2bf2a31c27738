// The deadline card as data: its fields, Enter chain, commands and what
// they open, hints, the behaviour of a save and a duplicate, and its print.
#include "deadlinescreen.h"

#include "cases/caselists.h"
#include "common/amounts.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/scadenza.h"

using card::command;
using card::edit;
using card::pickList;

const CardDescription& TfrmScadenzario::describe() {
  static const CardDescription d{
      .screen = QStringLiteral("TfrmScadenzario"),
      .caption = QStringLiteral(" Velarion - Scadenze e Appuntamenti"),
      .archive = deadlineArchive(),
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Data scadenza"), QStringLiteral("calendario"), 4,
                       {{pickList("Giorno", "Giorno:", deadline::days()),
                         pickList("Mese", "Mese:", deadline::monthNames()), card::label("Anno")}}},
                      {QStringLiteral("Ora appuntamento"), QStringLiteral("orologio"), 4,
                       {{pickList("OreApp", "Ore:", deadline::hours()).followedBy(":"),
                         pickList("MinutiApp", "Minuti:", deadline::minutes()),
                         edit("Avviso", "Avvisa n.")
                             .spanning(2)
                             .rule(Input::Digits)
                             .followedBy("giorni prima della scadenza.")}}},
                      {QStringLiteral("Cliente e pratica"), QStringLiteral("pratica"), 2,
                       {{edit("Cliente", "Cliente:"),
                         edit("CodFisc", "Codice fiscale:")
                             .rule(Input::UpperTrimmed)
                             .beside({{QStringLiteral("btnCodFisc"), QStringLiteral("Controlla"),
                                       QStringLiteral("controlla"), false}})},
                        {edit("Recapito", "Recapito preferenziale:").spanning(2)},
                        {edit("Oggetto", "Oggetto pratica:").spanning(2)},
                        {edit("Tipologia", "Tipologia:"), edit("Protocollo", "Protocollo n.")},
                        {edit("Apertura", "Data apertura:"), edit("Chiusura", "Data chiusura:")},
                        {edit("Stato", "Stato avanzamento:"), edit("Consulente", "Consulente o curatore:")}}},
                      {QStringLiteral("Pagamento"), QStringLiteral("pagamenti"), 2,
                       {{edit("Dettagli", "Causale scadenza:").spanning(2)},
                        {edit("Officina", "Modalità di pagamento:").spanning(2)},
                        {card::amount("Costo", "Importo in euro:", deadline::kCostDecimals)
                             .savedAs(AmountSave::EmptyIsZero)
                             .atMost(deadline::kCostDigits, money::tooLargeMessage(deadline::kCostDigits)),
                         edit("Contatto", "Estremi ricevuta:")},
                        {card::check("DaConfermare", "Appuntamento da confermare")}}},
                      {QStringLiteral("Note"), QStringLiteral("note"), 2,
                       {{edit("Note", "Note:"), card::check("Effettuata", "Pagamento effettuato")}}},
                  },
              .enterChains = {{card::names({"txtGiorno", "txtMese", "txtOreApp", "txtMinutiApp", "txtAvviso",
                                            "txtCliente", "txtCodFisc", "txtRecapito", "txtOggetto", "txtTipologia",
                                            "txtProtocollo", "txtApertura", "txtChiusura", "txtStato",
                                            "txtConsulente", "txtDettagli", "txtOfficina", "txtCosto",
                                            "txtContatto", "txtNote"})}},
          },
      .behaviour =
          {
              .inserted = {MessageKind::Information,
                           QStringLiteral("La scheda corrente \u00E8 stata salvata in archivio.")},
              // a deadline that recurs keeps all but its day and time
              .duplicate = {{{"Giorno"}, {"Mese"}, {"OreApp", QStringLiteral("00")},
                             {"MinutiApp", QStringLiteral("00")}}},
              // showing the screen leaves the card as it was; opening a
              // year starts a new one
              .clearOnShow = false,
              .defaults = {{"OreApp", QStringLiteral("00")}, {"MinutiApp", QStringLiteral("00")},
                           {"Costo", QStringLiteral("0,00")}},
              .keptOnClear = {"Anno"},
              .rules = &deadlineRules(),
          },
      .commands = {command("cmdNuovo"), command("cmdSalva"), command("cmdDuplica"),
                   command("cmdTrova").opens(deadlineSearchList(), QStringLiteral("Scadenzario")),
                   command("cmdImporta", "Importa", "importa").opens(caseSearchList(), QStringLiteral("scadenzario")),
                   command("cmdStampa"),
                   command("cmdDaConfermare", "Da confermare", "appuntamenti").opens(toConfirmList()),
                   command("cmdDaEffettuare", "Da pagare", "pagamenti").opens(toPayList()),
                   command("cmdEffettuate", "Pagati", "pagati").opens(paidList()),
                   command("cmdEsporta").opens(deadlineExport()), command("cmdEsportaCalendario", "Calendario", "calendario"),
                   command("cmdGuida"), command("cmdEsci")},
      .hints =
          {
              {QStringLiteral("cmdImporta"), QStringLiteral("Importa i dati dall'archivio delle pratiche.")},
              {QStringLiteral("cmdDaConfermare"),
               QStringLiteral("Visualizza l'elenco degli appuntamenti in attesa di conferma.")},
              {QStringLiteral("cmdDaEffettuare"),
               QStringLiteral("Visualizza il riepilogo dei pagamenti da effettuare, sia scaduti che non.")},
              {QStringLiteral("cmdEffettuate"), QStringLiteral("Visualizza il riepilogo storico dei pagamenti effettuati.")},
              {QStringLiteral("cmdEsporta"), card::hints::exportCards()},
              {QStringLiteral("cmdEsportaCalendario"),
               QStringLiteral("Esporta le scadenze dell'anno in un file da importare nel calendario del telefono o del computer.")},
              {QStringLiteral("cmdGuida"), card::hints::contextHelp()},
              {QStringLiteral("cmdEsci"), card::hints::leave()},
              {QStringLiteral("btnCodFisc"), QStringLiteral("Controlla il codice fiscale.")},
              {QStringLiteral("chkDaConfermare"),
               QStringLiteral("Spunta questa casella per annotare che l'appuntamento \u00E8 in attesa di conferma.")},
              {QStringLiteral("chkEffettuata"),
               QStringLiteral("Spunta questa casella per annotare che il pagamento \u00E8 stata effettuato.")},
          },
      .help = HelpTopic::Scadenzario,
      .printTitle = QStringLiteral("SCHEDA SCADENZA / APPUNTAMENTO"),
      .printRows = &deadlinePrintRows(),
  };
  return d;
}
