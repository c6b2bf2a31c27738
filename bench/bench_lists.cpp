// The client search and the recontact summary over a client archive, each
// paired with a plain read of the same file: the search alone, and the
// whole road from "Cerca" on the list screen (shown offscreen) to the
// filled, painted list.
#include "benchscreens.h"

#include "clients/clientlists.h"
#include "common/screens/listscreen.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

// Criteria texts by edit name, in the order of the search's edits.
QStringList typed(std::initializer_list<std::pair<const char*, const char*>> texts) {
  QStringList t;
  for (const lists::Criterion& c : clientSearchList().criteria) {
    QString text;
    for (const auto& [edit, value] : texts)
      if (c.edit == QLatin1String(edit)) text = QString::fromUtf8(value);
    t << text;
  }
  return t;
}

// Cliente, Comune di residenza, Occupazione: a handful of clients in
// 100,000 match (see benchrecords.h).
const QStringList& threeCriteria() {
  static const QStringList t = typed({{"txtCliente", "ROSSI"}, {"txtComuneRes", "cesena"}, {"txtOccupazione", "geometra"}});
  return t;
}
const QStringList& noCriteria() {
  static const QStringList t = typed({});
  return t;
}

size_t search(const QStringList& criteria) {
  return lists::search(clientSearchList(), benchdata::clientFile(), criteria).size();
}
size_t recontact() { return lists::summary(recontactList(), benchdata::clientFile()).size(); }
void plainRead() { benchmark::DoNotOptimize(benchdata::plainRead(benchdata::clientFile())); }

// A fresh client search shown offscreen with the criteria typed; the time
// from the click on "Cerca" until the list is filled and painted.
double cercaOnScreen(const QStringList& criteria, size_t* listed = nullptr) {
  lists::ListScreen screen(clientSearchList());
  screen.show();
  for (size_t i = 0; i < clientSearchList().criteria.size(); ++i)
    screen.findChild<QLineEdit*>(clientSearchList().criteria[i].edit)->setText(criteria[qsizetype(i)]);
  auto* cerca = screen.findChild<QPushButton*>(QStringLiteral("btnCerca"));
  auto* list = screen.findChild<QListView*>(QStringLiteral("lstRecords"));
  QCoreApplication::processEvents();
  const double s = benchdata::seconds([&] {
    cerca->click();
    QCoreApplication::processEvents();
    list->viewport()->repaint();
  });
  if (listed) *listed = screen.entries().size();
  return s;
}

void BM_PlainRead(benchmark::State& state) {
  for (auto _ : state) plainRead();
}
void BM_SearchThreeCriteria(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(search(threeCriteria()));
}
void BM_SearchNoCriteria(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(search(noCriteria()));
}
void BM_RecontactSummary(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(recontact());
}
void BM_CercaOnScreenNoCriteria(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(cercaOnScreen(noCriteria()));
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchThreeCriteria)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNoCriteria)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecontactSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CercaOnScreenNoCriteria)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  const benchdata::ScreenBenchApp app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();

  benchdata::printHeader("Search and summary lists");
  const auto reference = [] { return benchdata::seconds(plainRead); };
  const size_t three = search(threeCriteria()), all = search(noCriteria());
  const std::string threeLabel = "search, three criteria (" + std::to_string(three) + " listed) / plain read";
  const std::string allLabel = "search listing every record (" + std::to_string(all) + ") / plain read";
  benchdata::print(threeLabel.c_str(), benchdata::paired([] { search(threeCriteria()); }, plainRead), "<= 1.2");
  benchdata::print(allLabel.c_str(), benchdata::paired([] { search(noCriteria()); }, plainRead), "<= 1.5");
  benchdata::print("recontact summary / plain read", benchdata::paired([] { recontact(); }, plainRead), "none");
  // a list keeps positions: its lines are made again from the file when
  // they are printed or exported as text
  const lists::ListRows every = lists::search(clientSearchList(), benchdata::clientFile(), noCriteria());
  benchdata::print("every line of that list made again / plain read",
                   benchdata::paired([&every] { benchmark::DoNotOptimize(every.toStringList()); }, plainRead), "none");
  benchdata::print("\"Cerca\" to the painted list, three criteria / plain read",
                   benchdata::pairedTimes([] { return cercaOnScreen(threeCriteria()); }, reference), "<= 1.2");
  benchdata::print("\"Cerca\" to the painted list, every record / plain read",
                   benchdata::pairedTimes([] { return cercaOnScreen(noCriteria()); }, reference), "<= 1.5");
  benchmark::Shutdown();
  return 0;
}
