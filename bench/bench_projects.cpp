// The project search and the summary of overdue unfinished projects over a
// year of 10,000 projects (627 MB, 62,681 bytes a record), each beside a
// plain read of the same file. Only the searched fields are turned into
// text, so a search should cost little more than reading the file.
#include "benchdata.h"

#include "common/services.h"
#include "projects/progetto.h"
#include "projects/projectlists.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kProjects = 10000;

// A fixed today, so that the overdue summary lists the same projects on
// every run.
struct BenchClock : Clock {
  QDate today() const override { return QDate(2026, 7, 1); }
} benchClock;

// "2026.prg" with kProjects records: a third of them due before the first
// of July and not finished.
QString projectFile() {
  static QTemporaryDir dir;
  static const QString path = dir.filePath(QStringLiteral("2026.prg"));
  static const bool made = [] {
    const RecordLayout& l = TRecProgetto();
    TArchivioSchede a(path, l.size());
    a.open();
    const char* people[] = {"Arch. Rossi", "Ing. Neri", "Geom. Bianchi", "Arch. Verdi"};
    Record r(l);
    r.set("Fasi", QStringLiteral("Rilievo\r\nProgetto preliminare\r\nProgetto esecutivo\r\nCantiere\r\n").repeated(20));
    r.set("Membri", QStringLiteral("Rossi: progettazione\r\nNeri: calcoli strutturali\r\n").repeated(20));
    r.set("Espletate", QStringLiteral("Sopralluogo e rilievo dello stato di fatto.\r\n").repeated(100));
    r.set("CostoPrev", QStringLiteral("12500,00"));
    for (int i = 0; i < kProjects; ++i) {
      r.set("Nome", QStringLiteral("Progetto %1 villa al mare").arg(i));
      r.set("Codice", QStringLiteral("P-%1").arg(i, 5, 10, QLatin1Char('0')));
      r.set("Ambito", i % 3 ? QStringLiteral("Edilizia residenziale") : QStringLiteral("Opere pubbliche"));
      r.set("DataInizio", QStringLiteral("%1/01/2026").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
      r.set("DataScade", QStringLiteral("%1/%2/2026").arg(1 + i % 28, 2, 10, QLatin1Char('0')).arg(1 + i % 12, 2, 10,
                                                                                                   QLatin1Char('0')));
      r.set("Responsabile", QString::fromUtf8(people[i % 4]));
      r.set("Terminato", i % 4 == 0 ? fieldtext::yes() : fieldtext::no());
      a.append(encode(r));
    }
    a.close();
    return true;
  }();
  (void)made;
  return path;
}

// Responsabile and Data scadenza: one project in four by its person, of
// those the ones due in May (one in twelve).
const QStringList& twoCriteria() {
  static const QStringList typed = [] {
    QStringList t;
    for (const lists::Criterion& c : projectSearchList().criteria)
      t << (c.edit == QLatin1String("txtResponsabile") ? QStringLiteral("ROSSI")
            : c.edit == QLatin1String("txtDataScade")  ? QStringLiteral("/05/")
                                                       : QString());
    return t;
  }();
  return typed;
}

size_t searchTwo() { return lists::search(projectSearchList(), projectFile(), twoCriteria()).size(); }
size_t searchAll() { return lists::search(projectSearchList(), projectFile(), QStringList(10, QString())).size(); }
size_t overdue() { return lists::summary(overdueList(), projectFile()).size(); }
void plain() { benchmark::DoNotOptimize(benchdata::plainRead(projectFile())); }

void BM_PlainRead(benchmark::State& state) {
  for (auto _ : state) plain();
}
void BM_SearchTwoCriteria(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(searchTwo());
}
void BM_SearchNoCriteria(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(searchAll());
}
void BM_OverdueSummary(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(overdue());
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchTwoCriteria)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNoCriteria)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverdueSummary)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  services::setClock(&benchClock);
  projectFile();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("plain read of %d projects (%.0f MB): %.1f ms\n", kProjects,
              double(QFileInfo(projectFile()).size()) / 1e6, benchdata::seconds(plain) * 1000);
  benchdata::print("search, two criteria / plain read", benchdata::paired([] { searchTwo(); }, plain), "<= 1.5");
  benchdata::print("search, no criterion / plain read", benchdata::paired([] { searchAll(); }, plain), "<= 1.5");
  benchdata::print("overdue summary / plain read", benchdata::paired([] { overdue(); }, plain), "<= 1.5");
  benchmark::Shutdown();
  services::setClock(nullptr);
  return 0;
}
