// The main menu: the ten application tiles, help, information, the web
// site and the way out.
#pragma once

#include <QWidget>

class TfrmAvvio : public QWidget {
  Q_OBJECT
public:
  explicit TfrmAvvio(QWidget* parent = nullptr);
  // Enables the tiles whose screens are part of the program.
  void refreshTiles();

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

private:
  void openApplication(const QString& screen);
};
