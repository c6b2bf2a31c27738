// The case folder screen `TfrmCartella` (" Gestione cartella abbinata alla
// scheda corrente"): opens the folder "Pratica_" + position of a stored case.
#pragma once

#include "archive/archivio.h"

#include <QDialog>

class QLabel;

class TfrmCartella : public QDialog {
  Q_OBJECT
public:
  explicit TfrmCartella(QWidget* parent = nullptr);

  // The case position, kept as text in the hidden label `lblMemory`.
  void setPosition(RecordPosition position);
  QString memory() const;

  // "Apri cartella": creates the folder if missing, opens it and closes the
  // screen; a folder that cannot be created is reported and the screen stays.
  void apriCartella();

private:
  QLabel* memory_;
};

namespace casefolder {

// What the case card's folder command does for a stored case.
void showCaseFolder(QWidget* parent, RecordPosition position);

} // namespace casefolder
