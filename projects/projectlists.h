// The project lists of the year open in the project card: the search, the
// summary of overdue unfinished projects and the export, as descriptions
// read by the list and grid screens.
#pragma once

#include "common/grids.h"
#include "common/lists.h"

// `TfrmTrovaProgetti`: ten criteria over the card's "<year>.prg".
const lists::ListDescription& projectSearchList();
// `TfrmProgettiScaduti`: the projects past their due date and not finished,
// judged against today (clock seam).
const lists::ListDescription& overdueList();
// `TfrmExpReferti`: 15 columns into "Progetti.xls".
const grids::GridDescription& projectExport();
