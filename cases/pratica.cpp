#include "pratica.h"

#include "archive/paths.h"
#include "common/cardbehaviour.h"
#include "common/dates.h"

#include <array>
#include <string>

namespace {

constexpr FieldKind S = FieldKind::Str;

std::vector<FieldDef> fields() {
  // names of the repeated fields live as long as the program
  static const auto names = [] {
    std::array<std::string, 38> n;
    for (int k = 0; k < 32; ++k) n[k] = (k < 9 ? "Doc0" : "Doc") + std::to_string(k + 1);
    for (int k = 0; k < 3; ++k) n[32 + k] = "File0" + std::to_string(k + 1);
    for (int k = 0; k < 3; ++k) n[35 + k] = "Desc0" + std::to_string(k + 1);
    return n;
  }();
  std::vector<FieldDef> f = {
      {"Oggetto", S, 250},  {"Tipologia", S, 50},   {"Protocollo", S, 30}, {"Apertura", S, 10},
      {"Chiusura", S, 10},  {"Stato", S, 30},       {"Documenti", S, 250}, {"Uffici", S, 250},
      {"Consulente", S, 50}, {"Cliente", S, 50},    {"Recapito", S, 50},   {"IndirizzoRes", S, 50},
      {"ComuneRes", S, 50}, {"ProvRes", S, 2},      {"CapRes", S, 5},      {"CodFisc", S, 16},
      {"PartitaIva", S, 11}, {"Saldati", S, 250},   {"Sospesi", S, 250},   {"Note", S, 250},
      {"Urgente", FieldKind::Flag, 2},
  };
  for (int k = 0; k < 32; ++k) f.push_back({names[k], S, 50});
  for (int k = 32; k < 38; ++k) f.push_back({names[k], S, 250});
  return f;
}

} // namespace

const RecordLayout& TRecPratica() {
  static const std::vector<FieldDef> f = fields();
  static const RecordLayout layout("TRecPratica", f);
  return layout;
}

const ArchiveDef& caseArchive() {
  static const ArchiveDef a{&TRecPratica(), QStringLiteral("Pratiche.pro"), {}};
  return a;
}

const CardRules& caseRules() {
  using validation::required;
  static const CardRules r{{
      required("Oggetto", cardtext::missing("l'oggetto della pratica.")),
      required("Protocollo", cardtext::missing("il numero di protocollo della pratica.")),
      required("Apertura", cardtext::missing("la data di apertura della pratica.")),
      validation::existingDate("Apertura"),
      validation::existingDate("Chiusura"),
      validation::holds(
          "Chiusura",
          [](const Record& r) {
            const QDate opened = dates::parse(r["Apertura"]), closed = dates::parse(r["Chiusura"]);
            return !opened.isValid() || !closed.isValid() || closed >= opened;
          },
          QStringLiteral("Attenzione: la data di chiusura {Chiusura} \u00E8 precedente alla data di apertura {Apertura}."
                         "\n\r\n\rPer poter salvare la scheda \u00E8 necessario indicare una data di chiusura uguale o "
                         "successiva alla data di apertura."),
          MessageKind::Plain),
      required("Cliente", cardtext::missing("il nome del Cliente.")),
  }};
  return r;
}

const QStringList& caseStates() {
  static const QStringList s = {QStringLiteral("Aperta"), QStringLiteral("In lavorazione"), QStringLiteral("Sospesa"),
                                QStringLiteral("Non saldata"), QStringLiteral("Chiusa e saldata")};
  return s;
}

const std::vector<PrintRow>& casePrintRows() {
  static const std::vector<PrintRow> rows = [] {
    std::vector<PrintRow> r = {
        {QStringLiteral("Oggetto pratica:"), QStringLiteral("{Oggetto}")},
        {QStringLiteral("Tipologia:"), QStringLiteral("{Tipologia}")},
        {QStringLiteral("Protocollo n."), QStringLiteral("{Protocollo}")},
        {QStringLiteral("Data apertura:"), QStringLiteral("{Apertura}")},
        {QStringLiteral("Data chiusura:"), QStringLiteral("{Chiusura}")},
        {QStringLiteral("Stato avanzamento:"), QStringLiteral("{Stato}")},
        {QStringLiteral("Documenti principali:"), QStringLiteral("{Documenti}")},
        {QStringLiteral("Uffici interessati:"), QStringLiteral("{Uffici}")},
        {QStringLiteral("Cliente:"), QStringLiteral("{Cliente}")},
        {QStringLiteral("Recapito preferenziale:"), QStringLiteral("{Recapito}")},
        {QStringLiteral("Via e numero civico:"), QStringLiteral("{IndirizzoRes}")},
        {QStringLiteral("Comune di residenza:"), QStringLiteral("{ComuneRes}")},
        {QStringLiteral("Provincia:"), QStringLiteral("{ProvRes}")},
        {QStringLiteral("CAP:"), QStringLiteral("{CapRes}")},
        {QStringLiteral("Codice fiscale:"), QStringLiteral("{CodFisc}")},
        {QStringLiteral("Partita IVA:"), QStringLiteral("{PartitaIva}")},
        {QStringLiteral("Pagamenti saldati:"), QStringLiteral("{Saldati}")},
        {QStringLiteral("Pagamenti da effettuare:"), QStringLiteral("{Sospesi}")},
        {QStringLiteral("Note:"), QStringLiteral("{Note}")},
    };
    for (int k = 1; k <= 5; ++k)
      r.push_back({QStringLiteral("Documento associato %1:").arg(k), QStringLiteral("{Doc0%1}").arg(k)});
    return r;
  }();
  return rows;
}
