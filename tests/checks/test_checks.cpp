// The identity-number checks against numbers worked out by hand with the
// published algorithms (tax-code check character, VAT check digit, Luhn,
// ISO 7064 MOD 97-10).
#include "common/checks/checks.h"

#include <gtest/gtest.h>

using namespace checks;

namespace {
QString q(const char* s) { return QString::fromUtf8(s); }
} // namespace

// ---- tax code ----

TEST(TaxCode, RealCodesAndTheirOmocodiaFormsAreValid) {
  const char* valid[] = {"RSSMRA85T10A562S", "BNCGNN70A41F205Y", "VRDLGU92M15H501Z", "FRRCHR01E55L219L",
                         "MRNLCU78D02Z404P",
                         // omocodia: digits replaced from the right by L M N P Q R S T U V, check letter recomputed
                         "RSSMRA85T10A56NH", "RSSMRA85T10ARSNO", "RSSMRAURTMLARSNL", "BNCGNN70A41F20RT",
                         "BNCGNNTLAQMFNLRF", "VRDLGU92M15HRLMX", "FRRCHRLMERRLNMVV", "MRNLCUTUDLNZQLQD",
                         // typed in lower case
                         "rssmra85t10a562s", "bncgnntlaqmfnlrf"};
  for (const char* code : valid)
    EXPECT_TRUE(taxCodeValid(q(code))) << code;
}

// Together these put each of 0-9 and A-Z once in an odd and once in an even
// position, so every value of both tables takes part.
TEST(TaxCode, EveryCharacterValueCounts) {
  const char* valid[] = {"0123456789ABCDEP", "CDEFGHIJKLMNOPQS", "OPQRSTUVWXYZ012K",
                         "123456789ABCDEFA", "DEFGHIJKLMNOPQRH", "PQRSTUVWXYZ0123K"};
  for (const char* code : valid) {
    EXPECT_TRUE(taxCodeValid(q(code))) << code;
    QString other = q(code);
    other[15] = QChar(other[15].unicode() == 'Z' ? u'A' : char16_t(other[15].unicode() + 1));
    EXPECT_FALSE(taxCodeValid(other)) << code;
  }
}

TEST(TaxCode, WrongCodesAreInvalid) {
  const char* invalid[] = {"RSSMRA85T10A562T",  // wrong check letter
                           "RSSMRA58T10A562S",  // two digits swapped
                           "RSSMRA85T10A56NS",  // omocodia letter with the check letter of the plain code
                           "RSSMRA85T10A5625",  // check character a digit
                           "RSSMRA85T10A562",   // 15 characters
                           "RSSMRA85T10A562SX", // 17 characters
                           "RSSMRA85T10A56:S",  // characters outside 0-9 and A-Z are not valued
                           "RSSMRA85T10A56-S",  "RSSMRA85T1 A562S", "RSSMRA85T10\u00C0562S", ""};
  for (const char* code : invalid)
    EXPECT_FALSE(taxCodeValid(q(code))) << code;
}

// Positions 1-15 with a character between "9" and "A" (":" ... "@") must not
// count as a zero: the code would otherwise pass for some check letter.
TEST(TaxCode, NoCheckLetterMakesAPunctuatedCodeValid) {
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    EXPECT_FALSE(taxCodeValid(QStringLiteral("RSSMRA85T10A56@") + QChar(letter)));
    EXPECT_FALSE(taxCodeValid(QStringLiteral("?SSMRA85T10A562") + QChar(letter)));
  }
}

// ---- VAT number ----

TEST(VatNumber, ValidNumbersNameTheirOffice) {
  struct Case {
    const char* number;
    const char* office;
  } cases[] = {
      {"01234560017", "Torino"},    {"07720410153", "Milano 1"},         {"12345670587", "Roma 1"},
      {"02501010637", "Napoli 1"},  {"09543210968", "Monza (Milano 2)"}, {"08877660996", "Chiavari (Genova 2)"},
      {"00000011205", "Bologna 2"}, {"03141591218", "Napoli 2"},         {"10000001106", ""},
      {"55555550007", ""},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(vatNumberValid(q(c.number))) << c.number;
    EXPECT_EQ(vatOffice(q(c.number)), q(c.office)) << c.number;
  }
}

TEST(VatNumber, TheOfficeTableByCode) {
  struct Case {
    const char* code;
    const char* office;
  } cases[] = {
      {"001", "Torino"},
      {"010", "Genova 1"},
      {"040", "Forlì"},
      {"066", "Aquila"},
      {"080", "Reggio Calabria"},
      {"095", "Oristano"},
      {"097", "Prato (Firenze 2)"},
      {"098", "Brescia 2"},
      {"100", "Roma 2"},
      {"101", "Bologna 2"},
      {"102", "Napoli 2"},
      {"120", "Bologna 2"},
      {"121", "Napoli 2"},
      {"000", ""},
      {"103", ""},
      {"110", ""},
      {"119", ""},
      {"122", ""},
      {"999", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(vatOffice(QStringLiteral("0000000") + q(c.code) + QStringLiteral("0")), q(c.office)) << c.code;
}

TEST(VatNumber, WrongNumbersAreInvalid) {
  const char* invalid[] = {"07720410154",  "07720410150", "17720410153", "07720410513", "0772041015",
                           "077204101530", "0772041015A", "O7720410153", " 7720410153", "",
                           "07720-10153"};
  for (const char* n : invalid)
    EXPECT_FALSE(vatNumberValid(q(n))) << n;
}

// ---- credit card ----

TEST(CardNumber, TypesByLeadingDigits) {
  struct Case {
    const char* number;
    CardType type;
  } cases[] = {
      {"4111111111111111", CardType::Visa},
      {"4012888888881881", CardType::Visa},
      {"4222222222222", CardType::Visa}, // any length
      {"5555555555554444", CardType::MasterCard},
      {"5105105105105100", CardType::MasterCard},
      {"6011111111111117", CardType::Discover},
      {"6011000990139424", CardType::Discover},
      {"378282246310005", CardType::AmericanExpress},
      {"371449635398431", CardType::AmericanExpress},
      {"30569309025904", CardType::DinersClub},
      {"38520000023237", CardType::DinersClub},
      {"36148900647913", CardType::DinersClub},
      {"3530111333300000", CardType::Jcb},
      {"3566002020360505", CardType::Jcb},
      {"3112345678901230", CardType::Jcb},
      {"3333333333333331", CardType::Jcb},
      // Luhn-valid, but no type has these leading digits
      {"2223003122003222", CardType::Invalid},
      {"3212345678901239", CardType::Invalid},
      {"3912345678901232", CardType::Invalid},
      {"71234567890123455", CardType::Invalid},
      {"9123456789012348", CardType::Invalid},
      {"0", CardType::Invalid},
      // fails the Luhn rule
      {"4111111111111112", CardType::Invalid},
      {"5555555555554445", CardType::Invalid},
      {"378282246310006", CardType::Invalid},
      {"5", CardType::Invalid},
      {"", CardType::Invalid},
      {"ABC", CardType::Invalid},
      // only the first 20 characters count, and only their digits
      {"41234567890123456787", CardType::Visa},
      {"412345678901234567875", CardType::Visa},
      {"4111 1111 1111 1111", CardType::Visa},
      {"4111 1111 1111 1111 2", CardType::Visa},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cardType(q(c.number)), c.type) << c.number;
}

TEST(CardNumber, LuhnOnTheFirstTwentyCharacters) {
  EXPECT_TRUE(cardNumberPasses(u"0")); // one digit: the sum is 0
  EXPECT_FALSE(cardNumberPasses(u"7"));
  EXPECT_FALSE(cardNumberPasses(u"---")); // no digit at all
  EXPECT_TRUE(cardNumberPasses(u"79927398713"));
  EXPECT_FALSE(cardNumberPasses(u"79927398710"));
  // the 21st digit would spoil the check if it were read
  EXPECT_TRUE(cardNumberPasses(u"412345678901234567875"));
  EXPECT_FALSE(cardNumberPasses(u"4123456789012345678"));
}

TEST(CardNumber, TypeNames) {
  EXPECT_EQ(cardTypeName(CardType::DinersClub), QStringLiteral("Diner's Club / Carte Blanche"));
  EXPECT_EQ(cardTypeName(CardType::AmericanExpress), QStringLiteral("American Express"));
  EXPECT_EQ(cardTypeName(CardType::Jcb), QStringLiteral("JCB"));
  EXPECT_EQ(cardTypeName(CardType::Visa), QStringLiteral("Visa"));
  EXPECT_EQ(cardTypeName(CardType::MasterCard), QStringLiteral("MasterCard"));
  EXPECT_EQ(cardTypeName(CardType::Discover), QStringLiteral("Discover"));
  EXPECT_EQ(cardTypeName(CardType::Invalid), QString());
}

// ---- IBAN ----

TEST(Iban, ValidIbans) {
  const char* valid[] = {
      "IT60X0542811101000000123456", "IT02A0306909606100000063452", "IT47Q0200805364000104578219",
      "IT61Z0100503382000000218020", "IT66K0760103200001012345678", "IT79B0326822300052136399670",
      // the paper form: groups of four, lower case, the word IBAN in front
      "IT60 X054 2811 1010 0000 0123 456", "it60x0542811101000000123456", "it02 a030 6909 6061 0000 0063 452",
      "IBAN IT47 Q020 0805 3640 0010 4578 219", "iban IT61Z0100503382000000218020",
      // other countries pass the same check
      "FR7630006000011234567890189", "SM86U0322509800000000270100", "DE89370400440532013000", "GB29NWBK60161331926819"};
  for (const char* iban : valid)
    EXPECT_TRUE(ibanValid(q(iban))) << iban;
}

TEST(Iban, WrongIbans) {
  const char* invalid[] = {"IT60X0542811101000000123457", // one digit changed
                           "IT60X0542811101000000123465", // two digits swapped
                           "IT61X0542811101000000123456", // check digits changed
                           "IT60Y0542811101000000123456", // CIN letter changed
                           "IT60X054281110100000012345",  // one digit missing
                           "IT60X05428111010000001234.6", // a character other than a digit or a letter
                           "IT60X0542811101000000123\u00C056", "IT60-X054-2811-1010-0000-0123-456", "", "IBAN", "IT60"};
  for (const char* iban : invalid)
    EXPECT_FALSE(ibanValid(q(iban))) << iban;
}

// ---- which check a card's tax-code button opens ----

TEST(TaxCodeButton, DigitsOnlyOpenTheVatCheck) {
  EXPECT_TRUE(taxCodeOpensVatCheck(u"07720410153"));
  EXPECT_TRUE(taxCodeOpensVatCheck(u"1"));
  EXPECT_TRUE(taxCodeOpensVatCheck(u"0772041015312345"));
  EXPECT_FALSE(taxCodeOpensVatCheck(u""));
  EXPECT_FALSE(taxCodeOpensVatCheck(u"RSSMRA85T10A562S"));
  EXPECT_FALSE(taxCodeOpensVatCheck(u"0772041015X"));
  EXPECT_FALSE(taxCodeOpensVatCheck(u"07720 410153"));
}

// ---- the answers the screens show ----

struct AnswerCase {
  Answer (*check)(const QString&);
  const char* text;
  Verdict verdict;
  const char* message;
};

const char* const kTaxLength = "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.";
const char* const kTaxValid = "Il codice fiscale digitato è VALIDO.";
const char* const kTaxWrong = "Attenzione: il codice fiscale digitato è ERRATO.";
const char* const kVatLength = "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.";
const char* const kVatWrong =
    "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è quindi possibile "
    "fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.";
const char* const kCardEmpty =
    "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.";
const char* const kCardWrong = "Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi possibile fornire "
                               "informazioni relative al tipo di carta di credito.";
const char* const kIbanLength = "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.";
const char* const kIbanValid = "L'IBAN digitato è VALIDO.";
const char* const kIbanWrong = "Attenzione: l'IBAN digitato è ERRATO!";

TEST(Answers, MessagesAndVerdicts) {
  const AnswerCase cases[] = {
      {checkTaxCode, "RSSMRA85T10A562S", Verdict::Valid, kTaxValid},
      {checkTaxCode, "rssmra85t10a562s", Verdict::Valid, kTaxValid},
      {checkTaxCode, "RSSMRAURTMLARSNL", Verdict::Valid, kTaxValid},
      {checkTaxCode, "RSSMRA85T10A562T", Verdict::Invalid, kTaxWrong},
      {checkTaxCode, "RSSMRA85T10A562", Verdict::Incomplete, kTaxLength},
      {checkTaxCode, "RSSMRA85T10A562SX", Verdict::Incomplete, kTaxLength},
      {checkTaxCode, "", Verdict::Incomplete, kTaxLength},

      {checkVatNumber, "07720410153", Verdict::Valid,
       "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato dall'Ufficio IVA del "
       "Comune di Milano 1."},
      {checkVatNumber, "00000011205", Verdict::Valid,
       "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato dall'Ufficio IVA del "
       "Comune di Bologna 2."},
      {checkVatNumber, "10000001106", Verdict::Valid,
       "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato dall'Ufficio IVA del "
       "Comune di ."},
      {checkVatNumber, "07720410154", Verdict::Invalid, kVatWrong},
      {checkVatNumber, "0772041015A", Verdict::Invalid, kVatWrong}, // a letter: wrong, not too short
      {checkVatNumber, "0772041015", Verdict::Incomplete, kVatLength},
      {checkVatNumber, "0772041015312345", Verdict::Incomplete, kVatLength},

      {checkCardNumber, "378282246310005", Verdict::Valid,
       "Il numero di carta di credito 378282246310005 risulta valido.\r\n\r\nLa carta di credito è del tipo American "
       "Express."},
      {checkCardNumber, "412345678901234567875", Verdict::Valid,
       "Il numero di carta di credito 412345678901234567875 risulta valido.\r\n\r\nLa carta di credito è del tipo "
       "Visa."},
      {checkCardNumber, "  30569309025904 ", Verdict::Valid,
       "Il numero di carta di credito 30569309025904 risulta valido.\r\n\r\nLa carta di credito è del tipo Diner's "
       "Club / "
       "Carte Blanche."},
      {checkCardNumber, "2223003122003222", Verdict::Invalid, kCardWrong},
      {checkCardNumber, "4111111111111112", Verdict::Invalid, kCardWrong},
      {checkCardNumber, "3912345678901232", Verdict::Invalid, kCardWrong},
      {checkCardNumber, "", Verdict::Incomplete, kCardEmpty},
      {checkCardNumber, "   ", Verdict::Incomplete, kCardEmpty},

      {checkIban, "IT60X0542811101000000123456", Verdict::Valid, kIbanValid},
      {checkIban, "it60x0542811101000000123456", Verdict::Valid, kIbanValid},
      {checkIban, " IT60X0542811101000000123456 ", Verdict::Valid, kIbanValid},
      {checkIban, "IT60X0542811101000000123457", Verdict::Invalid, kIbanWrong},
      {checkIban, "DE89370400440532013000", Verdict::Incomplete, kIbanLength},
      {checkIban, "IT60 X054 2811 1010 0000 0123 456", Verdict::Incomplete, kIbanLength}, // 33 with the blanks
      {checkIban, "", Verdict::Incomplete, kIbanLength},
  };
  for (const auto& c : cases) {
    const Answer a = c.check(q(c.text));
    EXPECT_EQ(a.verdict, c.verdict) << c.text;
    EXPECT_EQ(a.message, q(c.message)) << c.text;
    EXPECT_EQ(a.kind(), c.verdict == Verdict::Valid ? MessageKind::Information : MessageKind::Warning) << c.text;
    EXPECT_EQ(a.closesScreen(), c.verdict != Verdict::Incomplete) << c.text;
  }
}

TEST(Answers, OfficeAndCardTypeTravelWithTheAnswer) {
  EXPECT_EQ(checkVatNumber(QStringLiteral("07720410153")).office, QStringLiteral("Milano 1"));
  EXPECT_EQ(checkVatNumber(QStringLiteral("07720410154")).office, QString());
  EXPECT_EQ(checkCardNumber(QStringLiteral("6011111111111117")).cardType, CardType::Discover);
  EXPECT_EQ(checkCardNumber(QStringLiteral("6011111111111118")).cardType, CardType::Invalid);
}
