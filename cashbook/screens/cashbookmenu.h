// TfrmMenuBilancio: the selection screen of the cash book. The year, the
// reason filter, the first and last day of the interval picked from day and
// month lists; "Visualizza riepilogo" checks them, reads the year's
// movements and opens the cash book `TfrmBilancio` over it.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmMenuBilancio : public QWidget {
  Q_OBJECT
public:
  explicit TfrmMenuBilancio(QWidget* parent = nullptr);

  // `btnVisualizza`: the checks in order, then the cash book, built in full,
  // in its own modal screen; a cash book that cannot be read to the end is
  // not shown.
  void visualizza();

protected:
  void showEvent(QShowEvent* e) override;
  // Closing the screen shows the main menu again.
  void closeEvent(QCloseEvent* e) override;

private:
  QComboBox* pickList(const QString& name, const QStringList& items);
  void refreshYear();

  QLineEdit* txtAnno_ = nullptr;
  QLineEdit* txtTipologia_ = nullptr;
  QComboBox* txtGiornoInizio_ = nullptr;
  QComboBox* txtMeseInizio_ = nullptr;
  QComboBox* txtGiornoFine_ = nullptr;
  QComboBox* txtMeseFine_ = nullptr;
  QLabel* lblAnnoInizio_ = nullptr;
  QLabel* lblAnnoFine_ = nullptr;
  QLabel* lblDataInizio_ = nullptr;
  QLabel* lblDataFine_ = nullptr;
  QLabel* lblFile_ = nullptr;
  QLabel* lblAttendere_ = nullptr;
  QPushButton* btnVisualizza_ = nullptr;
};
