// TfrmClienti: the client card of "Clienti.pro", the card editor with the
// client's sections, the e-mail button and the four check buttons.
#pragma once

#include "common/screens/cardeditor.h"

class TfrmClienti : public CardEditor {
  Q_OBJECT
public:
  explicit TfrmClienti(QWidget* parent = nullptr);
  static const CardDescription& describe();
};
