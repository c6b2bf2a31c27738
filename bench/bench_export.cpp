// The client export as the user makes it: the export screen `TfrmExpClienti`
// opens (shown offscreen) and reads the archive into its grid, then
// `cmdEsporta` writes "Clienti.xls". Paired with its bare floor: reading the
// archive and writing a file of the same size as the export, in large
// blocks, as plainly as it can be done, with the fsync the safe save makes.
// Also the memory the filled grid holds.
#include "benchscreens.h"

#include "clients/clientlists.h"
#include "common/screens/gridscreen.h"
#include "common/services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <optional>

#include <benchmark/benchmark.h>

namespace {

QString exportFile() { return benchdata::clientFolder() + QStringLiteral("/") + clientExport().file; }

// Sees when the progress dialog `TfrmAvanzamento` first shows, in ms from
// the last restart().
class DialogWatch : public QObject {
public:
  DialogWatch() { qApp->installEventFilter(this); }
  ~DialogWatch() override { qApp->removeEventFilter(this); }
  void restart() {
    shownAfter = -1;
    clock_.start();
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (shownAfter < 0 && e->type() == QEvent::Show && o->objectName() == QLatin1String("TfrmAvanzamento"))
      shownAfter = clock_.elapsed();
    return false;
  }
  qint64 shownAfter = -1;

private:
  QElapsedTimer clock_;
};

// What one export through the screen showed besides its file.
struct Seen {
  double grid = 0;           // MB the filled grid added
  qint64 readingDialog = -1; // ms from opening the screen to the progress dialog
  qint64 exportDialog = -1;  // ms from "Esporta" to the progress dialog
};

// Opening the screen (the grid filled) and exporting; `seen`, when given,
// gets the memory of the grid and when the progress dialogs showed.
void exportThroughTheScreen(Seen* seen = nullptr) {
  std::optional<DialogWatch> watch;
  if (seen) watch.emplace();
  const double before = benchdata::residentMegabytes();
  if (watch) watch->restart();
  grids::GridScreen screen(clientExport());
  screen.show();
  if (screen.table().rows() != benchdata::options().clients) std::abort();
  if (seen) {
    seen->grid = benchdata::residentMegabytes() - before;
    seen->readingDialog = watch->shownAfter;
    watch->restart();
  }
  screen.esporta();
  if (seen) seen->exportDialog = watch->shownAfter;
}

// Reads the archive, then writes as many bytes as the export file holds and
// makes them durable.
void bareFloor() {
  static const qint64 size = [] {
    exportThroughTheScreen();
    return QFileInfo(exportFile()).size();
  }();
  benchdata::exportFloor(benchdata::clientFile(), benchdata::clientFolder() + QStringLiteral("/floor.xls"), size);
}

void BM_BareFloor(benchmark::State& state) {
  for (auto _ : state) bareFloor();
}
void BM_ExportThroughTheScreen(benchmark::State& state) {
  for (auto _ : state) exportThroughTheScreen();
}

BENCHMARK(BM_BareFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportThroughTheScreen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  const benchdata::ScreenBenchApp app(argc, argv);
  benchdata::ExportAnswers answers;
  services::setMessages(&answers);
  // The grid's memory first, before other exports leave freed memory behind.
  Seen seen;
  exportThroughTheScreen(&seen);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();

  benchdata::printHeader("Export");
  benchdata::print("export to Clienti.xls / read archive + write same size",
                   benchdata::paired([] { exportThroughTheScreen(); }, bareFloor), "<= 1.5");
  std::printf("%-58s %5.0f MB for %d rows (%.2f KB a row)   aim <= 100 MB at 300,000 rows\n",
              "memory of the filled grid", seen.grid, benchdata::options().clients,
              seen.grid * 1024 / benchdata::options().clients);
  std::printf("%-58s %5lld ms opening the screen, %lld ms from \"Esporta\"   aim <= 250 ms\n",
              "progress dialog shown after", seen.readingDialog, seen.exportDialog);
  services::setMessages(nullptr);
  benchmark::Shutdown();
  return 0;
}
