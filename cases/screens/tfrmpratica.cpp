#include "tfrmpratica.h"

#include "cases/pratica.h"
#include "cases/screens/tfrmdettagli.h"
#include "clients/cliente.h"
#include "app/help/screens/helpscreens.h"
#include "cases/screens/caselists_screens.h"
#include "clients/screens/checks_screens.h"
#include "clients/screens/clientlists_screens.h"
#include "common/screens/allegacartella.h"
#include "common/screens/cartella.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

namespace {

using I = CardItem;

CardItem edit(std::string_view f, const char* caption, int span = 1, std::vector<CardExtra> extras = {}) {
  return CardItem{f, QString::fromUtf8(caption), I::Edit, span, {}, std::move(extras)};
}
CardExtra picture(const char* name, const char* icon) { return CardExtra{QLatin1String(name), QString(), QLatin1String(icon)}; }
CardExtra button(const char* name, const char* text, const char* icon) {
  return CardExtra{QLatin1String(name), QString::fromUtf8(text), QLatin1String(icon)};
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
      QStringLiteral("TfrmPratica"),
      QStringLiteral(" Velarion - Archivio Pratiche"),
      &TRecPratica(),
      QLatin1String("Pratiche.pro"),
      {
          {QStringLiteral("Dati della pratica"), QStringLiteral("pratica"), 3,
           {{edit("Oggetto", "Oggetto pratica:", 3)},
            {edit("Tipologia", "Tipologia:", 2), edit("Protocollo", "Protocollo n.")},
            {edit("Apertura", "Data apertura:", 1, {picture("impApertura", "oggi")}),
             edit("Chiusura", "Data chiusura:", 1, {picture("impChiusura", "oggi")}),
             CardItem{"Stato", QStringLiteral("Stato avanzamento:"), I::Combo, 1, caseStates(), {}}},
            {edit("Documenti", "Documenti principali:", 3, {button("btnElenco", "Elenco documenti associati a pratica", "elenco")})},
            {edit("Uffici", "Uffici interessati:", 3)},
            {edit("Consulente", "Consulente o curatore:", 2)}}},
          {QStringLiteral("Dati del cliente"), QStringLiteral("cliente"), 3,
           {{edit("Cliente", "Cliente:", 2, {picture("impCliente", "importa")}),
             edit("Recapito", "Recapito preferenziale:")},
            {edit("IndirizzoRes", "Via / Piazza e numero civico:", 2), edit("ComuneRes", "Comune di residenza:")},
            {CardItem{"ProvRes", QStringLiteral("Prov."), I::Combo, 1, provinceCodes(), {}}, edit("CapRes", "CAP:")},
            {edit("CodFisc", "Codice fiscale:", 1, {button("btnCodFisc", "Controlla", "controlla")}),
             edit("PartitaIva", "Partita IVA:", 1, {button("btnPartitaIva", "Controlla", "controlla")})}}},
          {QStringLiteral("Pagamenti"), QStringLiteral("pagamenti"), 1,
           {{edit("Saldati", "Pagamenti saldati:")}, {edit("Sospesi", "Pagamenti da effettuare:")}}},
          {QStringLiteral("Note e urgenza"), QStringLiteral("note"), 2,
           {{edit("Note", "Note:"), CardItem{"Urgente", QStringLiteral("Pratica urgente"), I::Check}}}},
      },
      {
          {QStringLiteral("cmdNuovo"), QStringLiteral("Nuovo"), QStringLiteral("nuovo")},
          {QStringLiteral("cmdSalva"), QStringLiteral("Salva"), QStringLiteral("salva")},
          {QStringLiteral("cmdTrova"), QStringLiteral("Trova"), QStringLiteral("trova")},
          {QStringLiteral("cmdAllega"), QStringLiteral("Allega"), QStringLiteral("allega")},
          {QStringLiteral("cmdCartella"), QStringLiteral("Cartella"), QStringLiteral("cartella")},
          {QStringLiteral("cmdAnteprima"), QStringLiteral("Anteprima"), QStringLiteral("anteprima")},
          {QStringLiteral("cmdStampa"), QStringLiteral("Stampa"), QStringLiteral("stampa")},
          {QStringLiteral("cmdUrgente"), QStringLiteral("Urgenti"), QStringLiteral("urgente")},
          {QStringLiteral("cmdExcel"), QStringLiteral("Esporta"), QStringLiteral("esporta")},
          {QStringLiteral("cmdGuida"), QStringLiteral("Guida"), QStringLiteral("guida")},
          {QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QStringLiteral("esci")},
      },
      {
          {QStringLiteral("cmdAllega"), QStringLiteral("Allega file alla scheda corrente.")},
          {QStringLiteral("cmdCartella"), QStringLiteral("Gestisci la cartella abbinata alla scheda corrente.")},
          {QStringLiteral("cmdUrgente"), QStringLiteral("Visualizza il riepilogo delle pratiche urgenti.")},
          {QStringLiteral("cmdExcel"), QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")},
          {QStringLiteral("btnElenco"), QStringLiteral("Visualizza l'elenco dettagliato dei documenti associati alla pratica.")},
          {QStringLiteral("impCliente"), QStringLiteral("Importa i dati dall'archivio anagrafico dei Clienti.")},
          {QStringLiteral("impApertura"), QStringLiteral("Inserisci la data corrente.")},
          {QStringLiteral("impChiusura"), QStringLiteral("Inserisci la data corrente.")},
          {QStringLiteral("btnCodFisc"), QStringLiteral("Controlla il codice fiscale.")},
          {QStringLiteral("btnPartitaIva"), QStringLiteral("Controlla il numero di partita IVA.")},
          {QStringLiteral("chkUrgente"), QStringLiteral("Contrassegna la pratica come urgente.")},
      },
      {
          {"Oggetto", QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare l'oggetto della pratica.")},
          {"Protocollo",
           QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il numero di protocollo della pratica.")},
          {"Apertura",
           QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare la data di apertura della pratica.")},
          {"Cliente", QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il nome del Cliente.")},
      },
      {QStringLiteral("txtOggetto"), QStringLiteral("txtTipologia"), QStringLiteral("txtProtocollo"),
       QStringLiteral("txtApertura"), QStringLiteral("txtChiusura"), QStringLiteral("txtStato"),
       QStringLiteral("txtDocumenti"), QStringLiteral("txtUffici"), QStringLiteral("txtConsulente"),
       QStringLiteral("txtCliente"), QStringLiteral("txtRecapito"), QStringLiteral("txtIndirizzoRes"),
       QStringLiteral("txtComuneRes"), QStringLiteral("txtProvRes"), QStringLiteral("txtCapRes"),
       QStringLiteral("txtCodFisc"), QStringLiteral("txtPartitaIva"), QStringLiteral("txtSaldati"),
       QStringLiteral("txtSospesi"), QStringLiteral("txtNote")},
      QStringLiteral("Pronto per stampare una nuova scheda..."),
      QStringLiteral("SCHEDA DETTAGLI PRATICA"),
      &casePrintRows(),
  };
  return d;
}

TfrmPratica::TfrmPratica(QWidget* parent) : CardEditor(describe(), parent) {
  on(QStringLiteral("cmdGuida"), [this] { showHelp(this, HelpTopic::Pratiche); });
  screenkit::keepUpper(findChild<QLineEdit*>(QStringLiteral("txtCodFisc")), true);
  auto* prov = findChild<QComboBox*>(QStringLiteral("txtProvRes"));
  screenkit::keepUpper(prov, true);
  screenkit::digitsOnly(findChild<QLineEdit*>(QStringLiteral("txtPartitaIva")));
  auto* reset = new ResetSelection(this);
  prov->installEventFilter(reset);
  findChild<QComboBox*>(QStringLiteral("txtStato"))->installEventFilter(reset);

  // Tab follows the Enter chain, with the document list button after the
  // documents and the urgent mark last; the check buttons are clicked only.
  for (const char* name : {"btnCodFisc", "btnPartitaIva"})
    findChild<QWidget*>(QLatin1String(name))->setFocusPolicy(Qt::ClickFocus);
  QWidget* previous = nullptr;
  for (const char* name : {"txtOggetto", "txtTipologia", "txtProtocollo", "txtApertura", "txtChiusura", "txtStato",
                           "txtDocumenti", "btnElenco", "txtUffici", "txtConsulente", "txtCliente", "txtRecapito",
                           "txtIndirizzoRes", "txtComuneRes", "txtProvRes", "txtCapRes", "txtCodFisc", "txtPartitaIva",
                           "txtSaldati", "txtSospesi", "txtNote", "chkUrgente"}) {
    QWidget* next = findChild<QWidget*>(QLatin1String(name));
    if (previous) QWidget::setTabOrder(previous, next);
    previous = next;
  }

  for (const char* name : {"Apertura", "Chiusura"}) {
    auto* date = findChild<QLineEdit*>(QStringLiteral("txt") + QLatin1String(name));
    on(QStringLiteral("imp") + QLatin1String(name), [date] { date->setText(services::todayText()); });
  }
  on(QStringLiteral("cmdTrova"), [this] { showCaseSearch(this, QStringLiteral("pratica")); });
  on(QStringLiteral("cmdUrgente"), [this] { showUrgentCases(this); });
  on(QStringLiteral("cmdExcel"), [this] { showCaseExport(this); });
  on(QStringLiteral("impCliente"), [this] { showClientSearch(this, QStringLiteral("pratica")); });
  on(QStringLiteral("btnElenco"), [this] { showCaseDocuments(this); });
  on(QStringLiteral("cmdAllega"), [this] { attachscreen::showAttachments(this, QStringLiteral("pratica")); });
  on(QStringLiteral("cmdCartella"), [this] {
    if (!position()) {
      services::warning(kFolderBeforeSave);
      return;
    }
    casefolder::showCaseFolder(this, *position());
  });
  bindCheckButtons(this);
}

void TfrmPratica::afterNew() { findChild<QLineEdit*>(QStringLiteral("txtApertura"))->setText(services::todayText()); }
