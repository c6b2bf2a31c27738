// A list keeps its records' positions and makes their lines again from the
// file when they are shown, found or printed: the lines must be the ones a
// list of held lines would give, the find must walk them alike, and a list
// must follow its file when a record changes or the file is shortened.
#include "clientfixture.h"

#include "clients/clientlists.h"
#include "common/lists.h"
#include "common/screens/listscreen.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lists;

namespace {

// The lines of a list held in memory, as a list used to keep them.
ListLines held(const ListRows& rows) {
  ListLines out;
  const QStringList lines = rows.toStringList();
  for (size_t i = 0; i < rows.size(); ++i) out.append(lines[qsizetype(i)], rows.position(i));
  return out;
}

QStringList everyLine(const ListRows& rows) {
  QStringList out;
  for (size_t i = 0; i < rows.size(); ++i) out << rows.line(i);
  return out;
}

class ListRowsTest : public ::testing::Test {
protected:
  TempProgramFolder folder;
  ListRows all() { return search(clientSearchList(), clientsPath(), QStringList(clientSearchList().criteria.size(), QString())); }
};

} // namespace

TEST_F(ListRowsTest, LinesMadeAgainAreTheBuiltLinesWhateverTheRoad) {
  // rows of every tenth record and of all, over more than one run of lines
  const int n = int(ListRows::kRun) * 2 + 300;
  std::vector<QByteArray> stored;
  std::vector<QString> expected;
  const LineBuilder line(TRecCliente(), clientSearchList().line);
  for (int i = 0; i < n; ++i) {
    const QByteArray bytes = encode(client({{"Cliente", QStringLiteral("Cliente %1 %2").arg(i).arg(i % 10 ? "" : "dieci")},
                                            {"Note", QStringLiteral("Citt\u00E0 n. %1").arg(i)}}));
    expected.push_back(line(bytes.constData()));
    stored.push_back(bytes);
  }
  seed::appendAll(clientsPath(), TRecCliente().size(), stored);
  QStringList typed(clientSearchList().criteria.size(), QString());
  typed[0] = QStringLiteral("dieci");
  const ListRows tenth = search(clientSearchList(), clientsPath(), typed);
  ASSERT_EQ(tenth.size(), size_t(n / 10 + 1));
  for (size_t i = 0; i < tenth.size(); ++i) ASSERT_EQ(tenth.position(i), RecordPosition(10 * i + 1));

  for (const ListRows& rows : {tenth, all()}) {
    const QStringList lines = rows.toStringList();
    ASSERT_EQ(lines.size(), qsizetype(rows.size()));
    size_t i = 0;
    for (const ListEntry& e : rows) {
      ASSERT_EQ(e.line, expected[size_t(e.position - 1)]) << i;
      ASSERT_EQ(lines[qsizetype(i)], e.line) << i;
      ++i;
    }
    EXPECT_EQ(i, rows.size());
    // single lines and a run from the middle agree with the whole
    EXPECT_EQ(rows.line(rows.size() - 1), lines.back());
    const ListLines middle = rows.lines(rows.size() / 2, 3);
    ASSERT_EQ(middle.size(), 3u);
    EXPECT_EQ(middle.line(1), lines[qsizetype(rows.size() / 2 + 1)]);
    EXPECT_EQ(middle.position(2), rows.position(rows.size() / 2 + 2));
    // past the end there is nothing
    EXPECT_TRUE(rows.lines(rows.size(), 5).empty());
  }

  // a list costs its positions, shared by its copies
  const ListRows every = all();
  const ListRows copy = every;
  EXPECT_LE(every.memoryBytes(), every.size() * sizeof(RecordPosition) + 512);
  EXPECT_EQ(copy.positions().data(), every.positions().data());
}

TEST_F(ListRowsTest, TheFindOverALongListWalksItAsOverHeldLines) {
  // matches near both ends and across the runs the find reads
  const int n = 3 * int(ListRows::kRun) + 17;
  const std::vector<int> rossi = {2, 255, 256, 257, 4000, n - 2};
  std::vector<QByteArray> stored;
  for (int i = 0; i < n; ++i) {
    const bool match = std::find(rossi.begin(), rossi.end(), i) != rossi.end();
    stored.push_back(encode(client({{"Cliente", match ? QStringLiteral("ROSSI %1").arg(i) : QStringLiteral("Bianchi %1").arg(i)},
                                    {"Note", i == n - 1 ? QStringLiteral("ultimo") : QString()}})));
  }
  seed::appendAll(clientsPath(), TRecCliente().size(), stored);
  const ListRows rows = all();
  const ListLines lines = held(rows);

  struct Press {
    int selected;
    const char* text;
  };
  // the same text again wraps from the last match to the first, a new text
  // starts from the top, no match keeps the selection
  const std::vector<Press> presses = {{-1, "rossi"}, {2, "rossi"},      {255, "rossi"}, {256, "rossi"},
                                      {257, "rossi"}, {4000, "rossi"}, {n - 2, "rossi"}, {n - 3, "rossi"},
                                      {100, "ultimo"}, {n - 1, "ultimo"}, {5, "zzz"},   {7, "bianchi 7"}};
  InListFind overRows, overLines;
  std::vector<int> seen;
  for (const Press& p : presses) {
    const int a = overRows.press(rows, p.selected, QString::fromUtf8(p.text)).selected;
    const int b = overLines.press(lines, p.selected, QString::fromUtf8(p.text)).selected;
    EXPECT_EQ(a, b) << p.selected << " " << p.text;
    seen.push_back(a);
  }
  EXPECT_EQ(seen, (std::vector<int>{2, 255, 256, 257, 4000, n - 2, 2, n - 2, n - 1, n - 1, 5, 7}));
}

TEST_F(ListRowsTest, TheListFollowsItsFileWhileShown) {
  appendClients({encode(client({{"Cliente", QStringLiteral("Primo")}})), encode(client({{"Cliente", QStringLiteral("Secondo")}})),
                 encode(client({{"Cliente", QStringLiteral("Terzo")}})), encode(client({{"Cliente", QStringLiteral("Quarto")}}))});
  const ListRows rows = all();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_TRUE(rows.line(1).startsWith(QStringLiteral("Secondo ")));

  // the list holds no archive open once its lines are made: a card saves
  // its record meanwhile (an exclusive lock, given up at once when taken),
  // and the list shows the record as saved
  {
    const ListEntry shown = *rows.begin();
    EXPECT_TRUE(shown.line.startsWith(QStringLiteral("Primo ")));
    TArchivioSchede card(clientsPath(), TRecCliente().size());
    card.open(TArchivioSchede::Access::Write);
    card.overwrite(2, encode(client({{"Cliente", QStringLiteral("Secondo corretto")}})));
    card.close();
  }
  EXPECT_TRUE(rows.line(1).startsWith(QStringLiteral("Secondo corretto ")));

  // the file shortened to two records and a half: the records gone give
  // empty lines, whether read alone, in a run, found or printed
  {
    QFile f(clientsPath());
    ASSERT_TRUE(f.resize(qint64(TRecCliente().size()) * 2 + 10));
  }
  const QStringList lines = rows.toStringList();
  ASSERT_EQ(lines.size(), 4);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Primo ")));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Secondo corretto ")));
  EXPECT_EQ(lines[2], QString());
  EXPECT_EQ(lines[3], QString());
  EXPECT_EQ(everyLine(rows), lines);
  InListFind find;
  EXPECT_EQ(find.press(rows, 0, QStringLiteral("secondo")).selected, 1);
  EXPECT_EQ(find.press(rows, 1, QStringLiteral("secondo")).selected, 1);

  // the file gone: every line empty, the rows stay
  ASSERT_TRUE(QFile::remove(clientsPath()));
  EXPECT_EQ(rows.toStringList(), QStringList(4, QString()));
  EXPECT_EQ(rows.position(3), 4);
}

TEST_F(ListRowsTest, TheModelShowsEachRowsLineWhicheverPageHoldsIt) {
  // more pages than the model keeps, visited back and forth
  const int n = int(ListModel::kPageRows * (ListModel::kPagesKept + 2)) + 5;
  std::vector<QByteArray> stored;
  for (int i = 0; i < n; ++i) stored.push_back(encode(client({{"Cliente", QStringLiteral("Cliente %1").arg(i)}})));
  seed::appendAll(clientsPath(), TRecCliente().size(), stored);
  ListModel model;
  model.setEntries(all());
  const QStringList lines = model.entries().toStringList();
  ASSERT_EQ(model.rowCount(), n);
  const int page = int(ListModel::kPageRows);
  for (const int row : {0, page, 2 * page + 1, 3 * page, 4 * page + 7, 5 * page, n - 1, 1, page - 1, 3 * page + 2, n - 2, 0})
    ASSERT_EQ(model.data(model.index(row), Qt::DisplayRole).toString(), lines[row]) << row;
  EXPECT_TRUE(lines[n - 1].startsWith(QStringLiteral("Cliente %1 ").arg(n - 1)));
  // a new list shows its own lines, not those kept of the last one
  QStringList typed(clientSearchList().criteria.size(), QString());
  typed[0] = QStringLiteral("cliente 1");
  model.setEntries(search(clientSearchList(), clientsPath(), typed));
  const QStringList other = model.entries().toStringList();
  ASSERT_GT(other.size(), 2);
  for (const int row : {0, 1, 2}) EXPECT_EQ(model.data(model.index(row), Qt::DisplayRole).toString(), other[row]);
  EXPECT_NE(other[1], lines[1]);
}
