// TRecPratica: the office case record of "Pratiche.pro", 59 str fields,
// 5075 bytes, and what the case card prints.
#pragma once

#include "archive/archives.h"
#include "archive/layout.h"
#include "common/printrows.h"
#include "common/validation.h"

#include <QStringList>

const RecordLayout& TRecPratica();
// "Pratiche.pro" in the program folder.
const ArchiveDef& caseArchive();
// What a case card must hold to be saved, in the order it is checked.
const CardRules& caseRules();

// The suggestions of the progress state.
const QStringList& caseStates();

// The 24 rows of the printed case card.
const std::vector<PrintRow>& casePrintRows();
