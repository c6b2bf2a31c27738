// The deadline lists: the imminent deadlines, those of a day and those of a
// month, in order of date and time; the three summaries of the year opened
// on the card and its search; the export of that year. Descriptions read by
// the grid and list screens.
#pragma once

#include "common/grids.h"
#include "common/lists.h"

// `TfrmExpImminenti`: today's imminent deadlines, this year's then next
// year's, each year in order of MMDDhhmm.
const grids::GridDescription& imminentDeadlines();
// `TfrmExpGiornaliere`: the deadlines of the chosen day.
const grids::GridDescription& deadlinesOfDay();
// `TfrmExpMensili`: the deadlines of the chosen day's month.
const grids::GridDescription& deadlinesOfMonth();
// `TfrmExpScadenzario`: every deadline of the year opened on the card.
const grids::GridDescription& deadlineExport();

// `TfrmTrovaScadenzario`: ten criteria over the year opened on the card;
// the card receives the picked deadline when it opened the search (caller
// tag "Scadenzario").
const lists::ListDescription& deadlineSearchList();
// `TfrmDaConfermare`: appointments still to be confirmed.
const lists::ListDescription& toConfirmList();
// `TfrmConfermati`: payments still to be made.
const lists::ListDescription& toPayList();
// `TfrmNonConfermati`: payments made.
const lists::ListDescription& paidList();

// The line of a deadline in the summaries and the search.
const std::vector<lists::LineColumn>& deadlineLine();
