#include "unpaid.h"

#include "movements/movementlists.h"
#include "movements/movimento.h"

#include "archive/cp1252.h"
#include "common/dates.h"
#include "common/fieldbytes.h"

#include <algorithm>

namespace unpaid {

namespace {

// Where the three lists read the year: the menu's `lblFile`.
const QString kMenu = QStringLiteral("TfrmMenuInsoluti");

// A flag of a stored movement, trimmed, is exactly `value`.
bool flagIs(int field, const QByteArray& value, const char* record) {
  return fieldbytes::text(TRecMovimento(), field, record) == std::string_view(value.constData(), size_t(value.size()));
}

grids::GridDescription describe(Kind kind) {
  struct Row {
    Kind kind;
    const char *screen, *caption, *file, *worksheet;
  };
  static const Row rows[] = {
      {Kind::Income, "TfrmInsolutiEnt", " Pagamenti insoluti in entrata", "Pagamenti_in_Entrata_Insoluti.xls",
       "Pagamenti in entrata insoluti"},
      {Kind::Expense, "TfrmInsolutiUsc", " Pagamenti insoluti in uscita", "Pagamenti_in_Uscita_Insoluti.xls",
       "Pagamenti in uscita insoluti"},
      {Kind::All, "TfrmInsolutiAll", " Pagamenti insoluti in entrata e in uscita", "Pagamenti_Insoluti.xls",
       "Pagamenti insoluti"},
  };
  const Row& r = *std::find_if(std::begin(rows), std::end(rows), [kind](const Row& row) { return row.kind == kind; });
  return {
      .screen = QLatin1String(r.screen),
      .caption = QLatin1String(r.caption),
      .helpTopic = HelpTopic::RiepilogoInsoluti,
      .archive = movementArchive(),
      .fileOfScreen = kMenu,
      .columns = columns(),
      .numberWidth = 60,
      .select = [kind](const char* record, const grids::GridContext& c) { return rule(record, c.today, kind); },
      .file = QLatin1String(r.file),
      .worksheet = QLatin1String(r.worksheet),
      .exportHint = QStringLiteral("Esporta i dati in formato Microsoft Excel."),
      .doneQuestion = QStringLiteral("Esportazione in Excel effettuata con successo.\r\n\r\nSi vuole aprire il file .XLS?"),
  };
}

} // namespace

lists::Verdict rule(const char* record, QDate today, Kind kind) {
  static const QByteArray yes = cp1252::encode(fieldtext::yes()), no = cp1252::encode(fieldtext::no());
  const RecordLayout& l = TRecMovimento();
  static const int dueField = l.require("DataSca"), settled = l.require("Saldato"), income = l.require("Entrata"),
                   expense = l.require("Uscita");
  const QDate day = dates::parseBytes(fieldbytes::raw(l, dueField, record));
  if (!day.isValid()) return lists::Verdict::Stop;
  if (day > today || !flagIs(settled, no, record)) return lists::Verdict::Skip;
  if (kind == Kind::Income && !flagIs(income, yes, record)) return lists::Verdict::Skip;
  if (kind == Kind::Expense && !flagIs(expense, yes, record)) return lists::Verdict::Skip;
  return lists::Verdict::List;
}

const std::vector<xls::ExportColumn>& columns() {
  static const std::vector<xls::ExportColumn> list = [] {
    // widths on screen, in the order of the export's columns
    const int onScreen[] = {150, 150, 300, 300, 150, 120, 150, 250, 250, 200,
                            180, 250, 200, 250, 250, 250, 250, 300, 250, 100};
    std::vector<xls::ExportColumn> c = movementExportColumns();
    for (size_t i = 0; i < c.size() && i < std::size(onScreen); ++i) c[i].gridWidth = onScreen[i];
    return c;
  }();
  return list;
}

const grids::GridDescription& list(Kind kind) {
  static const grids::GridDescription income = describe(Kind::Income), expense = describe(Kind::Expense),
                                      all = describe(Kind::All);
  return kind == Kind::Income ? income : kind == Kind::Expense ? expense : all;
}

} // namespace unpaid
