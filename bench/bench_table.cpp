// Every list, chart, summary and export a user runs over a large archive,
// in one table. Each operation is paired twice:
//   - in the process, with a plain read of the file it reads (the
//     operation and the read taking turns at going first, the file read
//     once, untimed, before each side so that both start with it cached
//     alike);
//   - as whole processes, the program's (this program run again for that
//     one operation) against a small SQLite program running the query a
//     user would write over the same rows, with the index a user would
//     create, each process started with its own file cached alike.
// The table says beside each SQLite figure whether SQLite too reads every
// row or finds its rows through its index. The export is paired with its
// floor (the archive read, a file of the same size written and fsynced); the
// memory the filled export grid holds, and a sorted grid's, are given rows.
//
// The archives sit in the program folder of the client benchmarks
// (velarion-bench-v2-<records>): "Clienti.pro", and for the year 2026 the
// movements, deadlines and registered mail, as many records each, and one
// project for every thirty records (a project is 60 KB). The SQLite
// databases are made beside them the first time.
//
//   build/bench/bench_table --clients=100000 [--pairs=9] [--process-pairs=5]
#include "benchscreens.h"

#include "common/dates.h"
#include "common/amounts.h"
#include "common/screens/gridscreen.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/reminders.h"
#include "deadlines/scadenza.h"
#include "cashbook/cashbook.h"
#include "movements/movimento.h"
#include "charts/statistics.h"
#include "unpaid/unpaid.h"
#include "projects/progetto.h"
#include "projects/projectlists.h"
#include "protocol/protocollists.h"
#include "protocol/protocollo.h"

#include <QFileInfo>
#include <QTableView>

#include <malloc.h>
#include <sys/wait.h>

#include <optional>
#include <span>

#ifdef VELARION_BENCH_SQLITE
#include <sqlite3.h>
#endif

namespace {

using namespace benchrecords;

const QDate kToday(2026, 6, 15);

struct BenchClock : Clock {
  QDate today() const override { return kToday; }
} benchClock;

QString& folder() {
  static QString f;
  return f;
}
QString inFolder(const char* name) { return folder() + QLatin1Char('/') + QString::fromUtf8(name); }
qint64 records() { return benchdata::options().clients; }
qint64 projects() { return std::max<qint64>(1, records() / 30); }

// ---- the archives besides the clients ----

void writeMovements(const QString& file) {
  Random g(2026001);
  const char* reasons[] = {"Parcella progettazione", "Versamento IVA trimestrale", "Affitto studio",
                           "Consulenza tecnica",     "Cancelleria",                "Rivalutazione ISTAT",
                           "Acconto direzione lavori", "Saldo pratica catastale",  "Utenze",
                           "Assicurazione professionale", "Contributi cassa",       "Perizia estimativa"};
  const char* suppliers[] = {"Enel Energia", "Cartoleria Centrale", "Immobiliare Galliera", "Inarcassa",
                             "Assicurazioni Generali", "Agenzia delle Entrate", "Telecom Italia"};
  const char* payments[] = {"Bonifico bancario", "Contanti", "Assegno", "Carta di credito", "RiBa"};
  const qint64 n = records();
  benchrecords::write(file, TRecMovimento(), n, [&](Record& r, qint64 i) {
    const bool income = g.chance(45);
    QDate day = QDate(2026, 1, 1).addDays(int(i * 365 / n) + g.below(7) - 3);
    if (day.year() < 2026) day = QDate(2026, 1, 1);
    if (day.year() > 2026) day = QDate(2026, 12, 31);
    r.setFlag("Entrata", income);
    r.setFlag("Uscita", !income);
    r.set("Data", dateText(day));
    r.set("Causale", QStringLiteral("%1 n. %2").arg(QString::fromUtf8(g.pick(reasons))).arg(1 + g.below(400)));
    r.set("DataSca", dateText(day.addDays(30 * g.below(4))));
    r.set("Preavviso", QString::number(g.below(15)));
    const QString amount = amountText(g.cents());
    r.set("Importo", amount);
    r.set("Totale", movement::signedTotalText(income, amount));
    if (income) r.set("Pagatore", personName(g));
    else r.set("Beneficiario", QString::fromUtf8(g.pick(suppliers)));
    r.set("Pagamento", QString::fromUtf8(g.pick(payments)));
    if (g.chance(20)) r.set("Note", QString::fromUtf8(g.pick(kNotes)));
    r.setFlag("Saldato", g.chance(70));
  });
}

void writeDeadlines(const QString& file) {
  Random g(2026002);
  const char* subjects[] = {"Saldo parcella", "Acconto progetto", "Sopralluogo", "Riunione in Comune", "Rata",
                            "Consegna elaborati", "Scadenza permesso di costruire", "Rogito", "Collaudo"};
  benchrecords::write(file, TRecScadenza(), records(), [&](Record& r, qint64) {
    const QDate day = g.dayOf(2026);
    r.set("Giorno", day.toString(QStringLiteral("dd")));
    r.set("Mese", deadline::monthNames().at(day.month() - 1));
    r.set("Anno", QStringLiteral("2026"));
    r.set("Data", dateText(day));
    r.set("OreApp", QStringLiteral("%1").arg(8 + g.below(11), 2, 10, QLatin1Char('0')));
    r.set("MinutiApp", QStringLiteral("%1").arg(g.below(4) * 15, 2, 10, QLatin1Char('0')));
    r.set("Ora", r["OreApp"] + QLatin1Char(':') + r["MinutiApp"]);
    r.set("Avviso", QString::number(g.chance(50) ? 0 : 1 + g.below(30)));
    r.set("Cliente", personName(g));
    r.set("Oggetto", QStringLiteral("%1 - %2").arg(QString::fromUtf8(g.pick(subjects)), town(g)));
    if (g.chance(30)) r.set("Dettagli", QString::fromUtf8(g.pick(kNotes)));
    r.set("Costo", amountText(g.cents()));
    r.setFlag("DaConfermare", g.chance(10));
    r.setFlag("Effettuata", g.chance(33));
  });
}

void writeProtocol(const QString& file) {
  Random g(2026003);
  const char* kinds[] = {"In entrata", "In uscita", "Interna"};
  const char* categories[] = {"Pratiche edilizie", "Catasto", "Fatture", "Corrispondenza", "Contratti",
                              "Comunicazioni"};
  const char* subjects[] = {
      "Domanda di condono edilizio", "Richiesta integrazione documenti", "Permesso di costruire",
      "Segnalazione certificata di inizio attività", "Variante in corso d'opera", "Fattura",
      "Sollecito di pagamento", "Convocazione conferenza dei servizi", "Parere della Soprintendenza",
      "Certificato di destinazione urbanistica", "Accatastamento", "Voltura catastale", "Preventivo",
      "Verbale di sopralluogo", "Comunicazione di fine lavori", "Richiesta di accesso agli atti",
      "Agibilità", "Denuncia dei cementi armati", "Autorizzazione paesaggistica", "Offerta economica",
      "Contratto di incarico", "Rinnovo polizza", "Invito a gara", "Nomina collaudatore", "Diffida"};
  const qint64 n = records();
  benchrecords::write(file, TRecProtocollo(), n, [&](Record& r, qint64 i) {
    r.set("Numero", QString::number(i + 1));
    r.set("Tipo", QString::fromUtf8(g.pick(kinds)));
    r.set("DataReg", dateText(QDate(2026, 1, 1).addDays(int(i * 365 / n))));
    r.set("Operatore", QString::fromUtf8(g.pick(kFirstNames)));
    r.set("Categoria", QString::fromUtf8(g.pick(categories)));
    r.set("Oggetto", QStringLiteral("%1 - %2").arg(QString::fromUtf8(g.pick(subjects)), personName(g)));
    r.set("Mittente", g.chance(50) ? personName(g) : QStringLiteral("Comune di ") + town(g));
    r.set("Destinatario", g.chance(50) ? QStringLiteral("Studio Tecnico") : personName(g));
    r.set("Pagine", QString::number(1 + g.below(40)));
    if (g.chance(20)) r.set("Note", QString::fromUtf8(g.pick(kNotes)));
  });
}

void writeProjects(const QString& file) {
  Random g(2026004);
  const char* works[] = {"Villa", "Ristrutturazione appartamento", "Capannone", "Scuola", "Ponte", "Condominio",
                         "Palestra", "Ampliamento", "Recupero sottotetto"};
  const char* fields[] = {"Edilizia residenziale", "Opere pubbliche", "Edilizia industriale", "Restauro"};
  benchrecords::write(file, TRecProgetto(), projects(), [&](Record& r, qint64 i) {
    r.set("Nome", QStringLiteral("%1 %2").arg(QString::fromUtf8(g.pick(works)), town(g)));
    r.set("Codice", QStringLiteral("P-%1").arg(i, 5, 10, QLatin1Char('0')));
    r.set("Ambito", QString::fromUtf8(g.pick(fields)));
    const QDate start = g.dayOf(2026);
    r.set("DataInizio", dateText(start));
    r.set("DataScade", dateText(g.dayOf(2026)));
    r.set("Responsabile", QString::fromUtf8(g.pick(kSurnames)));
    r.set("Fasi", QStringLiteral("Rilievo\r\nProgetto preliminare\r\nProgetto esecutivo\r\nCantiere\r\n")
                      .repeated(1 + g.below(30)));
    r.set("Membri", QStringLiteral("%1: progettazione\r\n").arg(personName(g)).repeated(1 + g.below(30)));
    r.set("Espletate", QStringLiteral("Sopralluogo e rilievo dello stato di fatto.\r\n").repeated(g.below(150)));
    r.set("CostoPrev", amountText(g.cents() * 10));
    r.set("Terminato", g.chance(40) ? fieldtext::yes() : fieldtext::no());
  });
}

struct ArchiveFile {
  const char* name;
  const RecordLayout& (*layout)();
  qint64 (*count)();
  void (*write)(const QString&);
};
const ArchiveFile kArchives[] = {
    {"2026.eur", TRecMovimento, records, writeMovements},
    {"2026.sca", TRecScadenza, records, writeDeadlines},
    {"2026.prt", TRecProtocollo, records, writeProtocol},
    {"2026.prg", TRecProgetto, projects, writeProjects},
};

// Made when missing or of another size, then dropped from the cache and
// read back once, as a file opened on another day.
void makeArchives() {
  for (const ArchiveFile& a : kArchives) {
    const QString file = inFolder(a.name);
    if (QFileInfo(file).size() != a.count() * a.layout().size()) {
      std::printf("making %s (%lld records)\n", a.name, a.count());
      std::fflush(stdout);
      a.write(file);
    }
    benchdata::settle(file);
  }
}

// ---- the operations ----

QStringList typed(std::span<const lists::Criterion> criteria,
                  std::initializer_list<std::pair<const char*, const char*>> texts) {
  QStringList t;
  for (const lists::Criterion& c : criteria) {
    QString text;
    for (const auto& [edit, value] : texts)
      if (c.edit == QLatin1String(edit)) text = QString::fromUtf8(value);
    t << text;
  }
  return t;
}

qint64 clientSearch(std::initializer_list<std::pair<const char*, const char*>> texts) {
  return qint64(lists::search(clientSearchList(), inFolder("Clienti.pro"), typed(clientSearchList().criteria, texts))
                    .size());
}
qint64 chart(statistics::Chart c) {
  const statistics::Result r = statistics::compute(c, inFolder("2026.eur"), QStringLiteral("2026"));
  if (!r.done()) std::abort();
  return qint64(r.euros.size());
}
qint64 unpaidList(unpaid::Kind kind) {
  const grids::Filled f = grids::fill(unpaid::list(kind), inFolder("2026.eur"), {kToday, {}, {}, {}});
  if (f.outcome != grids::Filled::Outcome::Complete) std::abort();
  return f.table.rows();
}
qint64 calendarList(const grids::GridDescription& d, QDate chosen) {
  const grids::GridContext c{kToday, chosen, {}, {}};
  const grids::Filled f = grids::fill(d, grids::yearlyPaths(d, c), c);
  if (f.outcome != grids::Filled::Outcome::Complete) std::abort();
  return f.table.rows();
}

struct Operation {
  const char* key;   // the name a child process is given
  const char* label; // the row of the table
  const char* file;  // what the plain read reads
  std::function<qint64()> run;
  const char* aim; // ratio to the plain read
  // The SQLite pair: its database, its query, and whether SQLite too must
  // read every row. No database: no pair.
  const char* database = nullptr;
  std::string query;
  bool everyRow = true;
};

const char* const kClientColumns = "SELECT rowid, Cliente, Recapito, ComuneRes, Note FROM clienti";
const char* const kMovementColumns = "SELECT rowid, Entrata, Causale, Data, Pagatore, Beneficiario, Importo FROM movimenti";
const char* const kDeadlineColumns = "SELECT rowid, Data, Ora, Cliente, Oggetto, Avviso FROM scadenze";

const std::vector<Operation>& operations() {
  static const std::vector<Operation> ops = {
      {"search-selective", "client search, three criteria (selective)", "Clienti.pro",
       [] { return clientSearch({{"txtCliente", "ROSSI"}, {"txtComuneRes", "cesena"}, {"txtOccupazione", "geometra"}}); },
       "<= 1.2", "clienti.sqlite",
       std::string(kClientColumns) +
           " WHERE Cliente LIKE '%rossi%' AND ComuneRes LIKE '%cesena%' AND Occupazione LIKE '%geometra%'"},
      {"search-all", "client search listing every client", "Clienti.pro", [] { return clientSearch({}); }, "<= 1.5",
       "clienti.sqlite", kClientColumns},
      {"search-broad", "client search, broad (town: a third listed)", "Clienti.pro",
       [] { return clientSearch({{"txtComuneRes", "bologna"}}); }, "<= 1.5", "clienti.sqlite",
       std::string(kClientColumns) + " WHERE ComuneRes LIKE '%bologna%'"},
      {"cashbook", "cash book, whole year", "2026.eur",
       [] {
         return qint64(cashbook::build(inFolder("2026.eur"), QString(), QDate(2026, 1, 1), QDate(2026, 12, 31))
                           .lines.size());
       },
       "<= 1.5", "movimenti.sqlite",
       std::string(kMovementColumns) +
           " WHERE iso_data BETWEEN '2026-01-01' AND '2026-12-31' ORDER BY rowid"},
      {"chart-income", "chart: monthly income", "2026.eur", [] { return chart(statistics::Chart::MonthlyIncome); },
       "<= 1.5", "movimenti.sqlite",
       "SELECT substr(iso_data, 6, 2) AS mese, sum(centesimi) FROM movimenti WHERE Entrata = 'Sì' AND iso_data LIKE "
       "'2026-%' GROUP BY mese"},
      {"chart-expenses", "chart: monthly expenses", "2026.eur",
       [] { return chart(statistics::Chart::MonthlyExpenses); }, "<= 1.5", "movimenti.sqlite",
       "SELECT substr(iso_data, 6, 2) AS mese, sum(centesimi) FROM movimenti WHERE Uscita = 'Sì' AND iso_data LIKE "
       "'2026-%' GROUP BY mese"},
      {"chart-balance", "chart: balance", "2026.eur", [] { return chart(statistics::Chart::Balance); }, "<= 1.5",
       "movimenti.sqlite", "SELECT Entrata, sum(centesimi) FROM movimenti GROUP BY Entrata"},
      {"unpaid-all", "unpaid list: income and expenses", "2026.eur", [] { return unpaidList(unpaid::Kind::All); },
       "<= 1.5", "movimenti.sqlite", std::string(kMovementColumns) + " WHERE Saldato = 'No'"},
      {"unpaid-income", "unpaid list: income", "2026.eur", [] { return unpaidList(unpaid::Kind::Income); }, "<= 1.5",
       "movimenti.sqlite", std::string(kMovementColumns) + " WHERE Saldato = 'No' AND Entrata = 'Sì'"},
      {"calendar-day", "calendar list: the day's deadlines", "2026.sca",
       [] { return calendarList(deadlinesOfDay(), kToday); }, "<= 1.5", "scadenze.sqlite",
       std::string(kDeadlineColumns) + " WHERE iso_data = '2026-06-15' ORDER BY Ora", false},
      {"calendar-month", "calendar list: the month's deadlines", "2026.sca",
       [] { return calendarList(deadlinesOfMonth(), kToday); }, "<= 1.5", "scadenze.sqlite",
       std::string(kDeadlineColumns) + " WHERE iso_data BETWEEN '2026-06-01' AND '2026-06-30' ORDER BY iso_data, Ora",
       false},
      {"calendar-imminent", "calendar list: imminent deadlines", "2026.sca",
       [] { return calendarList(imminentDeadlines(), QDate()); }, "<= 1.5", "scadenze.sqlite",
       std::string(kDeadlineColumns) +
           " WHERE iso_data >= '2026-06-15' AND julianday(iso_data) - Avviso <= julianday('2026-06-15') ORDER BY "
           "iso_data, Ora",
       false},
      {"reminders", "reminder check on entering the deadlines", "2026.sca",
       [] { return qint64(reminders::check(kToday).imminent); }, "<= 1.5", "scadenze.sqlite",
       "SELECT count(*) FROM scadenze WHERE iso_data >= '2026-06-15' AND julianday(iso_data) - Avviso <= "
       "julianday('2026-06-15')",
       false},
      {"protocol-search", "protocol search, two criteria (selective)", "2026.prt",
       [] {
         const lists::ListDescription& d = protocolSearchList();
         return qint64(
             lists::search(d, inFolder("2026.prt"), typed(d.criteria, {{"txtOggetto", "condono"}, {"txtMittente", "cesena"}}))
                 .size());
       },
       "<= 1.2", "protocollo.sqlite",
       "SELECT rowid, Numero, DataReg, Tipo, Oggetto, Mittente, Destinatario FROM protocollo WHERE Oggetto LIKE "
       "'%condono%' AND Mittente LIKE '%cesena%'"},
      {"project-overdue", "project summary: overdue, not finished", "2026.prg",
       [] { return qint64(lists::summary(overdueList(), inFolder("2026.prg")).size()); }, "<= 1.5",
       "progetti.sqlite",
       "SELECT rowid, Nome, Codice, DataScade, Responsabile FROM progetti WHERE iso_data < '2026-06-15' AND "
       "Terminato <> 'Sì'",
       false},
  };
  return ops;
}

// ---- the SQLite databases ----

#ifdef VELARION_BENCH_SQLITE
// A column the user adds beside the record's fields to query by: a date as
// yyyy-mm-dd, an amount in cents.
struct Extra {
  const char* name;
  const char* field;
  bool cents;
};
struct Database {
  const char* name;
  const char* table;
  const char* archive;
  const RecordLayout& (*layout)();
  std::vector<Extra> extras;
  std::vector<const char*> indexes; // on the columns named
};
const std::vector<Database>& databases() {
  static const std::vector<Database> d = {
      {"clienti.sqlite", "clienti", "Clienti.pro", TRecCliente, {}, {"Cliente"}},
      {"movimenti.sqlite", "movimenti", "2026.eur", TRecMovimento,
       {{"iso_data", "Data", false}, {"centesimi", "Importo", true}}, {"iso_data"}},
      {"scadenze.sqlite", "scadenze", "2026.sca", TRecScadenza, {{"iso_data", "Data", false}}, {"iso_data"}},
      {"protocollo.sqlite", "protocollo", "2026.prt", TRecProtocollo, {{"iso_data", "DataReg", false}},
       {"iso_data"}},
      {"progetti.sqlite", "progetti", "2026.prg", TRecProgetto, {{"iso_data", "DataScade", false}}, {"iso_data"}},
  };
  return d;
}

void check(int rc, sqlite3* db) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
    std::fprintf(stderr, "SQLite: %s\n", sqlite3_errmsg(db));
    std::abort();
  }
}

qint64 rowsIn(const QString& path, const char* table) {
  if (!QFileInfo::exists(path)) return -1;
  sqlite3* db = nullptr;
  qint64 n = -1;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* q = nullptr;
    const std::string sql = std::string("SELECT count(*) FROM ") + table;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &q, nullptr) == SQLITE_OK && sqlite3_step(q) == SQLITE_ROW)
      n = sqlite3_column_int64(q, 0);
    sqlite3_finalize(q);
  }
  sqlite3_close(db);
  return n;
}

// One table of every field of the archive's records, as their texts, plus
// the user's columns and indexes.
void makeDatabase(const Database& d) {
  const QString path = inFolder(d.name);
  const RecordLayout& l = d.layout();
  TArchivioSchede archive(inFolder(d.archive), l.size());
  archive.open(TArchivioSchede::Access::Read);
  if (rowsIn(path, d.table) == archive.count()) return;
  std::printf("making %s\n", d.name);
  std::fflush(stdout);
  QFile::remove(path);
  sqlite3* db = nullptr;
  check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
  check(sqlite3_exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN", nullptr, nullptr, nullptr), db);
  std::string create = std::string("CREATE TABLE ") + d.table + " (", insert = std::string("INSERT INTO ") + d.table + " VALUES (";
  for (int f = 0; f < l.fieldCount(); ++f) {
    create += (f ? ", \"" : "\"") + std::string(l.field(f).name) + "\" TEXT";
    insert += f ? ", ?" : "?";
  }
  for (const Extra& e : d.extras) {
    create += std::string(", ") + e.name + (e.cents ? " INTEGER" : " TEXT");
    insert += ", ?";
  }
  check(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), db);
  sqlite3_stmt* q = nullptr;
  check(sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &q, nullptr), db);
  archive.scan([&](RecordPosition, const char* record) {
    const Record r = decode(l, record);
    for (int f = 0; f < l.fieldCount(); ++f) {
      const QByteArray text = r[f].toUtf8();
      sqlite3_bind_text(q, f + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    int column = l.fieldCount();
    for (const Extra& e : d.extras) {
      const QString& value = r[e.field];
      if (e.cents) {
        sqlite3_bind_int64(q, ++column, money::parse(value, 2).units);
      } else {
        const QByteArray iso = QDate::fromString(value, QStringLiteral("dd/MM/yyyy")).toString(Qt::ISODate).toUtf8();
        sqlite3_bind_text(q, ++column, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
      }
    }
    check(sqlite3_step(q), db);
    sqlite3_reset(q);
    return true;
  });
  sqlite3_finalize(q);
  for (const char* column : d.indexes) {
    const std::string index = std::string("CREATE INDEX ") + d.table + "_" + column + " ON " + d.table + " (" + column + ")";
    check(sqlite3_exec(db, index.c_str(), nullptr, nullptr, nullptr), db);
  }
  check(sqlite3_exec(db, "COMMIT; ANALYZE", nullptr, nullptr, nullptr), db);
  sqlite3_close(db);
  archive.close();
}

void makeDatabases() {
  for (const Database& d : databases()) {
    makeDatabase(d);
    benchdata::settle(inFolder(d.name));
  }
}
constexpr bool kSqlite = true;
#else
void makeDatabases() {}
constexpr bool kSqlite = false;
#endif

// ---- whole processes ----

std::string programDirectory() {
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) std::abort();
  std::string s(self, size_t(n));
  return s.substr(0, s.rfind('/'));
}

// Runs a process to its end, its output dropped; its time in seconds.
double processSeconds(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "failed: %s %s\n", args[0].c_str(), args.size() > 1 ? args[1].c_str() : "");
    std::abort();
  }
  return s;
}

int& processPairs() {
  static int n = 5;
  return n;
}

std::optional<benchdata::Ratio> againstSqlite(const Operation& op) {
  if (!kSqlite || !op.database) return std::nullopt;
  const std::string dir = programDirectory();
  const std::vector<std::string> program = {dir + "/bench_table", std::string("--child=") + op.key,
                                            "--folder=" + folder().toStdString(),
                                            "--clients=" + std::to_string(records())};
  const QString database = inFolder(op.database);
  const std::vector<std::string> sqlite = {dir + "/bench_sqlite_side", database.toStdString(), op.query};
  const QString file = inFolder(op.file);
  return benchdata::pairedTimes(
      [&] {
        benchdata::plainRead(file);
        return processSeconds(program);
      },
      [&] {
        benchdata::plainRead(database);
        return processSeconds(sqlite);
      },
      processPairs());
}

// ---- the export ----

void exportClients() {
  grids::GridScreen screen(clientExport());
  screen.show();
  if (screen.table().rows() != records()) std::abort();
  screen.esporta();
}

// The heap in use, counted by the allocator.
size_t heapInUse() {
  const struct mallinfo2 m = ::mallinfo2();
  return m.uordblks + m.hblkhd;
}

// The memory a filled grid's rows hold, in bytes a row: the heap the grid
// gives back when its rows are emptied, counted by the allocator (what was
// freed meanwhile, such as the keys of a sort, is not held; the screen's own
// widgets are not rows). `screen`: what the whole screen holds, a row, the
// second time it is opened (what any grid screen costs once, such as fonts,
// is spent at the first). `resident`: the first opening's growth of the
// resident memory, with all of that.
struct GridMemory {
  double rows = 0, screen = 0, resident = 0;
};
GridMemory gridMemory(const grids::GridDescription& d, QDate chosen = QDate()) {
  const auto heap = [] { return double(heapInUse()); };
  GridMemory out;
  {
    const double before = benchdata::residentMegabytes();
    grids::GridScreen screen(d, nullptr, chosen);
    screen.show();
    if (screen.table().rows() != records()) std::abort();
    out.resident = (benchdata::residentMegabytes() - before) * (1 << 20) / double(records());
  }
  const double before = heap();
  grids::GridScreen screen(d, nullptr, chosen);
  screen.show();
  if (screen.table().rows() != records()) std::abort();
  const double filled = heap();
  static_cast<grids::GridModel*>(screen.grid()->model())->setTable({});
  out.screen = (filled - before) / double(records());
  out.rows = (filled - heap()) / double(records());
  return out;
}

// Every deadline of the year in order of date and time: a sorted grid over
// the whole archive, which keeps each row's number besides its record.
const grids::GridDescription& everyDeadlineByTime() {
  static const grids::GridDescription d = [] {
    grids::GridDescription g = deadlinesOfMonth();
    g.select = {};
    return g;
  }();
  return d;
}

// The memory a list of every client holds while it is shown, a row: the
// heap in use while the list is kept (the resident size would not show it,
// as the heap reuses what earlier work freed), and what the list counts.
struct ListMemory {
  double heap = 0, counted = 0;
};
ListMemory listBytesPerRow() {
  const size_t before = heapInUse();
  const lists::ListRows rows =
      lists::search(clientSearchList(), inFolder("Clienti.pro"), typed(clientSearchList().criteria, {}));
  const double rowCount = double(std::max<size_t>(1, rows.size()));
  return {double(heapInUse() - before) / rowCount, double(rows.memoryBytes()) / rowCount};
}

// ---- the table ----

void printHeader() {
  benchdata::printHeader("Every list, chart and export");
  std::printf("%-46s %9s  %-19s %-7s  %-19s %-10s %s\n", "operation", "program", "/ plain read (q1-q3)", "aim",
              "/ SQLite (q1-q3)", "SQLite", "aim");
}

void printRow(const char* label, qint64 rows, const benchdata::Ratio& plain, const char* aim,
              const std::optional<benchdata::Ratio>& sqlite, bool everyRow) {
  char sqliteText[64] = "-";
  if (sqlite)
    std::snprintf(sqliteText, sizeof sqliteText, "%5.2f (%4.2f-%4.2f)", sqlite->median, sqlite->low, sqlite->high);
  const std::string what = std::string(label) + " [" + std::to_string(rows) + "]";
  std::printf("%-46s %6.1f ms  %5.2f (%4.2f-%4.2f)   %-7s  %-19s %-10s %s\n", what.c_str(), plain.operation * 1000,
              plain.median, plain.low, plain.high, aim, sqliteText,
              sqlite ? (everyRow ? "every row" : "its index") : "", sqlite && everyRow ? "<= 1" : "");
  std::fflush(stdout);
}

int child(const std::string& key) {
  for (const Operation& op : operations())
    if (key == op.key) {
      std::printf("%lld\n", op.run());
      return 0;
    }
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  // A child runs one operation and ends, with no archive made nor cache touched.
  std::string childKey;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--child=", 8) == 0) childKey = argv[i] + 8;
    else if (std::strncmp(argv[i], "--folder=", 9) == 0) folder() = QString::fromUtf8(argv[i] + 9);
    else if (std::strncmp(argv[i], "--process-pairs=", 16) == 0) processPairs() = std::max(1, std::atoi(argv[i] + 16));
  }
  services::setClock(&benchClock);
  if (!childKey.empty()) {
    benchdata::readOptions(argc, argv);
    paths::setProgramFolder(folder());
    return child(childKey);
  }
  int kept = 1;
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--process-pairs=", 16) != 0) argv[kept++] = argv[i];
  argc = kept;

  const benchdata::ScreenBenchApp app(argc, argv);
  folder() = benchdata::clientFolder();
  makeArchives();
  makeDatabases();
  benchdata::ExportAnswers answers;
  services::setMessages(&answers);

  // The grids' and the list's memory first, before other work leaves freed
  // memory behind.
  const GridMemory exportGrid = gridMemory(clientExport());
  const GridMemory sortedGrid = gridMemory(everyDeadlineByTime(), kToday);
  const ListMemory listRow = listBytesPerRow();

  printHeader();
  for (const Operation& op : operations()) {
    const QString file = inFolder(op.file);
    const auto settled = [&](const std::function<qint64()>& f) {
      return [&file, f] {
        benchdata::plainRead(file);
        return benchdata::seconds([&] { f(); });
      };
    };
    const benchdata::Ratio plain =
        benchdata::pairedTimes(settled(op.run), settled([&] { return benchdata::plainRead(file); }));
    printRow(op.label, op.run(), plain, op.aim, againstSqlite(op), op.everyRow);
  }

  const QString exported = folder() + QLatin1Char('/') + clientExport().file;
  exportClients();
  const qint64 exportSize = QFileInfo(exported).size();
  const QString client = inFolder("Clienti.pro"), floorFile = inFolder("floor.xls");
  const benchdata::Ratio exportRatio = benchdata::pairedTimes(
      [&] {
        benchdata::plainRead(client);
        return benchdata::seconds(exportClients);
      },
      [&] {
        benchdata::plainRead(client);
        return benchdata::seconds([&] { benchdata::exportFloor(client, floorFile, exportSize); });
      });
  printRow("Clienti.xls export / its floor with fsync", records(), exportRatio, "<= 1.5", std::nullopt, false);
  const auto megabytes = [](double perRow) { return perRow * double(records()) / (1 << 20); };
  for (const auto& [label, m] : {std::pair{"memory of the filled export grid", exportGrid},
                                 std::pair{"memory of a sorted grid (deadlines by time)", sortedGrid}}) {
    std::printf("%-46s %6.1f B a row (%.1f MB)   aim <= 16 B a row beyond the rows on screen\n", label, m.rows,
                megabytes(m.rows));
    std::printf("%-46s %6.1f B a row (%.1f MB)   heap, with the screen's widgets; resident at the first opening "
                "%.1f B a row (%.1f MB)\n",
                "  the whole screen", m.screen, megabytes(m.screen), m.resident, megabytes(m.resident));
  }
  std::printf("%-46s %6.1f B a row in the heap (%.1f B counted)   aim <= 16 B a row\n",
              "memory of a list of every client", listRow.heap, listRow.counted);
  services::setMessages(nullptr);
  services::setClock(nullptr);
  return 0;
}
