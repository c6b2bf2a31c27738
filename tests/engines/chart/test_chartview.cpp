// The chart widget and printing.
#include "charttest.h"
#include "engines/chart/chartpainter.h"
#include "engines/chart/screens/chartoutput.h"
#include "engines/chart/screens/chartview.h"
#include "recordingchartoutput.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace chart;
using charttest::countColour;

namespace {

struct PdfPages {
  int count = 0;
  bool landscape = true;
};

// Pages of a PDF written by Qt, read from its page objects.
PdfPages pdfPages(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {0, false};
  const QString pdf = QString::fromLatin1(f.readAll());
  PdfPages pages;
  static const QRegularExpression box(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"));
  for (auto m = box.globalMatch(pdf); m.hasNext();) {
    const auto match = m.next();
    ++pages.count;
    pages.landscape = pages.landscape && match.captured(1).toDouble() > match.captured(2).toDouble();
  }
  return pages;
}

} // namespace

TEST(ChartView, SwitchingTypeKeepsPointsAndColours) {
  ChartView view;
  view.resize(800, 600);
  view.setChart(charttest::balance(48210, 31975));
  EXPECT_EQ(view.type(), ChartType::Bars3D);
  const QImage bars = view.grab().toImage();
  view.setType(ChartType::Pie3D);
  const QImage pie = view.grab().toImage();

  EXPECT_EQ(view.chart().points.size(), 2u);
  EXPECT_EQ(view.chart().points[1].colour, QColor(0xFFFF0000));
  EXPECT_NE(bars, pie);
  for (const QImage& image : {bars, pie})
    for (QRgb colour : {0xFF008000u, 0xFFFF0000u}) EXPECT_GT(countColour(image, colour, image.rect()), 2000);
}

TEST(ChartPrint, EachCopyIsALandscapePage) {
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("grafico.pdf")));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setCopyCount(2);
  ASSERT_FALSE(printer.supportsMultipleCopies());
  ASSERT_TRUE(printTo(printer, charttest::monthly({1200, 950, 1830, 0, 640, 2210, 1500, 480, 1320, 1750, 890, 2600})));
  const PdfPages pages = pdfPages(printer.outputFileName());
  EXPECT_EQ(pages.count, 2);
  EXPECT_TRUE(pages.landscape);
  // With VELARION_SHOTS set to a folder, the printed chart is kept there to look at.
  if (const QString folder = qEnvironmentVariable("VELARION_SHOTS"); !folder.isEmpty()) {
    QFile::remove(folder + QStringLiteral("/grafico.pdf"));
    QFile::copy(printer.outputFileName(), folder + QStringLiteral("/grafico.pdf"));
  }

  const QString single = dir.filePath(QStringLiteral("una.pdf"));
  {
    QPdfWriter writer(single);
    ASSERT_TRUE(printChart(writer, charttest::monthly({1, 2, 3})));
  }
  EXPECT_EQ(pdfPages(single).count, 1);
  EXPECT_TRUE(pdfPages(single).landscape);

  QPdfWriter nowhere(dir.filePath(QStringLiteral("manca/grafico.pdf")));
  EXPECT_FALSE(printChart(nowhere, charttest::monthly({1})));
}

TEST(ChartPrint, ScreensPrintThroughTheReplaceableOutput) {
  EXPECT_NE(dynamic_cast<DesktopChartOutput*>(&output()), nullptr);
  {
    RecordingChartOutput printed;
    EXPECT_TRUE(output().print(charttest::balance(1, 2), 3));
    ASSERT_EQ(printed.calls.size(), 1u);
    EXPECT_EQ(printed.calls[0].copies, 3);
  }
  EXPECT_NE(dynamic_cast<DesktopChartOutput*>(&output()), nullptr);
}
