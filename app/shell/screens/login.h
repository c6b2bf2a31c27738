// The log-in screen: the first screen of the run; only the right password
// leads to the main menu.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

class TfrmPassword : public QWidget {
  Q_OBJECT
public:
  explicit TfrmPassword(QWidget* parent = nullptr);

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void updateOk();
  void logIn();

  QLineEdit* password_;
  QPushButton* ok_;
};
