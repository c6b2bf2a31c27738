// TfrmDettagli: the 32 document lines of a case, edited on a working copy
// that "Applica e chiudi" hands back to the case card's hidden labels.
#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

class TfrmDettagli : public QDialog {
  Q_OBJECT
public:
  // card: the case card whose lblDoc01..lblDoc32 are edited.
  explicit TfrmDettagli(QWidget* card, QWidget* parent = nullptr);
  QLineEdit* line(int n) const; // 1..32
  // The printout of the list, wired by the case screens.
  static void setPrinter(std::function<void(QWidget* card, TfrmDettagli* list, bool preview)> printer);

private:
  void apply();
  QWidget* card_;
};

// Opens the document list of a case card modally.
void showCaseDocuments(QWidget* card);
