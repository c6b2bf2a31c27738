// The help screen: a topic's title and text, and the link to the PDF guide.
#pragma once

#include "app/help/help.h"

#include <QDialog>

namespace screenkit {
class ClickLabel;
}
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TfrmGuida : public QDialog {
  Q_OBJECT
public:
  explicit TfrmGuida(QWidget* parent = nullptr);

  // Shows the page's title in lblTitolo and its text in txtGuida.
  void showPage(const HelpPage& page);

protected:
  void showEvent(QShowEvent* event) override;

private:
  void openGuide();

  QLabel* lblTitolo_;
  QPlainTextEdit* txtGuida_;
  screenkit::ClickLabel* lnkWeb_;
  screenkit::ClickLabel* imgPDF_;
  QPushButton* btnChiudi_;
};
