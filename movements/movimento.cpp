#include "movimento.h"

#include "archive/paths.h"
#include "common/cardbehaviour.h"
#include "common/dates.h"

namespace {

constexpr FieldKind S = FieldKind::Str;
constexpr FieldKind F = FieldKind::Flag;

const FieldDef kFields[] = {
    {"Entrata", F, 2},        {"Uscita", F, 2},       {"Data", S, 10},        {"Causale", S, 250},
    {"Promemoria", S, 250},   {"DataSca", S, 10},     {"Preavviso", S, 3},    {"Importo", S, 15},
    {"Totale", S, 15},        {"Pagatore", S, 50},    {"RecapitoPag", S, 50}, {"CodFisc", S, 16},
    {"PartitaIva", S, 11},    {"Categoria", S, 50},   {"Email", S, 50},       {"Pagamento", S, 250},
    {"Beneficiario", S, 50},  {"RecapitoBen", S, 50}, {"Ricevuta", S, 250},   {"Note", S, 250},
    {"Tariffa", S, 250},      {"Saldato", F, 2},      {"File01", S, 250},     {"File02", S, 250},
    {"File03", S, 250},       {"Desc01", S, 250},     {"Desc02", S, 250},     {"Desc03", S, 250},
};

} // namespace

const RecordLayout& TRecMovimento() {
  static const RecordLayout layout("TRecMovimento", std::span<const FieldDef>(kFields));
  return layout;
}

const ArchiveDef& movementArchive() {
  static const ArchiveDef a{&TRecMovimento(), {}, QStringLiteral(".eur")};
  return a;
}

const CardRules& movementRules() {
  using validation::holds;
  using validation::required;
  static const CardRules r{
      {
          required("Causale", cardtext::missing("la causale del pagamento.")),
          required("Data", cardtext::missing("la data di registrazione dell'operazione.")),
          validation::existingDate("Data"),
          required("DataSca", cardtext::missing("la data di scadenza del pagamento.")),
          validation::existingDate("DataSca"),
          required("Preavviso", cardtext::missing("il numero di giorni di preavviso della scadenza del pagamento.")),
          required("Importo", cardtext::missing("l'importo del pagamento.")),
          holds("Importo", [](const Record& m) { return movement::amountFits(m["Importo"]); },
                movement::tooLargeMessage()),
          required("Pagatore", cardtext::missing("il nome del Pagatore.")),
          required("Beneficiario", cardtext::missing("il nome del Beneficiario.")),
      },
      // the signed total follows the type and the amount on screen
      [](Record& m) {
        if (m["Entrata"] == fieldtext::yes())
          m.set("Totale", movement::signedTotalText(true, m["Importo"]));
        else if (m["Uscita"] == fieldtext::yes())
          m.set("Totale", movement::signedTotalText(false, m["Importo"]));
      },
  };
  return r;
}

namespace movement {

const QString& tooLargeMessage() {
  static const QString s = money::tooLargeMessage(kIntegerDigits);
  return s;
}

bool amountFits(QStringView typed) { return money::fits(typed, kDecimals, kIntegerDigits); }

QString signedTotalText(bool income, const QString& amount) {
  return (income ? QLatin1Char('+') : QLatin1Char('-')) + fieldtext::trimmed(amount);
}

// ---- reading a stored movement ----

namespace {

int indexOf(std::string_view field) { return TRecMovimento().require(field); }

std::optional<money::Units> units(const char* record, std::string_view field) {
  const money::Parsed p = money::parse(text(record, field), kDecimals);
  if (!p.ok()) return std::nullopt;
  return p.units;
}

} // namespace

QString text(const char* record, std::string_view field) {
  return decodeField(TRecMovimento(), indexOf(field), record);
}

Kind kindOf(const char* record) {
  if (text(record, "Entrata") == fieldtext::yes()) return Kind::Income;
  if (text(record, "Uscita") == fieldtext::yes()) return Kind::Expense;
  return Kind::Unknown;
}

std::optional<money::Units> signedTotal(const char* record) { return units(record, "Totale"); }
std::optional<money::Units> amount(const char* record) { return units(record, "Importo"); }
QDate operationDate(const char* record) { return dates::parse(text(record, "Data")); }
QDate dueDate(const char* record) { return dates::parse(text(record, "DataSca")); }
bool unsettled(const char* record) { return text(record, "Saldato") == fieldtext::no(); }

// ---- falling due ----

lists::Verdict fallingDue(const QString& dueDate, const QString& noticeDays, const QString& settled, QDate today) {
  const QDate due = dates::parse(dueDate);
  bool ok = false;
  const int notice = fieldtext::trimmed(noticeDays).toInt(&ok);
  if (!due.isValid() || !ok) return lists::Verdict::Stop;
  if (due.addDays(-notice) > today) return lists::Verdict::Skip;
  return fieldtext::trimmed(settled) == fieldtext::no() ? lists::Verdict::List : lists::Verdict::Skip;
}

lists::Verdict fallingDue(const char* record, QDate today) {
  return fallingDue(text(record, "DataSca"), text(record, "Preavviso"), text(record, "Saldato"), today);
}

} // namespace movement
