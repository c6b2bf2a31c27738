// The main menu: the ten application tiles, the search of the whole
// studio, help, information, the web site and the way out.
#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class TfrmCercaStudio;

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
  // Enter in the search box: the results of the search of the whole studio.
  void openSearch(QLineEdit* box);

  QPointer<TfrmCercaStudio> results_;
};
