#include "movementlists_screens.h"

#include "money/movementlists.h"

#include "common/screens/cardeditor.h"
#include "common/screens/formprintscreen.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"

void showMovementSearch(QWidget* card) {
  lists::ListScreen::open(movementSearchList(), card, QStringLiteral("movimenti"));
}

void showFallingDue(QWidget* card) { lists::ListScreen::open(fallingDueList(), card); }

void showMovementExport(QWidget* card) { grids::GridScreen::open(movementExport(), card); }

void showMovementPrint(CardEditor* card) {
  FormPrintScreen::open(movementPrintForm(), [card] { return card->recordFromScreen(); }, card);
}
