// Painting a chart on any paint device: a widget, an image or a printer
// page. Sizes of lines, gaps and marks follow the device resolution (one
// unit is a screen pixel at 96 dpi) and fonts keep their point sizes, so
// the screen, the PNG and the printed page show the same chart.
#pragma once

#include "chart.h"

#include <QImage>
#include <QRectF>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace chart {

// Where the parts of a chart go inside `area` (device units of `device`).
// A part that is not drawn has an empty rectangle.
struct ChartLayout {
  QRectF title;
  QRectF plot;
  QRectF legend;
  QRectF foot;
};

ChartLayout layoutChart(const ChartDescription& chart, const QRectF& area, const QPaintDevice* device);

// Fills `area` white and draws the chart in it.
void paintChart(QPainter& painter, const QRectF& area, const ChartDescription& chart);

// The chart as an image of `size` pixels at `dpi` dots per inch.
QImage renderChart(const ChartDescription& chart, const QSize& size, double dpi = 96);

// Prints the chart on `pages` landscape pages, one chart fitted to each
// page (a PDF writer or a printer already set up). False when the device
// cannot be painted on.
bool printChart(QPagedPaintDevice& device, const ChartDescription& chart, int pages = 1);

} // namespace chart
