// Opening the document lists, the export and the print screen: each
// creates a fresh screen, shows it modally and destroys it when it closes.
#pragma once

#include <QString>

class QWidget;
class CardEditor;

// The document search `TfrmTrovaAltri`; the caller tag "altri" sends the
// document picked with a double-click to the document card.
void showDocumentSearch(QWidget* parent, const QString& callerTag);
// The summary of documents to complete `TfrmDaCompletare`.
void showDocumentsToComplete(QWidget* parent);
// The document export `TfrmExpAltri`.
void showDocumentExport(QWidget* parent);
// The print screen `TfrmStampaAltri` over the document as the card shows it.
void showDocumentPrint(CardEditor* card);

// The summary of documents to complete that lives for the whole run: made
// hidden, it reads the documents archive once, creating it empty when it
// is missing; a failure only leaves it empty.
QWidget* makeDocumentsToComplete();
