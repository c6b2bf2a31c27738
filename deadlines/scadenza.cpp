#include "scadenza.h"

#include "archive/paths.h"
#include "archive/record.h"
#include "common/cardbehaviour.h"
#include "common/dates.h"
#include "common/amounts.h"

namespace {

constexpr FieldKind S = FieldKind::Str;

QStringList numbered(int from, int to) {
  QStringList items;
  for (int n = from; n <= to; ++n) items << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
  return items;
}

} // namespace

const RecordLayout& TRecScadenza() {
  static const RecordLayout layout("TRecScadenza", {
                                                       {"Giorno", S, 2},
                                                       {"Mese", S, 10},
                                                       {"Anno", S, 4},
                                                       {"Data", S, 10},
                                                       {"OreApp", S, 2},
                                                       {"MinutiApp", S, 2},
                                                       {"Ora", S, 5},
                                                       {"Avviso", S, 3},
                                                       {"Cliente", S, 50},
                                                       {"CodFisc", S, 16},
                                                       {"Recapito", S, 50},
                                                       {"Oggetto", S, 250},
                                                       {"Tipologia", S, 50},
                                                       {"Protocollo", S, 30},
                                                       {"Apertura", S, 10},
                                                       {"Chiusura", S, 10},
                                                       {"Stato", S, 30},
                                                       {"Consulente", S, 50},
                                                       {"Dettagli", S, 250},
                                                       {"Officina", S, 150},
                                                       {"Costo", S, 15},
                                                       {"Contatto", S, 50},
                                                       {"Note", S, 250},
                                                       {"DaConfermare", FieldKind::Flag, 2},
                                                       {"Effettuata", FieldKind::Flag, 2},
                                                   });
  return layout;
}

const ArchiveDef& deadlineArchive() {
  static const ArchiveDef a{&TRecScadenza(), QString(), QStringLiteral(".sca")};
  return a;
}

namespace deadline {

const QStringList& days() {
  static const QStringList d = numbered(1, 31);
  return d;
}

const QStringList& monthNames() {
  static const QStringList m = {QStringLiteral("Gennaio"),   QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
                                QStringLiteral("Aprile"),    QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
                                QStringLiteral("Luglio"),    QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
                                QStringLiteral("Ottobre"),   QStringLiteral("Novembre"), QStringLiteral("Dicembre")};
  return m;
}

const QStringList& hours() {
  static const QStringList h = numbered(0, 23);
  return h;
}

const QStringList& minutes() {
  static const QStringList m = numbered(0, 59);
  return m;
}

int monthNumber(QStringView name) {
  const QString lowered = fieldtext::lowerAZ(fieldtext::trimmed(name));
  for (int m = 1; m <= 12; ++m)
    if (lowered == lowerMonthName(m)) return m;
  return 0;
}

QString lowerMonthName(int month) {
  if (month < 1 || month > 12) return QString();
  return fieldtext::lowerAZ(monthNames().at(month - 1));
}

QString composeDate(const QString& day, const QString& month, const QString& year) {
  return fieldtext::trimmed(day) + QLatin1Char('/') +
         QStringLiteral("%1").arg(monthNumber(month), 2, 10, QLatin1Char('0')) + QLatin1Char('/') +
         fieldtext::trimmed(year);
}

QString composeTime(const QString& hour, const QString& minutes) {
  return fieldtext::trimmed(hour) + QLatin1Char(':') + fieldtext::trimmed(minutes);
}

QString yearText(int year) { return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')); }

} // namespace deadline

const CardRules& deadlineRules() {
  using validation::holds;
  using validation::minLength;
  using validation::required;
  static const CardRules r{
      {
          required("Giorno", cardtext::missing("il giorno della scadenza.")),
          minLength("Giorno", 2, cardtext::missing("il giorno della scadenza usando due cifre.")),
          required("Mese", cardtext::missing("il mese della scadenza.")),
          required("OreApp", cardtext::missing("l'ora dell'appuntamento.")),
          required("MinutiApp", cardtext::missing("i minuti dell'ora dell'appuntamento.")),
          minLength("OreApp", 2, cardtext::missing("l'ora dell'appuntamento usando due cifre.")),
          minLength("MinutiApp", 2, cardtext::missing("i minuti dell'ora dell'appuntamento usando due cifre.")),
          required("Avviso", cardtext::missing("i giorni di preavviso.")),
          required("Cliente", cardtext::missing("il nome del Cliente.")),
          required("Oggetto", cardtext::missing("l'oggetto della pratica a cui la scadenza si riferisce.")),
          required("Dettagli", cardtext::missing("la causale della scadenza.")),
          holds(
              "Costo",
              [](const Record& r) { return money::fits(r["Costo"], deadline::kCostDecimals, deadline::kCostDigits); },
              money::tooLargeMessage(deadline::kCostDigits)),
          holds(
              "Mese", [](const Record& r) { return deadline::monthNumber(r["Mese"]) != 0; },
              QStringLiteral("Attenzione: selezionare il mese dal menu a cascata.\n\r\n\rPer poter salvare la scheda "
                             "\u00E8 necessario indicare una data valida.")),
          holds(
              "Giorno", [](const Record& r) { return dates::isValid(r["Data"]); },
              dates::invalidDateMessage(dates::DateCheck::DeadlineSave, QStringLiteral("{Data}")), MessageKind::Plain),
      },
      [](Record& r) {
        r.set("Ora", deadline::composeTime(r["OreApp"], r["MinutiApp"]));
        r.set("Data", deadline::composeDate(r["Giorno"], r["Mese"], r["Anno"]));
      },
  };
  return r;
}

const std::vector<PrintRow>& deadlinePrintRows() {
  static const std::vector<PrintRow> rows = {
      {QStringLiteral("Data scadenza:"), QStringLiteral("{Giorno} {Mese} {Anno}")},
      {QStringLiteral("Ora appuntamento:"), QStringLiteral("{OreApp}:{MinutiApp}")},
      {QStringLiteral("Giorni preavviso:"), QStringLiteral("{Avviso}")},
      {QStringLiteral("Cliente:"), QStringLiteral("{Cliente}")},
      {QStringLiteral("Codice fiscale:"), QStringLiteral("{CodFisc}")},
      {QStringLiteral("Recapito preferenziale:"), QStringLiteral("{Recapito}")},
      {QStringLiteral("Oggetto pratica:"), QStringLiteral("{Oggetto}")},
      {QStringLiteral("Tipologia:"), QStringLiteral("{Tipologia}")},
      {QStringLiteral("Protocollo n."), QStringLiteral("{Protocollo}")},
      {QStringLiteral("Data apertura:"), QStringLiteral("{Apertura}")},
      {QStringLiteral("Data chiusura:"), QStringLiteral("{Chiusura}")},
      {QStringLiteral("Stato avanzamento:"), QStringLiteral("{Stato}")},
      {QStringLiteral("Consulente o curatore:"), QStringLiteral("{Consulente}")},
      {QStringLiteral("Causale scadenza:"), QStringLiteral("{Dettagli}")},
      {QStringLiteral("Modalit\u00E0 di pagamento:"), QStringLiteral("{Officina}")},
      {QStringLiteral("Importo in euro:"), QStringLiteral("{Costo}")},
      {QStringLiteral("Estremi ricevuta:"), QStringLiteral("{Contatto}")},
      {QStringLiteral("Note:"), QStringLiteral("{Note}")},
      {QStringLiteral("Appuntamento da confermare:"), QStringLiteral("{DaConfermare}")},
      {QStringLiteral("Pagamento effettuato:"), QStringLiteral("{Effettuata}")},
  };
  return rows;
}
