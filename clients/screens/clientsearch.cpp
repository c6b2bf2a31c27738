#include "clientsearch.h"

#include "clients/clientlists.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"

void showClientSearch(QWidget* parent, const QString& callerTag) {
  lists::ListScreen::open(clientSearchList(), parent, callerTag);
}

void showRecontactList(QWidget* parent) { lists::ListScreen::open(recontactList(), parent); }

void showClientExport(QWidget* parent) { grids::GridScreen::open(clientExport(), parent); }
