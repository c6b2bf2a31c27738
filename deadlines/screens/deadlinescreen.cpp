#include "deadlinescreen.h"

#include "alarmsound.h"
#include "calendarexport.h"
#include "startpanel.h"

#include "archive/paths.h"
#include "common/checks/screens/checks_screens.h"
#include "common/modules.h"
#include "common/screens/screenkit.h"
#include "deadlines/scadenza.h"

#include <QCloseEvent>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmScadenzario::TfrmScadenzario(QWidget* parent) : QWidget(parent) {
  screenkit::applyFormats();
  setObjectName(describe().screen);
  setWindowState(Qt::WindowMaximized);
  setStyleSheet(QStringLiteral("QFrame[riquadro=\"true\"]{background:#f7f9fc;border:1px solid #c3cedb;"
                               "border-radius:6px;}"));
  lblFile_ = screenkit::hiddenLabel(QStringLiteral("lblFile"), {}, this);
  panInfo_ = screenkit::makeStatusLine(this, QString());
  start_ = new DeadlineStartPanel(this, panInfo_, [this](const QString& year) { openYear(year); });
  card_ = new CardPanel(describe(), this, panInfo_); // last: its hints and keys cover the start panel too
  card_->setObjectName(QStringLiteral("panContainer"));
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 4);
  outer->setSpacing(4);
  for (QWidget* w : {static_cast<QWidget*>(start_), static_cast<QWidget*>(card_)}) outer->addWidget(w, 1);
  outer->addWidget(panInfo_);
  screenkit::clearHintOver(this, panInfo_);
  showStartPanel(describe().caption);

  // `Data` and `Ora` are composed at every save: the hidden labels show what was written
  navigator()->after(CardAction::Save, [form = form()] {
    form->set("Ora", deadline::composeTime(form->text("OreApp"), form->text("MinutiApp")));
    form->set("Data", deadline::composeDate(form->text("Giorno"), form->text("Mese"), form->text("Anno")));
  });
  card_->on(QStringLiteral("btnCodFisc"), [this] { showTaxCodeFieldCheck(this, form()->text("CodFisc")); });
  card_->on(QStringLiteral("cmdEsportaCalendario"), [this] { calendarexport::run(lblFile_->text(), form()->text("Anno")); });
  screenkit::ScreenSet::add(this);
}

TfrmScadenzario::~TfrmScadenzario() {
  alarmsound::sound().stop();
  screenkit::ScreenSet::remove(this);
}

void TfrmScadenzario::showStartPanel(const QString& caption) {
  setWindowTitle(caption);
  card_->hide();
  start_->show();
  panInfo_->clear();
}

void TfrmScadenzario::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  showStartPanel(describe().caption);
  start_->enter();
}

void TfrmScadenzario::openYear(const QString& year) {
  lblFile_->setText(paths::yearly(year, deadlineArchive().extension));
  form()->set("Anno", year);
  setWindowTitle(QStringLiteral(" Velarion - Scadenze e appuntamenti anno ") + year);
  start_->hide();
  card_->show();
  panInfo_->setText(describe().initialStatus);
  navigator()->newCard();
}

void TfrmScadenzario::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  showStartPanel(QStringLiteral(" Velarion - Scadenze e appuntamenti"));
  alarmsound::sound().stop();
  screenkit::ScreenSet::show(modules::mainMenu(), this);
}
