// The change-password screen, reached from the log-in screen.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

class TfrmCambiaPassword : public QWidget {
  Q_OBJECT
public:
  explicit TfrmCambiaPassword(QWidget* parent = nullptr);

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void updateOk();
  void change();

  QLineEdit* old_;
  QLineEdit* new_;
  QLineEdit* confirm_;
  QPushButton* ok_;
};
