// A full scan and an in-place read of every record of a 100,000-client
// archive, beside a plain sequential read of the same file.
#include "benchdata.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void scanAll() {
  TArchivioSchede a(benchdata::clientFile(), TRecCliente().size());
  a.open(TArchivioSchede::Access::Read);
  long long sum = 0;
  a.scan([&](int, const char* r) {
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
  const int n = a.count();
  for (int i = 1; i <= n; ++i) sum += a.read(i)[0];
  a.close();
  benchmark::DoNotOptimize(sum);
}

void BM_PlainRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(benchdata::plainRead(benchdata::clientFile()));
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
  benchdata::clientFolder();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  const double plain = benchdata::seconds([] { benchdata::plainRead(benchdata::clientFile()); });
  const double scan = benchdata::seconds(scanAll);
  const double each = benchdata::seconds(readEach);
  std::printf("ratio scan / plain read: %.2f (aim <= 1.5)\n", scan / plain);
  std::printf("ratio read of every record / plain read: %.2f\n", each / plain);
  benchmark::Shutdown();
  return 0;
}
