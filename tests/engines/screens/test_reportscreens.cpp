// The output seam, the preview window and the printer path.
#include "archive/safefile.h"
#include "common/reports.h"
#include "faults.h"
#include "engines/screens/reportdesktop.h"
#include "engines/screens/reportoutput.h"
#include "engines/screens/reportpreview.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"
#include "tests/engines/reporttest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

using namespace report;

namespace {

QStringList numberedLines(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << QStringLiteral("Riga numero %1").arg(i);
  return lines;
}

Report sampleCard() {
  std::vector<CardRow> rows;
  for (int n = 1; n <= 24; ++n) rows.emplace_back(QStringLiteral("Titolo %1:").arg(n), QStringLiteral("Valore %1").arg(n));
  return card(QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"), rows, printedAtText());
}

void trigger(QWidget* window, const char* name) {
  auto* action = window->findChild<QAction*>(QLatin1String(name));
  QVERIFY2(action, name);
  action->trigger();
}

// With VELARION_SHOTS set to a folder, screens are saved there to look at.
// A printer that writes a PDF file.
void toPdf(QPrinter& printer, const QString& file) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
}

void shoot(QWidget* w, const QString& name) {
  const QString folder = qEnvironmentVariable("VELARION_SHOTS");
  if (!folder.isEmpty()) w->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool havePoppler() { return reporttest::haveTool("pdftotext") && reporttest::haveTool("pdfinfo"); }

} // namespace

class TestReportScreens : public QObject {
  Q_OBJECT
private slots:
  void recordingOutputStandsInForTheDesktop() {
    QVERIFY(dynamic_cast<DesktopOutput*>(&output()));
    {
      RecordingReportOutput recorded;
      recorded.writePdf = false;
      output().print(sampleCard());
      output().preview(list(QStringLiteral("Riepilogo"), numberedLines(100)));
      QString error;
      QVERIFY(output().exportPdf(sampleCard(), QStringLiteral("/nessuna/Cliente.pdf"), &error));
      QCOMPARE(recorded.calls.size(), size_t(3));
      QCOMPARE(recorded.calls[0].call, RecordingReportOutput::Call::Print);
      QCOMPARE(recorded.calls[0].report.text(QStringLiteral("txtCampo24")), QStringLiteral("Valore 24"));
      QCOMPARE(recorded.calls[1].call, RecordingReportOutput::Call::Preview);
      QCOMPARE(recorded.calls[1].pages.count(), 2);
      QCOMPARE(recorded.last().file, QStringLiteral("/nessuna/Cliente.pdf"));
    }
    QVERIFY(dynamic_cast<DesktopOutput*>(&output()));
  }

  void previewShowsThePagesAndMovesBetweenThem() {
    ReportPreview preview(prepare(list(QStringLiteral("Riepilogo Clienti"), numberedLines(100))));
    preview.resize(1100, 800);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.objectName(), QStringLiteral("TfrmAnteprima"));
    auto* page = preview.findChild<QLabel*>(QStringLiteral("lblPagina"));
    auto* thumbnails = preview.findChild<QListWidget*>(QStringLiteral("lstMiniature"));
    QVERIFY(page && thumbnails);
    QCOMPARE(thumbnails->count(), 2);
    QCOMPARE(page->text(), QStringLiteral("Pagina 1 di 2"));
    shoot(&preview, QStringLiteral("anteprima_lista"));

    trigger(&preview, "cmdPaginaSuccessiva");
    QCOMPARE(preview.currentPage(), 1);
    QCOMPARE(page->text(), QStringLiteral("Pagina 2 di 2"));
    QCOMPARE(thumbnails->currentRow(), 1);
    trigger(&preview, "cmdPaginaSuccessiva");  // stays on the last page
    QCOMPARE(preview.currentPage(), 1);
    thumbnails->setCurrentRow(0);
    QCOMPARE(preview.currentPage(), 0);
    trigger(&preview, "cmdUltimaPagina");
    QCOMPARE(preview.currentPage(), 1);
    trigger(&preview, "cmdPrimaPagina");
    QCOMPARE(page->text(), QStringLiteral("Pagina 1 di 2"));

    trigger(&preview, "cmdMiniature");
    QVERIFY(!thumbnails->isVisible());
  }

  void previewZoomsAndGoesFullScreen() {
    ReportPreview preview(prepare(sampleCard()));
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto* view = preview.findChild<QWidget*>(QStringLiteral("pag1"));
    QVERIFY(view);
    const int width = view->width();
    // 100 % is the paper's real size on the screen.
    QCOMPARE(width, qRound(210 * view->logicalDpiX() / 25.4));

    trigger(&preview, "cmdZoomAvanti");
    QCOMPARE(preview.zoom(), 1.25);
    QVERIFY(view->width() > width);
    trigger(&preview, "cmdZoomIndietro");
    trigger(&preview, "cmdZoomIndietro");
    QCOMPARE(preview.zoom(), 0.75);
    QCOMPARE(preview.findChild<QLabel*>(QStringLiteral("lblZoom"))->text(), QStringLiteral("75%"));
    trigger(&preview, "cmdPaginaIntera");
    const QSize room = preview.findChild<QScrollArea*>()->viewport()->size();
    QVERIFY(view->height() <= room.height());
    shoot(&preview, QStringLiteral("anteprima_scheda"));

    trigger(&preview, "cmdSchermoIntero");
    QVERIFY(preview.windowState() & Qt::WindowFullScreen);
    trigger(&preview, "cmdSchermoIntero");
    QVERIFY(!(preview.windowState() & Qt::WindowFullScreen));

    trigger(&preview, "cmdChiudi");
    QVERIFY(!preview.isVisible());
    QCOMPARE(preview.result(), int(QDialog::Accepted));
  }

  void printingHonoursRangeAndCopiesAndStopsWhenAsked() {
    if (!havePoppler()) QSKIP("poppler-utils not installed");
    FixedClock clock;
    QTemporaryDir dir;
    const Pages pages = prepare(list(QStringLiteral("Riepilogo Clienti"), numberedLines(100)));

    QPrinter all(QPrinter::HighResolution);
    toPdf(all, dir.filePath(QStringLiteral("tutto.pdf")));
    all.setPageOrientation(QPageLayout::Portrait);  // the template decides
    printTo(all, pages);
    QCOMPARE(reporttest::pdfInfo(all.outputFileName(), QStringLiteral("Pages")), QStringLiteral("2"));
    QCOMPARE(reporttest::pdfInfo(all.outputFileName(), QStringLiteral("Page size")), QStringLiteral("842 x 595 pts (A4)"));

    QPrinter second(QPrinter::HighResolution);
    toPdf(second, dir.filePath(QStringLiteral("seconda.pdf")));
    QPageRanges range;
    range.addPage(2);
    second.setPageRanges(range);
    printTo(second, pages);
    QCOMPARE(reporttest::pdfInfo(second.outputFileName(), QStringLiteral("Pages")), QStringLiteral("1"));
    const QString text = reporttest::pdfText(second.outputFileName());
    QVERIFY(text.contains(QStringLiteral("Riga numero 100")));
    QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data 10/12/2026")));
    // the second page only, which says so under its own title
    QVERIFY(text.contains(QStringLiteral("Riepilogo Clienti")));
    QVERIFY(text.contains(QStringLiteral("Pagina 2 di 2")));
    QVERIFY(!text.contains(QStringLiteral("Pagina 1 di 2")));

    // Two copies the printer cannot make itself: four pages sent, each told.
    QPrinter twice(QPrinter::HighResolution);
    toPdf(twice, dir.filePath(QStringLiteral("due.pdf")));
    twice.setCopyCount(2);
    std::vector<int> told;
    QVERIFY(printTo(twice, pages, [&told](int n) { return told.push_back(n), true; }));
    if (!twice.supportsMultipleCopies()) {
      QCOMPARE(told, (std::vector<int>{1, 2, 3, 4}));
      QCOMPARE(reporttest::pdfInfo(twice.outputFileName(), QStringLiteral("Pages")), QStringLiteral("4"));
    }

    // Stopped after the first page: no page follows it, and the file printed
    // over stays as it was; printed again to the end, it is replaced.
    const QString earlier = dir.filePath(QStringLiteral("fermata.pdf"));
    {
      QFile f(earlier);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("la stampa di ieri");
    }
    QPrinter stopped(QPrinter::HighResolution);
    toPdf(stopped, earlier);
    told.clear();
    QVERIFY(!printTo(stopped, pages, [&told](int n) { return told.push_back(n), false; }));
    QCOMPARE(told, std::vector<int>{1});
    QCOMPARE(stopped.outputFileName(), earlier);
    QFile kept(earlier);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("la stampa di ieri"));
    kept.close();
    // On a disk that fills up the PDF writer says nothing: the file cut
    // short is not put in place of the one there.
    {
      const FileSizeLimit full(4096);
      QVERIFY(!printTo(stopped, pages, [](int) { return true; }));
    }
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("la stampa di ieri"));
    kept.close();
    QPrinter again(QPrinter::HighResolution);
    toPdf(again, earlier);
    QVERIFY(printTo(again, pages, [](int) { return true; }));
    QCOMPARE(reporttest::pdfInfo(earlier, QStringLiteral("Pages")), QStringLiteral("2"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("due.pdf"), QStringLiteral("fermata.pdf"), QStringLiteral("seconda.pdf"),
                          QStringLiteral("tutto.pdf")}));
  }

  void printDialogSpeaksItalian() {
    installItalianTranslations();
    QCOMPARE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Stampa"));
    QPrinter printer;
    QPrintDialog dialog(&printer);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    shoot(&dialog, QStringLiteral("dialogo_stampa"));
    dialog.reject();
  }

  // The print command's dialog: it proposes the program folder and the
  // report's name for a print to file, fits a 1024 x 768 screen with its
  // options open, and speaks Italian throughout.
  void printDialogProposesTheFileAndSpeaksItalian() {
    TempProgramFolder folder;
    setPrintToFileFolder([&folder] { return folder.dir.path(); });
    const Pages pages = prepare(sampleCard());
    QString proposed;
    QStringList english;
    QSize size;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) proposed = name->text();
      for (auto* b : dialog->findChildren<QPushButton*>())
        if (b->objectName() == QLatin1String("options")) b->click();
      QApplication::processEvents();
      size = dialog->frameGeometry().size();
      // words Qt's dialogs show in English when untranslated
      static const QRegularExpression words(QStringLiteral(
          "\\b(Pages|Print|Cancel|Options|Properties|Advanced|Off|Double|Sided|binding|Copies|Collate|Reverse|"
          "Color|Grayscale|Duplex|Long side|Short side|Name|Location|Type|Output file)\\b"));
      auto check = [&](const QString& text) {
        if (words.match(QString(text).remove(QLatin1Char('&'))).hasMatch()) english << text;
      };
      for (auto* l : dialog->findChildren<QLabel*>()) check(l->text());
      for (auto* b : dialog->findChildren<QAbstractButton*>()) check(b->text());
      for (auto* g : dialog->findChildren<QGroupBox*>()) check(g->title());
      for (auto* t : dialog->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i) check(t->tabText(i));
      for (auto* c : dialog->findChildren<QComboBox*>())
        if (c->objectName() != QLatin1String("printers"))
          for (int i = 0; i < c->count(); ++i) check(c->itemText(i));
      dialog->reject();
    });
    QVERIFY(!printWithDialog(pages, nullptr));
    setPrintToFileFolder({});
    QCOMPARE(proposed, folder.path(pages.reportName + QStringLiteral(".pdf")));
    QVERIFY2(english.isEmpty(), qPrintable(english.join(QStringLiteral(" | "))));
    QVERIFY2(size.width() <= 1024 && size.height() <= 740, qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
  }

  void desktopExportWritesThePdf() {
    if (!havePoppler()) QSKIP("poppler-utils not installed");
    FixedClock clock;
    TempProgramFolder folder;
    DesktopOutput desktop;
    QString error;
    // no way to save installed: nothing is written, and the user is told
    report::setFileSaver({});
    QVERIFY(!desktop.exportPdf(sampleCard(), folder.path(QStringLiteral("Cliente.pdf")), &error));
    QVERIFY(!QFileInfo::exists(folder.path(QStringLiteral("Cliente.pdf"))));
    QVERIFY(!error.isEmpty());
    report::setFileSaver(safefile::saveTo); // as the program does at start-up
    QVERIFY(desktop.exportPdf(sampleCard(), folder.path(QStringLiteral("Cliente.pdf")), &error));
    QVERIFY(reporttest::pdfText(folder.path(QStringLiteral("Cliente.pdf"))).contains(QStringLiteral("Valore 24")));
    QVERIFY(!desktop.exportPdf(sampleCard(), folder.path(QStringLiteral("manca/Cliente.pdf")), &error));
    QVERIFY(!error.isEmpty());
  }
};

QTEST_MAIN(TestReportScreens)
#include "test_reportscreens.moc"
