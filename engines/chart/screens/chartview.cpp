#include "chartview.h"

#include "engines/chart/chartpainter.h"

#include <QPainter>

namespace chart {

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::setChart(ChartDescription chart) {
  chart_ = std::move(chart);
  update();
}

void ChartView::setType(ChartType type) {
  if (chart_.type == type) return;
  chart_.type = type;
  update();
}

QSize ChartView::sizeHint() const { return {640, 480}; }
QSize ChartView::minimumSizeHint() const { return {320, 240}; }

void ChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintChart(painter, rect(), chart_);
}

} // namespace chart
