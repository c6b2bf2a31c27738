// The client search with three criteria, the recontact summary and the
// export of 100,000 clients to "Clienti.xls", each beside a plain read of the
// same archive; and filling the on-screen list with 100,000 lines.
#include "benchdata.h"

#include "archive/paths.h"
#include "clients/clientlists.h"
#include "common/screens/listscreen.h"

#include <QApplication>
#include <QFileInfo>
#include <QListView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

namespace {

const QStringList& threeCriteria() {
  // Cliente, Comune di residenza, Occupazione: one client in five matches
  static const QStringList typed = [] {
    QStringList t;
    for (const lists::Criterion& c : clientSearchList().criteria)
      t << (c.edit == QLatin1String("txtCliente")       ? QStringLiteral("ROSSI")
            : c.edit == QLatin1String("txtComuneRes")   ? QStringLiteral("bologna")
            : c.edit == QLatin1String("txtOccupazione") ? QStringLiteral("ingegnere")
                                                        : QString());
    return t;
  }();
  return typed;
}

size_t searchThree() { return lists::search(clientSearchList(), benchdata::clientFile(), threeCriteria()).size(); }
size_t recontact() { return lists::summary(recontactList(), benchdata::clientFile()).size(); }
int exportAll() {
  const grids::GridDescription& d = clientExport();
  const xls::ExportTable table = grids::fill(d, benchdata::clientFile(), {}).table;
  if (!xls::save(benchdata::clientFolder() + QStringLiteral("/") + d.file, d.worksheet, d.columns, table)) std::abort();
  return table.rows();
}

// Every client listed (no criterion), then put into the list model of a
// shown list view, laid out and painted.
struct ScreenList {
  lists::ListLines entries =
      lists::search(clientSearchList(), benchdata::clientFile(), QStringList(10, QString()));
  QListView view;
  lists::ListModel* model = new lists::ListModel(&view);
  ScreenList() {
    QFont mono(QStringLiteral("Courier New"), 12);
    view.setFont(mono);
    view.setUniformItemSizes(true);
    model->setRowSize(QSize(1600, QFontMetrics(mono).height() + 2));
    view.setModel(model);
    view.resize(900, 450);
    view.show();
  }
  void fill() {
    model->setEntries(entries); // a copy of the lines
    view.doItemsLayout();
    view.scrollToBottom();
    view.viewport()->repaint();
  }
};
// Made in main and gone before the application.
ScreenList* theScreenList = nullptr;
ScreenList& screenList() { return *theScreenList; }

void BM_PlainRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(benchdata::plainRead(benchdata::clientFile()));
}
void BM_SearchThreeCriteria(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(searchThree());
}
void BM_SearchNoCriteria(benchmark::State& state) {
  for (auto _ : state)
    state.counters["lines"] =
        double(lists::search(clientSearchList(), benchdata::clientFile(), QStringList(10, QString())).size());
}
void BM_RecontactSummary(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(recontact());
}
void BM_ExportToXls(benchmark::State& state) {
  for (auto _ : state) state.counters["rows"] = exportAll();
}
void BM_ExportPreviewOnly(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(grids::fill(clientExport(), benchdata::clientFile(), {}).table.rows());
}
void BM_ExportWriteOnly(benchmark::State& state) {
  const grids::GridDescription& d = clientExport();
  const xls::ExportTable table = grids::fill(d, benchdata::clientFile(), {}).table;
  const QString file = benchdata::clientFolder() + QStringLiteral("/") + d.file;
  for (auto _ : state)
    if (!xls::save(file, d.worksheet, d.columns, table)) std::abort();
  state.counters["bytes"] = double(QFileInfo(file).size());
}
void BM_FillOnScreenList(benchmark::State& state) {
  for (auto _ : state) screenList().fill();
  state.counters["lines"] = double(screenList().model->rowCount());
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchThreeCriteria)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNoCriteria)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecontactSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportToXls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPreviewOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWriteOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillOnScreenList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchdata::clientFolder();
  ScreenList list;
  theScreenList = &list;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  const double plain = benchdata::seconds([] { benchdata::plainRead(benchdata::clientFile()); });
  std::printf("plain read of %d clients: %.1f ms\n", benchdata::kClients, plain * 1000);
  const std::pair<const char*, std::function<void()>> measured[] = {
      {"search, three criteria", [] { searchThree(); }},
      {"recontact summary", [] { recontact(); }},
      {"export to Clienti.xls", [] { exportAll(); }},
  };
  for (const auto& [what, f] : measured) std::printf("ratio %s / plain read: %.2f (aim <= 3)\n", what, benchdata::seconds(f) / plain);
  std::printf("on-screen list of %d lines: %.1f ms\n", int(screenList().entries.size()),
              benchdata::seconds([] { screenList().fill(); }) * 1000);
  benchmark::Shutdown();
  return 0;
}
