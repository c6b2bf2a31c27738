// The menu of the statistical charts: one year box for the monthly income,
// one for the monthly expenses and one for the yearly balance, each opening
// its chart screen over the menu.
#pragma once

#include "common/screens/yearboxmenu.h"

class TfrmMenuStats : public YearBoxMenu {
  Q_OBJECT
public:
  explicit TfrmMenuStats(QWidget* parent = nullptr);
  static YearBoxMenuDescription describe();
};
