// The client lists: the client search, the summary of clients to recontact
// and the client export, as descriptions read by the list and grid screens.
#pragma once

#include "common/grids.h"
#include "common/lists.h"

// `TfrmTrovaClienti`: ten criteria over "Clienti.pro"; its caller tags say who
// receives the double-clicked client.
const lists::ListDescription& clientSearchList();
// `TfrmRicontatta`: the clients whose recontact flag is "Sì".
const lists::ListDescription& recontactList();
// `TfrmExpClienti`: 25 columns into "Clienti.xls".
const grids::GridDescription& clientExport();
