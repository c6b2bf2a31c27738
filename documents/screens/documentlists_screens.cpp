#include "documentlists_screens.h"

#include "documents/documentlists.h"
#include "documents/documento.h"
#include "common/screens/cardeditor.h"
#include "common/screens/formprintscreen.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"

void showDocumentSearch(QWidget* parent, const QString& callerTag) {
  lists::ListScreen::open(documentSearchList(), parent, callerTag);
}

void showDocumentsToComplete(QWidget* parent) { lists::ListScreen::open(toCompleteList(), parent); }

void showDocumentExport(QWidget* parent) { grids::GridScreen::open(documentExport(), parent); }

void showDocumentPrint(CardEditor* card) {
  FormPrintScreen::open(documentPrint(), [card] { return card->recordFromScreen(); }, card);
}

QWidget* makeDocumentsToComplete() { return new lists::ListScreen(toCompleteList()); }
