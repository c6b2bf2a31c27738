// TRecCliente: the client record of "Clienti.pro", 36 str fields, 3372 bytes.
#pragma once

#include "archive/archives.h"
#include "archive/layout.h"
#include "common/validation.h"

const RecordLayout& TRecCliente();
// "Clienti.pro" in the program folder.
const ArchiveDef& clientArchive();
// What a client card must hold to be saved.
const CardRules& clientRules();

// The 112 province codes offered by the province combos.
const QStringList& provinceCodes();

#include "common/printrows.h"

// The 24 rows of the printed client card, in order.
const std::vector<PrintRow>& clientPrintRows();
