// What the register shows of its archive besides the card: the search,
// the summary of an interval and the export of the year (one grid of 18
// columns for both), and the printed card, as descriptions read by the
// shared list, grid and print screens.
#pragma once

#include "common/grids.h"
#include "common/lists.h"
#include "common/printrows.h"

// `TfrmTrovaProtocollo`: ten criteria over the year's archive open on the card.
const lists::ListDescription& protocolSearchList();
// `TfrmRiepProtocollo`: the documents registered between two dates.
const grids::GridDescription& protocolSummary();
// `TfrmExpProtocollo`: the whole year's archive.
const grids::GridDescription& protocolExport();
// `TfrmStampaProtocollo`: the field form "SCHEDA PROTOCOLLO DOCUMENTO".
const FormPrintDescription& protocolPrint();
