// TRecPratica: the office case record of "Pratiche.pro", 59 str fields,
// 5075 bytes, and what the case card prints.
#pragma once

#include "archive/layout.h"
#include "common/printrows.h"

#include <QStringList>

const RecordLayout& TRecPratica();

// The suggestions of the progress state.
const QStringList& caseStates();

// The 24 rows of the printed case card.
const std::vector<PrintRow>& casePrintRows();
