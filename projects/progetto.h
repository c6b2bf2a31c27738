// TRecProgetto: the project record of the yearly archives "<year>.prg", 31
// zero-terminated char fields, 62681 bytes. Texts are stored as typed (not
// trimmed), memos with CR LF line breaks, each cut to its field.
#pragma once

#include "archive/archives.h"
#include "archive/layout.h"
#include "common/lists.h"
#include "common/validation.h"

#include <QDate>

const RecordLayout& TRecProgetto();
// One file per calendar year: the year followed by ".prg".
const ArchiveDef& projectArchive();
// What a project card must hold to be saved, in the order it is checked.
// Each date must be a day that exists; their order is not checked.
const CardRules& projectRules();

// The costs `CostoPrev` and `TotCosti` are kept to four decimals in 12
// characters: at most 7 digits before the comma. A larger one is refused,
// when the field is left and at save, with money::tooLargeMessage().
inline constexpr int kProjectCostDecimals = 4;
inline constexpr int kProjectCostDigits = 7;

// A project is overdue and unfinished when its due date, read as a date,
// is strictly before today and its finished mark, trimmed, is exactly "No".
// A due date that is not a date cannot be judged: Stop.
lists::Verdict overdueVerdict(const char* record, QDate today);
