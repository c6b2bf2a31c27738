// The chart widget and printing.
#include "engines/chart/chartpainter.h"
#include "engines/chart/screens/chartoutput.h"
#include "engines/chart/screens/chartview.h"
#include "printtopdf.h"
#include "recordingchartoutput.h"
#include "tests/engines/chart/charttest.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace chart;
using charttest::countColour;

class TestChartScreens : public QObject {
  Q_OBJECT
private slots:
  void switchingTypeKeepsPointsAndColours() {
    ChartView view;
    view.resize(800, 600);
    view.setChart(charttest::balance(48210, 31975));
    QCOMPARE(view.type(), ChartType::Bars3D);
    const QImage bars = view.grab().toImage();
    view.setType(ChartType::Pie3D);
    const QImage pie = view.grab().toImage();

    QCOMPARE(view.chart().points.size(), 2u);
    QCOMPARE(view.chart().points[1].colour, QColor(0xFFFF0000));
    QVERIFY(bars != pie);
    for (const QImage& image : {bars, pie})
      for (QRgb colour : {0xFF008000u, 0xFFFF0000u}) QVERIFY(countColour(image, colour, image.rect()) > 2000);
  }

  void eachCopyIsALandscapePage() {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("grafico.pdf")));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(2);
    QVERIFY(!printer.supportsMultipleCopies());
    QVERIFY(printTo(printer, charttest::monthly({1200, 950, 1830, 0, 640, 2210, 1500, 480, 1320, 1750, 890, 2600})));
    const PdfPages pages = pdfPages(printer.outputFileName());
    QCOMPARE(pages.count, 2);
    QVERIFY(pages.landscape);
    // With VELARION_SHOTS set to a folder, the printed chart is kept there to look at.
    if (const QString folder = qEnvironmentVariable("VELARION_SHOTS"); !folder.isEmpty()) {
      QFile::remove(folder + QStringLiteral("/grafico.pdf"));
      QFile::copy(printer.outputFileName(), folder + QStringLiteral("/grafico.pdf"));
    }

    const QString single = dir.filePath(QStringLiteral("una.pdf"));
    {
      QPdfWriter writer(single);
      QVERIFY(printChart(writer, charttest::monthly({1, 2, 3})));
    }
    QCOMPARE(pdfPages(single).count, 1);
    QVERIFY(pdfPages(single).landscape);

    QPdfWriter nowhere(dir.filePath(QStringLiteral("manca/grafico.pdf")));
    QVERIFY(!printChart(nowhere, charttest::monthly({1})));
  }

  void printDialogStartsWithTheCopiesAskedAndPrintsThemAll() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("copie.pdf"));
    PrintDialogToFile answer(file);
    const bool printed = DesktopChartOutput().print(charttest::balance(48210, 31975), 2);
    if (!answer.toFile) QSKIP("the print dialog offers a real printer first");
    QCOMPARE(answer.copiesShown, 2);
    QVERIFY(printed);
    QCOMPARE(pdfPages(file).count, 2);
    QVERIFY(pdfPages(file).landscape);
  }

  void screensPrintThroughTheReplaceableOutput() {
    QVERIFY(dynamic_cast<DesktopChartOutput*>(&output()));
    {
      RecordingChartOutput printed;
      QVERIFY(output().print(charttest::balance(1, 2), 3));
      QCOMPARE(printed.calls.size(), 1u);
      QCOMPARE(printed.calls[0].copies, 3);
    }
    QVERIFY(dynamic_cast<DesktopChartOutput*>(&output()));
  }
};

QTEST_MAIN(TestChartScreens)
#include "test_chartscreens.moc"
