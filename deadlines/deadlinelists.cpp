#include "deadlinelists.h"

#include "reminders.h"
#include "scadenza.h"

#include "common/fieldbytes.h"

#include <cstdio>
#include <string_view>

namespace {

using lists::Verdict;

const QString kCard = QStringLiteral("TfrmScadenzario");

xls::ExportColumn col(const char* caption, int width, std::string_view field) {
  return {QString::fromUtf8(caption), QString::fromUtf8(caption), width, {field}};
}

// The 19 columns of the export, in order.
std::vector<xls::ExportColumn> exportColumns() {
  return {
      col("Data scadenza", 150, "Data"),
      col("Ora appuntamento", 150, "Ora"),
      col("Cliente", 250, "Cliente"),
      col("Codice fiscale", 200, "CodFisc"),
      col("Recapito preferenziale", 250, "Recapito"),
      col("Oggetto pratica", 300, "Oggetto"),
      col("Tipologia", 250, "Tipologia"),
      col("Protocollo n.", 250, "Protocollo"),
      col("Data apertura", 150, "Apertura"),
      col("Data chiusura", 150, "Chiusura"),
      col("Stato avanzamento", 250, "Stato"),
      col("Consulente o curatore", 250, "Consulente"),
      col("Causale scadenza", 300, "Dettagli"),
      col("Modalità di pagamento", 300, "Officina"),
      col("Importo in euro", 200, "Costo"),
      col("Estremi ricevuta", 250, "Contatto"),
      col("Appuntamento da confermare", 250, "DaConfermare"),
      col("Pagamento effettuato", 250, "Effettuata"),
      col("Note", 300, "Note"),
  };
}

// The export's columns and the key MMDDhhmm the calendar lists sort by: the
// month digits of the date, then day, hours and minutes.
std::vector<xls::ExportColumn> calendarColumns() {
  std::vector<xls::ExportColumn> c = exportColumns();
  c.push_back({QStringLiteral("Codice univoco"), QStringLiteral("Codice univoco"), 150, {}, {},
               grids::joined(TRecScadenza(), {{"Data", 3, 2}, {"Giorno"}, {"OreApp"}, {"MinutiApp"}})});
  return c;
}

grids::GridDescription calendarList(const char* screen, const char* caption, const char* file, const char* worksheet,
                                    grids::Select select) {
  return {
      .screen = QString::fromUtf8(screen),
      .caption = QString::fromUtf8(caption),
      .helpTopic = HelpTopic::ListeScadenze,
      .archive = deadlineArchive(),
      .columns = calendarColumns(),
      .select = std::move(select),
      .sortColumn = 19,
      .file = QString::fromUtf8(file),
      .worksheet = QString::fromUtf8(worksheet),
  };
}

bool equals(std::string_view bytes, const char* text, size_t size) { return bytes == std::string_view(text, size); }

lists::ListDescription summaryOf(const char* screen, const char* caption, const char* title, lists::Condition c) {
  return {
      .screen = QString::fromUtf8(screen),
      .caption = QString::fromUtf8(caption),
      .printTitle = QString::fromUtf8(title),
      .path = lists::ArchivePath::of(deadlineArchive(), kCard),
      .criteria = {},
      .condition = std::move(c),
      .line = deadlineLine(),
      // the picked deadline goes to the card, whoever opened the list
      .targets = {{QString(), kCard, true, {}}},
  };
}

} // namespace

const std::vector<lists::LineColumn>& deadlineLine() {
  static const std::vector<lists::LineColumn> line = {{QString(), "Dettagli", 30},
                                                      {QStringLiteral("  Data: "), "Data", 10},
                                                      {QStringLiteral("  Ora: "), "Ora", 5},
                                                      {QStringLiteral("  Cliente: "), "Cliente", 28},
                                                      {QStringLiteral("  "), "Oggetto", 30},
                                                      {QStringLiteral("  \u20AC "), "Costo", 0}};
  return line;
}

const grids::GridDescription& imminentDeadlines() {
  static const grids::GridDescription d = [] {
    // a record whose date or notice cannot be read is left out; the others
    // are still listed
    grids::GridDescription g = calendarList(
        "TfrmExpImminenti", " Scadenze imminenti", "Scadenze_Imminenti.xls", "Scadenze imminenti",
        [](const char* r, const grids::GridContext& c) {
          return reminders::imminence(r, c.today) == reminders::Imminence::Imminent ? Verdict::List : Verdict::Skip;
        });
    g.nextYearToo = true;
    return g;
  }();
  return d;
}

const grids::GridDescription& deadlinesOfDay() {
  static const int data = TRecScadenza().require("Data");
  static const grids::GridDescription d = calendarList(
      "TfrmExpGiornaliere", " Scadenze del giorno", "Scadenze_Giornaliere.xls", "Scadenze del giorno",
      [](const char* r, const grids::GridContext& c) {
        // the chosen day's text is made once for the scan, not per record
        thread_local QDate madeFor;
        thread_local char day[16];
        thread_local int n = 0;
        if (c.chosen != madeFor || n == 0) {
          n = std::snprintf(day, sizeof day, "%02d/%02d/%04d", c.chosen.day(), c.chosen.month(), c.chosen.year());
          madeFor = c.chosen;
        }
        return equals(fieldbytes::text(TRecScadenza(), data, r), day, size_t(n)) ? Verdict::List : Verdict::Skip;
      });
  return d;
}

const grids::GridDescription& deadlinesOfMonth() {
  static const int mese = TRecScadenza().require("Mese"), anno = TRecScadenza().require("Anno");
  static const grids::GridDescription d = calendarList(
      "TfrmExpMensili", " Scadenze del mese", "Scadenze_Mensili.xls", "Scadenze del mese",
      [](const char* r, const grids::GridContext& c) {
        // the chosen month's texts are made once for the scan, not per record
        thread_local QDate madeFor;
        thread_local QByteArray month, year;
        if (c.chosen != madeFor || month.isEmpty()) {
          month = deadline::lowerMonthName(c.chosen.month()).toLatin1();
          year = deadline::yearText(c.chosen.year()).toLatin1();
          madeFor = c.chosen;
        }
        const std::string_view stored = fieldbytes::text(TRecScadenza(), mese, r);
        if (stored.size() != size_t(month.size())) return Verdict::Skip;
        for (size_t i = 0; i < stored.size(); ++i)
          if (fieldbytes::lowerAZ(stored[i]) != month[qsizetype(i)]) return Verdict::Skip;
        return equals(fieldbytes::text(TRecScadenza(), anno, r), year.constData(), size_t(year.size())) ? Verdict::List
                                                                                                        : Verdict::Skip;
      });
  return d;
}

const grids::GridDescription& deadlineExport() {
  static const grids::GridDescription d{
      .screen = QStringLiteral("TfrmExpScadenzario"),
      .caption = QStringLiteral(" Esporta archivio Scadenzario pagamenti"),
      .helpTopic = HelpTopic::EsportaScadenzario,
      .archive = deadlineArchive(),
      .fileOfScreen = kCard,
      .columns = exportColumns(),
      .file = QStringLiteral("Scadenze_e_Appuntamenti.xls"),
      .worksheet = QStringLiteral("Scadenze e appuntamenti"),
  };
  return d;
}

const lists::ListDescription& deadlineSearchList() {
  static const lists::ListDescription d{
      .screen = QStringLiteral("TfrmTrovaScadenzario"),
      .caption = QStringLiteral(" Trova scadenze pagamenti in archivio"),
      .printTitle = QStringLiteral("Riepilogo scadenze e appuntamenti"),
      .path = lists::ArchivePath::of(deadlineArchive(), kCard),
      .criteria =
          {
              {QStringLiteral("txtData"), QStringLiteral("Data scadenza (gg/mm/aaaa):"), "Data"},
              {QStringLiteral("txtOra"), QStringLiteral("Ora appuntamento (hh:mm):"), "Ora"},
              {QStringLiteral("txtCliente"), QStringLiteral("Cliente:"), "Cliente"},
              {QStringLiteral("txtCodFisc"), QStringLiteral("Codice fiscale:"), "CodFisc"},
              {QStringLiteral("txtOggetto"), QStringLiteral("Oggetto pratica:"), "Oggetto"},
              {QStringLiteral("txtProtocollo"), QStringLiteral("Protocollo n."), "Protocollo"},
              {QStringLiteral("txtStato"), QStringLiteral("Stato avanzamento:"), "Stato"},
              {QStringLiteral("txtConsulente"), QStringLiteral("Consulente o curatore:"), "Consulente"},
              {QStringLiteral("txtDettagli"), QStringLiteral("Causale scadenza:"), "Dettagli"},
              {QStringLiteral("txtNote"), QStringLiteral("Note:"), "Note"},
          },
      .condition = {},
      .line = deadlineLine(),
      .countPrefix = QStringLiteral("Il presente elenco contiene "),
      .targets = {{QStringLiteral("Scadenzario"), kCard, true, {}}},
  };
  return d;
}

const lists::ListDescription& toConfirmList() {
  static const lists::ListDescription d =
      summaryOf("TfrmDaConfermare", " Riepilogo appuntamenti da confermare", "Riepilogo appuntamenti da confermare",
                lists::flagIs(TRecScadenza(), "DaConfermare", fieldtext::yes()));
  return d;
}

const lists::ListDescription& toPayList() {
  static const lists::ListDescription d =
      summaryOf("TfrmConfermati", " Riepilogo pagamenti da effettuare", "Riepilogo pagamenti da effettuare",
                lists::flagIs(TRecScadenza(), "Effettuata", fieldtext::no()));
  return d;
}

const lists::ListDescription& paidList() {
  static const lists::ListDescription d =
      summaryOf("TfrmNonConfermati", " Riepilogo pagamenti effettuati", "Riepilogo pagamenti effettuati",
                lists::flagIs(TRecScadenza(), "Effettuata", fieldtext::yes()));
  return d;
}
