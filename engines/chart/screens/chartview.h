// A widget that shows a chart and repaints it at its own size. The screen
// that owns it sets the chart once and switches between bars and pie with
// setType(), which keeps the points and their colours.
#pragma once

#include "engines/chart/chart.h"

#include <QWidget>

namespace chart {

class ChartView : public QWidget {
  Q_OBJECT
public:
  explicit ChartView(QWidget* parent = nullptr);

  const ChartDescription& chart() const { return chart_; }
  void setChart(ChartDescription chart);

  ChartType type() const { return chart_.type; }
  void setType(ChartType type);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  ChartDescription chart_;
};

} // namespace chart
