#include "caselists_screens.h"

#include "cases/caselists.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"

void showCaseSearch(QWidget* parent, const QString& callerTag) {
  lists::ListScreen::open(caseSearchList(), parent, callerTag);
}

void showUrgentCases(QWidget* parent) { lists::ListScreen::open(urgentList(), parent); }

void showCaseExport(QWidget* parent) { grids::GridScreen::open(caseExport(), parent); }
