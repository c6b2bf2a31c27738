// TRecDocumento: the document record of "Archivio_Documenti.pro", 29 str
// fields, 3991 bytes, what a document card must hold to be saved and what
// its print screen prints.
#pragma once

#include "archive/archives.h"
#include "archive/layout.h"
#include "common/printrows.h"
#include "common/validation.h"

const RecordLayout& TRecDocumento();
// "Archivio_Documenti.pro" in the program folder.
const ArchiveDef& documentArchive();
// Name, producer and production date, in the order they are checked.
const CardRules& documentRules();

// `TfrmStampaAltri`: the 21 described fields as shown on the card, under
// "SCHEDA RIASSUNTIVA DEL DOCUMENTO".
const FormPrintDescription& documentPrint();
