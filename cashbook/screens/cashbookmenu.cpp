#include "cashbookmenu.h"

#include "cashbookscreen.h"

#include "cashbook/cashbook.h"
#include "movements/movimento.h"

#include "common/screens/formcontrols.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmMenuBilancio::TfrmMenuBilancio(QWidget* parent) : QWidget(parent, Qt::Window) {
  screenkit::applyFormats();
  setObjectName(QStringLiteral("TfrmMenuBilancio"));
  setWindowTitle(QStringLiteral(" Velarion - Primanota e Bilancio"));
  setFixedSize(760, 440);

  QLabel* status = screenkit::makeStatusLine(this, QString());
  QFont strong = font();
  strong.setBold(true);

  txtAnno_ = screenkit::yearEdit(QStringLiteral("txtAnno"), this);
  // the years beside the two dates follow every change of the year
  connect(txtAnno_, &QLineEdit::textChanged, this, &TfrmMenuBilancio::refreshYear);
  screenkit::onFocusOut(txtAnno_, [this] { refreshYear(); });

  txtTipologia_ = new QLineEdit(this);
  txtTipologia_->setObjectName(QStringLiteral("txtTipologia"));
  txtTipologia_->setMaxLength(TRecMovimento().field(TRecMovimento().require("Causale")).width);

  txtGiornoInizio_ = pickList(QStringLiteral("txtGiornoInizio"), cashbook::days());
  txtMeseInizio_ = pickList(QStringLiteral("txtMeseInizio"), cashbook::months());
  txtGiornoFine_ = pickList(QStringLiteral("txtGiornoFine"), cashbook::days());
  txtMeseFine_ = pickList(QStringLiteral("txtMeseFine"), cashbook::months());

  lblAnnoInizio_ = new QLabel(QStringLiteral("ANNO"), this);
  lblAnnoInizio_->setObjectName(QStringLiteral("lblAnnoInizio"));
  lblAnnoFine_ = new QLabel(QStringLiteral("ANNO"), this);
  lblAnnoFine_->setObjectName(QStringLiteral("lblAnnoFine"));
  lblDataInizio_ = screenkit::hiddenLabel(QStringLiteral("lblDataInizio"), QString(), this);
  lblDataFine_ = screenkit::hiddenLabel(QStringLiteral("lblDataFine"), QString(), this);
  lblFile_ = screenkit::hiddenLabel(QStringLiteral("lblFile"), QStringLiteral("FilePath"), this);

  lblAttendere_ = new QLabel(QStringLiteral("Caricamento riepilogo in corso. Attendere..."), this);
  lblAttendere_->setObjectName(QStringLiteral("lblAttendere"));
  lblAttendere_->setStyleSheet(QStringLiteral("color:#B00000;font-weight:bold;"));
  lblAttendere_->hide();
  btnVisualizza_ = new QPushButton(QStringLiteral("Visualizza riepilogo"), this);
  btnVisualizza_->setObjectName(QStringLiteral("btnVisualizza"));
  btnVisualizza_->setAutoDefault(true);
  auto* btnEsci = new QPushButton(QStringLiteral("Esci"), this);
  btnEsci->setObjectName(QStringLiteral("btnEsci"));
  btnEsci->setMinimumWidth(100);
  connect(btnVisualizza_, &QPushButton::pressed, this, [this] {
    lblAttendere_->show();
    lblAttendere_->repaint();
  });
  connect(btnVisualizza_, &QPushButton::clicked, this, &TfrmMenuBilancio::visualizza);
  connect(btnEsci, &QPushButton::clicked, this, &QWidget::close);
  screenkit::pressOnKey(btnEsci, QKeySequence(Qt::Key_Escape));

  // Enter: year, reason, start day and month, end day and month, the button
  const std::vector<QWidget*> chain = {txtAnno_,       txtTipologia_, txtGiornoInizio_, txtMeseInizio_,
                                       txtGiornoFine_, txtMeseFine_,  btnVisualizza_};
  for (size_t i = 0; i + 1 < chain.size(); ++i) {
    QWidget* next = chain[i + 1];
    screenkit::onEnter(chain[i], [next] { next->setFocus(Qt::OtherFocusReason); });
  }

  screenkit::setHint(txtAnno_, status, screenkit::yearHint());
  screenkit::setHint(txtTipologia_, status, QStringLiteral("Indicare una causale oppure lasciare il campo in bianco."));
  screenkit::setHint(btnVisualizza_, status, QStringLiteral("Visualizza la primanota dell'intervallo indicato."));
  screenkit::setHint(btnEsci, status, QStringLiteral("Torna al menu principale."));

  // ---- layout ----
  auto* heading = new QLabel(QStringLiteral("Primanota e Bilancio"), this);
  QFont big = strong;
  big.setPointSizeF(big.pointSizeF() * 1.3);
  heading->setFont(big);

  auto* yearRow = new QGridLayout;
  yearRow->setHorizontalSpacing(8);
  yearRow->addWidget(new QLabel(QStringLiteral("Anno:"), this), 0, 0);
  yearRow->addWidget(txtAnno_, 0, 1, Qt::AlignLeft);
  yearRow->addWidget(new QLabel(QStringLiteral("Causale:"), this), 1, 0);
  yearRow->addWidget(txtTipologia_, 1, 1);
  yearRow->setColumnStretch(1, 1);

  auto dateBox = [&](const QString& title, QComboBox* day, QComboBox* month, QLabel* year) {
    auto* box = new QGroupBox(title, this);
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(10, 8, 10, 8);
    h->addWidget(new QLabel(QStringLiteral("Giorno:"), box));
    h->addWidget(day);
    h->addSpacing(8);
    h->addWidget(new QLabel(QStringLiteral("Mese:"), box));
    h->addWidget(month);
    h->addSpacing(8);
    year->setFont(strong);
    h->addWidget(year);
    h->addStretch(1);
    screenkit::clearHintOver(box, status);
    return box;
  };
  auto* dates = new QHBoxLayout;
  dates->setSpacing(12);
  dates->addWidget(dateBox(QStringLiteral(" Data inizio intervallo: "), txtGiornoInizio_, txtMeseInizio_, lblAnnoInizio_));
  dates->addWidget(dateBox(QStringLiteral(" Data fine intervallo: "), txtGiornoFine_, txtMeseFine_, lblAnnoFine_));

  auto* commands = new QHBoxLayout;
  commands->addWidget(lblAttendere_);
  commands->addStretch(1);
  commands->addWidget(btnVisualizza_);
  commands->addWidget(btnEsci);

  auto* v = new QVBoxLayout;
  v->setContentsMargins(18, 14, 18, 12);
  v->setSpacing(6);
  v->addWidget(heading);
  // one sentence written over two lines
  v->addWidget(screenkit::wrappedLabel(
      QStringLiteral("Questa applicazione consente di visualizzare lo storico dei movimenti in entrata e "
                     "in uscita con relativo bilancio in attivo o passivo indicando,") +
          QLatin1Char(' ') + QStringLiteral("all'occorrenza, una causale e specificando un intervallo di tempo."),
      this));
  v->addWidget(screenkit::wrappedLabel(
      QStringLiteral("Compilare i campi sottostanti e premere il pulsante Visualizza riepilogo."), this));
  v->addSpacing(8);
  v->addWidget(screenkit::wrappedLabel(QStringLiteral("Indicare l'anno solare di interesse e una causale."), this));
  v->addWidget(screenkit::wrappedLabel(
      QStringLiteral("Per ottenere lo storico di tutti i movimenti in entrata e in uscita, non indicare "
                     "nessuna causale."),
      this));
  v->addLayout(yearRow);
  v->addSpacing(8);
  v->addWidget(screenkit::wrappedLabel(
      QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da riepilogare."), this));
  v->addLayout(dates);
  v->addStretch(1);
  v->addLayout(commands);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(0, 0, 0, 0);
  all->setSpacing(0);
  all->addLayout(v, 1);
  all->addWidget(status);
  screenkit::clearHintOver(this, status);

  for (QWidget* field : {static_cast<QWidget*>(txtAnno_), static_cast<QWidget*>(txtTipologia_),
                         static_cast<QWidget*>(txtGiornoInizio_), static_cast<QWidget*>(txtMeseInizio_),
                         static_cast<QWidget*>(txtGiornoFine_), static_cast<QWidget*>(txtMeseFine_)})
    screenkit::addFocusFrame(field, QStringLiteral("eff") + field->objectName().mid(3));
}

QComboBox* TfrmMenuBilancio::pickList(const QString& name, const QStringList& items) {
  auto* combo = new QComboBox(this);
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(items);
  combo->setMaxVisibleItems(16);
  combo->setMinimumContentsLength(items.size() > 12 ? 3 : 10);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  // only a choice from the list: months are compared in any case
  formkinds::pickListKeys(combo, items.size() > 12 ? Qt::CaseSensitive : Qt::CaseInsensitive);
  return combo;
}

void TfrmMenuBilancio::refreshYear() {
  const QString year = fieldtext::trimmed(txtAnno_->text());
  lblAnnoInizio_->setText(year);
  lblAnnoFine_->setText(year);
}

void TfrmMenuBilancio::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  for (QComboBox* c : {txtGiornoInizio_, txtMeseInizio_, txtGiornoFine_, txtMeseFine_}) {
    c->setCurrentIndex(-1);
    c->clearEditText();
  }
  txtTipologia_->clear();
  txtAnno_->setText(services::clock().today().toString(QStringLiteral("yyyy")));
  refreshYear();
  lblAttendere_->hide();
  txtTipologia_->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuBilancio::visualizza() {
  using Field = cashbook::SelectionCheck::Field;
  const cashbook::SelectionCheck c = cashbook::check({txtAnno_->text(), txtGiornoInizio_->currentText(),
                                                      txtMeseInizio_->currentText(), txtGiornoFine_->currentText(),
                                                      txtMeseFine_->currentText()});
  if (!c.startText.isEmpty()) lblDataInizio_->setText(c.startText);
  if (!c.endText.isEmpty()) lblDataFine_->setText(c.endText);
  if (!c.ok()) {
    lblAttendere_->hide();
    services::messages().show(c.kind, c.message);
    QWidget* focus = c.focus == Field::Year         ? static_cast<QWidget*>(txtAnno_)
                     : c.focus == Field::StartDay   ? txtGiornoInizio_
                     : c.focus == Field::StartMonth ? txtMeseInizio_
                     : c.focus == Field::EndDay     ? txtGiornoFine_
                     : c.focus == Field::EndMonth   ? txtMeseFine_
                                                    : nullptr;
    if (focus) focus->setFocus(Qt::OtherFocusReason);
    return;
  }
  lblFile_->setText(movementArchive().yearPath(fieldtext::trimmed(txtAnno_->text())));
  lblAttendere_->show();
  lblAttendere_->repaint();
  cashbook::Book book = cashbook::build(lblFile_->text(), txtTipologia_->text(), c.from, c.to);
  if (!book.complete()) {
    lblAttendere_->hide();
    services::warning(cashbook::failureMessage(book));
    return;
  }
  TfrmBilancio result(std::move(book), txtTipologia_->text(), c.from, c.to, this);
  result.exec();
  lblAttendere_->hide();
}

void TfrmMenuBilancio::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  screenkit::ScreenSet::show(QStringLiteral("TfrmAvvio"), this);
}
