// TfrmDettagli: the 32 document lines of a case, edited on a working copy
// that "Applica e chiudi" hands back to the case card's hidden labels.
#pragma once

#include <QDialog>

class QLineEdit;

class TfrmDettagli : public QDialog {
  Q_OBJECT
public:
  // card: the case card whose lblDoc01..lblDoc32 are edited.
  explicit TfrmDettagli(QWidget* card, QWidget* parent = nullptr);
  QLineEdit* line(int n) const; // 1..32
  // The printed list: the case data from the card, the lines from this
  // screen (also those not yet applied); preview or print.
  void stampa(bool preview);

private:
  void apply();
  QWidget* card_;
};

// Opens the document list of a case card modally.
void showCaseDocuments(QWidget* card);
