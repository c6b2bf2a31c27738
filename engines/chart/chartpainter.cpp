#include "chartpainter.h"

#include "chartparts.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace chart {

QFont sizedFont(int pointSize, bool bold) {
  QFont font;
  font.setPointSize(pointSize);
  font.setBold(bold);
  return font;
}

namespace parts {

double unit(const QPaintDevice* device) { return device ? device->logicalDpiY() / 96.0 : 1.0; }

std::vector<double> values(const ChartDescription& chart) {
  std::vector<double> out;
  out.reserve(chart.points.size());
  for (const ChartPoint& p : chart.points) out.push_back(std::isfinite(p.value) ? p.value : 0.0);
  return out;
}

QColor edgeColour(const QColor& fill) {
  // Light fills get a mid grey edge of their own hue, dark ones a darker one.
  return fill.lightness() > 200 ? fill.darker(190) : fill.darker(165);
}

QSizeF markSize(const QPainter& painter, const QFont& font, const QString& text) {
  const double px = unit(painter);
  const QFontMetricsF fm(font, painter.device());
  return {fm.horizontalAdvance(text) + 10 * px, fm.height() + 4 * px};
}

void drawMark(QPainter& painter, const QRectF& box, const QFont& font, const QString& text) {
  const double px = unit(painter);
  painter.setPen(QPen(QColor(0x8c, 0x8c, 0x8c), px));
  painter.setBrush(QColor(0xff, 0xff, 0xea));
  painter.drawRoundedRect(box, 2 * px, 2 * px);
  painter.setPen(QColor(0x20, 0x20, 0x20));
  painter.setFont(font);
  painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace parts

namespace {

QFont bold(QFont font) {
  font.setBold(true);
  return font;
}

double textHeight(const ChartText& t, double width, const QPaintDevice* device) {
  if (t.text.isEmpty()) return 0;
  const QFontMetricsF fm(t.font, device);
  return fm.boundingRect(QRectF(0, 0, width, 1e6), Qt::AlignHCenter | Qt::TextWordWrap, t.text).height();
}

// The legend: an optional title line over a grid of entries (swatch and
// name), filled row by row.
struct LegendGrid {
  QSizeF size;
  double inner = 0;
  double titleHeight = 0;
  double rowHeight = 0;
  double entryWidth = 0;
  double swatch = 0;
  int columns = 1;
};

LegendGrid legendGrid(const ChartDescription& chart, const QPaintDevice* device, double maxWidth, bool oneColumn) {
  const double px = parts::unit(device);
  const QFontMetricsF fm(chart.labelFont, device);
  const QFontMetricsF tm(bold(chart.labelFont), device);
  LegendGrid g;
  g.inner = 8 * px;
  g.swatch = std::round(fm.height() * 0.75);
  g.rowHeight = fm.height() + 5 * px;
  double nameWidth = 0;
  for (const ChartPoint& p : chart.points) nameWidth = std::max(nameWidth, fm.horizontalAdvance(p.name));
  g.entryWidth = g.swatch + 6 * px + nameWidth + 16 * px;
  const double titleWidth = chart.legendTitle.isEmpty() ? 0 : tm.horizontalAdvance(chart.legendTitle);
  if (!chart.legendTitle.isEmpty()) g.titleHeight = tm.height() + 4 * px;

  const int n = int(chart.points.size());
  int columns = 1;
  if (!oneColumn && n > 0) {
    const int fit = std::clamp(int((maxWidth - 2 * g.inner) / g.entryWidth), 1, n);
    // As many rows as needed, then entries spread evenly over them.
    const int rows = (n + fit - 1) / fit;
    columns = (n + rows - 1) / rows;
  }
  g.columns = columns;
  const int rows = n == 0 ? 0 : (n + columns - 1) / columns;
  const double width = std::max(columns * g.entryWidth - 10 * px, titleWidth) + 2 * g.inner;
  g.size = QSizeF(std::min(width, maxWidth), g.titleHeight + rows * g.rowHeight + 2 * g.inner);
  return g;
}

bool hasLegend(const ChartDescription& chart) {
  return chart.legendPosition != LegendPosition::Hidden && (!chart.points.empty() || !chart.legendTitle.isEmpty());
}

void paintText(QPainter& painter, const QRectF& rect, const ChartText& t) {
  if (t.text.isEmpty() || rect.isEmpty()) return;
  painter.setFont(t.font);
  painter.setPen(t.colour);
  painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, t.text);
}

void paintLegend(QPainter& painter, const QRectF& box, const LegendGrid& g, const ChartDescription& chart) {
  const double px = parts::unit(painter);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 28));
  painter.drawRoundedRect(box.translated(3 * px, 3 * px), 3 * px, 3 * px);
  painter.setPen(QPen(QColor(0xb4, 0xb4, 0xb4), px));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(box, 3 * px, 3 * px);

  const QRectF inside = box.adjusted(g.inner, g.inner, -g.inner, -g.inner);
  if (!chart.legendTitle.isEmpty()) {
    painter.setFont(bold(chart.labelFont));
    painter.setPen(QColor(0x20, 0x20, 0x20));
    const QFontMetricsF tm(painter.font(), painter.device());
    painter.drawText(QRectF(inside.left(), inside.top(), inside.width(), g.titleHeight), Qt::AlignLeft | Qt::AlignTop,
                     tm.elidedText(chart.legendTitle, Qt::ElideRight, inside.width()));
  }
  painter.setFont(chart.labelFont);
  const QFontMetricsF fm(chart.labelFont, painter.device());
  const double nameRoom = g.entryWidth - g.swatch - 6 * px - 16 * px;
  for (std::size_t i = 0; i < chart.points.size(); ++i) {
    const ChartPoint& p = chart.points[i];
    const int row = int(i) / g.columns;
    const int column = int(i) % g.columns;
    const double x = inside.left() + column * g.entryWidth;
    const double y = inside.top() + g.titleHeight + row * g.rowHeight;
    if (y + g.rowHeight > box.bottom() + 1) break;
    const QRectF swatch(x, y + (g.rowHeight - g.swatch) / 2, g.swatch, g.swatch);
    painter.setPen(QPen(parts::edgeColour(p.colour), px));
    painter.setBrush(p.colour);
    painter.drawRect(swatch);
    painter.setPen(QColor(0x20, 0x20, 0x20));
    const double room = std::max(0.0, std::min(nameRoom, inside.right() - swatch.right() - 6 * px));
    painter.drawText(QRectF(swatch.right() + 6 * px, y, room, g.rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     fm.elidedText(p.name, Qt::ElideRight, room));
  }
}


struct Placed {
  ChartLayout layout;
  LegendGrid legend;
};

Placed place(const ChartDescription& chart, const QRectF& area, const QPaintDevice* device) {
  const double px = parts::unit(device);
  const double pad = 10 * px;
  Placed placed;
  ChartLayout& l = placed.layout;
  QRectF room = area.adjusted(pad, pad, -pad, -pad);
  if (const double h = textHeight(chart.title, room.width(), device); h > 0) {
    l.title = QRectF(room.left(), room.top(), room.width(), h);
    room.setTop(l.title.bottom() + pad);
  }
  if (const double h = textHeight(chart.foot, room.width(), device); h > 0) {
    l.foot = QRectF(room.left(), room.bottom() - h, room.width(), h);
    room.setBottom(l.foot.top() - pad);
  }
  if (hasLegend(chart)) {
    const bool right = chart.legendPosition == LegendPosition::Right;
    const LegendGrid& g = placed.legend = legendGrid(chart, device, right ? room.width() * 0.35 : room.width(), right);
    if (right) {
      l.legend = QRectF(room.right() - g.size.width(), room.center().y() - g.size.height() / 2, g.size.width(),
                        g.size.height());
      room.setRight(l.legend.left() - pad);
    } else {
      l.legend = QRectF(room.center().x() - g.size.width() / 2, room.bottom() - g.size.height(), g.size.width(),
                        g.size.height());
      room.setBottom(l.legend.top() - pad);
    }
  }
  l.plot = QRectF(room.topLeft(), QSizeF(std::max(0.0, room.width()), std::max(0.0, room.height())));
  return placed;
}

} // namespace

ChartLayout layoutChart(const ChartDescription& chart, const QRectF& area, const QPaintDevice* device) {
  return place(chart, area, device).layout;
}

void paintChart(QPainter& painter, const QRectF& area, const ChartDescription& chart) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(area, Qt::white);
  painter.setClipRect(area);
  const Placed placed = place(chart, area, painter.device());
  const ChartLayout& l = placed.layout;
  paintText(painter, l.title, chart.title);
  paintText(painter, l.foot, chart.foot);
  if (!l.legend.isEmpty()) paintLegend(painter, l.legend, placed.legend, chart);
  if (l.plot.width() > 0 && l.plot.height() > 0) {
    if (chart.type == ChartType::Pie3D)
      parts::paintPie(painter, l.plot, chart);
    else
      parts::paintBars(painter, l.plot, chart);
  }
  painter.restore();
}

QImage renderChart(const ChartDescription& chart, const QSize& size, double dpi) {
  QImage image(size, QImage::Format_RGB32);
  const int dotsPerMeter = int(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), chart);
  return image;
}

bool printChart(QPagedPaintDevice& device, const ChartDescription& chart, int pages) {
  device.setPageOrientation(QPageLayout::Landscape);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  // A margin of its own inside whatever the printer cannot reach.
  const double margin = device.logicalDpiX() / 25.4 * 8;
  const QRectF area = QRectF(0, 0, device.width(), device.height()).adjusted(margin, margin, -margin, -margin);
  for (int i = 0; i < std::max(1, pages); ++i) {
    if (i > 0) device.newPage();
    paintChart(painter, area, chart);
  }
  return painter.end();
}

} // namespace chart
