// The cash book and the three unpaid lists over a year of 100,000
// movements, each as a ratio to a plain read of the same file, taken from
// runs paired side by side (the plain read, then the measured work, again
// and again) so that the load of a shared machine weighs on both alike.
#include "benchdata.h"

#include "cashbook/cashbook.h"
#include "movements/movimento.h"
#include "unpaid/unpaid.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

constexpr int kMovements = 100000;

// "2026.eur" with kMovements movements spread over the year: income and
// expenses, one reason in six holding "IVA", one movement in three settled.
QString yearFile() {
  static QTemporaryDir dir;
  static const QString path = dir.filePath(QStringLiteral("2026.eur"));
  static const bool made = [] {
    const RecordLayout& l = TRecMovimento();
    const char* reasons[] = {"Parcella progettazione", "Versamento IVA trimestrale", "Affitto studio",
                             "Consulenza tecnica",     "Cancelleria",                "Rivalutazione ISTAT"};
    TArchivioSchede a(path, l.size());
    a.open();
    Record r(l);
    for (int i = 0; i < kMovements; ++i) {
      const bool income = i % 2 == 0;
      const QDate day = QDate(2026, 1, 1).addDays(i % 365);
      r.setFlag("Entrata", income);
      r.setFlag("Uscita", !income);
      r.set("Data", day.toString(QStringLiteral("dd/MM/yyyy")));
      r.set("Causale", QString::fromLatin1(reasons[i % 6]) + QStringLiteral(" n. %1").arg(i));
      r.set("DataSca", day.addDays(30).toString(QStringLiteral("dd/MM/yyyy")));
      r.set("Preavviso", QStringLiteral("5"));
      const QString amount = QStringLiteral("%1,%2").arg(10 + i % 5000).arg(i % 100, 2, 10, QLatin1Char('0'));
      r.set("Importo", amount);
      r.set("Totale", movement::signedTotalText(income, amount));
      r.set("Pagatore", QStringLiteral("Cliente %1 Rossi").arg(i % 997));
      r.set("Beneficiario", QStringLiteral("Studio Tecnico Bianchi"));
      r.set("Note", QStringLiteral("Movimento registrato dalla segreteria"));
      r.setFlag("Saldato", i % 3 == 0);
      a.append(encode(r));
    }
    a.close();
    return true;
  }();
  (void)made;
  return path;
}

const QDate kToday(2026, 12, 10);

size_t wholeYear() {
  return cashbook::build(yearFile(), QString(), QDate(2026, 1, 1), QDate(2026, 12, 31)).lines.size();
}
size_t mayWithIva() {
  return cashbook::build(yearFile(), QStringLiteral("iva"), QDate(2026, 5, 1), QDate(2026, 5, 31)).lines.size();
}
int unpaidList(unpaid::Kind kind) {
  const grids::Filled f = grids::fill(unpaid::list(kind), yearFile(), {kToday, {}, {}, {}});
  if (f.outcome != grids::Filled::Outcome::Complete) std::abort();
  return f.table.rows();
}

double secondsOf(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The median of the ratios of paired runs.
double pairedRatio(const std::function<void()>& work, int pairs = 7) {
  std::vector<double> ratios;
  for (int i = 0; i < pairs; ++i) {
    const double plain = secondsOf([] { benchdata::plainRead(yearFile()); });
    ratios.push_back(secondsOf(work) / plain);
  }
  std::sort(ratios.begin(), ratios.end());
  return ratios[ratios.size() / 2];
}

void BM_PlainRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(benchdata::plainRead(yearFile()));
}
void BM_CashBookWholeYear(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(wholeYear());
}
void BM_CashBookMayIva(benchmark::State& state) {
  for (auto _ : state) state.counters["lines"] = double(mayWithIva());
}
void BM_UnpaidAll(benchmark::State& state) {
  for (auto _ : state) state.counters["rows"] = unpaidList(unpaid::Kind::All);
}
void BM_UnpaidIncome(benchmark::State& state) {
  for (auto _ : state) state.counters["rows"] = unpaidList(unpaid::Kind::Income);
}
void BM_UnpaidExpenses(benchmark::State& state) {
  for (auto _ : state) state.counters["rows"] = unpaidList(unpaid::Kind::Expense);
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CashBookWholeYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CashBookMayIva)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpaidAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpaidIncome)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpaidExpenses)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  yearFile();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("a year of %d movements, %.0f MB\n", kMovements, double(kMovements) * TRecMovimento().size() / 1e6);
  const std::pair<const char*, std::function<void()>> measured[] = {
      {"cash book, whole year", [] { wholeYear(); }},
      {"cash book, May, reason \"iva\"", [] { mayWithIva(); }},
      {"unpaid income and expenses", [] { unpaidList(unpaid::Kind::All); }},
      {"unpaid income", [] { unpaidList(unpaid::Kind::Income); }},
      {"unpaid expenses", [] { unpaidList(unpaid::Kind::Expense); }},
  };
  for (const auto& [what, f] : measured)
    std::printf("ratio %s / plain read: %.2f (aim <= %s)\n", what, pairedRatio(f),
                std::string_view(what).starts_with("cash book") ? "1.5" : "3");
  benchmark::Shutdown();
  return 0;
}
