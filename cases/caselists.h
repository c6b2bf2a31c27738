// The case lists: the case search (also the import source of the deadline
// card), the summary of urgent cases and the case export, as descriptions
// read by the list and grid screens.
#pragma once

#include "common/grids.h"
#include "common/lists.h"

// `TfrmTrovaPratica`: ten criteria over "Pratiche.pro".
const lists::ListDescription& caseSearchList();
// `TfrmUrgenti`: the cases whose urgent flag is "Sì".
const lists::ListDescription& urgentList();
// `TfrmExpPratiche`: the first 20 fields into "Pratiche.xls".
const grids::GridDescription& caseExport();
