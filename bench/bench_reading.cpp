// The ways a scan can read an archive, each paired with a plain read of the
// same file: the archive's own scan (mapped windows), a reused buffer
// filled by large read()s, and a mapping kept for the whole scan, with
// read-ahead advice or populated at once. Every way visits each record and
// looks at two of its bytes, as a search looking at a field or two does.
// Run it with the archive cached as read from disk (the default) and as
// written (--as-written): the second is the program's own case right after
// a long session of saving.
#include "benchdata.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <benchmark/benchmark.h>

namespace {

int recordSize() { return TRecCliente().size(); }

long long visit(const char* records, qint64 n) {
  long long sum = 0;
  const int size = recordSize();
  for (qint64 i = 0; i < n; ++i) sum += records[i * size] + records[i * size + size / 2];
  return sum;
}

void archiveScan() {
  TArchivioSchede a(benchdata::clientFile(), recordSize());
  a.open(TArchivioSchede::Access::Read);
  long long sum = 0;
  a.scanRuns([&](RecordPosition, const char* records, int n) {
    sum += visit(records, n);
    return true;
  });
  a.close();
  benchmark::DoNotOptimize(sum);
}

int openArchive() {
  const int fd = ::open(QFile::encodeName(benchdata::clientFile()).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) std::abort();
  return fd;
}

// One buffer of about `bytes`, a whole number of records, filled again and
// again; a record cut by the end of a read is completed by the next.
void bufferedReads(size_t bytes) {
  const int fd = openArchive();
  const size_t size = size_t(recordSize());
  std::vector<char> buffer(std::max<size_t>(1, bytes / size) * size);
  long long sum = 0;
  size_t held = 0;
  for (;;) {
    const ssize_t n = ::read(fd, buffer.data() + held, buffer.size() - held);
    if (n < 0) std::abort();
    held += size_t(n);
    const size_t whole = held / size;
    sum += visit(buffer.data(), qint64(whole));
    if (n == 0) break;
    std::memmove(buffer.data(), buffer.data() + whole * size, held - whole * size);
    held -= whole * size;
  }
  ::close(fd);
  benchmark::DoNotOptimize(sum);
}

// The whole file mapped once for the scan.
void wholeMapping(bool populate) {
  const int fd = openArchive();
  struct stat st{};
  ::fstat(fd, &st);
  const size_t length = size_t(st.st_size);
  void* at = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | (populate ? MAP_POPULATE : 0), fd, 0);
  if (at == MAP_FAILED) std::abort();
  if (!populate) ::madvise(at, length, MADV_SEQUENTIAL | MADV_WILLNEED);
  benchmark::DoNotOptimize(visit(static_cast<const char*>(at), qint64(length / size_t(recordSize()))));
  ::munmap(at, length);
  ::close(fd);
}

void plainRead() { benchmark::DoNotOptimize(benchdata::plainRead(benchdata::clientFile())); }

struct Way {
  const char* name;
  std::function<void()> scan;
};
const std::vector<Way>& ways() {
  static const std::vector<Way> w = {
      {"archive scan (16 MiB mapped windows)", archiveScan},
      {"reused buffer, 256 KiB reads", [] { bufferedReads(256 << 10); }},
      {"reused buffer, 1 MiB reads", [] { bufferedReads(1 << 20); }},
      {"reused buffer, 4 MiB reads", [] { bufferedReads(4 << 20); }},
      {"whole mapping, MADV_SEQUENTIAL + MADV_WILLNEED", [] { wholeMapping(false); }},
      {"whole mapping, MAP_POPULATE", [] { wholeMapping(true); }},
  };
  return w;
}

void BM_Way(benchmark::State& state) {
  for (auto _ : state) ways()[size_t(state.range(0))].scan();
}
BENCHMARK(BM_Way)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  benchdata::readOptions(argc, argv);
  benchdata::clientFolder();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchdata::printHeader("Ways of reading an archive for a scan");
  for (const Way& w : ways()) {
    const std::string label = std::string(w.name) + " / plain read";
    benchdata::print(label.c_str(), benchdata::paired(w.scan, plainRead), "<= 1.2");
  }
  benchmark::Shutdown();
  return 0;
}
