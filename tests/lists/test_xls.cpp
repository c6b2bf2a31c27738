#include "clientfixture.h"

#include "clients/clientlists.h"
#include "archive/safefile.h"
#include "common/grids.h"
#include "faults.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

using namespace xls;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

// The document up to the header cells, and its end.
const QByteArray kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>Riepilogo Clienti</x:Name>"
    "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane>"
    "</x:Panes><x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
    "</x:ExcelWorkbook></xml><![endif]--><style>.t{mso-number-format:\"\\@\";}</style></head><body><table x:str>";
const QByteArray kTail = "</table></body></html>";

QByteArray header(const char* caption, int width) {
  return "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + caption + "</td>";
}

QByteArray clientHeaderRow() {
  const std::pair<const char*, int> cells[] = {
      {"Cliente", 250}, {"Data di nascita", 200}, {"Comune di nascita", 250}, {"Recapito preferenziale", 250},
      {"Indirizzo di residenza", 300}, {"Comune di residenza", 250}, {"Modalit\xE0 di pagamento", 250},
      {"Tel. casa", 250}, {"Tel. ufficio", 250}, {"Tel. cellulare", 250}, {"Fax", 250}, {"E-mail", 250},
      {"Codice fiscale", 250}, {"Partita IVA", 250}, {"Carta di credito n.", 300}, {"Scadenza", 150},
      {"IBAN", 300}, {"Estremi documento", 280}, {"Occupazione", 250}, {"Stato civile", 250},
      {"Titoli e qualifiche", 280}, {"Servizi di interesse", 300}, {"Zona di appartenenza", 250},
      {"Questioni in sospeso", 300}, {"Note", 300}};
  QByteArray row = "<tr>";
  for (const auto& [caption, width] : cells) row += header(caption, width);
  return row + "</tr>";
}

QByteArray dataRow(const QList<QByteArray>& cells) {
  QByteArray row = "<tr>";
  for (const QByteArray& c : cells) row += "<td class=\"t\" style=\"text-align: left;\">" + c + "</td>";
  return row + "</tr>";
}

// A data row of the client export with the first cells given, the rest empty.
QByteArray clientRow(QList<QByteArray> cells) {
  while (cells.size() < 25) cells.append(QByteArray());
  return dataRow(cells);
}

ExportTable readClients(const grids::GridDescription& d = clientExport()) {
  return grids::fill(d, clientsPath(), {}).table.cells();
}

QByteArray exportClients() {
  const grids::GridDescription& d = clientExport();
  return document(d.worksheet, d.columns, readClients());
}

} // namespace

TEST(XlsDocument, AnEmptyArchiveGivesTheHeaderRowOnly) {
  TempProgramFolder folder;
  EXPECT_EQ(exportClients(), kHead + clientHeaderRow() + kTail);
}

TEST(XlsDocument, RowsInFileOrderOnOneLineInWindows1252) {
  TempProgramFolder folder;
  appendClients({encode(client({{"Cliente", QStringLiteral("Rossi & Figli <srl>")},
                                {"DataNasc", QStringLiteral("01/02/1970")},
                                {"ComuneNasc", QStringLiteral("Forl\u00EC")},
                                {"ProvNasc", QStringLiteral("FC")},
                                {"Note", QStringLiteral("riga uno\r\nriga due")}})),
                 encode(client({{"Cliente", QStringLiteral("   Bianchi")}, {"ComuneNasc", QStringLiteral("Citt\u00E0")}})),
                 encode(client({{"Cliente", QStringLiteral("Verdi")}, {"ProvNasc", QStringLiteral("RM")}}))});
  const QByteArray bytes = exportClients();

  QList<QByteArray> first = {"Rossi &amp; Figli &lt;srl&gt;", "01/02/1970", "Forl\xEC FC"};
  while (first.size() < 24) first.append(QByteArray());
  // a line break stored inside a field is the field's own text and stays
  first.append("riga uno\r\nriga due");
  EXPECT_EQ(bytes, kHead + clientHeaderRow() + dataRow(first) + clientRow({"Bianchi", "", "Citt\xE0"}) +
                       clientRow({"Verdi", "", "RM"}) + kTail);
  // the writer itself adds no line break anywhere
  const QByteArray withoutNote = QByteArray(bytes).replace("riga uno\r\nriga due", "");
  EXPECT_FALSE(withoutNote.contains('\r'));
  EXPECT_FALSE(withoutNote.contains('\n'));
}

TEST(XlsDocument, TheDeviceRefusingAWriteIsAFailure) {
  QByteArray sink;
  QBuffer readOnly(&sink);
  readOnly.open(QIODevice::ReadOnly);
  EXPECT_FALSE(write(readOnly, QStringLiteral("x"), clientExport().columns, ExportTable(25)));
}

TEST(XlsRows, CellsTrimmedJoinedAndNumberedInFileOrder) {
  TempProgramFolder folder;
  Record damaged = client({{"Cliente", QStringLiteral("Danneggiato")}});
  QByteArray bad = encode(damaged);
  bad[TRecCliente().offsetOf("Cliente")] = char(0xFF); // a length byte beyond the width
  appendClients({encode(client({{"Cliente", QStringLiteral("Rossi")}, {"ComuneRes", QStringLiteral("Roma")},
                                {"ProvRes", QStringLiteral("RM")}})),
                 bad, encode(client({{"Cliente", QStringLiteral("Verdi")}, {"ComuneRes", QStringLiteral("Milano")}}))});
  const ExportTable t = readClients();
  ASSERT_EQ(t.rows(), 3);
  ASSERT_EQ(t.columns(), 25);
  EXPECT_EQ(t.text(0, 5), QStringLiteral("Roma RM"));
  EXPECT_EQ(t.text(2, 5), QStringLiteral("Milano"));
  // the damaged record is shown as it reads, and the rows go on after it
  EXPECT_TRUE(t.text(1, 0).startsWith(QStringLiteral("Danneggiato")));
  EXPECT_EQ(t.text(2, 0), QStringLiteral("Verdi"));
  EXPECT_EQ((std::vector<RecordPosition>{t.position(0), t.position(1), t.position(2)}), (std::vector<RecordPosition>{1, 2, 3}));
  EXPECT_EQ((std::vector<int>{t.number(0), t.number(1), t.number(2)}), (std::vector<int>{1, 2, 3}));
}

TEST(XlsRows, ManyRowsKeepEveryCellAcrossBlocksCopiesAndReordering) {
  // Rows of long and empty cells: the table outgrows its blocks in the
  // middle of rows; one cell is as long as a cell may be.
  auto cellText = [](int r, int c) {
    if (r == 777 && c == 1) return std::string(65535, 'z');
    return (r + c) % 4 == 0 ? std::string() : std::string(size_t(37 * c + r % 50), char('a' + (r + c) % 26));
  };
  constexpr int kRows = 6000, kColumns = 5;
  ExportTable t(kColumns);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) t.addCell(cellText(r, c));
    t.endRow(r + 100, r + 1);
  }
  const ExportTable copy = t;
  std::vector<int> backwards(kRows);
  for (int r = 0; r < kRows; ++r) backwards[size_t(r)] = kRows - 1 - r;
  const ExportTable reversed = t.reordered(backwards);
  ASSERT_EQ(t.rows(), kRows);
  ASSERT_EQ(copy.rows(), kRows);
  for (int r = 0; r < kRows; ++r) {
    ASSERT_EQ(t.position(r), r + 100);
    ASSERT_EQ(reversed.number(kRows - 1 - r), r + 1);
    for (int c = 0; c < kColumns; ++c) {
      const std::string expected = cellText(r, c);
      ASSERT_TRUE(t.cell(r, c) == expected) << r << " " << c;
      ASSERT_TRUE(copy.cell(r, c) == expected) << r << " " << c;
      ASSERT_TRUE(reversed.cell(kRows - 1 - r, c) == expected) << r << " " << c;
    }
  }
}

TEST(XlsSave, ReplacesTheFileWholeOrLeavesItAsItWas) {
  TempProgramFolder folder;
  const grids::GridDescription& d = clientExport();
  const QString path = folder.path(d.file);
  appendClients({encode(client({{"Cliente", QStringLiteral("Rossi")}}))});
  {
    QFile old(path);
    old.open(QIODevice::WriteOnly);
    old.write("an older export, longer than the new one will be ........................................"
              "................................................................................................");
  }
  const ExportTable t = readClients();
  ASSERT_TRUE(save(path, d.worksheet, d.columns, t));
  EXPECT_EQ(fileBytes(path), document(d.worksheet, d.columns, t));
  EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // the archive and the export, no leftovers

  // a file that cannot be replaced (here a folder stands in its place)
  const QString blocked = folder.path(QStringLiteral("Bloccato.xls"));
  QDir().mkdir(blocked);
  EXPECT_FALSE(save(blocked, d.worksheet, d.columns, t));
  EXPECT_TRUE(QFileInfo(blocked).isDir());
  EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
  // a folder that does not exist
  EXPECT_FALSE(save(folder.path(QStringLiteral("manca/Clienti.xls")), d.worksheet, d.columns, t));
}

// An export that cannot be written whole (full disk, a write cut short in
// the middle of a large file) reports the system's reason and leaves the
// previous spreadsheet as it was.
TEST(XlsSave, AFailedWriteKeepsThePreviousFile) {
  TempProgramFolder folder;
  const grids::GridDescription& d = clientExport();
  const QString path = folder.path(d.file);
  {
    std::vector<Record> many;
    for (int i = 0; i < 3000; ++i) many.push_back(client({{"Cliente", QStringLiteral("Cliente %1").arg(i)}}));
    seed::appendAll(clientsPath(), TRecCliente().size(), many);
  }
  const ExportTable large = readClients();
  const ExportTable small = large.reordered(std::vector<int>{0});
  ASSERT_GT(document(d.worksheet, d.columns, large).size(), 2 << 20);

  const QByteArray previous = "the previous export";
  struct Case {
    const ExportTable* table;
    rlim_t limit;
  } cases[] = {{&small, 0}, {&small, 100}, {&large, 1 << 20}};
  for (const Case& c : cases) {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(previous);
    old.close();
    QString reason;
    bool saved = true;
    {
      FileSizeLimit full(c.limit);
      saved = save(path, d.worksheet, d.columns, *c.table, &reason);
    }
    EXPECT_FALSE(saved) << c.limit;
    EXPECT_EQ(reason, safefile::reasonFor(EFBIG));
    EXPECT_EQ(fileBytes(path), previous);
    EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no leftovers
  }
}
