// The start panel `panAvvio` of the deadline screen: the heading with help
// `imgGuida` and exit `imgEsci`, the year to open `txtAnno` with "Apri"
// `btnApri`, the banner of imminent deadlines (`imgPresenti` or
// `imgAssenti`, `btnOK`) with its alarm, and the month calendar
// `calAppuntamenti` with the lists of its day and month.
#pragma once

#include <QDate>
#include <QWidget>

#include <functional>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

class DeadlineStartPanel : public QWidget {
  Q_OBJECT
public:
  // `screen`: the deadline screen, which the lists open over and `imgEsci`
  // closes; `open`: what "Apri" does with a year typed in full.
  DeadlineStartPanel(QWidget* screen, QLabel* statusLine, std::function<void(const QString& year)> open);

  QString year() const;
  void focusYear();
  QDate calendarDate() const;
  // Every entry: this year typed, the focus on it, the reminders checked.
  void enter();
  // The check made on every entry: the banner, `btnOK` and the alarm.
  void checkReminders();

private:
  // "Apri": a year that is not four digits is refused with a warning.
  void openYear();

  QWidget* screen_;
  std::function<void(const QString& year)> open_;
  QLineEdit* txtAnno_ = nullptr;
  QPushButton* btnApri_ = nullptr;
  QCalendarWidget* calendar_ = nullptr;
  QLabel* imgPresenti_ = nullptr;
  QLabel* imgAssenti_ = nullptr;
  QPushButton* btnOK_ = nullptr;
};
