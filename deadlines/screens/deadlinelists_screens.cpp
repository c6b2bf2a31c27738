#include "deadlinelists_screens.h"

#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "deadlines/deadlinelists.h"

void showImminentDeadlines(QWidget* parent) { grids::GridScreen::open(imminentDeadlines(), parent); }
void showDeadlinesOfDay(QWidget* parent, QDate day) { grids::GridScreen::open(deadlinesOfDay(), parent, day); }
void showDeadlinesOfMonth(QWidget* parent, QDate day) { grids::GridScreen::open(deadlinesOfMonth(), parent, day); }

void showDeadlineSearch(QWidget* parent, const QString& callerTag) {
  lists::ListScreen::open(deadlineSearchList(), parent, callerTag);
}
void showAppointmentsToConfirm(QWidget* parent) { lists::ListScreen::open(toConfirmList(), parent); }
void showPaymentsToMake(QWidget* parent) { lists::ListScreen::open(toPayList(), parent); }
void showPaymentsMade(QWidget* parent) { lists::ListScreen::open(paidList(), parent); }
void showDeadlineExport(QWidget* parent) { grids::GridScreen::open(deadlineExport(), parent); }
