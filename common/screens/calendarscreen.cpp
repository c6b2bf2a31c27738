#include "calendarscreen.h"

#include "common/dates.h"
#include "common/services.h"
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

std::vector<CallerTag> callerTags() {
  std::vector<CallerTag> tags;
  for (const modules::Module* m : modules::all()) tags.insert(tags.end(), m->calendar.begin(), m->calendar.end());
  return tags;
}

QLineEdit* fieldForTag(const QString& tag) {
  for (const CallerTag& t : callerTags())
    if (tag == QLatin1String(t.tag))
      return screenkit::control<QLineEdit>(screenkit::ScreenSet::find(QLatin1String(t.screen)), QLatin1String(t.control));
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
  // a date is written with a four-digit year: the calendar's own year and
  // date editors reach no other
  cal_->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));

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

  start_ = dates::today();
  setSelectedDate(start_);
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

void TfrmCalendario::setStartDate(QDate day) { start_ = day; }

void TfrmCalendario::importa() {
  QLineEdit* field = target_ ? target_.data() : calendar::fieldForTag(callerTag().trimmed());
  if (field) field->setText(dates::format(selectedDate()));
  accept();
}

void TfrmCalendario::showEvent(QShowEvent* e) {
  setSelectedDate(start_.isValid() ? start_ : dates::today());
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
    const dates::Typed held = dates::readTyped(field->text());
    if (held.status == dates::Typed::Status::Day) screen.setStartDate(held.day);
    imported = screen.exec() == QDialog::Accepted;
  }
  field->setFocus(Qt::OtherFocusReason);
  return imported;
}

bool importForTag(const QString& callerTag) { return importInto(fieldForTag(callerTag), callerTag); }

namespace {

// What a typed date field does with its keys and when it is left.
class DateFilter : public QObject {
public:
  DateFilter(QLineEdit* field, QString tag)
      : QObject(field), field_(field), tag_(std::move(tag)), kind_(field->metaObject()) {
    field->installEventFilter(this);
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o->metaObject() != kind_) return false; // being destroyed
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      if (tag_.isEmpty() || k->key() != Qt::Key_Down || !(k->modifiers() & Qt::AltModifier)) return false;
      importInto(field_, tag_);
      return true;
    }
    // the focus going to another window (a message box, the calendar) or
    // a menu leaves the date as it stands
    if (!screenkit::leftForAnotherField(e)) return false;
    const dates::Typed typed = dates::readTyped(field_->text());
    if (typed.status == dates::Typed::Status::Day) {
      const QString shown = dates::format(typed.day);
      if (shown != field_->text()) field_->setText(shown);
    } else if (typed.status == dates::Typed::Status::NoDay) {
      services::plain(dates::invalidDateMessage(dates::DateCheck::CardDate, field_->text()));
    }
    return false;
  }

private:
  QLineEdit* field_;
  QString tag_;
  const QMetaObject* kind_;
};

} // namespace

void makeDateField(QLineEdit* field, const QString& callerTag) {
  field->setReadOnly(false);
  field->setMaxLength(10);
  screenkit::digitsOnly(field, QStringLiteral("/"));
  screenkit::selectOnEntry(field);
  new DateFilter(field, callerTag);
}

void makePickButton(QWidget* button, QLineEdit* field, const QString& callerTag) {
  QPointer<QLineEdit> target(field);
  clickable::onClick(button, field, [target, callerTag] {
    if (target) importInto(target, callerTag);
  });
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
