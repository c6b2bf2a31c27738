// The identity-number checks: Italian tax code (codice fiscale), Italian VAT
// number (partita IVA) with the office that issued it, credit card number
// with its type, IBAN. Pure functions of the text a check screen holds; the
// screens only show the answer.
#pragma once

#include "common/services.h"

#include <QString>
#include <QStringView>

namespace checks {

// ---- the single checks ----

// A tax code of 16 characters (letters a-z are taken as A-Z) whose last
// character is the check character of the first 15. Letters in place of
// digits (omocodia) are valued like any letter. A character other than 0-9
// and A-Z in the first 15 positions makes the code invalid.
bool taxCodeValid(QStringView text);

// 11 digits whose last one is the check digit of the first ten.
bool vatNumberValid(QStringView text);
// The office named by the three characters at positions 8 to 10 of a VAT
// number; empty for a code of no office (000, 103 to 119, 122 and above).
QString vatOffice(QStringView vatNumber);

enum class CardType { Invalid, DinersClub, AmericanExpress, Jcb, Visa, MasterCard, Discover };
// The digits among the first 20 characters pass the Luhn rule (no digit at
// all fails).
bool cardNumberPasses(QStringView text);
// The type of a number that passes, by its leading digits; Invalid when it
// fails or no type has its leading digits (0, 1, 2, 7, 8, 9, 32, 39...).
CardType cardType(QStringView text);
// The name shown for a type ("Visa", "American Express"...); empty for Invalid.
QString cardTypeName(CardType type);

// Blanks removed, letters a-z taken as A-Z, the first "IBAN" removed, then the
// ISO 13616 MOD 97-10 check. Any character other than 0-9 and A-Z fails.
bool ibanValid(QStringView text);

// A card's tax code made only of digits 0-9 (and not empty) is a company's
// VAT number: its check button opens the VAT-number check instead.
bool taxCodeOpensVatCheck(QStringView trimmedTaxCode);

// ---- the answers of the check screens ----

enum class Verdict {
  Incomplete, // a length or emptiness warning: the screen stays open for a correction
  Valid,      // information, then the screen closes
  Invalid,    // warning, then the screen closes
};

struct Answer {
  Verdict verdict = Verdict::Incomplete;
  QString message;
  QString office;                        // the VAT number's office (valid VAT numbers only)
  CardType cardType = CardType::Invalid; // the card's type (valid card numbers only)

  MessageKind kind() const { return verdict == Verdict::Valid ? MessageKind::Information : MessageKind::Warning; }
  bool closesScreen() const { return verdict != Verdict::Incomplete; }
};

// Each takes the edit's text as the screen holds it.
Answer checkTaxCode(const QString& editText);
Answer checkVatNumber(const QString& editText);
Answer checkCardNumber(const QString& editText);
Answer checkIban(const QString& editText);

} // namespace checks
