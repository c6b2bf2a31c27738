// Pieces shared by the bar and pie painters (inside the chart engine only).
#pragma once

#include "chart.h"

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QSizeF>

#include <vector>

namespace chart::parts {

// Device units of one screen pixel.
double unit(const QPaintDevice* device);
inline double unit(const QPainter& painter) { return unit(painter.device()); }

// The values as drawn: anything not finite counts as 0.
std::vector<double> values(const ChartDescription& chart);

// Edges of a face in the colour of its point: dark enough for light colours
// to stand out on white.
QColor edgeColour(const QColor& fill);

// Value marks: a pale label with a thin frame.
QSizeF markSize(const QPainter& painter, const QFont& font, const QString& text);
void drawMark(QPainter& painter, const QRectF& box, const QFont& font, const QString& text);

void paintBars(QPainter& painter, const QRectF& plot, const ChartDescription& chart);
void paintPie(QPainter& painter, const QRectF& plot, const ChartDescription& chart);

} // namespace chart::parts
