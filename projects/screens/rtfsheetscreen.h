// TfrmCreaRTF (" Esporta scheda in RTF"): the small dialog of the project
// card's print command. "Esporta e stampa" writes the sheet of the card
// named by the caller tag and closes, whatever the outcome; "Annulla"
// closes without writing.
#pragma once

#include <QDialog>

class QLabel;

class TfrmCreaRTF : public QDialog {
  Q_OBJECT
public:
  explicit TfrmCreaRTF(QWidget* parent = nullptr);

  void setCallerTag(const QString& tag); // `lblMemory`
  QString callerTag() const;

  // `btnStampa`.
  void stampa();

  // Opens a fresh dialog modally, centred on the card, and destroys it
  // when it closes.
  static void open(QWidget* card, const QString& callerTag);

private:
  QLabel* memory_;
};
