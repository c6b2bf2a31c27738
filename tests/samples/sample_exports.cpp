// Every spreadsheet export of the program, written from archives whose
// fields hold what a spreadsheet likes to misread: codes with leading zeros,
// decimal commas, formulas, dates, accents, the euro sign and markup.
#include "archive/paths.h"
#include "archive/record.h"
#include "cases/caselists.h"
#include "cases/pratica.h"
#include "clients/cliente.h"
#include "clients/clientlists.h"
#include "common/grids.h"
#include "common/xls.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/scadenza.h"
#include "documents/documentlists.h"
#include "documents/documento.h"
#include "movements/movementlists.h"
#include "movements/movimento.h"
#include "unpaid/unpaid.h"
#include "projects/progetto.h"
#include "projects/projectlists.h"
#include "protocol/protocollists.h"
#include "protocol/protocollo.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

const QDate kToday(2026, 12, 10);
const QString kYear = QStringLiteral("2026");

const QStringList kTexts = {
    QStringLiteral("01011030"),       QStringLiteral("01234567890"),  QStringLiteral("539,928"),
    QStringLiteral("00184"),          QStringLiteral("=1+1"),         QStringLiteral("Forl\u00EC & <Co> \u20AC 12"),
    QStringLiteral("1.234,50"),       QStringLiteral("0,00"),         QStringLiteral("RSSMRA80A01H501U"),
    QStringLiteral("IT60X0542811101000000123456"), QStringLiteral("3/4"), QStringLiteral("1e5"),
    QStringLiteral("-12"),            QStringLiteral("TRUE"),         QStringLiteral("10:30"),
    QStringLiteral("'quoted'"),       QStringLiteral("\"virgolette\", punto; e virgola"),
};

// Record n of an archive: every text field a text of the list, the dates
// dates, the flags alternating; a movement is unpaid, income or expense.
Record sample(const RecordLayout& layout, int n) {
  Record r(layout);
  for (int i = 0; i < layout.fieldCount(); ++i) {
    const FieldDef& f = layout.field(i);
    const QString name = QString::fromUtf8(f.name.data(), qsizetype(f.name.size()));
    if (f.kind == FieldKind::Flag) r.set(i, (n + i) % 2 ? fieldtext::yes() : fieldtext::no());
    else if (name.startsWith(QLatin1String("Data")) || name == QLatin1String("Apertura") ||
             name == QLatin1String("Chiusura"))
      r.set(i, QStringLiteral("%1/0%2/2026").arg(10 + n % 18).arg(1 + n % 9));
    else r.set(i, kTexts.at((n * 7 + i) % kTexts.size()));
  }
  if (&layout == &TRecMovimento()) {
    r.setFlag("Saldato", false);
    r.setFlag("Entrata", n % 2 == 0);
    r.setFlag("Uscita", n % 2 == 1);
  }
  return r;
}

QString seed(const ArchiveDef& def) {
  const QString path = def.isYearly() ? def.yearPath(kYear) : def.fixedPath();
  TArchivioSchede a(path, def.recordSize());
  a.open();
  if (a.count() == 0)
    for (int n = 0; n < 24; ++n) a.append(encode(sample(*def.layout, n)));
  a.close();
  return path;
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: velarion_sample_exports FOLDER\n", stderr);
    return 2;
  }
  QDir().mkpath(QString::fromLocal8Bit(argv[1]));
  paths::setProgramFolder(QString::fromLocal8Bit(argv[1]));
  const grids::GridContext context{kToday, {}, QDate(2026, 1, 1), QDate(2026, 12, 31)};
  const grids::GridDescription* exports[] = {
      &clientExport(),   &caseExport(),    &documentExport(),    &deadlineExport(),
      &protocolExport(), &projectExport(), &movementExport(),
      &unpaid::list(unpaid::Kind::All), &unpaid::list(unpaid::Kind::Income),
      &unpaid::list(unpaid::Kind::Expense),
  };
  int failed = 0;
  for (const grids::GridDescription* d : exports) {
    const grids::Filled f = grids::fill(*d, seed(d->archive), context);
    QString reason;
    const QString file = paths::inProgramFolder(d->file);
    if (f.outcome != grids::Filled::Outcome::Complete ||
        !xls::save(file, d->worksheet, d->columns, f.table, &reason)) {
      std::fprintf(stderr, "%s: not written %s\n", qPrintable(d->file), qPrintable(reason));
      ++failed;
      continue;
    }
    std::printf("%s %d\n", qPrintable(file), f.table.rows());
  }
  return failed ? 1 : 0;
}
