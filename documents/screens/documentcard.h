// TfrmAltri: the document card of "Archivio_Documenti.pro": the card editor
// with the coloured focus, the two calendar dates, the scanned copy, the
// to-complete mark, the attachments, the search, the summary of documents
// to complete, the print screen and the export.
#pragma once

#include "common/screens/cardeditor.h"

class TfrmAltri : public CardEditor {
  Q_OBJECT
public:
  explicit TfrmAltri(QWidget* parent = nullptr);
  static const CardDescription& describe();
};
