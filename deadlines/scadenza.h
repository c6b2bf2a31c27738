// TRecScadenza: a deadline or appointment of a yearly ".sca" archive, 25 str
// fields, 1328 bytes; the pick lists of its card, what the card composes and
// checks before a save, and the rows of the printed card.
#pragma once

#include "archive/archives.h"
#include "archive/layout.h"
#include "common/printrows.h"
#include "common/validation.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

const RecordLayout& TRecScadenza();
// One file per calendar year: the four-digit year + ".sca".
const ArchiveDef& deadlineArchive();
// What a deadline card must hold to be saved, in the order it is checked;
// completing the record composes `Ora` and `Data` from the pick lists and
// the year.
const CardRules& deadlineRules();
// The 20 rows of the printed card (the other four are left blank).
const std::vector<PrintRow>& deadlinePrintRows();

namespace deadline {

// The amount `Costo` is kept to four decimals in 15 characters: at most 10
// digits before the comma. A larger one is refused, when the field is left
// and at save, with money::tooLargeMessage().
inline constexpr int kCostDecimals = 4;
inline constexpr int kCostDigits = 10;

// The items of the four pick lists: "01".."31", "Gennaio".."Dicembre",
// "00".."23", "00".."59".
const QStringList& days();
const QStringList& monthNames();
const QStringList& hours();
const QStringList& minutes();

// 1..12 for a month name as picked (trimmed, letters in any case); 0 when
// the text names no month.
int monthNumber(QStringView name);
// The Italian name of a month in lower case, "gennaio".."dicembre".
QString lowerMonthName(int month);

// `Data`: the trimmed day, "/", the month's two-digit number ("00" when the
// month is not one), "/", the year; `Ora`: hour ":" minutes.
QString composeDate(const QString& day, const QString& month, const QString& year);
QString composeTime(const QString& hour, const QString& minutes);

// A year as the four digits of its archive's name.
QString yearText(int year);

} // namespace deadline
