// A full scan and an in-place read of every record of a client archive,
// each paired with a plain sequential read of the same file.
#include "benchdata.h"

#include <benchmark/benchmark.h>

namespace {

void scanAll() {
  TArchivioSchede a(benchdata::clientFile(), TRecCliente().size());
  a.open(TArchivioSchede::Access::Read);
  long long sum = 0;
  a.scan([&](RecordPosition, const char* r) {
    sum += r[0];
    return true;
  });
  a.close();
  benchmark::DoNotOptimize(sum);
}

void readEach() {
  TArchivioSchede a(benchdata::clientFile(), TRecCliente().size());
  a.open(TArchivioSchede::Access::Read);
  long long sum = 0;
  const RecordPosition n = a.count();
  for (RecordPosition i = 1; i <= n; ++i) sum += a.read(i)[0];
  a.close();
  benchmark::DoNotOptimize(sum);
}

void plainRead() { benchmark::DoNotOptimize(benchdata::plainRead(benchdata::clientFile())); }

void BM_PlainRead(benchmark::State& state) {
  for (auto _ : state) plainRead();
}
void BM_Scan(benchmark::State& state) {
  for (auto _ : state) scanAll();
}
void BM_ReadEveryRecord(benchmark::State& state) {
  for (auto _ : state) readEach();
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryRecord)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  benchdata::readOptions(argc, argv);
  benchdata::clientFolder();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchdata::printHeader("Archive");
  benchdata::print("scan of every record / plain read", benchdata::paired(scanAll, plainRead), "<= 1.5");
  benchdata::print("read of every record by position / plain read", benchdata::paired(readEach, plainRead), "none");
  benchmark::Shutdown();
  return 0;
}
