// What every benchmark program shares: client archives of a given size,
// made once per run; the plain read of a file that searches are compared
// with; and ratios taken from runs paired side by side, so that the load of
// a shared machine weighs on both sides of each ratio alike.
#pragma once

#include "archive/archivio.h"
#include "archive/record.h"
#include "clients/cliente.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace benchdata {

// ---- options, read and removed before Google Benchmark sees the rest ----

struct Options {
  int clients = 100000;
  int pairs = 9;
  // Leave the archive in the page cache as it was written, record by
  // record, instead of as a file read from disk.
  bool asWritten = false;
};

inline Options& options() {
  static Options o;
  return o;
}

// --clients=N, --pairs=N, --as-written
inline void readOptions(int& argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strncmp(a, "--clients=", 10) == 0) options().clients = std::max(1, std::atoi(a + 10));
    else if (std::strncmp(a, "--pairs=", 8) == 0) options().pairs = std::max(1, std::atoi(a + 8));
    else if (std::strcmp(a, "--as-written") == 0) options().asWritten = true;
    else argv[kept++] = argv[i];
  }
  argc = kept;
}

// ---- the archives ----

// Reads a whole file in 1 MiB blocks and touches every page lightly: the
// plain read every search is measured against.
inline long long plainRead(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  if (fd < 0) std::abort();
  std::vector<char> buf(1 << 20);
  long long sum = 0;
  ssize_t n;
  while ((n = ::read(fd, buf.data(), buf.size())) > 0)
    for (ssize_t i = 0; i < n; i += 4096) sum += buf[size_t(i)];
  ::close(fd);
  return sum;
}

// A file the program has just written sits in the page cache in small
// pieces; an archive opened on another day is read from disk and cached in
// large ones, which makes mapping it much cheaper. The benchmarks measure
// the usual case: the file is dropped from the cache and read back once.
inline void settle(const QString& path) {
  if (options().asWritten) return;
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  if (fd < 0) std::abort();
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
  plainRead(path);
}

// A program folder holding "Clienti.pro" with `clients` records. The
// folder stays in the temporary folder and is used again by later runs.
inline QString clientFolder(int clients) {
  static std::map<int, QString> made;
  QString& folder = made[clients];
  if (!folder.isEmpty()) return folder;
  folder = QDir::temp().filePath(QStringLiteral("velarion-bench-%1").arg(clients));
  QDir().mkpath(folder);
  const RecordLayout& l = TRecCliente();
  const QString file = folder + QStringLiteral("/Clienti.pro");
  // Made again for --as-written, so that it is cached as it was written.
  if (!options().asWritten && QFile(file).size() == qint64(clients) * l.size()) {
    settle(file);
    return folder;
  }
  QFile::remove(file);
  TArchivioSchede a(file, l.size());
  a.open();
  Record r(l);
  const char* jobs[] = {"Ingegnere", "Architetto", "Geometra", "Commerciante", "Impiegata"};
  const char* towns[] = {"Bologna", "Forlì", "Ravenna", "Rimini", "Cesena"};
  for (int i = 0; i < clients; ++i) {
    r.set("Cliente", QStringLiteral("Cliente %1 Rossi").arg(i));
    r.set("Recapito", QStringLiteral("333 %1").arg(1000000 + i));
    r.set("ComuneRes", QString::fromUtf8(towns[i % 5]));
    r.set("Occupazione", QString::fromUtf8(jobs[i % 5]));
    r.set("Prodotti", QStringLiteral("Progettazione, direzione lavori, pratiche catastali"));
    r.set("Questioni", i % 7 == 0 ? QStringLiteral("Richiamare per il preventivo") : QString());
    r.set("Note", QStringLiteral("Cliente dal %1").arg(1990 + i % 30));
    r.setFlag("Ricontatta", i % 7 == 0);
    a.append(encode(r)); // the archive's own write path, one record at a time
  }
  a.close();
  settle(file);
  return folder;
}
inline QString clientFolder() { return clientFolder(options().clients); }
inline QString clientFile() { return clientFolder() + QStringLiteral("/Clienti.pro"); }

// ---- timing ----

inline double seconds(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

struct Ratio {
  double median = 0, low = 0, high = 0; // the middle pair, and the middle half of the pairs
  double operation = 0, reference = 0;  // median times, seconds
};

// The operation and its reference run one after the other, `pairs` times,
// taking turns at going first; each pair gives one ratio. Each side may
// time itself (returning seconds) to leave its set-up out.
inline Ratio pairedTimes(const std::function<double()>& operation, const std::function<double()>& reference,
                         int pairs = options().pairs) {
  operation();
  reference(); // warm caches and code once
  std::vector<double> ratios, ops, refs;
  for (int i = 0; i < pairs; ++i) {
    double op, ref;
    if (i % 2 == 0) {
      ref = reference();
      op = operation();
    } else {
      op = operation();
      ref = reference();
    }
    ratios.push_back(op / ref);
    ops.push_back(op);
    refs.push_back(ref);
  }
  auto middle = [](std::vector<double> v, double at) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(at * double(v.size() - 1) + 0.5))];
  };
  return {middle(ratios, 0.5), middle(ratios, 0.25), middle(ratios, 0.75), middle(ops, 0.5), middle(refs, 0.5)};
}

inline Ratio paired(const std::function<void()>& operation, const std::function<void()>& reference,
                    int pairs = options().pairs) {
  return pairedTimes([&] { return seconds(operation); }, [&] { return seconds(reference); }, pairs);
}

// One line of the table: the ratio, its spread, the times and the aim.
inline void print(const char* what, const Ratio& r, const char* aim) {
  std::printf("%-58s %5.2f  (%4.2f-%4.2f)  %8.1f ms / %8.1f ms   aim %s\n", what, r.median, r.low, r.high,
              r.operation * 1000, r.reference * 1000, aim);
  std::fflush(stdout);
}

inline void printHeader(const char* title) {
  double load[3] = {0, 0, 0};
  if (FILE* f = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(f, "%lf %lf %lf", &load[0], &load[1], &load[2]) != 3) load[0] = -1;
    std::fclose(f);
  }
  std::printf("\n%s: %d clients, %d pairs, archive cached %s; load average %.2f %.2f %.2f on %ld cores\n", title,
              options().clients, options().pairs, options().asWritten ? "as written" : "as read from disk", load[0],
              load[1], load[2], ::sysconf(_SC_NPROCESSORS_ONLN));
  std::printf("%-58s %5s  %11s  %25s\n", "ratio (median of the pairs)", "", "(quartiles)",
              "operation / reference");
  std::fflush(stdout);
}

// The most memory the process has held so far, in MB.
inline double peakMegabytes() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return double(u.ru_maxrss) / 1024.0;
}

} // namespace benchdata
