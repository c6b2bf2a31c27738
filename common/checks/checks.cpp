#include "checks.h"

#include "archive/record.h"

#include <iterator>

namespace checks {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool isUpperLetter(QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); }

// ---- tax code ----

// Values of the characters 0-9 then A-Z in the odd positions (1, 3, ... 15)
// of a tax code; in the even positions a digit is worth itself and a letter
// its place in the alphabet (A = 0 ... Z = 25).
constexpr int kOddValues[] = {1,  0,  5,  7, 9, 13, 15, 17, 19, 21,                                            // 0-9
                              1,  0,  5,  7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, // A-V
                              22, 25, 24, 23};                                                                 // W-Z
static_assert(std::size(kOddValues) == 36, "one value for each of 0-9 and A-Z");

// The index of a character in 0-9, A-Z, or -1.
int alnumIndex(QChar c) {
  if (isDigit(c))
    return c.unicode() - '0';
  if (isUpperLetter(c))
    return 10 + c.unicode() - 'A';
  return -1;
}

// ---- VAT offices, by the code at positions 8 to 10 ----

const char* const kOfficeNames[] = {"", // 000: no office
                                    "Torino",
                                    "Vercelli",
                                    "Novara",
                                    "Cuneo",
                                    "Asti",
                                    "Alessandria",
                                    "Aosta",
                                    "Imperia",
                                    "Savona",
                                    "Genova 1",
                                    "La Spezia",
                                    "Varese",
                                    "Como",
                                    "Sondrio",
                                    "Milano 1",
                                    "Bergamo",
                                    "Brescia 1",
                                    "Pavia",
                                    "Cremona",
                                    "Mantova",
                                    "Bolzano",
                                    "Trento",
                                    "Verona",
                                    "Vicenza",
                                    "Belluno",
                                    "Treviso",
                                    "Venezia",
                                    "Padova",
                                    "Rovigo",
                                    "Udine",
                                    "Gorizia",
                                    "Trieste",
                                    "Piacenza",
                                    "Parma",
                                    "Reggio Emilia",
                                    "Modena",
                                    "Bologna 1",
                                    "Ferrara",
                                    "Ravenna",
                                    "Forl\u00EC",
                                    "Pesaro",
                                    "Ancona",
                                    "Macerata",
                                    "Ascoli Piceno",
                                    "Massa Carrara",
                                    "Lucca",
                                    "Pistoia",
                                    "Firenze 1",
                                    "Livorno",
                                    "Pisa",
                                    "Arezzo",
                                    "Siena",
                                    "Grosseto",
                                    "Perugia",
                                    "Terni",
                                    "Viterbo",
                                    "Rieti",
                                    "Roma 1",
                                    "Latina",
                                    "Frosinone",
                                    "Caserta",
                                    "Benevento",
                                    "Napoli 1",
                                    "Avellino",
                                    "Salerno",
                                    "Aquila",
                                    "Teramo",
                                    "Pescara",
                                    "Chieti",
                                    "Campobasso",
                                    "Foggia",
                                    "Bari",
                                    "Taranto",
                                    "Brindisi",
                                    "Lecce",
                                    "Potenza",
                                    "Matera",
                                    "Cosenza",
                                    "Catanzaro",
                                    "Reggio Calabria",
                                    "Trapani",
                                    "Palermo",
                                    "Messina",
                                    "Agrigento",
                                    "Caltanissetta",
                                    "Enna",
                                    "Catania",
                                    "Ragusa",
                                    "Siracusa",
                                    "Sassari",
                                    "Nuoro",
                                    "Cagliari",
                                    "Pordenone",
                                    "Isernia",
                                    "Oristano",
                                    "Monza (Milano 2)",
                                    "Prato (Firenze 2)",
                                    "Brescia 2",
                                    "Chiavari (Genova 2)",
                                    "Roma 2",
                                    "Bologna 2",
                                    "Napoli 2"};
static_assert(std::size(kOfficeNames) == 103, "one name for each code 000 to 102");

// ---- card ----

QString cardDigits(QStringView text) {
  QString digits;
  for (QChar c : text.left(20))
    if (isDigit(c))
      digits.append(c);
  return digits;
}

bool luhnPasses(const QString& digits) {
  if (digits.isEmpty())
    return false;
  int sum = 0;
  bool doubled = true; // the digit just left of the last one is doubled
  for (qsizetype i = digits.size() - 2; i >= 0; --i, doubled = !doubled) {
    int v = digits[i].unicode() - '0';
    if (doubled) {
      v *= 2;
      if (v > 9)
        v -= 9;
    }
    sum += v;
  }
  return digits.back().unicode() - '0' == (10 - sum % 10) % 10;
}

// ---- IBAN ----

// The remainder modulo 97 of a long decimal number, a few digits at a time
// so that each step fits in nine digits.
int remainder97(const QString& number) {
  QString rest;
  qsizetype next = 0;
  while (next < number.size()) {
    const qsizetype take = 9 - rest.size();
    const QString part = rest + number.mid(next, take);
    next += take;
    rest = QString::number(part.toLongLong() % 97);
  }
  return rest.toInt();
}

} // namespace

bool taxCodeValid(QStringView text) {
  const QString t = fieldtext::upperAZ(text);
  if (t.size() != 16)
    return false;
  int sum = 0;
  for (int pos = 1; pos <= 15; ++pos) {
    const int index = alnumIndex(t[pos - 1]);
    if (index < 0)
      return false;
    const bool odd = pos % 2 == 1;
    sum += odd ? kOddValues[index] : (index < 10 ? index : index - 10);
  }
  return t[15] == QChar(u'A' + sum % 26);
}

bool vatNumberValid(QStringView text) {
  if (text.size() != 11)
    return false;
  for (QChar c : text)
    if (!isDigit(c))
      return false;
  int sum = 0;
  for (int pos = 1; pos <= 10; ++pos) {
    int d = text[pos - 1].unicode() - '0';
    if (pos % 2 == 0) {
      d *= 2;
      if (d > 9)
        d -= 9;
    }
    sum += d;
  }
  return text[10].unicode() - '0' == (10 - sum % 10) % 10;
}

QString vatOffice(QStringView vatNumber) {
  const QStringView code = vatNumber.mid(7, 3);
  if (code.size() != 3)
    return QString();
  for (QChar c : code)
    if (!isDigit(c))
      return QString();
  int n = code.toInt();
  if (n == 120 || n == 121)
    n -= 19; // the second offices of Bologna and Napoli have two codes
  return n < int(std::size(kOfficeNames)) ? QString::fromUtf8(kOfficeNames[n]) : QString();
}

bool cardNumberPasses(QStringView text) { return luhnPasses(cardDigits(text)); }

CardType cardType(QStringView text) {
  const QString digits = cardDigits(text);
  if (!luhnPasses(digits))
    return CardType::Invalid;
  switch (digits[0].unicode()) {
  case '4':
    return CardType::Visa;
  case '5':
    return CardType::MasterCard;
  case '6':
    return CardType::Discover;
  case '3':
    break;
  default:
    return CardType::Invalid;
  }
  const QString lead = fieldtext::trimmed(text).left(2);
  static const struct {
    const char* prefixes[3];
    CardType type;
  } byPrefix[] = {{{"30", "36", "38"}, CardType::DinersClub},
                  {{"34", "37", nullptr}, CardType::AmericanExpress},
                  {{"31", "33", "35"}, CardType::Jcb}};
  for (const auto& row : byPrefix)
    for (const char* p : row.prefixes)
      if (p && lead == QLatin1String(p))
        return row.type;
  return CardType::Invalid;
}

QString cardTypeName(CardType type) {
  switch (type) {
  case CardType::DinersClub:
    return QStringLiteral("Diner's Club / Carte Blanche");
  case CardType::AmericanExpress:
    return QStringLiteral("American Express");
  case CardType::Jcb:
    return QStringLiteral("JCB");
  case CardType::Visa:
    return QStringLiteral("Visa");
  case CardType::MasterCard:
    return QStringLiteral("MasterCard");
  case CardType::Discover:
    return QStringLiteral("Discover");
  case CardType::Invalid:
    break;
  }
  return QString();
}

bool ibanValid(QStringView text) {
  QString t = fieldtext::upperAZ(text);
  t.remove(QLatin1Char(' '));
  const qsizetype prefix = t.indexOf(QLatin1String("IBAN"));
  if (prefix >= 0)
    t.remove(prefix, 4);
  const QString moved = t.mid(4) + t.left(4);
  QString number;
  for (QChar c : moved) {
    if (isDigit(c))
      number.append(c);
    else if (isUpperLetter(c))
      number.append(QString::number(10 + c.unicode() - 'A'));
    else
      return false;
  }
  return !number.isEmpty() && remainder97(number) == 1;
}

bool taxCodeOpensVatCheck(QStringView trimmedTaxCode) {
  if (trimmedTaxCode.isEmpty())
    return false;
  for (QChar c : trimmedTaxCode)
    if (!isDigit(c))
      return false;
  return true;
}

// ---- answers ----

namespace {
Answer answer(Verdict verdict, const QString& message) {
  Answer a;
  a.verdict = verdict;
  a.message = message;
  return a;
}
} // namespace

Answer checkTaxCode(const QString& editText) {
  const QString t = fieldtext::upperAZ(editText);
  if (t.size() != 16)
    return answer(Verdict::Incomplete,
                  QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
  if (taxCodeValid(t))
    return answer(Verdict::Valid, QStringLiteral("Il codice fiscale digitato \u00E8 VALIDO."));
  return answer(Verdict::Invalid, QStringLiteral("Attenzione: il codice fiscale digitato \u00E8 ERRATO."));
}

Answer checkVatNumber(const QString& editText) {
  const QString t = fieldtext::upperAZ(editText);
  if (t.size() != 11)
    return answer(Verdict::Incomplete,
                  QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
  if (!vatNumberValid(t))
    return answer(
        Verdict::Invalid,
        QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon \u00E8 quindi "
                       "possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato."));
  Answer a = answer(Verdict::Valid, QString());
  a.office = vatOffice(editText);
  a.message = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato "
                             "dall'Ufficio IVA del Comune di ") +
              a.office + QStringLiteral(".");
  return a;
}

Answer checkCardNumber(const QString& editText) {
  const QString trimmed = fieldtext::trimmed(editText);
  if (trimmed.isEmpty())
    return answer(Verdict::Incomplete, QStringLiteral("Attenzione: immettere il numero di carta di credito prima di "
                                                      "premere il pulsante di controllo."));
  const CardType type = cardType(editText);
  if (type == CardType::Invalid)
    return answer(Verdict::Invalid,
                  QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon \u00E8 quindi possibile "
                                 "fornire informazioni relative al tipo di carta di credito."));
  Answer a = answer(Verdict::Valid, QStringLiteral("Il numero di carta di credito ") + trimmed +
                                        QStringLiteral(" risulta valido.") + QStringLiteral("\r\n\r\n") +
                                        QStringLiteral("La carta di credito \u00E8 del tipo ") + cardTypeName(type) +
                                        QStringLiteral("."));
  a.cardType = type;
  return a;
}

Answer checkIban(const QString& editText) {
  const QString t = fieldtext::trimmed(editText);
  if (t.size() != 27)
    return answer(Verdict::Incomplete,
                  QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."));
  if (ibanValid(t))
    return answer(Verdict::Valid, QStringLiteral("L'IBAN digitato \u00E8 VALIDO."));
  return answer(Verdict::Invalid, QStringLiteral("Attenzione: l'IBAN digitato \u00E8 ERRATO!"));
}

} // namespace checks
