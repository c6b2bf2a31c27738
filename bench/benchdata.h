// What every benchmark program shares: client archives of a given size,
// made once per run; the plain read of a file that searches are compared
// with; and ratios taken from runs paired side by side, so that the load of
// a shared machine weighs on both sides of each ratio alike.
#pragma once

#include "archive/archivio.h"
#include "archive/record.h"
#include "clients/cliente.h"

#include "benchrecords.h"

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

// "Clienti.pro" with `clients` clients of every kind: see benchrecords.h.
inline void writeClients(const QString& file, int clients) {
  using namespace benchrecords;
  Random g(20261211);
  benchrecords::write(file, TRecCliente(), clients, [&](Record& r, qint64) {
    const QString name = personName(g);
    const QString home = town(g);
    r.set("Cliente", name);
    r.set("DataNasc", dateText(g.dayOf(1940 + g.below(65))));
    r.set("ComuneNasc", g.chance(60) ? home : town(g));
    r.set("Sesso", g.chance(50) ? QStringLiteral("M") : QStringLiteral("F"));
    r.set("Recapito", QStringLiteral("3%1 %2").arg(g.digits(2), g.digits(7)));
    r.set("IndirizzoRes", QStringLiteral("%1 %2").arg(QString::fromUtf8(g.pick(kStreets))).arg(1 + g.below(180)));
    r.set("ProvRes", home == QLatin1String("Bologna") ? QStringLiteral("BO") : QStringLiteral("RA"));
    r.set("ComuneRes", home);
    r.set("CapRes", QStringLiteral("4%1").arg(g.digits(4)));
    if (g.chance(40)) r.set("TelCasa", QStringLiteral("05%1 %2").arg(g.digits(2), g.digits(6)));
    r.set("TelCel", QStringLiteral("3%1 %2").arg(g.digits(2), g.digits(7)));
    if (g.chance(70)) r.set("Email", QStringLiteral("%1.%2@example.it").arg(g.letters(6).toLower(), g.digits(3)));
    r.set("CodFisc", g.letters(6) + g.digits(2) + g.letters(1) + g.digits(2) + g.letters(1) + g.digits(3) +
                         g.letters(1));
    if (g.chance(25)) r.set("PartitaIva", g.digits(11));
    r.set("Occupazione", QString::fromUtf8(g.pick(kJobs)));
    QString products = QString::fromUtf8(g.pick(kProducts));
    for (int k = g.below(3); k > 0; --k) products += QStringLiteral(", ") + QString::fromUtf8(g.pick(kProducts)).toLower();
    r.set("Prodotti", products);
    const bool recall = g.chance(10);
    if (recall) r.set("Questioni", QStringLiteral("Richiamare per il preventivo del %1").arg(dateText(g.dayOf(2026))));
    r.set("Note", QString::fromUtf8(g.pick(kNotes)));
    r.setFlag("Ricontatta", recall);
  });
}

// A program folder holding "Clienti.pro" with `clients` records. The
// folder stays in the temporary folder and is used again by later runs.
inline QString clientFolder(int clients) {
  static std::map<int, QString> made;
  QString& folder = made[clients];
  if (!folder.isEmpty()) return folder;
  folder = QDir::temp().filePath(QStringLiteral("velarion-bench-v2-%1").arg(clients));
  QDir().mkpath(folder);
  const RecordLayout& l = TRecCliente();
  const QString file = folder + QStringLiteral("/Clienti.pro");
  // Made again for --as-written, so that it is cached as it was written.
  if (!options().asWritten && QFile(file).size() == qint64(clients) * l.size()) {
    settle(file);
    return folder;
  }
  writeClients(file, clients);
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

// The resident memory of the process, in MB.
inline double residentMegabytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// The floor of an export: reads the archive, then writes `size` bytes to
// `path` in 1 MiB blocks and makes them durable with the one fsync the safe
// save also makes.
inline void exportFloor(const QString& archive, const QString& path, qint64 size) {
  if (plainRead(archive) == -1) std::abort();
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) std::abort();
  std::vector<char> block(size_t(1) << 20, 'x');
  for (qint64 left = size; left > 0;) {
    const ssize_t n = ::write(fd, block.data(), size_t(std::min<qint64>(left, qint64(block.size()))));
    if (n <= 0) std::abort();
    left -= n;
  }
  if (::fsync(fd) != 0) std::abort();
  ::close(fd);
}

} // namespace benchdata
