// The reminder check made on entering the deadline screen and the imminent
// list, over a year of 100,000 deadlines, each beside a plain read of the
// same archive. The ratios come from paired runs: each measured run is
// divided by a plain read made just before it, and the median is printed.
#include "benchdata.h"

#include "archive/paths.h"
#include "common/grids.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/reminders.h"
#include "deadlines/scadenza.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr int kDeadlines = 100000;
const QDate kToday(2026, 6, 15);

// program folder holding "2026.sca" with kDeadlines deadlines spread over the
// year, with notices of 0 to 30 days: about one in twenty is imminent
const QString& deadlineFolder() {
  static QTemporaryDir dir;
  static const QString folder = [] {
    const RecordLayout& l = TRecScadenza();
    TArchivioSchede a(dir.filePath(QStringLiteral("2026.sca")), l.size());
    a.open();
    Record r(l);
    const char* reasons[] = {"Saldo parcella", "Acconto progetto", "Sopralluogo", "Riunione in Comune", "Rata"};
    for (int i = 0; i < kDeadlines; ++i) {
      const QDate day = QDate(2026, 1, 1).addDays(i % 365);
      r.set("Giorno", day.toString(QStringLiteral("dd")));
      r.set("Mese", deadline::monthNames().at(day.month() - 1));
      r.set("Anno", QStringLiteral("2026"));
      r.set("Data", day.toString(QStringLiteral("dd/MM/yyyy")));
      r.set("OreApp", QStringLiteral("%1").arg(8 + i % 10, 2, 10, QLatin1Char('0')));
      r.set("MinutiApp", QStringLiteral("%1").arg(i % 4 * 15, 2, 10, QLatin1Char('0')));
      r.set("Ora", r["OreApp"] + QLatin1Char(':') + r["MinutiApp"]);
      r.set("Avviso", QString::number(i % 31));
      r.set("Cliente", QStringLiteral("Cliente %1 Rossi").arg(i));
      r.set("Oggetto", QStringLiteral("Pratica edilizia n. %1").arg(i % 997));
      r.set("Dettagli", QString::fromLatin1(reasons[i % 5]));
      r.set("Costo", QStringLiteral("%1,50").arg(i % 5000));
      r.setFlag("DaConfermare", i % 9 == 0);
      r.setFlag("Effettuata", i % 3 == 0);
      a.append(encode(r));
    }
    a.close();
    return dir.path();
  }();
  return folder;
}

QString deadlineFile() { return deadlineFolder() + QStringLiteral("/2026.sca"); }

RecordPosition checkOnEntry() { return reminders::check(kToday).imminent; }
int imminentList() {
  const grids::GridDescription& d = imminentDeadlines();
  const grids::GridContext c{kToday, {}, {}, {}};
  return grids::fill(d, grids::yearlyPaths(d, c), c).table.rows();
}

double secondsOf(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The median of measured / plain over paired runs.
double pairedRatio(const std::function<void()>& measured, int pairs = 9) {
  std::vector<double> ratios;
  for (int i = 0; i < pairs; ++i) {
    const double plain = secondsOf([] { benchdata::plainRead(deadlineFile()); });
    ratios.push_back(secondsOf(measured) / plain);
  }
  std::sort(ratios.begin(), ratios.end());
  return ratios[ratios.size() / 2];
}

void BM_PlainRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(benchdata::plainRead(deadlineFile()));
}
void BM_CheckOnEntry(benchmark::State& state) {
  for (auto _ : state) state.counters["imminent"] = double(checkOnEntry());
}
void BM_ImminentList(benchmark::State& state) {
  for (auto _ : state) state.counters["rows"] = imminentList();
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckOnEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImminentList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  paths::setProgramFolder(deadlineFolder());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("plain read of %d deadlines: %.1f ms\n", kDeadlines,
              benchdata::seconds([] { benchdata::plainRead(deadlineFile()); }) * 1000);
  const std::pair<const char*, std::function<void()>> measured[] = {
      {"check on entry", [] { checkOnEntry(); }},
      {"imminent list", [] { imminentList(); }},
  };
  for (const auto& [what, f] : measured)
    std::printf("ratio %s / plain read (median of paired runs): %.2f (aim <= 3)\n", what, pairedRatio(f));
  benchmark::Shutdown();
  paths::setProgramFolder(QString());
  return 0;
}
