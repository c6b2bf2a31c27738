// The unpaid payments: the menu `TfrmMenuInsoluti`, a menu of three year
// boxes that opens the lists of unpaid income, unpaid expenses and both.
#pragma once

#include "common/screens/yearboxmenu.h"

// The menu's description: the info line, the three boxes and their lists.
YearBoxMenuDescription unpaidMenu();
// The persistent menu screen the main menu's tile opens.
QWidget* createUnpaidMenu();
