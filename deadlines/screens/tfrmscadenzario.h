// TfrmScadenzario: the deadlines and appointments. Two panels that replace
// each other: the start panel `panAvvio` (the year to open, the month
// calendar, the banner of imminent deadlines with its alarm, the calendar
// lists) and the card panel `panContainer` (the deadline card of the opened
// year: the record form, the command column, the navigation bar).
#pragma once

#include "common/screens/carddescription.h"

#include <QDate>
#include <QHash>
#include <QWidget>

#include <functional>

class CardNavigator;
class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordForm;

namespace screenkit {
class Picture;
}

class TfrmScadenzario : public QWidget {
  Q_OBJECT
public:
  explicit TfrmScadenzario(QWidget* parent = nullptr);
  ~TfrmScadenzario() override;
  static const CardDescription& describe();

  RecordForm* form() const { return form_; }
  CardNavigator* navigator() const { return navigator_; }
  // The archive of the opened year (`lblFile`).
  QString archivePath() const;
  QDate calendarDate() const;

  // "Apri": the year typed, then the card panel with a new card.
  void apri();
  // The check made on every entry: the banner, `btnOK` and the alarm.
  void checkReminders();
  // The card as the screen shows it, to the printer.
  void stampa();

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  QWidget* buildStart();
  QWidget* buildCard();
  void on(const QString& control, std::function<void()> handler);
  void showStartPanel();

  QWidget* panAvvio_ = nullptr;
  QWidget* panContainer_ = nullptr;
  QLineEdit* txtAnno_ = nullptr;
  QPushButton* btnApri_ = nullptr;
  QCalendarWidget* calendar_ = nullptr;
  QLabel* imgPresenti_ = nullptr;
  QLabel* imgAssenti_ = nullptr;
  QPushButton* btnOK_ = nullptr;
  QLabel* lblFile_ = nullptr;
  QLabel* panInfo_ = nullptr;
  RecordForm* form_ = nullptr;
  CardNavigator* navigator_ = nullptr;
  QHash<QString, std::function<void()>> handlers_;
};
