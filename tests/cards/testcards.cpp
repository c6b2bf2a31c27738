#include "testcards.h"

#include "common/dates.h"
#include "common/validation.h"

namespace {

constexpr FieldKind S = FieldKind::Str;
constexpr FieldKind C = FieldKind::Chars;
constexpr FieldKind F = FieldKind::Flag;

constexpr FieldDef kStrFields[] = {
    {"Entrata", F, 2},  {"Uscita", F, 2},    {"Tipo", S, 20},    {"Giorno", S, 2},   {"Mese", S, 10},
    {"Data", S, 10},    {"Importo", S, 15},  {"Costo", S, 15},   {"Copia", S, 250},  {"Nome", S, 50},
    {"Codice", S, 16},  {"Numero", S, 3},    {"Note", S, 250},   {"Saldato", F, 2},  {"Anno", S, 4},
    {"Totale", S, 15},  {"File01", S, 250},  {"File02", S, 250}, {"File03", S, 250}, {"Desc01", S, 250},
    {"Desc02", S, 250}, {"Desc03", S, 250},
};

constexpr FieldDef kCharFields[] = {
    {"Nome", C, 20},     {"Codice", C, 10},  {"Fasi", C, 40},    {"Terminato", C, 2}, {"DataInizio", C, 10},
    {"Membri", C, 30},   {"TotMembri", C, 4}, {"Costi", C, 12},  {"File01", C, 250},  {"File02", C, 250},
    {"File03", C, 250},  {"Desc01", C, 250},  {"Desc02", C, 250}, {"Desc03", C, 250},
};

QStringList numbers(int from, int to) {
  QStringList l;
  for (int i = from; i <= to; ++i) l << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
  return l;
}

const QStringList kMonths = {QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
                             QStringLiteral("Aprile"),  QStringLiteral("Maggio"),   QStringLiteral("Giugno")};

} // namespace

const RecordLayout& TRecProva() {
  static const RecordLayout layout("TRecProva", kStrFields);
  return layout;
}

const RecordLayout& TRecProvaChar() {
  static const RecordLayout layout("TRecProvaChar", kCharFields);
  return layout;
}

const CardRules& strRules() {
  static const CardRules r{
      {validation::required("Nome", QStringLiteral("Manca il nome.")),
       validation::minLength("Giorno", 2, QStringLiteral("Il giorno vuole due cifre.")),
       validation::holds("Data", [](const Record& rec) { return dates::isValid(rec["Data"]); },
                         QStringLiteral("La data {Data} non esiste.\n\r\n\rIndicare una data valida."), MessageKind::Plain)},
      // the signed total, from the type and the amount
      [](Record& rec) {
        rec.set("Totale", (rec["Uscita"] == fieldtext::yes() ? QStringLiteral("-") : QStringLiteral("+")) + rec["Importo"]);
      }};
  return r;
}

const CardDescription& strCard() {
  using namespace card;
  static const CardDescription d{
      .screen = QStringLiteral("TfrmProva"),
      .caption = QStringLiteral(" Prova di ogni controllo"),
      .archive = {&TRecProva(), QStringLiteral("Prova.pro"), {}},
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Movimento"), QStringLiteral("pagamenti"), 2,
                       {{flagOptions("Tipo movimento:", {{QStringLiteral("optEntrata"), QStringLiteral("Entrata"), "Entrata"},
                                                         {QStringLiteral("optUscita"), QStringLiteral("Uscita"), "Uscita"}}),
                         textOptions("Tipo", "Posta:",
                                     {{QStringLiteral("optArrivo"), QStringLiteral("In entrata")},
                                      {QStringLiteral("optPartenza"), QStringLiteral("In uscita")},
                                      {QStringLiteral("optInterna"), QStringLiteral("Interna")}})},
                        {pickList("Giorno", "Giorno:", numbers(1, 31)), pickList("Mese", "Mese:", kMonths)},
                        {date("Data", "Data:", QStringLiteral("prova_data")).clearedBy(QStringLiteral("impData")),
                         label("Anno", "Anno:")},
                        {amount("Importo", "Importo:", 2).savedAs(AmountSave::EmptyIsZero),
                         amount("Costo", "Costo:", 4).limit(10).savedAs(AmountSave::EmptyIsZero)}}},
                      {QStringLiteral("Dati"), QStringLiteral("documento"), 3,
                       {{edit("Nome", "Nome:").rule(Input::Upper), edit("Codice", "Codice:").rule(Input::UpperTrimmed),
                         edit("Numero", "Numero:").rule(Input::Digits)},
                        {edit("Note", "Note:").spanning(2), check("Saldato", "Saldato")},
                        {fileSlot("Copia", "Copia digitale:").spanning(3)}}},
                  },
              .enterChains = {{{QStringLiteral("txtGiorno"), QStringLiteral("txtMese"), QStringLiteral("txtNome"),
                                QStringLiteral("txtCodice"), QStringLiteral("txtNumero"), QStringLiteral("txtData")},
                               false},
                              {{QStringLiteral("txtNote"), QStringLiteral("txtImporto"), QStringLiteral("txtCosto")}}},
              .firstFocus = QStringLiteral("txtNome"),
              .focusStyle = FocusStyle::Coloured,
              .hidden = {{"Totale", QStringLiteral("txtTotale")}},
          },
      .behaviour =
          {
              .inserted = {MessageKind::Information, QStringLiteral("La scheda corrente \u00E8 stata salvata in archivio.")},
              .duplicateFailure = MessageKind::Warning,
              .duplicate = {[] {
                auto reset = attachmentsCleared();
                reset.insert(reset.begin(), {{"Saldato", fieldtext::no()}, FieldValue::todayIn("Data"), {"Giorno"}});
                return reset;
              }()},
              .defaults = {{"Entrata", fieldtext::yes()}, {"Importo", QStringLiteral("0,00")}},
              .newDefaults = {FieldValue::todayIn("Data")},
              .keptOnClear = {"Note"},
              .rules = &strRules(),
          },
      .commands = {command("cmdNuovo"), command("cmdDuplica"),
                   command("cmdSalva"), command("cmdGuida"),
                   command("cmdEsci")},
      .hints = {{QStringLiteral("optEntrata"), QStringLiteral("Spunta questa casella per registrare un importo in entrata.")}},
      .help = HelpTopic::Movimenti,
  };
  return d;
}

const CardDescription& charCard() {
  using namespace card;
  static const CardRules rules{{validation::required("Nome", QStringLiteral("Manca il nome del progetto.")),
                                validation::required("Membri", QStringLiteral("Mancano i membri del team.")),
                                validation::existingDate("DataInizio")}};
  static const CardDescription d{
      .screen = QStringLiteral("TfrmProvaChar"),
      .caption = QStringLiteral(" Prova dei campi char"),
      .archive = {&TRecProvaChar(), {}, QStringLiteral(".prv")},
      .form =
          {
              .sections =
                  {
                      {QStringLiteral("Progetto"), QStringLiteral("documento"), 2,
                       {{edit("Nome", "Nome progetto:"), edit("Codice", "Codice:")}}},
                      {QStringLiteral("Descrizione"), {}, 2,
                       {{memo("Fasi", "Fasi previste:", 3).spanning(2)},
                        {date("DataInizio", "Data inizio:", QStringLiteral("prova_inizio")),
                         check("Terminato", "Progetto terminato")}},
                       QStringLiteral("Descrizione"), QStringLiteral("txtFasi")},
                      {QStringLiteral("Partecipanti"), {}, 1,
                       {{memo("Membri", "Membri del team:", 3)}, {edit("TotMembri", "Totale partecipanti:").rule(Input::Digits)}},
                       QStringLiteral("Partecipanti"), QStringLiteral("txtMembri")},
                      {QStringLiteral("Costi"), {}, 1,
                       {{amount("Costi", "Totale costi:", 4).limit(10)}},
                       QStringLiteral("Costi"), QStringLiteral("txtCosti")},
                  },
              .firstFocus = QStringLiteral("txtNome"),
          },
      .behaviour =
          {
              .saveFailure = MessageKind::Plain,
              .duplicate = {attachmentsCleared(), false},
              .defaults = {{"Costi", QStringLiteral("0,00")}, {"TotMembri", QStringLiteral("0")}},
              .rules = &rules,
          },
      .commands = {command("cmdNuovo"), command("cmdDuplica"),
                   command("cmdSalva"), command("cmdEsci")},
  };
  return d;
}
