// Where a chart is printed. Screens call
//   chart::output().print(view->chart(), copies, this)
// which shows the system print dialog with `copies` filled in and prints
// the chart in landscape, once for each copy chosen in the dialog.
// Tests install a recording output with chart::setOutput().
#pragma once

#include "engines/chart/chart.h"

class QPrinter;
class QWidget;

namespace chart {

class ChartOutput {
public:
  virtual ~ChartOutput() = default;
  // True when the chart went to the printer; false when the user cancelled
  // the dialog or the printer (or the file chosen in the dialog) could not
  // be opened.
  virtual bool print(const ChartDescription& chart, int copies, QWidget* parent = nullptr) = 0;
};

class DesktopChartOutput : public ChartOutput {
public:
  bool print(const ChartDescription& chart, int copies, QWidget* parent = nullptr) override;
};

// The output in use: the desktop one unless a test installed its own.
ChartOutput& output();
// Replace the output (not owned); nullptr restores the desktop one.
void setOutput(ChartOutput* output);

// Prints on a printer already set up (by the dialog, or a PDF printer):
// landscape, one chart per page, and the copies of the printer as pages
// when the printer cannot make copies itself. False when the printer
// cannot be opened.
bool printTo(QPrinter& printer, const ChartDescription& chart);

} // namespace chart
