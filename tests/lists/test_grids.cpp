// Grid lists without widgets: which records become rows, their numbers in
// reading order, the sort by a key column, computed cells and the checks of
// the interval panel.
#include "gridfixture.h"

#include "common/grids.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace grids;

namespace {

QString yearFile(int year) { return appointments().yearPath(QString::number(year)); }

// One column of the rows, top to bottom (of a filled grid or a table).
template <class Rows>
QStringList column(const Rows& t, int c) {
  QStringList out;
  for (int r = 0; r < t.rows(); ++r) out << t.text(r, c);
  return out;
}
template <class Rows>
std::vector<int> numbers(const Rows& t) {
  std::vector<int> out;
  for (int r = 0; r < t.rows(); ++r) out.push_back(t.number(r));
  return out;
}

} // namespace

TEST(GridFill, ReadOrderNumbersMoveWithTheirRowsWhenSorted) {
  TempProgramFolder folder;
  appendAppointments(yearFile(2026), {appointment("15/03/2026 09:00", "Primo"),
                                      appointment("10/04/2026 10:00", "Aprile"),
                                      appointment("02/03/2026 17:30", "Secondo"),
                                      appointment("02/03/2026 08:15", "Terzo", false)});
  struct Case {
    bool byDay;
    QStringList dates, times;
    std::vector<int> numbers;
    std::vector<RecordPosition> positions;
  } cases[] = {
      // the month of March: three rows in order of date and time, numbered as read
      {false, {"02/03/2026", "02/03/2026", "15/03/2026"}, {"08:15", "17:30", "09:00"}, {3, 2, 1}, {4, 3, 1}},
      // the day 2 March: the two of that day, numbered among themselves
      {true, {"02/03/2026", "02/03/2026"}, {"08:15", "17:30"}, {2, 1}, {4, 3}},
  };
  for (const Case& c : cases) {
    const GridDescription d = appointmentGrid(c.byDay);
    const GridContext context{QDate(2026, 12, 10), QDate(2026, 3, 2), {}, {}};
    EXPECT_EQ(yearlyPath(d, context), yearFile(2026));
    const Filled f = fill(d, yearlyPath(d, context), context);
    EXPECT_EQ(f.outcome, Filled::Outcome::Complete);
    EXPECT_EQ(column(f.table, 0), c.dates) << c.byDay;
    EXPECT_EQ(column(f.table, 1), c.times) << c.byDay;
    EXPECT_EQ(numbers(f.table), c.numbers) << c.byDay;
    std::vector<RecordPosition> positions;
    for (int r = 0; r < f.table.rows(); ++r) positions.push_back(f.table.position(r));
    EXPECT_EQ(positions, c.positions) << c.byDay;
  }
  // the computed key and the flag shown as a word
  const Filled month = fill(appointmentGrid(false), yearFile(2026), {QDate(), QDate(2026, 3, 2), {}, {}});
  EXPECT_EQ(column(month.table, 4), QStringList({"03020815", "03021730", "03150900"}));
  EXPECT_EQ(column(month.table, 3), QStringList({"Uscita", "Entrata", "Entrata"}));
}

TEST(GridFill, SortIsCaseInsensitiveAndKeepsTheOrderOfEqualKeys) {
  xls::ExportTable t(2);
  const char* rows[][2] = {{"b", "1"}, {"A", "2"}, {"a", "3"}, {"B", "4"}, {"10", "5"}, {"9", "6"}};
  int n = 0;
  for (const auto& r : rows) {
    t.addCell(r[0]);
    t.addCell(r[1]);
    ++n;
    t.endRow(n, n);
  }
  const xls::ExportTable s = sorted(t, 0);
  EXPECT_EQ(column(s, 0), QStringList({"10", "9", "A", "a", "b", "B"})); // text order, not numbers
  EXPECT_EQ(column(s, 1), QStringList({"5", "6", "2", "3", "1", "4"}));
  EXPECT_EQ(numbers(s), (std::vector<int>{5, 6, 2, 3, 1, 4}));
}

TEST(GridFill, TheYearOfTheChosenDayOrOfToday) {
  TempProgramFolder folder;
  const GridDescription d = appointmentGrid(false);
  EXPECT_EQ(yearlyPath(d, {QDate(2026, 12, 10), QDate(2025, 1, 31), {}, {}}), yearFile(2025));
  EXPECT_EQ(yearlyPath(d, {QDate(2026, 12, 10), QDate(), {}, {}}), yearFile(2026));
}

// The next year's file follows when it exists and is never made for this;
// each year is sorted apart, so the rows go by year first, numbered on.
TEST(GridFill, TheNextYearFollowsWhenItExists) {
  TempProgramFolder folder;
  GridDescription d = appointmentGrid(false);
  d.select = {};
  d.nextYearToo = true;
  const GridContext context{QDate(2026, 12, 28), QDate(), {}, {}};
  appendAppointments(yearFile(2026), {appointment("30/12/2026 09:00", "B"), appointment("29/12/2026 09:00", "A")});
  EXPECT_EQ(yearlyPaths(d, context), std::vector<QString>{yearFile(2026)});
  EXPECT_FALSE(QFileInfo::exists(yearFile(2027)));
  appendAppointments(yearFile(2027), {appointment("05/01/2027 10:00", "D"), appointment("02/01/2027 16:00", "C")});
  const std::vector<QString> both = yearlyPaths(d, context);
  EXPECT_EQ(both, (std::vector<QString>{yearFile(2026), yearFile(2027)}));
  const Filled f = fill(d, both, context);
  EXPECT_EQ(column(f.table, 2), QStringList({"A", "B", "C", "D"}));
  EXPECT_EQ(numbers(f.table), (std::vector<int>{2, 1, 4, 3}));
  d.nextYearToo = false;
  EXPECT_EQ(yearlyPaths(d, context).size(), size_t(1));
}

TEST(GridFill, AnIntervalOfRegistrationDates) {
  TempProgramFolder folder;
  const QString path = yearFile(2025);
  appendAppointments(path, {appointment("28/02/2025 10:00", "prima"), appointment("01/03/2025 10:00", "uno"),
                            appointment("02/03/2025 10:00", "dopo"), appointment("01/03/2025 18:00", "due")});
  GridDescription d = appointmentGrid(false);
  d.sortColumn = -1;
  d.select = dateWithin(TRecProva(), "Data");
  const Filled one = fill(d, path, {{}, {}, QDate(2025, 3, 1), QDate(2025, 3, 1)});
  EXPECT_EQ(column(one.table, 2), QStringList({"uno", "due"}));
  EXPECT_EQ(numbers(one.table), (std::vector<int>{1, 2}));
  EXPECT_EQ(fill(d, path, {{}, {}, QDate(2025, 2, 1), QDate(2025, 3, 31)}).table.rows(), 4);
}

TEST(GridFill, AStoppedFillingKeepsItsRowsUnsortedAndAnUnreadableArchiveFails) {
  TempProgramFolder folder;
  const QString path = yearFile(2026);
  Record bad = decode(TRecProva(), appointment("20/03/2026 11:00", "data sbagliata").constData());
  bad.set("Data", QStringLiteral("31/02/2026"));
  appendAppointments(path, {appointment("15/03/2026 09:00", "Primo"), appointment("02/03/2026 08:15", "Secondo"),
                            encode(bad), appointment("01/03/2026 08:00", "Dopo")});
  GridDescription d = appointmentGrid(false);
  d.select = dateWithin(TRecProva(), "Data");
  const Filled stopped = fill(d, path, {{}, {}, QDate(2026, 1, 1), QDate(2026, 12, 31)});
  EXPECT_EQ(stopped.outcome, Filled::Outcome::Stopped);
  EXPECT_EQ(column(stopped.table, 2), QStringList({"Primo", "Secondo"}));

  // a folder where the archive should be
  const QString blocked = yearFile(2027);
  ASSERT_TRUE(QDir().mkpath(blocked));
  const Filled failed = fill(appointmentGrid(false), blocked, {{}, QDate(2027, 3, 1), {}, {}});
  EXPECT_EQ(failed.outcome, Filled::Outcome::Failed);
  EXPECT_EQ(failed.table.rows(), 0);
}

TEST(IntervalPanel, ChecksInOrderWithTheirMessages) {
  using Field = IntervalCheck::Field;
  const QString noStart = QStringLiteral("Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data "
                                         "di inizio intervallo.");
  const QString noEnd = QStringLiteral("Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di "
                                     "fine intervallo.");
  const QString valid = QStringLiteral("\n\r\n\rPer poter visualizzare il riepilogo \u00E8 necessario indicare una data "
                                       "valida.");
  struct Case {
    const char *start, *end;
    QString message;
    MessageKind kind;
    Field focus;
  } cases[] = {
      {"", "10/12/2026", noStart, MessageKind::Warning, Field::Start},
      {"  ", "", noStart, MessageKind::Warning, Field::Start},
      {"01/03/2025", " ", noEnd, MessageKind::Warning, Field::End},
      {"31/04/2025", "", noEnd, MessageKind::Warning, Field::End},
      {" 31/04/2025 ", "01/05/2025", "Attenzione: la data 31/04/2025 di inizio intervallo non esiste." + valid,
       MessageKind::Plain, Field::Start},
      {"01/03/2025", "1/3/2025", "Attenzione: la data 1/3/2025 di fine intervallo non esiste." + valid,
       MessageKind::Plain, Field::End},
      {"10/03/2025", "01/03/2025",
       QStringLiteral("Attenzione: la data di fine intervallo (01/03/2025) non pu\u00F2 essere anteriore a quella di "
                      "inizio intervallo (10/03/2025).\n\r\n\rPer poter visualizzare il riepilogo \u00E8 necessario "
                      "indicare un intervallo di tempo valido."),
       MessageKind::Plain, Field::None},
  };
  for (const Case& c : cases) {
    const IntervalCheck check = checkInterval(QString::fromLatin1(c.start), QString::fromLatin1(c.end));
    EXPECT_FALSE(check.ok()) << c.start << " " << c.end;
    EXPECT_EQ(check.message, c.message) << c.start << " " << c.end;
    EXPECT_EQ(check.kind, c.kind) << c.start << " " << c.end;
    EXPECT_EQ(check.focus, c.focus) << c.start << " " << c.end;
  }
  const IntervalCheck same = checkInterval(QStringLiteral(" 01/03/2025 "), QStringLiteral("01/03/2025"));
  EXPECT_TRUE(same.ok());
  EXPECT_EQ(same.from, QDate(2025, 3, 1));
  EXPECT_EQ(same.to, QDate(2025, 3, 1));
}
