// TRecCliente: the client record of "Clienti.pro", 36 str fields, 3372 bytes.
#pragma once

#include "archive/layout.h"

const RecordLayout& TRecCliente();

// The 112 province codes offered by the province combos.
const QStringList& provinceCodes();

#include "common/printrows.h"

// The 24 rows of the printed client card, in order.
const std::vector<PrintRow>& clientPrintRows();
