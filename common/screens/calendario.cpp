#include "calendario.h"

#include "common/dates.h"
#include "common/screens/clickable.h"
#include "common/screens/screenkit.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace calendar {

const std::vector<CallerTag>& callerTags() {
  static const std::vector<CallerTag> tags{
      {"datapro", "TfrmAltri", "txtDataPro"},
      {"datades", "TfrmAltri", "txtDataDes"},
      {"referti_datainizio", "TfrmReferti", "txtDataInizio"},
      {"referti_datascade", "TfrmReferti", "txtDataScade"},
      {"datareg", "TfrmProtocollo", "txtDataReg"},
      {"movimenti_data", "TfrmMovimenti", "txtData"},
      {"movimenti_scadenza", "TfrmMovimenti", "txtDataSca"},
  };
  return tags;
}

QLineEdit* fieldForTag(const QString& tag) {
  for (const CallerTag& t : callerTags())
    if (tag == QLatin1String(t.tag))
      return screenkit::control<QLineEdit>(screenkit::ScreenSet::find(QLatin1String(t.screen)), QLatin1String(t.field));
  return nullptr;
}

} // namespace calendar

TfrmCalendario::TfrmCalendario(QWidget* parent) : QDialog(parent) {
  screenkit::applyFormats();
  setObjectName(QStringLiteral("TfrmCalendario"));
  setWindowTitle(QStringLiteral(" Importazione data"));
  setModal(true);

  auto* caption = new QLabel(QStringLiteral("Importare una data:"), this);
  caption->setObjectName(QStringLiteral("lblImporta"));

  cal_ = new QCalendarWidget(this);
  cal_->setObjectName(QStringLiteral("calAppuntamenti"));
  cal_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
  cal_->setFirstDayOfWeek(Qt::Monday);
  cal_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  cal_->setGridVisible(true);

  memory_ = screenkit::hiddenLabel(QStringLiteral("lblMemory"), {}, this);

  auto* importa = new QPushButton(QStringLiteral("Importa"), this);
  importa->setObjectName(QStringLiteral("btnImportaData"));
  importa->setAutoDefault(false);
  auto* annulla = new QPushButton(QStringLiteral("Annulla"), this);
  annulla->setObjectName(QStringLiteral("btnAnnulla"));
  annulla->setAutoDefault(false);
  connect(importa, &QPushButton::clicked, this, &TfrmCalendario::importa);
  // a double-click or Enter on a day imports it as the button does
  connect(cal_, &QCalendarWidget::activated, this, &TfrmCalendario::importa);
  connect(annulla, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(importa);
  buttons->addWidget(annulla);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(cal_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setSelectedDate(dates::today());
  cal_->setFocus();
}

void TfrmCalendario::setCallerTag(const QString& tag) { memory_->setText(tag); }
QString TfrmCalendario::callerTag() const { return memory_->text(); }
void TfrmCalendario::setTarget(QLineEdit* field) { target_ = field; }
QDate TfrmCalendario::selectedDate() const { return cal_->selectedDate(); }

void TfrmCalendario::setSelectedDate(QDate day) {
  cal_->setSelectedDate(day);
  cal_->setCurrentPage(day.year(), day.month());
}

void TfrmCalendario::importa() {
  QLineEdit* field = target_ ? target_.data() : calendar::fieldForTag(callerTag().trimmed());
  if (field) field->setText(dates::format(selectedDate()));
  accept();
}

void TfrmCalendario::showEvent(QShowEvent* e) {
  // always starts on today, whatever the field holds
  setSelectedDate(dates::today());
  cal_->setFocus();
  QDialog::showEvent(e);
}

namespace calendar {

bool importInto(QLineEdit* field, const QString& callerTag) {
  if (!field) return false;
  bool imported = false;
  {
    TfrmCalendario screen(field->window());
    screen.setCallerTag(callerTag);
    screen.setTarget(field);
    imported = screen.exec() == QDialog::Accepted;
  }
  field->setFocus(Qt::OtherFocusReason);
  return imported;
}

bool importForTag(const QString& callerTag) { return importInto(fieldForTag(callerTag), callerTag); }

namespace {

bool opensCalendar(int key) {
  switch (key) {
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
  case Qt::Key_Shift:
  case Qt::Key_Control:
  case Qt::Key_Alt:
  case Qt::Key_AltGr:
  case Qt::Key_Meta:
  case Qt::Key_CapsLock:
  case Qt::Key_NumLock:
  case Qt::Key_Escape: return false; // Esc belongs to the screen
  default: return true;
  }
}

class ImportFilter : public QObject {
public:
  ImportFilter(QLineEdit* field, QString tag) : QObject(field), field_(field), tag_(std::move(tag)) {
    field->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
      field_->clear();
      return true;
    }
    if (!opensCalendar(key)) return false;
    importInto(field_, tag_);
    return true;
  }

private:
  QLineEdit* field_;
  QString tag_;
};

} // namespace

void makeImportField(QLineEdit* field, const QString& callerTag, QLabel* statusLine) {
  field->setReadOnly(true);
  new ImportFilter(field, callerTag);
  if (statusLine) screenkit::setHint(field, statusLine, QString::fromUtf8(kImportHint));
}

void makeTodayButton(QWidget* button, QLineEdit* field, QLabel* statusLine) {
  QPointer<QLineEdit> target(field);
  clickable::onClick(button, field, [target] {
    if (target) target->setText(dates::todayText());
  });
  if (statusLine) screenkit::setHint(button, statusLine, QString::fromUtf8(kTodayHint));
}

void makeClearButton(QWidget* button, QLineEdit* field, QLabel* statusLine) {
  QPointer<QLineEdit> target(field);
  clickable::onClick(button, field, [target] {
    if (target) target->clear();
  });
  if (statusLine) screenkit::setHint(button, statusLine, QString::fromUtf8(kClearHint));
}

} // namespace calendar
