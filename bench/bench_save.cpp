// The cost of saving a card over an existing record: the program's
// overwrite (the old record kept in its journal and synced first, the
// record written and synced, the journal removed) paired with a save as it
// was before the journal (one write of the record, one sync at the close).
#include "benchdata.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kSaves = 50; // cards saved one after the other, each opening and closing the archive

RecordPosition recordAt(int i, RecordPosition count) { return 1 + (RecordPosition(i) * 7919) % count; }

void journalledSaves() {
  const int size = TRecCliente().size();
  for (int i = 0; i < kSaves; ++i) {
    TArchivioSchede a(benchdata::clientFile(), size);
    a.open();
    const RecordPosition n = recordAt(i, a.count());
    a.overwrite(n, a.read(n));
    a.close();
  }
}

void plainSaves() {
  const int size = TRecCliente().size();
  const QByteArray name = QFile::encodeName(benchdata::clientFile());
  QByteArray record(size, '\0');
  for (int i = 0; i < kSaves; ++i) {
    const int fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    ::flock(fd, LOCK_EX);
    const RecordPosition count = ::lseek(fd, 0, SEEK_END) / size;
    const off_t at = off_t(recordAt(i, count) - 1) * size;
    if (::pread(fd, record.data(), size_t(size), at) != size || ::pwrite(fd, record.constData(), size_t(size), at) != size)
      std::abort();
    ::fdatasync(fd);
    ::flock(fd, LOCK_UN);
    ::close(fd);
  }
}

void BM_JournalledSaves(benchmark::State& state) {
  for (auto _ : state) journalledSaves();
}
void BM_PlainSaves(benchmark::State& state) {
  for (auto _ : state) plainSaves();
}
BENCHMARK(BM_JournalledSaves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSaves)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  benchdata::readOptions(argc, argv);
  benchdata::clientFolder();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchdata::printHeader("Card save over a record (50 saves)");
  // three syncs (the journal, its folder, the archive) and two names made
  // and removed stand where one sync stood: the ratio is that of the syncs,
  // the time of one save is what the user waits
  const benchdata::Ratio r = benchdata::paired(journalledSaves, plainSaves);
  benchdata::print("journalled save / one write and one sync", r, "none");
  std::printf("one card save: %.2f ms journalled, %.2f ms with one write and one sync\n", r.operation * 1000 / kSaves,
              r.reference * 1000 / kSaves);
  benchmark::Shutdown();
  return 0;
}
