// A chart output for screen tests: records every print instead of showing
// the print dialog.
//   RecordingChartOutput printed;  ...click btnStampa...
//   QCOMPARE(printed.calls.back().copies, 2);
#pragma once

#include "engines/chart/screens/chartoutput.h"

#include <vector>

class RecordingChartOutput : public chart::ChartOutput {
public:
  struct Entry {
    chart::ChartDescription chart;
    int copies;
  };

  RecordingChartOutput() { chart::setOutput(this); }
  ~RecordingChartOutput() override { chart::setOutput(nullptr); }

  bool print(const chart::ChartDescription& c, int copies, QWidget*) override {
    calls.push_back({c, copies});
    return accept;
  }

  std::vector<Entry> calls;
  // What the dialog answers: false stands for cancelling it.
  bool accept = true;
};
