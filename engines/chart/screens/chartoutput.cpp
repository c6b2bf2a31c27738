#include "chartoutput.h"

#include "engines/chart/chartpainter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace chart {

namespace {
ChartOutput* installed = nullptr;
} // namespace

ChartOutput& output() {
  static DesktopChartOutput desktop;
  return installed ? *installed : desktop;
}

void setOutput(ChartOutput* o) { installed = o; }

bool printTo(QPrinter& printer, const ChartDescription& chart) {
  // A printer that makes copies itself gets one page; otherwise the page is
  // sent once per copy.
  const int pages = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  return printChart(printer, chart, pages);
}

bool DesktopChartOutput::print(const ChartDescription& chart, int copies, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(chart.title.text);
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setCopyCount(std::max(1, copies));
  QPrintDialog dialog(&printer, parent ? parent : QApplication::activeWindow());
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  return printTo(printer, chart);
}

} // namespace chart
