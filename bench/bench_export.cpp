// The client export to "Clienti.xls" paired with its bare floor: reading
// the archive and writing a file of the same size as the export, in large
// blocks, as plainly as it can be done.
#include "benchdata.h"

#include "clients/clientlists.h"

#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {

QString exportFile() { return benchdata::clientFolder() + QStringLiteral("/") + clientExport().file; }

int exportAll() {
  const grids::GridDescription& d = clientExport();
  const xls::ExportTable table = grids::fill(d, benchdata::clientFile(), {}).table;
  if (!xls::save(exportFile(), d.worksheet, d.columns, table)) std::abort();
  return table.rows();
}

// Reads the archive, then writes as many bytes as the export file holds.
void bareFloor() {
  static const qint64 size = [] {
    exportAll();
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
void BM_ExportToXls(benchmark::State& state) {
  for (auto _ : state) state.counters["rows"] = exportAll();
}

BENCHMARK(BM_BareFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportToXls)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  benchdata::readOptions(argc, argv);
  benchdata::clientFolder();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchdata::printHeader("Export");
  benchdata::print("export to Clienti.xls / read archive + write same size", benchdata::paired(exportAll, bareFloor),
                   "<= 1.5");
  benchmark::Shutdown();
  return 0;
}
