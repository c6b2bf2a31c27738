#include "progetto.h"

#include "archive/cp1252.h"
#include "archive/paths.h"
#include "archive/record.h"
#include "common/cardbehaviour.h"
#include "common/dates.h"
#include "common/fieldbytes.h"
#include "common/amounts.h"

namespace {

constexpr FieldKind C = FieldKind::Chars;

// `Terminato` sits between `Fasi` and `Membri` in the file although the
// card fills it last.
constexpr FieldDef kFields[] = {
    {"Nome", C, 120},        {"Codice", C, 30},       {"Ambito", C, 50},       {"Descrizione", C, 250},
    {"DataInizio", C, 10},   {"DataScade", C, 10},    {"CostoPrev", C, 12},    {"Stato", C, 50},
    {"Responsabile", C, 50}, {"Recapito", C, 50},     {"Obiettivi", C, 250},   {"Questioni", C, 250},
    {"Fasi", C, 5000},       {"Terminato", C, 2},     {"Membri", C, 5000},     {"TotMembri", C, 4},
    {"Materiali", C, 5000},  {"Tecniche", C, 5000},   {"Espletate", C, 10000}, {"Svolgere", C, 10000},
    {"Costi", C, 5000},      {"Effettuati", C, 5000}, {"Effettuare", C, 5000}, {"TotCosti", C, 12},
    {"Annotazioni", C, 5000}, {"File01", C, 250},     {"File02", C, 250},      {"File03", C, 250},
    {"Desc01", C, 250},      {"Desc02", C, 250},      {"Desc03", C, 250},
};

// A cost that the field holds once normalised.
validation::Rule costFits(std::string_view field) {
  return validation::holds(
      field,
      [field](const Record& r) { return money::fits(r[field], kProjectCostDecimals, kProjectCostDigits); },
      money::tooLargeMessage(kProjectCostDigits));
}

} // namespace

const RecordLayout& TRecProgetto() {
  static const RecordLayout layout("TRecProgetto", kFields);
  return layout;
}

const ArchiveDef& projectArchive() {
  static const ArchiveDef a{&TRecProgetto(), {}, QStringLiteral(".prg")};
  return a;
}

const CardRules& projectRules() {
  using validation::required;
  static const CardRules r{{
      required("Nome", cardtext::missing("il nome del progetto.")),
      required("Codice", cardtext::missing("il codice identificativo del progetto.")),
      required("DataInizio", cardtext::missing("la data di inizio del progetto.")),
      validation::existingDate("DataInizio"),
      required("DataScade", cardtext::missing("la data di scadenza del progetto.")),
      validation::existingDate("DataScade"),
      required("CostoPrev", cardtext::missing("il costo totale preventivato del progetto.")),
      required("Responsabile", cardtext::missing("il nome del responsabile del progetto.")),
      costFits("CostoPrev"),
      costFits("TotCosti"),
  }};
  return r;
}

lists::Verdict overdueVerdict(const char* record, QDate today) {
  static const int due = TRecProgetto().require("DataScade");
  static const int finished = TRecProgetto().require("Terminato");
  const std::string_view dueText = fieldbytes::raw(TRecProgetto(), due, record);
  const QDate day = dates::parse(cp1252::decode(dueText.data(), qsizetype(dueText.size())));
  if (!day.isValid()) return lists::Verdict::Stop;
  if (day >= today) return lists::Verdict::Skip;
  return fieldbytes::text(TRecProgetto(), finished, record) == std::string_view("No") ? lists::Verdict::List
                                                                                      : lists::Verdict::Skip;
}
