// The client export as the user makes it: the export screen `TfrmExpClienti`
// opens (shown offscreen) and reads the archive into its grid, then
// `cmdEsporta` writes "Clienti.xls". Paired with its bare floor: reading the
// archive and writing a file of the same size as the export, in large
// blocks, as plainly as it can be done. Also the memory the filled grid holds.
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

// "Esportare adesso?" Yes; "Aprire il file?" No.
class Answers : public Messages {
public:
  bool show(MessageKind kind, const QString& text) override {
    if (kind != MessageKind::Question) std::abort(); // a failure
    return text == clientExport().confirmQuestion;
  }
};

QString exportFile() { return benchdata::clientFolder() + QStringLiteral("/") + clientExport().file; }

// The resident memory of the process, in MB.
double residentMegabytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

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
  const double before = residentMegabytes();
  if (watch) watch->restart();
  grids::GridScreen screen(clientExport());
  screen.show();
  if (screen.table().rows() != benchdata::options().clients) std::abort();
  if (seen) {
    seen->grid = residentMegabytes() - before;
    seen->readingDialog = watch->shownAfter;
    watch->restart();
  }
  screen.esporta();
  if (seen) seen->exportDialog = watch->shownAfter;
}

// Reads the archive, then writes as many bytes as the export file holds.
void bareFloor() {
  static const qint64 size = [] {
    exportThroughTheScreen();
    return QFileInfo(exportFile()).size();
  }();
  benchmark::DoNotOptimize(benchdata::plainRead(benchdata::clientFile()));
  const QString path = benchdata::clientFolder() + QStringLiteral("/floor.xls");
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) std::abort();
  std::vector<char> block(size_t(1) << 20, 'x');
  for (qint64 left = size; left > 0;) {
    const ssize_t n = ::write(fd, block.data(), size_t(std::min<qint64>(left, qint64(block.size()))));
    if (n <= 0) std::abort();
    left -= n;
  }
  ::close(fd);
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
  Answers answers;
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
