// The client export as the user makes it: the export screen `TfrmExpClienti`
// opens (shown offscreen) and reads the archive into its grid, then
// `cmdEsporta` writes "Clienti.xls". Paired with its bare floor: reading the
// archive and writing a file of the same size as the export, in large
// blocks, as plainly as it can be done. Also the memory the filled grid holds.
#include "benchdata.h"

#include "archive/paths.h"
#include "clients/clientlists.h"
#include "common/screens/gridscreen.h"
#include "common/services.h"

#include <QApplication>
#include <QFileInfo>

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

// Opening the screen (the grid filled) and exporting; `grid` gets the
// memory the filled grid added.
void exportThroughTheScreen(double* grid = nullptr) {
  const double before = residentMegabytes();
  grids::GridScreen screen(clientExport());
  screen.show();
  if (screen.table().rows() != benchdata::options().clients) std::abort();
  if (grid) *grid = residentMegabytes() - before;
  screen.esporta();
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
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchdata::readOptions(argc, argv);
  QApplication app(argc, argv);
  paths::setProgramFolder(benchdata::clientFolder());
  Answers answers;
  services::setMessages(&answers);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();

  benchdata::printHeader("Export");
  benchdata::print("export to Clienti.xls / read archive + write same size",
                   benchdata::paired([] { exportThroughTheScreen(); }, bareFloor), "<= 1.5");
  double grid = 0;
  exportThroughTheScreen(&grid);
  std::printf("%-58s %5.0f MB for %d rows (%.2f KB a row)   aim <= 100 MB at 300,000 rows\n",
              "memory of the filled grid", grid, benchdata::options().clients,
              grid * 1024 / benchdata::options().clients);
  services::setMessages(nullptr);
  benchmark::Shutdown();
  return 0;
}
