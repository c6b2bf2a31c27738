// A filled grid as a view over its archives: the rows keep where their
// records lie, and their cells are read again when shown or exported. Here
// what that view could get wrong against the cells as they were when read:
// the file of each row over two years' files, the order of equal keys,
// records changed, cut off or removed while the grid is shown, and the sort
// keys against the text comparison they stand for.
#include "gridfixture.h"

#include "archive/archivio.h"
#include "common/grids.h"
#include "common/sortkeys.h"
#include "archive/cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace grids;

namespace {

QString yearFile(int year) { return appointments().yearPath(QString::number(year)); }

QStringList column(const xls::ExportTable& t, int c) {
  QStringList out;
  for (int r = 0; r < t.rows(); ++r) out << t.text(r, c);
  return out;
}

void overwrite(const QString& path, RecordPosition n, const QByteArray& record) {
  TArchivioSchede a(path, TRecProva().size());
  a.open(TArchivioSchede::Access::Write);
  a.overwrite(n, record);
  a.close();
}

// The document written from the rows as they stream, and from their cells
// read into a table first: the two must be the same bytes.
void expectSameDocument(const GridDescription& d, const GridRows& rows) {
  const QByteArray streamed = xls::document(d.worksheet, d.columns, rows);
  EXPECT_EQ(streamed, xls::document(d.worksheet, d.columns, rows.cells()));
  EXPECT_EQ(streamed.count("<tr>"), rows.rows() + 1);
}

} // namespace

// Two years' files, each year sorted apart, with equal keys among them: each
// row reads its record from its own file, ties keep their reading order,
// and the export streams what the cells show, sorted or in file order.
TEST(GridRows, TwoYearsSortedWithTiesReadEachRowFromItsFile) {
  TempProgramFolder folder;
  appendAppointments(yearFile(2026), {appointment("30/12/2026 09:00", "B1"), appointment("29/12/2026 09:00", "A"),
                                      appointment("30/12/2026 09:00", "B2"), appointment("30/12/2026 09:00", "B3")});
  appendAppointments(yearFile(2027), {appointment("05/01/2027 10:00", "D"), appointment("02/01/2027 16:00", "C1"),
                                      appointment("02/01/2027 16:00", "C2")});
  GridDescription d = appointmentGrid(false);
  d.select = {};
  d.nextYearToo = true;
  const GridContext context{QDate(2026, 12, 28), QDate(), {}, {}};
  const std::vector<QString> both = yearlyPaths(d, context);
  ASSERT_EQ(both.size(), size_t(2));

  const Filled sorted = fill(d, both, context);
  ASSERT_EQ(sorted.outcome, Filled::Outcome::Complete);
  const xls::ExportTable cells = sorted.table.cells();
  EXPECT_EQ(column(cells, 2), QStringList({"A", "B1", "B2", "B3", "C1", "C2", "D"}));
  std::vector<int> numbers;
  std::vector<RecordPosition> positions;
  QStringList files;
  for (int r = 0; r < sorted.table.rows(); ++r) {
    numbers.push_back(sorted.table.number(r));
    positions.push_back(sorted.table.position(r));
    files << QFileInfo(sorted.table.path(r)).fileName();
  }
  EXPECT_EQ(numbers, (std::vector<int>{2, 1, 3, 4, 6, 7, 5}));
  EXPECT_EQ(positions, (std::vector<RecordPosition>{2, 1, 3, 4, 2, 3, 1}));
  EXPECT_EQ(files, QStringList({"2026.tst", "2026.tst", "2026.tst", "2026.tst", "2027.tst", "2027.tst", "2027.tst"}));
  // a block of rows that starts in one file and ends in the other
  EXPECT_EQ(column(sorted.table.cells(3, 3), 2), QStringList({"B3", "C1", "C2"}));
  expectSameDocument(d, sorted.table);

  d.sortColumn = -1;
  const Filled read = fill(d, both, context);
  EXPECT_EQ(column(read.table.cells(), 2), QStringList({"B1", "A", "B2", "B3", "D", "C1", "C2"}));
  expectSameDocument(d, read.table);
}

// A record overwritten after the filling shows its new cells; one cut off
// from the end of its file, or in a file removed meanwhile, shows empty
// cells, in the grid and in the export alike, and the removed file is not
// made again by being shown.
TEST(GridRows, ARecordChangedOrCutOffWhileTheGridIsShown) {
  TempProgramFolder folder;
  const QString path = yearFile(2026);
  appendAppointments(path, {appointment("15/03/2026 09:00", "Primo"), appointment("02/03/2026 17:30", "Secondo"),
                            appointment("10/04/2026 10:00", "Aprile"), appointment("02/03/2026 08:15", "Terzo")});
  for (const bool sorted : {true, false}) {
    SCOPED_TRACE(sorted);
    GridDescription d = appointmentGrid(false);
    if (!sorted) d.sortColumn = -1;
    const Filled f = fill(d, path, {QDate(), QDate(2026, 3, 2), {}, {}});
    ASSERT_EQ(f.table.rows(), 3);
    const QStringList before = column(f.table.cells(), 2);
    EXPECT_EQ(before, sorted ? QStringList({"Terzo", "Secondo", "Primo"}) : QStringList({"Primo", "Secondo", "Terzo"}));

    overwrite(path, 2, appointment("02/03/2026 17:30", "Cambiato"));
    QStringList changed = before;
    changed.replace(before.indexOf("Secondo"), "Cambiato");
    EXPECT_EQ(column(f.table.cells(), 2), changed);
    expectSameDocument(d, f.table);

    // the last record (Terzo, position 4) cut off
    {
      QFile file(path);
      ASSERT_TRUE(file.resize(3 * TRecProva().size()));
    }
    QStringList cut = changed;
    cut.replace(changed.indexOf("Terzo"), QString());
    const xls::ExportTable shown = f.table.cells();
    EXPECT_EQ(column(shown, 2), cut);
    EXPECT_EQ(shown.text(changed.indexOf("Terzo"), 0), QString());
    EXPECT_EQ(f.table.number(changed.indexOf("Terzo")), 3); // the third of March read
    expectSameDocument(d, f.table);

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(column(f.table.cells(), 2), QStringList({"", "", ""}));
    EXPECT_EQ(xls::document(d.worksheet, d.columns, f.table).count("<td class=\"t\" style=\"text-align: left;\"></td>"),
              3 * int(d.columns.size()));
    EXPECT_FALSE(QFileInfo::exists(path));
    appendAppointments(path, {appointment("15/03/2026 09:00", "Primo"), appointment("02/03/2026 17:30", "Secondo"),
                              appointment("10/04/2026 10:00", "Aprile"),
                              appointment("02/03/2026 08:15", "Terzo")});
  }
}

// An archive that cannot be opened when the export reads it fails the export
// with the archive's message; the grid shows empty cells.
TEST(GridRows, AnArchiveThatCannotBeOpenedFailsTheExport) {
  TempProgramFolder folder;
  const QString path = yearFile(2026);
  appendAppointments(path, {appointment("15/03/2026 09:00", "Primo")});
  GridDescription d = appointmentGrid(false);
  d.select = {};
  const Filled f = fill(d, path, {QDate(), QDate(2026, 3, 2), {}, {}});
  ASSERT_EQ(f.table.rows(), 1);
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QDir().mkpath(path));
  EXPECT_EQ(f.table.text(0, 2), QString());
  QString reason;
  EXPECT_FALSE(xls::save(folder.path(QStringLiteral("Appuntamenti.xls")), d.worksheet, d.columns, f.table, &reason));
  EXPECT_EQ(reason, archiveAccessMessage());
  EXPECT_FALSE(QFileInfo::exists(folder.path(QStringLiteral("Appuntamenti.xls"))));
}

// Every byte folds as the text comparison folds its character, so the keys
// held as bytes order as the decoded texts do.
TEST(SortKeys, EveryByteComparesAsItsCharacterWithoutRegardToCase) {
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      const char x = char(a), y = char(b);
      const int bytes = sortkeys::compare(std::string_view(&x, 1), std::string_view(&y, 1));
      const int text = QString::compare(QString(cp1252::toUnicode(uchar(a))), QString(cp1252::toUnicode(uchar(b))),
                                        Qt::CaseInsensitive);
      ASSERT_EQ(bytes < 0, text < 0) << a << " " << b;
      ASSERT_EQ(bytes == 0, text == 0) << a << " " << b;
    }
}

// The order of many keys, held as integers while they are digits and as
// bytes from the first that is not, is the stable order of their texts.
TEST(SortKeys, TheOrderOfTheTextsWithEqualKeysInTheirOrder) {
  std::mt19937 random(20261211);
  const std::string letters = "0123456789aAbBzZ \xE0\xC0\xE8\xC8\x8A\x9A\xFF\x9F-";
  auto digits = [&](size_t length) {
    std::string s;
    for (size_t i = 0; i < length; ++i) s.push_back(char('0' + random() % 10));
    return s;
  };
  struct Case {
    const char* what;
    std::function<std::string(int)> key;
    bool heldAsDigits;
  } cases[] = {
      {"MMDDhhmm keys, many equal", [&](int) { return "0" + std::to_string(1 + random() % 3) + digits(2) + "0" + digits(1) + "00"; }, true},
      {"digits of every length to 18, empty too", [&](int) { return digits(random() % 19); }, true},
      {"digits, then a key too long to be a number", [&](int i) { return i == 300 ? digits(19) : digits(random() % 6); }, false},
      {"digits, then words with accents and case", [&](int i) {
         if (i < 200) return digits(random() % 4);
         std::string s;
         for (size_t n = random() % 4; n > 0; --n) s.push_back(letters[random() % letters.size()]);
         return s;
       }, false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> keys;
    sortkeys::Keys held;
    for (int i = 0; i < 600; ++i) {
      keys.push_back(c.key(i));
      held.add(keys.back());
    }
    EXPECT_EQ(held.digits(), c.heldAsDigits) << c.what;
    std::vector<int> expected(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) expected[i] = int(i);
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
      return QString::compare(cp1252::decode(keys[size_t(a)].data(), qsizetype(keys[size_t(a)].size())),
                              cp1252::decode(keys[size_t(b)].data(), qsizetype(keys[size_t(b)].size())),
                              Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(held.order(), expected) << c.what;
  }
}
