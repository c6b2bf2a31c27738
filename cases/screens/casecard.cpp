#include "casecard.h"

#include "cases/pratica.h"
#include "cases/caselists.h"
#include "casedocuments.h"
#include "clients/cliente.h"
#include "clients/screens/clientsearch.h"
#include "common/checks/screens/checks_screens.h"
#include "common/screens/casefolderscreen.h"
#include "common/services.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

namespace {

using card::command;
using card::edit;

CardExtra check(const char* name) { return {QLatin1String(name), QStringLiteral("Controlla"), QStringLiteral("controlla"), false}; }

const std::vector<QString>& enterChain() {
  static const std::vector<QString> chain = card::names({
      "txtOggetto", "txtTipologia", "txtProtocollo", "txtApertura", "txtChiusura", "txtStato", "txtDocumenti",
      "txtUffici", "txtConsulente", "txtCliente", "txtRecapito", "txtIndirizzoRes", "txtComuneRes", "txtProvRes",
      "txtCapRes", "txtCodFisc", "txtPartitaIva", "txtSaldati", "txtSospesi", "txtNote"});
  return chain;
}

const QString kFolderBeforeSave = QStringLiteral(
    "Attenzione: l'abbinamento di una cartella ad una pratica pu\u00F2 avvenire soltanto dopo che la scheda \u00E8 stata "
    "inserita in archivio.");

// Selecting nothing in a suggestion list as it takes the focus, keeping
// what is typed.
class ResetSelection : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::FocusIn)
      if (auto* c = qobject_cast<QComboBox*>(o)) {
        const QString text = c->currentText();
        c->setCurrentIndex(-1);
        c->setEditText(text);
      }
    return false;
  }
};

} // namespace

const CardDescription& TfrmPratica::describe() {
  static const CardDescription d{
      .screen = QStringLiteral("TfrmPratica"),
      .caption = QStringLiteral(" Velarion - Archivio Pratiche"),
      .archive = caseArchive(),
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Dati della pratica"), QStringLiteral("pratica"), 3,
                       {{edit("Oggetto", "Oggetto pratica:").spanning(3)},
                        {edit("Tipologia", "Tipologia:").spanning(2), edit("Protocollo", "Protocollo n.")},
                        {card::date("Apertura", "Data apertura:").beside({card::picture("impApertura", "oggi")}),
                         card::date("Chiusura", "Data chiusura:").beside({card::picture("impChiusura", "oggi")}),
                         card::combo("Stato", "Stato avanzamento:", caseStates())},
                        {edit("Documenti", "Documenti principali:")
                             .spanning(3)
                             .beside({card::button("btnElenco", "Elenco documenti associati a pratica", "elenco")})},
                        {edit("Uffici", "Uffici interessati:").spanning(3)},
                        {edit("Consulente", "Consulente o curatore:").spanning(2)}}},
                      {QStringLiteral("Dati del cliente"), QStringLiteral("cliente"), 3,
                       {{edit("Cliente", "Cliente:").spanning(2).beside({card::picture("impCliente", "importa")}),
                         edit("Recapito", "Recapito preferenziale:")},
                        {edit("IndirizzoRes", "Via / Piazza e numero civico:").spanning(2),
                         edit("ComuneRes", "Comune di residenza:")},
                        {card::combo("ProvRes", "Prov.", provinceCodes()).rule(Input::UpperTrimmed),
                         edit("CapRes", "CAP:")},
                        {edit("CodFisc", "Codice fiscale:").rule(Input::UpperTrimmed).beside({check("btnCodFisc")}),
                         edit("PartitaIva", "Partita IVA:").rule(Input::Digits).beside({check("btnPartitaIva")})}}},
                      {QStringLiteral("Pagamenti"), QStringLiteral("pagamenti"), 1,
                       {{edit("Saldati", "Pagamenti saldati:")}, {edit("Sospesi", "Pagamenti da effettuare:")}}},
                      {QStringLiteral("Note e urgenza"), QStringLiteral("note"), 2,
                       {{edit("Note", "Note:"), card::check("Urgente", "Pratica urgente")}}},
                  },
              .enterChains = {{enterChain()}},
              // the Enter chain with the document list button after the
              // documents and the urgent mark last
              .tabOrder = [] {
                std::vector<QString> order = enterChain();
                order.insert(order.begin() + 7, QStringLiteral("btnElenco"));
                order.push_back(QStringLiteral("chkUrgente"));
                return order;
              }(),
          },
      .behaviour = {.newDefaults = {FieldValue::todayIn("Apertura")}, .rules = &caseRules()},
      .commands = {
          command("cmdNuovo"), command("cmdSalva"),
          command("cmdTrova").opens(caseSearchList(), QStringLiteral("pratica")),
          command("cmdAllega", "Allega", "allega").attaches(QStringLiteral("pratica")),
          command("cmdCartella", "Cartella", "cartella"), command("cmdAnteprima"), command("cmdStampa"),
          command("cmdUrgente", "Urgenti", "urgente").opens(urgentList()),
          command("cmdExcel", "Esporta", "esporta").opens(caseExport()), command("cmdGuida"), command("cmdEsci")},
      .hints =
          {
              {QStringLiteral("cmdAllega"), card::hints::attach()},
              {QStringLiteral("cmdCartella"), QStringLiteral("Gestisci la cartella abbinata alla scheda corrente.")},
              {QStringLiteral("cmdUrgente"), QStringLiteral("Visualizza il riepilogo delle pratiche urgenti.")},
              {QStringLiteral("cmdExcel"), card::hints::exportCards()},
              {QStringLiteral("btnElenco"),
               QStringLiteral("Visualizza l'elenco dettagliato dei documenti associati alla pratica.")},
              {QStringLiteral("impCliente"), QStringLiteral("Importa i dati dall'archivio anagrafico dei Clienti.")},
              {QStringLiteral("impApertura"), QStringLiteral("Inserisci la data corrente.")},
              {QStringLiteral("impChiusura"), QStringLiteral("Inserisci la data corrente.")},
              {QStringLiteral("btnCodFisc"), QStringLiteral("Controlla il codice fiscale.")},
              {QStringLiteral("btnPartitaIva"), QStringLiteral("Controlla il numero di partita IVA.")},
              {QStringLiteral("chkUrgente"), QStringLiteral("Contrassegna la pratica come urgente.")},
          },
      .initialStatus = QStringLiteral("Pronto per stampare una nuova scheda..."),
      .help = HelpTopic::Pratiche,
      .printTitle = QStringLiteral("SCHEDA DETTAGLI PRATICA"),
      .printRows = &casePrintRows(),
  };
  return d;
}

TfrmPratica::TfrmPratica(QWidget* parent) : CardEditor(describe(), parent) {
  auto* reset = new ResetSelection(this);
  for (const char* name : {"txtProvRes", "txtStato"}) findChild<QComboBox*>(QLatin1String(name))->installEventFilter(reset);
  for (const char* name : {"Apertura", "Chiusura"}) {
    auto* date = findChild<QLineEdit*>(QStringLiteral("txt") + QLatin1String(name));
    on(QStringLiteral("imp") + QLatin1String(name), [date] { date->setText(services::todayText()); });
  }
  on(QStringLiteral("impCliente"), [this] { showClientSearch(this, QStringLiteral("pratica")); });
  on(QStringLiteral("btnElenco"), [this] { showCaseDocuments(this); });
  on(QStringLiteral("cmdCartella"), [this] {
    if (!position()) {
      services::warning(kFolderBeforeSave);
      return;
    }
    casefolder::showCaseFolder(this, *position());
  });
  bindCheckButtons(this);
}
