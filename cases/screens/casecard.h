// TfrmPratica: the office case card of "Pratiche.pro": the card editor with
// the today buttons, the state suggestions, the urgent mark, the client
// import, the document list and the case folder.
#pragma once

#include "common/screens/cardeditor.h"

class TfrmPratica : public CardEditor {
  Q_OBJECT
public:
  explicit TfrmPratica(QWidget* parent = nullptr);
  static const CardDescription& describe();
};
