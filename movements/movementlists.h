// The movement lists: the movement search, the movements falling due, the
// export of a year's movements and the printed card, as descriptions read by
// the list, grid and print screens.
#pragma once

#include "common/grids.h"
#include "common/lists.h"
#include "common/printrows.h"
#include "common/xls.h"

#include <vector>

// The line of a movement in the search and in the falling-due list: reason,
// due date, payer, beneficiary and the signed total.
const std::vector<lists::LineColumn>& movementLine();
// `TfrmTrovaMovimenti`: ten criteria over the year the movement card has open.
const lists::ListDescription& movementSearchList();
// `TfrmSospesiMov`: the movements falling due or overdue and not settled.
const lists::ListDescription& fallingDueList();

// The 20 columns of a movement in a spreadsheet: the type as a word
// ("Entrata", "Uscita"), the fields by their captions, "Importo in euro"
// holding the signed total.
const std::vector<xls::ExportColumn>& movementExportColumns();
// `TfrmExpMovimenti`: the year the card has open into "Movimenti.xls".
const grids::GridDescription& movementExport();

// `TfrmStampaMovimento`: the 20 rows of "SCHEDA INFORMATIVA MOVIMENTO".
const FormPrintDescription& movementPrintForm();
