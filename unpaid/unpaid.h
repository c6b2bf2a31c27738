// The unpaid payments of a year: the movements whose due date has come and
// which are not settled, all of them or only the income or the expenses,
// as the three grids `TfrmInsolutiAll`, `TfrmInsolutiEnt` and
// `TfrmInsolutiUsc` that list and export them.
//
//   unpaid::rule(record, today, unpaid::Kind::Expense) -> lists::Verdict::List
//   grids::GridScreen::open(unpaid::list(unpaid::Kind::Income), menu);
#pragma once

#include "common/grids.h"
#include "common/lists.h"

#include <QDate>

#include <vector>

namespace unpaid {

enum class Kind { All, Income, Expense };

// A movement is unpaid when its due date is on or before today (a payment
// due today is already unpaid; the notice days play no part) and its
// settled flag, trimmed, is exactly "No". The kind keeps only movements
// whose `Entrata` (income) or `Uscita` (expense) flag is "Sì". A due date
// that is not a date stops the listing there.
lists::Verdict rule(const char* record, QDate today, Kind kind);

// The 20 columns after "N.": those of the movement export, with their own
// widths on screen.
const std::vector<xls::ExportColumn>& columns();

// The grid of a kind: its screen, caption, selection, export file and
// worksheet, over the year named by the unpaid menu.
const grids::GridDescription& list(Kind kind);

} // namespace unpaid
