#include "projectlists_screens.h"

#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "projects/projectlists.h"

void showProjectSearch(QWidget* parent, const QString& callerTag) {
  lists::ListScreen::open(projectSearchList(), parent, callerTag);
}

void showOverdueProjects(QWidget* parent) { lists::ListScreen::open(overdueList(), parent); }

void showProjectExport(QWidget* parent) { grids::GridScreen::open(projectExport(), parent); }
