// TfrmScadenzario: the deadlines and appointments. Two panels that replace
// each other: the start panel `panAvvio` (the year to open, the month
// calendar, the banner of imminent deadlines with its alarm, the calendar
// lists) and the card panel `panContainer` (the deadline card of the opened
// year).
#pragma once

#include "common/screens/cardpanel.h"

#include <QDate>
#include <QWidget>

class DeadlineStartPanel;
class QLabel;

class TfrmScadenzario : public QWidget {
  Q_OBJECT
public:
  explicit TfrmScadenzario(QWidget* parent = nullptr);
  ~TfrmScadenzario() override;
  static const CardDescription& describe();

  CardPanel* card() const { return card_; }
  RecordForm* form() const { return card_->form(); }
  CardNavigator* navigator() const { return card_->navigator(); }
  // The archive of the opened year (`lblFile`).
  QString archivePath() const { return card_->archivePath(); }
  // "Apri" with a year: its archive, then the card panel with a new card.
  void openYear(const QString& year);

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  void showStartPanel(const QString& caption);

  DeadlineStartPanel* start_ = nullptr;
  CardPanel* card_ = nullptr;
  QLabel* lblFile_ = nullptr;
  QLabel* panInfo_ = nullptr;
};
