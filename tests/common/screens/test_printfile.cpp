// A print to a PDF file goes through the program's safe save: it never
// writes in place, refuses what the safe save refuses (a link, a folder, a
// read-only file, a folder where no temporary file can be made), keeps the
// earlier file whole on any failure, and the user is told why.
#include "archive/safefile.h"
#include "common/reports.h"
#include "common/screens/screenkit.h"
#include "engines/screens/reportdesktop.h"
#include "engines/screens/reportoutput.h"
#include "faults.h"
#include "support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <optional>

using namespace report;

namespace {

const QByteArray kEarlier = "%PDF la stampa di ieri";

Report sampleCard() {
  std::vector<CardRow> rows;
  for (int n = 1; n <= 24; ++n) rows.emplace_back(QStringLiteral("Titolo %1:").arg(n), QStringLiteral("Valore %1").arg(n));
  return card(QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"), rows, printedAtText());
}

QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QStringList everything(const QString& folder) {
  QStringList all = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  all.sort();
  return all;
}

} // namespace

class PrintToFile : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { screenkit::installDesktopSeams(); }

  // Every fault through the print the program uses, the earlier file kept.
  void aFailedPrintKeepsTheEarlierFileAndSaysWhy() {
    enum Fault { FullDisk, ReadOnlyFolder_, ReadOnlyFile, PlantedLink, PlantedFolder };
    struct Case {
      const char* what;
      Fault fault;
    } cases[] = {{"full disk", FullDisk},
                 {"read-only folder", ReadOnlyFolder_},
                 {"read-only file", ReadOnlyFile},
                 {"planted link", PlantedLink},
                 {"planted folder", PlantedFolder}};
    const Pages pages = prepare(sampleCard());
    for (const Case& c : cases) {
      TempProgramFolder folder;
      QTemporaryDir elsewhere;
      const QString file = folder.path(QStringLiteral("Scheda.pdf"));
      const QString victim = elsewhere.filePath(QStringLiteral("altro.pdf"));
      put(victim, kEarlier);
      if (c.fault == PlantedLink) QVERIFY(QFile::link(victim, file));
      else if (c.fault == PlantedFolder) QVERIFY(QDir().mkdir(file));
      else put(file, kEarlier);
      if (c.fault == ReadOnlyFile) QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
      const QStringList before = everything(folder.dir.path());
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(file);
      QString error;
      bool printed = true;
      {
        std::optional<FileSizeLimit> full;
        std::optional<ReadOnlyFolder> readOnly;
        if (c.fault == FullDisk) full.emplace(4096);
        if (c.fault == ReadOnlyFolder_) {
          readOnly.emplace(folder.dir.path());
          if (!readOnly->holds()) continue;
        }
        printed = printTo(printer, pages, {}, &error);
      }
      QVERIFY2(!printed, c.what);
      QVERIFY2(!error.isEmpty(), c.what);
      if (c.fault == PlantedLink) QCOMPARE(error, safefile::linkReason());
      if (c.fault == ReadOnlyFile) QCOMPARE(error, safefile::readOnlyReason());
      QCOMPARE(printer.outputFileName(), file);
      QCOMPARE(everything(folder.dir.path()), before);
      QCOMPARE(bytesOf(c.fault == PlantedLink ? victim : c.fault == PlantedFolder ? victim : file), kEarlier);
      if (c.fault == PlantedLink) QVERIFY(QFileInfo(file).isSymLink());
    }
  }

  void aWholePrintReplacesTheFileAndLeavesNothingBeside() {
    TempProgramFolder folder;
    const QString file = folder.path(QStringLiteral("Scheda.pdf"));
    put(file, kEarlier);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    QString error;
    QVERIFY(printTo(printer, prepare(sampleCard()), {}, &error));
    QVERIFY(error.isEmpty());
    QVERIFY(bytesOf(file).startsWith("%PDF-"));
    QCOMPARE(everything(folder.dir.path()), QStringList{QStringLiteral("Scheda.pdf")});
    // stopped by the user: the earlier print stays and nothing is said
    put(file, kEarlier);
    QVERIFY(!printTo(printer, prepare(sampleCard()), [](int) { return false; }, &error));
    QVERIFY(error.isEmpty());
    QCOMPARE(bytesOf(file), kEarlier);
    QCOMPARE(everything(folder.dir.path()), QStringList{QStringLiteral("Scheda.pdf")});
  }

  // Through the print dialog, as the user prints: the failure is told.
  void theDialogsPrintToAFileThatFailsIsTold() {
    TempProgramFolder folder;
    RecordingMessages messages;
    setPrintToFileFolder([&folder] { return folder.dir.path(); });
    const Pages pages = prepare(sampleCard());
    const QString file = folder.path(pages.reportName + QStringLiteral(".pdf"));
    put(file, kEarlier);
    bool accepted = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      accepted = true;
      dialog->accept();
    });
    {
      FileSizeLimit full(4096);
      output().print(sampleCard(), nullptr);
    }
    setPrintToFileFolder({});
    QVERIFY(accepted);
    QCOMPARE(bytesOf(file), kEarlier);
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.last().kind, MessageKind::Error);
    QVERIFY2(messages.lastText().contains(QDir::toNativeSeparators(file)), qPrintable(messages.lastText()));
    QVERIFY2(messages.lastText().startsWith(QStringLiteral("Attenzione:")), qPrintable(messages.lastText()));
  }
};

QTEST_MAIN(PrintToFile)
#include "test_printfile.moc"
