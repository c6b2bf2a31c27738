// TRecMovimento: one income or expense of the yearly archive "<year>.eur",
// 28 str fields, 3414 bytes; the rules a movement card checks before it is
// saved, its amount and signed total, and what the movement lists, the cash
// book, the unpaid lists and the charts read of a stored movement.
//
//   const char* bytes = ...;                       // a record of "2026.eur"
//   movement::kindOf(bytes)      -> Kind::Expense
//   movement::signedTotal(bytes) -> -8000 (cents of "-80,00")
//   movement::fallingDue(bytes, today) -> lists::Verdict::List
#pragma once

#include "archive/archives.h"
#include "archive/layout.h"
#include "archive/record.h"
#include "common/lists.h"
#include "common/amounts.h"
#include "common/validation.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

const RecordLayout& TRecMovimento();
// One file per calendar year: the year followed by ".eur".
const ArchiveDef& movementArchive();
// What a movement card must hold to be saved, in the order it is checked;
// completing the record computes `Totale` from the type and the amount.
const CardRules& movementRules();

namespace movement {

// ---- the amount ----

// Amounts are kept at two decimals.
inline constexpr int kDecimals = 2;
// `Totale` is a sign and the amount in 15 characters: at most 11 digits
// before the comma.
inline constexpr int kIntegerDigits = 11;

// The warning that refuses a larger amount, when the field is left and at save.
const QString& tooLargeMessage();

// Whether a typed or stored amount can be kept: empty and unreadable texts
// can (they become "0,00"), a readable one only when its signed total fits.
bool amountFits(QStringView typed);
// `Totale`: "+" for an income, "-" for an expense, then the amount.
QString signedTotalText(bool income, const QString& amount);

// ---- reading a stored movement (record bytes of TRecMovimento) ----

enum class Kind { Income, Expense, Unknown };
// From the two flags: `Entrata` "Sì" is an income, `Uscita` "Sì" an expense.
Kind kindOf(const char* record);
// The trimmed text of a field.
QString text(const char* record, std::string_view field);
// `Totale` in cents with its sign; nothing when it cannot be read.
std::optional<money::Units> signedTotal(const char* record);
// `Importo` in cents; nothing when it cannot be read.
std::optional<money::Units> amount(const char* record);
// `Data` and `DataSca` as days; invalid when not dd/mm/yyyy.
QDate operationDate(const char* record);
QDate dueDate(const char* record);
// `Saldato` trimmed is exactly "No" (anything else is not "unsettled").
bool unsettled(const char* record);

// ---- the movements falling due ----

// A movement is listed from the first day of its notice period on (due
// date minus the notice days on or before today) while its settled flag is
// exactly "No". A due date or notice that cannot be read stops the listing
// there.
lists::Verdict fallingDue(const QString& dueDate, const QString& noticeDays, const QString& settled, QDate today);
lists::Verdict fallingDue(const char* record, QDate today);

} // namespace movement
