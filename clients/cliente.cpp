#include "cliente.h"

#include "archive/paths.h"
#include "common/cardbehaviour.h"

#include <QStringList>

namespace {
constexpr FieldKind S = FieldKind::Str;
constexpr FieldDef kFields[] = {
    {"Cliente", S, 50},      {"DataNasc", S, 30},     {"ComuneNasc", S, 50},  {"ProvNasc", S, 2},
    {"Sesso", S, 1},         {"Recapito", S, 50},     {"IndirizzoRes", S, 50}, {"ProvRes", S, 2},
    {"ComuneRes", S, 50},    {"CapRes", S, 5},        {"Estremi", S, 250},    {"TelCasa", S, 30},
    {"TelUff", S, 30},       {"TelCel", S, 30},       {"Fax", S, 30},         {"Email", S, 50},
    {"CodFisc", S, 16},      {"Carta", S, 30},        {"ScadeCarta", S, 30},  {"PartitaIva", S, 11},
    {"Iban", S, 27},         {"Documento", S, 120},   {"Occupazione", S, 50}, {"Civile", S, 50},
    {"Titoli", S, 120},      {"Prodotti", S, 120},    {"Zona", S, 50},        {"Questioni", S, 250},
    {"Note", S, 250},        {"Ricontatta", FieldKind::Flag, 2},
    {"File01", S, 250},      {"File02", S, 250},      {"File03", S, 250},
    {"Desc01", S, 250},      {"Desc02", S, 250},      {"Desc03", S, 250},
};
} // namespace

const RecordLayout& TRecCliente() {
  static const RecordLayout layout("TRecCliente", kFields);
  return layout;
}

const ArchiveDef& clientArchive() {
  static const ArchiveDef a{&TRecCliente(), QStringLiteral("Clienti.pro"), {}};
  return a;
}

const CardRules& clientRules() {
  static const CardRules r{{validation::required("Cliente", cardtext::missing("il nome del Cliente."))}};
  return r;
}

const QStringList& provinceCodes() {
  static const QStringList codes = QStringLiteral(
      "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ EE EN FC FE FG "
      "FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA NO NU OG OR OT PA PC PD PE PG "
      "PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE "
      "VI VR VT VV").split(QLatin1Char(' '));
  return codes;
}

const std::vector<PrintRow>& clientPrintRows() {
  static const std::vector<PrintRow> rows = {
      {QStringLiteral("Cognome e nome:"), QStringLiteral("{Cliente}")},
      {QStringLiteral("Data di nascita:"), QStringLiteral("{DataNasc}")},
      {QStringLiteral("Comune di nascita:"), QStringLiteral("{ComuneNasc} {ProvNasc}")},
      {QStringLiteral("Sesso:"), QStringLiteral("{Sesso}")},
      {QStringLiteral("Recapito preferenziale:"), QStringLiteral("{Recapito}")},
      {QStringLiteral("Indirizzo di residenza:"), QStringLiteral("{IndirizzoRes}")},
      {QStringLiteral("Comune di residenza:"), QStringLiteral("{ComuneRes} {ProvRes}")},
      {QStringLiteral("Modalit\u00E0 pagamento:"), QStringLiteral("{Estremi}")},
      {QStringLiteral("Tel. casa:"), QStringLiteral("{TelCasa}")},
      {QStringLiteral("Tel. ufficio:"), QStringLiteral("{TelUff}")},
      {QStringLiteral("Tel. cellulare:"), QStringLiteral("{TelCel}")},
      {QStringLiteral("Fax:"), QStringLiteral("{Fax}")},
      {QStringLiteral("E-mail:"), QStringLiteral("{Email}")},
      {QStringLiteral("Codice fiscale:"), QStringLiteral("{CodFisc}")},
      {QStringLiteral("Partita IVA:"), QStringLiteral("{PartitaIva}")},
      {QStringLiteral("Carta di credito:"), QStringLiteral("N. {Carta}  -  Scadenza: {ScadeCarta}")},
      {QStringLiteral("IBAN:"), QStringLiteral("{Iban}")},
      {QStringLiteral("Estremi documento:"), QStringLiteral("{Documento}")},
      {QStringLiteral("Occupazione:"), QStringLiteral("{Occupazione}")},
      {QStringLiteral("Titoli e qualifiche:"), QStringLiteral("{Titoli}")},
      {QStringLiteral("Servizi di interesse:"), QStringLiteral("{Prodotti}")},
      {QStringLiteral("Zona di appartenenza:"), QStringLiteral("{Zona}")},
      {QStringLiteral("Questioni in sospeso:"), QStringLiteral("{Questioni}")},
      {QStringLiteral("Note:"), QStringLiteral("{Note}")},
  };
  return rows;
}
