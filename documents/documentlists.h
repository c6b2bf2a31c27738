// The document lists: the document search, the summary of documents still
// to complete and the document export, as descriptions read by the list
// and grid screens.
#pragma once

#include "common/grids.h"
#include "common/lists.h"

// `TfrmTrovaAltri`: ten criteria over "Archivio_Documenti.pro"; a document
// picked with a double-click goes to the card that asked with "altri".
const lists::ListDescription& documentSearchList();
// `TfrmDaCompletare`: the documents whose to-complete mark is "Sì", listed
// when the screen is made.
const lists::ListDescription& toCompleteList();
// `TfrmExpAltri`: the 21 described fields and the to-complete mark into
// "Altri_Documenti.xls".
const grids::GridDescription& documentExport();
