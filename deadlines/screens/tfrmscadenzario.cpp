#include "tfrmscadenzario.h"

#include "alarmsound.h"
#include "deadlinelists_screens.h"

#include "archive/archivio.h"
#include "archive/paths.h"
#include "cases/screens/caselists_screens.h"
#include "common/checks/screens/checks_screens.h"
#include "common/dates.h"
#include "common/help.h"
#include "common/money.h"
#include "common/reports.h"
#include "common/screens/cardeditor.h"
#include "common/screens/cardnavigator.h"
#include "common/screens/clickable.h"
#include "common/screens/recordform.h"
#include "common/screens/screenkit.h"
#include "common/services.h"
#include "deadlines/reminders.h"
#include "deadlines/scadenza.h"
#include "engines/screens/reportoutput.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

static void loadDeadlinePictures() { Q_INIT_RESOURCE(deadlines_pictures); }

namespace {

using card::command;
using card::edit;
using card::pickList;

const QString kCaptionShown = QStringLiteral(" Velarion - Scadenze e Appuntamenti");
const QString kCaptionYear = QStringLiteral(" Velarion - Scadenze e appuntamenti anno ");
const QString kCaptionLeft = QStringLiteral(" Velarion - Scadenze e appuntamenti");

QPixmap picture(const char* name, QSize size) {
  return screenkit::picture(QStringLiteral(":/deadlines/pictures/") + QLatin1String(name) + QStringLiteral(".svg"),
                            size);
}

// The panels of the start panel: light, with a rounded border, as the
// sections of the cards.
QFrame* panel(QWidget* parent) {
  auto* f = new QFrame(parent);
  f->setProperty("riquadro", true);
  return f;
}

QLabel* heading(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  l->setStyleSheet(QStringLiteral("color:#1f4f8f;"));
  l->setWordWrap(true);
  return l;
}

} // namespace

const CardDescription& TfrmScadenzario::describe() {
  static const CardDescription d{
      .screen = QStringLiteral("TfrmScadenzario"),
      .caption = kCaptionShown,
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
              .tabOrder = card::names({"txtGiorno", "txtMese", "txtOreApp", "txtMinutiApp", "txtAvviso", "txtCliente",
                                       "txtCodFisc", "txtRecapito", "txtOggetto", "txtTipologia", "txtProtocollo",
                                       "txtApertura", "txtChiusura", "txtStato", "txtConsulente", "txtDettagli",
                                       "txtOfficina", "txtCosto", "txtContatto", "chkDaConfermare", "txtNote",
                                       "chkEffettuata"}),
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
      .commands = {command("cmdNuovo"), command("cmdSalva"), command("cmdDuplica"), command("cmdTrova"),
                   command("cmdImporta", "Importa", "importa"), command("cmdStampa"),
                   command("cmdDaConfermare", "Da confermare", "appuntamenti"),
                   command("cmdDaEffettuare", "Da pagare", "pagamenti"),
                   command("cmdEffettuate", "Pagati", "pagati"), command("cmdEsporta"), command("cmdGuida"),
                   command("cmdEsci")},
      .hints =
          {
              {QStringLiteral("cmdImporta"), QStringLiteral("Importa i dati dall'archivio delle pratiche.")},
              {QStringLiteral("cmdDaConfermare"),
               QStringLiteral("Visualizza l'elenco degli appuntamenti in attesa di conferma.")},
              {QStringLiteral("cmdDaEffettuare"),
               QStringLiteral("Visualizza il riepilogo dei pagamenti da effettuare, sia scaduti che non.")},
              {QStringLiteral("cmdEffettuate"), QStringLiteral("Visualizza il riepilogo storico dei pagamenti effettuati.")},
              {QStringLiteral("cmdEsporta"), card::hints::exportCards()},
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

TfrmScadenzario::TfrmScadenzario(QWidget* parent) : QWidget(parent) {
  loadDeadlinePictures();
  screenkit::applyFormats();
  const CardDescription& d = describe();
  setObjectName(d.screen);
  setWindowTitle(d.caption);
  setWindowState(Qt::WindowMaximized);
  setStyleSheet(QStringLiteral("QFrame[riquadro=\"true\"]{background:#f7f9fc;border:1px solid #c3cedb;"
                               "border-radius:6px;}"));

  lblFile_ = screenkit::hiddenLabel(QStringLiteral("lblFile"), {}, this);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 4);
  outer->setSpacing(4);
  panInfo_ = screenkit::makeStatusLine(this, QString());
  outer->addWidget(buildStart(), 1);
  outer->addWidget(buildCard(), 1);
  outer->addWidget(panInfo_);
  panContainer_->hide();
  screenkit::clearHintOver(this, panInfo_);

  screenkit::ScreenSet::add(this);
}

TfrmScadenzario::~TfrmScadenzario() {
  alarmsound::sound().stop();
  screenkit::ScreenSet::remove(this);
}

QWidget* TfrmScadenzario::buildStart() {
  panAvvio_ = new QWidget(this);
  panAvvio_->setObjectName(QStringLiteral("panAvvio"));
  screenkit::clearHintOver(panAvvio_, panInfo_);

  // the heading: the application's picture and name, help and exit
  auto* head = new QHBoxLayout;
  auto* logo = new QLabel(panAvvio_);
  logo->setPixmap(picture("scadenzario", QSize(64, 64)));
  auto* title = new QLabel(QStringLiteral("Scadenze e Appuntamenti"), panAvvio_);
  QFont big = title->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.8);
  title->setFont(big);
  title->setStyleSheet(QStringLiteral("color:#1f4f8f;"));
  auto* guida = new screenkit::Picture(QStringLiteral("imgGuida"), QStringLiteral("Guida"), QStringLiteral("guida"),
                                       panAvvio_);
  auto* esci =
      new screenkit::Picture(QStringLiteral("imgEsci"), QStringLiteral("Esci"), QStringLiteral("esci"), panAvvio_);
  connect(guida, &screenkit::Picture::clicked, this, [this] { help::show(this, HelpTopic::Scadenzario); });
  connect(esci, &screenkit::Picture::clicked, this, &QWidget::close);
  head->addWidget(logo);
  head->addSpacing(10);
  head->addWidget(title, 1);
  head->addWidget(guida);
  head->addWidget(esci);

  // the year to open
  QFrame* year = panel(panAvvio_);
  auto* yv = new QVBoxLayout(year);
  yv->setContentsMargins(16, 12, 16, 14);
  yv->setSpacing(10);
  yv->addWidget(heading(QStringLiteral("Accedi all'archivio annuale per inserire o modificare le scadenze."), year));
  auto* yearRow = new QHBoxLayout;
  txtAnno_ = screenkit::yearEdit(QStringLiteral("txtAnno"), year);
  screenkit::addFocusFrame(txtAnno_, QStringLiteral("effAnno"), year);
  btnApri_ = new QPushButton(QStringLiteral("Apri"), year);
  btnApri_->setObjectName(QStringLiteral("btnApri"));
  btnApri_->setAutoDefault(true); // Enter on it opens the year
  connect(btnApri_, &QPushButton::clicked, this, &TfrmScadenzario::apri);
  screenkit::onEnter(txtAnno_, [this] { btnApri_->setFocus(Qt::OtherFocusReason); });
  yearRow->addWidget(new QLabel(QStringLiteral("Anno:"), year));
  yearRow->addWidget(txtAnno_);
  yearRow->addSpacing(8);
  yearRow->addWidget(btnApri_);
  yearRow->addStretch(1);
  yv->addLayout(yearRow);
  yv->addWidget(new QLabel(QStringLiteral("Indicare l'anno solare e premere Apri."), year));

  // the banner of imminent deadlines
  QFrame* banner = panel(panAvvio_);
  auto* bv = new QVBoxLayout(banner);
  bv->setContentsMargins(16, 12, 16, 14);
  bv->setSpacing(10);
  bv->addWidget(heading(QStringLiteral("Visualizza le scadenze imminenti."), banner));
  const QSize bannerSize(360, 76);
  imgPresenti_ = new QLabel(banner);
  imgPresenti_->setObjectName(QStringLiteral("imgPresenti"));
  imgPresenti_->setPixmap(picture("presenti", bannerSize));
  imgPresenti_->setAccessibleName(QStringLiteral("Ci sono scadenze"));
  imgAssenti_ = new QLabel(banner);
  imgAssenti_->setObjectName(QStringLiteral("imgAssenti"));
  imgAssenti_->setPixmap(picture("assenti", bannerSize));
  imgAssenti_->setAccessibleName(QStringLiteral("Non ci sono scadenze"));
  imgPresenti_->hide();
  bv->addWidget(imgPresenti_, 0, Qt::AlignLeft);
  bv->addWidget(imgAssenti_, 0, Qt::AlignLeft);
  auto* okRow = new QHBoxLayout;
  okRow->addWidget(new QLabel(QStringLiteral("Premere OK per ottenere l'elenco delle scadenze."), banner));
  btnOK_ = new QPushButton(QStringLiteral("OK"), banner);
  btnOK_->setObjectName(QStringLiteral("btnOK"));
  btnOK_->setEnabled(false);
  connect(btnOK_, &QPushButton::clicked, this, [this] { showImminentDeadlines(this); });
  okRow->addSpacing(8);
  okRow->addWidget(btnOK_);
  okRow->addStretch(1);
  bv->addLayout(okRow);

  // the calendar and its two lists
  QFrame* days = panel(panAvvio_);
  auto* dv = new QVBoxLayout(days);
  dv->setContentsMargins(16, 12, 16, 14);
  dv->setSpacing(10);
  calendar_ = new QCalendarWidget(days);
  calendar_->setObjectName(QStringLiteral("calAppuntamenti"));
  calendar_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
  calendar_->setSelectedDate(services::clock().today());
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setMinimumSize(360, 240);
  dv->addWidget(calendar_, 1);
  auto* lists = new QHBoxLayout;
  auto* giorno = new screenkit::Picture(QStringLiteral("btnGiorno"), picture("giorno", QSize(206, 44)), days);
  auto* mese = new screenkit::Picture(QStringLiteral("btnMese"), picture("mese", QSize(206, 44)), days);
  giorno->setAccessibleName(QStringLiteral("SCADENZE DEL GIORNO"));
  mese->setAccessibleName(QStringLiteral("SCADENZE DEL MESE"));
  connect(giorno, &screenkit::Picture::clicked, this, [this] { showDeadlinesOfDay(this, calendarDate()); });
  connect(mese, &screenkit::Picture::clicked, this, [this] { showDeadlinesOfMonth(this, calendarDate()); });
  lists->addStretch(1);
  lists->addWidget(giorno);
  lists->addSpacing(10);
  lists->addWidget(mese);
  lists->addStretch(1);
  dv->addLayout(lists);

  auto* left = new QVBoxLayout;
  left->setSpacing(12);
  left->addWidget(year);
  left->addWidget(banner);
  left->addStretch(1);
  auto* body = new QHBoxLayout;
  body->setSpacing(14);
  body->addLayout(left, 1);
  body->addWidget(days, 1);

  auto* content = new QVBoxLayout;
  content->setSpacing(14);
  content->addStretch(1);
  content->addLayout(head);
  content->addLayout(body);
  content->addStretch(2);
  // the panel keeps a reading width on wide screens
  auto* centred = new QHBoxLayout(panAvvio_);
  centred->setContentsMargins(18, 12, 18, 12);
  auto* holder = new QWidget(panAvvio_);
  holder->setMaximumWidth(1100);
  holder->setLayout(content);
  centred->addStretch(0);
  centred->addWidget(holder, 1);
  centred->addStretch(0);
  for (QWidget* bg : {static_cast<QWidget*>(holder), static_cast<QWidget*>(year), static_cast<QWidget*>(banner),
                      static_cast<QWidget*>(days)})
    screenkit::clearHintOver(bg, panInfo_);
  return panAvvio_;
}

QWidget* TfrmScadenzario::buildCard() {
  const CardDescription& d = describe();
  panContainer_ = new QWidget(this);
  panContainer_->setObjectName(QStringLiteral("panContainer"));
  auto* body = new QHBoxLayout(panContainer_);
  body->setContentsMargins(0, 0, 0, 0);

  auto* scroll = new QScrollArea(panContainer_);
  scroll->setObjectName(QStringLiteral("panSchede"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  form_ = new RecordForm(d.form, *d.archive.layout);
  scroll->setWidget(form_);
  body->addWidget(scroll, 1);
  auto* bar = new NavigationBar;
  body->addWidget(makeCommandColumn(panContainer_, d.commands, bar), 0);

  navigator_ = new CardNavigator(form_, d.archive, d.behaviour, bar->positionLabel(), this);
  navigator_->setYearlyFile([this] { return lblFile_->text(); });
  bar->connectTo(navigator_);
  // `Data` and `Ora` are composed at every save: the hidden labels show what
  // was written
  navigator_->after(CardAction::Save, [this] {
    form_->set("Ora", deadline::composeTime(form_->text("OreApp"), form_->text("MinutiApp")));
    form_->set("Data", deadline::composeDate(form_->text("Giorno"), form_->text("Mese"), form_->text("Anno")));
  });

  setCardHints(this, d, form_, panInfo_);
  for (QWidget* bg : {static_cast<QWidget*>(panContainer_), findChild<QWidget*>(QStringLiteral("panComandi")),
                      static_cast<QWidget*>(bar), static_cast<QWidget*>(bar->positionLabel())})
    screenkit::clearHintOver(bg, panInfo_);

  on(QStringLiteral("cmdNuovo"), [this] { navigator_->newCard(); });
  on(QStringLiteral("cmdSalva"), [this] { navigator_->save(); });
  on(QStringLiteral("cmdDuplica"), [this] { navigator_->duplicate(); });
  on(QStringLiteral("cmdTrova"), [this] { showDeadlineSearch(this, QStringLiteral("Scadenzario")); });
  on(QStringLiteral("cmdImporta"), [this] { showCaseSearch(this, QStringLiteral("scadenzario")); });
  on(QStringLiteral("cmdDaConfermare"), [this] { showAppointmentsToConfirm(this); });
  on(QStringLiteral("cmdDaEffettuare"), [this] { showPaymentsToMake(this); });
  on(QStringLiteral("cmdEffettuate"), [this] { showPaymentsMade(this); });
  on(QStringLiteral("cmdEsporta"), [this] { showDeadlineExport(this); });
  on(QStringLiteral("cmdStampa"), [this] { stampa(); });
  on(QStringLiteral("cmdGuida"), [this] { help::show(this, HelpTopic::Scadenzario); });
  on(QStringLiteral("cmdEsci"), [this] { close(); });
  on(QStringLiteral("btnCodFisc"), [this] { showTaxCodeFieldCheck(this, form_->text("CodFisc")); });
  return panContainer_;
}

void TfrmScadenzario::on(const QString& control, std::function<void()> handler) {
  QWidget* w = findChild<QWidget*>(control);
  if (!w) return;
  w->setEnabled(true);
  handlers_.insert(control, std::move(handler));
  clickable::onClick(w, this, [this, control] { handlers_.value(control)(); });
}

QString TfrmScadenzario::archivePath() const { return navigator_->archivePath(); }

QDate TfrmScadenzario::calendarDate() const { return calendar_->selectedDate(); }

void TfrmScadenzario::showStartPanel() {
  panContainer_->hide();
  panAvvio_->show();
  panInfo_->clear();
}

void TfrmScadenzario::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  setWindowTitle(kCaptionShown);
  showStartPanel();
  txtAnno_->setText(deadline::yearText(services::clock().today().year()));
  txtAnno_->setFocus(Qt::OtherFocusReason);
  checkReminders();
}

void TfrmScadenzario::checkReminders() {
  // the banner says only what this check finds
  imgPresenti_->hide();
  imgAssenti_->show();
  btnOK_->setEnabled(false);
  const reminders::Check found = reminders::check(services::clock().today());
  if (found.imminent > 0) {
    imgAssenti_->hide();
    imgPresenti_->show();
    btnOK_->setEnabled(true);
    alarmsound::sound().play(alarmsound::alarmFile());
  }
  if (found.failed) services::error(archiveAccessMessage());
}

void TfrmScadenzario::apri() {
  const QString year = txtAnno_->text();
  if (!dates::isYearText(year)) {
    services::warning(QString::fromUtf8(dates::kYearWarning));
    txtAnno_->setFocus(Qt::OtherFocusReason);
    return;
  }
  lblFile_->setText(paths::yearly(year, deadlineArchive().extension));
  form_->set("Anno", year);
  setWindowTitle(kCaptionYear + year);
  panAvvio_->hide();
  panContainer_->show();
  panInfo_->setText(describe().initialStatus);
  navigator_->newCard();
}

void TfrmScadenzario::stampa() {
  const CardDescription& d = describe();
  report::output().print(report::card(d.printTitle, expandRows(*d.printRows, form_->record()), report::printedAtText()),
                         this);
}

void TfrmScadenzario::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  setWindowTitle(kCaptionLeft);
  showStartPanel();
  alarmsound::sound().stop();
  screenkit::ScreenSet::show(QStringLiteral("TfrmAvvio"), this);
}
