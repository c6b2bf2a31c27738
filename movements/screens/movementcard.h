// TfrmMovimenti: the movement card of a year's "<year>.eur": the card editor
// with the type of movement and its coloured amount label, the payer and
// beneficiary imported from the clients, the checks, the e-mail, the
// movement lists, the printed card and the export.
#pragma once

#include "common/screens/cardeditor.h"

class QLabel;

class TfrmMovimenti : public CardEditor {
  Q_OBJECT
public:
  explicit TfrmMovimenti(QWidget* parent = nullptr);
  static const CardDescription& describe();

  // `sndEmail`: a new e-mail to the address of the card.
  void scriviEmail();

private:
  // `lblImporto` says and colours the type of movement.
  void showAmountLabel(bool income);

  QLabel* lblImporto_ = nullptr;
};
