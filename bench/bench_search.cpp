// The search of the whole studio over a studio of many years: a million
// records spread over every searched application and ten years (clients,
// cases and documents; per year the movements, deadlines, registered mail
// and projects), made once in the temporary folder
// (velarion-bench-v2-studio-<records>) with the variety of benchrecords.h.
//
// It prints:
//   - the time until the first results are there to show, as the results
//     screen gets them (the files listed, then slices of 30 ms);
//   - the whole search against a plain read of every file it reads, in
//     pairs taking turns at going first, every file read once, untimed,
//     before each side so that both find them cached alike;
//   - the memory a hit takes.
//
//   build/bench/bench_search [--records=1000000] [--pairs=9]
#include "benchdata.h"
#include "benchrecords.h"

#include "app/shell/screens/applications.h"
#include "archive/paths.h"
#include "cases/pratica.h"
#include "clients/cliente.h"
#include "common/studiosearch.h"
#include "deadlines/scadenza.h"
#include "documents/documento.h"
#include "movements/movimento.h"
#include "projects/progetto.h"
#include "protocol/protocollo.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

using namespace benchrecords;

namespace {

qint64 records = 1000000;

// The share of the records in each archive, in thousandths: the fixed
// archives once, the yearly ones each year of ten.
constexpr int kYears = 10;
constexpr int kFirstYear = 2017;
struct Share {
  const ArchiveDef& (*archive)();
  int perThousand;
};
const Share kShares[] = {
    {clientArchive, 80},   {caseArchive, 30},     {documentArchive, 30},                      // fixed: 14 %
    {movementArchive, 40}, {deadlineArchive, 25}, {protocolArchive, 20}, {projectArchive, 1}, // per year: 8.6 %
};

QString street(Random& g) {
  return QStringLiteral("%1 %2").arg(QString::fromUtf8(g.pick(kStreets))).arg(1 + g.below(180));
}

void fill(const ArchiveDef& a, Record& r, Random& g, int year) {
  const RecordLayout* l = a.layout;
  const QString name = personName(g);
  if (l == &TRecCliente()) {
    r.set("Cliente", name);
    r.set("Recapito", QStringLiteral("3%1 %2").arg(g.digits(2), g.digits(7)));
    r.set("IndirizzoRes", street(g));
    r.set("ComuneRes", town(g));
    r.set("CodFisc",
          g.letters(6) + g.digits(2) + g.letters(1) + g.digits(2) + g.letters(1) + g.digits(3) + g.letters(1));
    r.set("Occupazione", QString::fromUtf8(g.pick(kJobs)));
    r.set("Note", QString::fromUtf8(g.pick(kNotes)));
  } else if (l == &TRecPratica()) {
    r.set("Oggetto", QString::fromUtf8(g.pick(kProducts)) + QStringLiteral(" in ") + street(g));
    r.set("Protocollo", g.digits(5));
    r.set("Apertura", dateText(g.dayOf(kFirstYear + g.below(kYears))));
    r.set("Cliente", name);
    r.set("ComuneRes", town(g));
    r.set("Note", QString::fromUtf8(g.pick(kNotes)));
  } else if (l == &TRecDocumento()) {
    r.set("Documento", QString::fromUtf8(g.pick(kProducts)) + QStringLiteral(" n. ") + g.digits(4));
    r.set("Produttore", name);
    r.set("Destinatario", personName(g));
    r.set("Oggetto", QString::fromUtf8(g.pick(kNotes)));
    r.set("DataPro", dateText(g.dayOf(kFirstYear + g.below(kYears))));
  } else if (l == &TRecMovimento()) {
    const qint64 cents = g.cents();
    r.set("Causale", QString::fromUtf8(g.pick(kProducts)) + QStringLiteral(" ") + street(g));
    r.set("Data", dateText(g.dayOf(year)));
    r.set("Importo", amountText(cents));
    r.set("Totale", QStringLiteral("+") + amountText(cents));
    r.set(g.chance(60) ? "Pagatore" : "Beneficiario", name);
    r.setFlag("Entrata", true);
    r.setFlag("Saldato", g.chance(80));
  } else if (l == &TRecScadenza()) {
    r.set("Dettagli", QString::fromUtf8(g.pick(kProducts)));
    r.set("Cliente", name);
    r.set("Oggetto", street(g));
    r.set("Anno", QString::number(year));
    r.set("Note", QString::fromUtf8(g.pick(kNotes)));
  } else if (l == &TRecProtocollo()) {
    r.set("Oggetto", QString::fromUtf8(g.pick(kProducts)) + QStringLiteral(" - ") + town(g));
    r.set("Mittente", name);
    r.set("Destinatario", QStringLiteral("Comune di ") + town(g));
    r.set("DataReg", dateText(g.dayOf(year)));
  } else if (l == &TRecProgetto()) {
    r.set("Nome", QString::fromUtf8(g.pick(kProducts)) + QStringLiteral(" ") + street(g));
    r.set("Codice", QStringLiteral("P-") + g.digits(5));
    r.set("Responsabile", name);
    r.set("Descrizione", QString::fromUtf8(g.pick(kNotes)));
  }
}

// The program folder of the studio, made once.
QString studioFolder() {
  const QString folder = QDir::temp().filePath(QStringLiteral("velarion-bench-v2-studio-%1").arg(records));
  QDir().mkpath(folder);
  paths::setProgramFolder(folder);
  Random g(20261211);
  for (const Share& s : kShares) {
    const ArchiveDef& a = s.archive();
    const qint64 count = std::max<qint64>(1, records * s.perThousand / 1000);
    for (int y = 0; y < (a.isYearly() ? kYears : 1); ++y) {
      const int year = kFirstYear + y;
      const QString path = a.isYearly() ? a.yearPath(QString::number(year)) : a.fixedPath();
      if (QFileInfo(path).size() != count * a.recordSize()) {
        std::printf("making %s (%lld records)\n", qPrintable(QFileInfo(path).fileName()), count);
        std::fflush(stdout);
        write(path, *a.layout, count, [&](Record& r, qint64) { fill(a, r, g, year); });
      }
    }
  }
  return folder;
}

void readAll(const std::vector<studiosearch::Source>& sources) {
  for (const studiosearch::Source& s : sources)
    if (benchdata::plainRead(s.path) == -1) std::abort();
}

} // namespace

int main(int argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--records=", 10) == 0)
      records = std::max<qint64>(1000, std::atoll(argv[i] + 10));
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  benchdata::readOptions(argc, argv);
  registerModules();
  studioFolder();
  const std::vector<studiosearch::Source> sources = studiosearch::presentSources();
  qint64 bytes = 0, total = 0;
  for (const studiosearch::Source& s : sources) {
    bytes += QFileInfo(s.path).size();
    total += QFileInfo(s.path).size() / s.searched->list().layout().size();
    benchdata::settle(s.path);
  }
  std::printf("\nsearch of the whole studio: %lld records in %zu files, %.0f MB, %d pairs\n", total, sources.size(),
              double(bytes) / (1 << 20), benchdata::options().pairs);

  for (const char* word : {"rossi", "cesena", "zzyzx"}) {
    size_t hits = 0, hitBytes = 0;
    // the first results: the files listed, then slices as the screen runs them
    std::vector<double> firsts;
    for (int i = 0; i < benchdata::options().pairs; ++i) {
      readAll(sources);
      const auto t0 = std::chrono::steady_clock::now();
      studiosearch::Run run(QString::fromLatin1(word));
      while (run.hits().size() == 0 && run.step(std::chrono::milliseconds(30))) {
      }
      firsts.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(firsts.begin(), firsts.end());
    const benchdata::Ratio whole = benchdata::pairedTimes(
        [&] {
          readAll(sources);
          const auto t0 = std::chrono::steady_clock::now();
          studiosearch::Run run(QString::fromLatin1(word), sources);
          while (run.step(std::chrono::milliseconds(30))) {
          }
          const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
          hits = run.hits().size();
          hitBytes = run.hits().bytes();
          return s;
        },
        [&] {
          readAll(sources);
          return benchdata::seconds([&] { readAll(sources); });
        });
    std::printf("\n\"%s\": %zu hits\n", word, hits);
    if (hits > 0)
      std::printf("%-58s %8.1f ms                                   aim 100 ms\n", "first results (median)",
                  firsts[firsts.size() / 2] * 1000);
    else
      std::printf("%-58s\n", "first results: none to show");
    benchdata::print("whole search / plain read of every file", whole, "1.5");
    if (hits > 0)
      std::printf("%-58s %8.2f B                                    aim 16 B\n", "memory a hit",
                  double(hitBytes) / double(hits));
    std::fflush(stdout);
  }
  return 0;
}
