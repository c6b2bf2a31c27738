// A pie in an orthogonal 3D view: an elliptic disc with a visible wall
// along its front half. Slices start at twelve o'clock and go clockwise;
// points of value 0 get no slice (they stay in the legend). The marks stand
// in a column left and right of the disc, each at the end of a leader line
// from its slice.
#include "chartparts.h"
#include "chartscale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace chart::parts {

namespace {

struct Disc {
  QRectF top;         // the upper ellipse
  double thickness;   // height of the wall
  QRectF bottom() const { return top.translated(0, thickness); }
};

// Point of an ellipse at `degrees` (counter-clockwise from three o'clock),
// the same parametrisation QPainterPath::arcTo uses.
QPointF onEllipse(const QRectF& e, double degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return {e.center().x() + e.width() / 2 * std::cos(a), e.center().y() - e.height() / 2 * std::sin(a)};
}

// The wall under the arc from `from` to `to` degrees (from < to), which lies
// in the front half of the disc.
QPainterPath wall(const Disc& d, double from, double to) {
  QPainterPath path(onEllipse(d.top, from));
  path.arcTo(d.top, from, to - from);
  path.lineTo(onEllipse(d.bottom(), to));
  path.arcTo(d.bottom(), to, from - to);
  path.closeSubpath();
  return path;
}

// Wall shading: darker at the sides, as if lit from the front left.
QLinearGradient wallShade(const Disc& d, const QColor& colour) {
  QLinearGradient shade(d.top.left(), 0, d.top.right(), 0);
  shade.setColorAt(0, colour.darker(175));
  shade.setColorAt(0.4, colour.darker(118));
  shade.setColorAt(1, colour.darker(190));
  return shade;
}

void paintWalls(QPainter& painter, const Disc& d, double start, double sweep, const QColor& colour) {
  if (d.thickness <= 0) return;
  const double px = unit(painter);
  painter.setPen(QPen(edgeColour(colour), px));
  painter.setBrush(wallShade(d, colour));
  // The front half is (180, 360) degrees, in any turn.
  const double from = start - sweep;
  for (int turn = -2; turn <= 1; ++turn) {
    const double a = std::max(from, 180.0 + 360 * turn);
    const double b = std::min(start, 360.0 + 360 * turn);
    if (b - a > 1e-6) painter.drawPath(wall(d, a, b));
  }
}

struct Mark {
  QString text;
  QSizeF size;
  QPointF edge;   // on the slice's rim
  QPointF elbow;  // where the leader line bends towards its label
  bool right = true;
  double y = 0;   // vertical centre of the label, after spreading
};

// Labels on one side, in height order, pushed apart so that none overlap
// and kept inside the plot.
void spread(std::vector<Mark*>& side, const QRectF& plot, double gap) {
  std::sort(side.begin(), side.end(), [](const Mark* a, const Mark* b) { return a->elbow.y() < b->elbow.y(); });
  double floor = plot.top();
  for (Mark* m : side) {
    m->y = std::max(m->elbow.y(), floor + m->size.height() / 2);
    floor = m->y + m->size.height() / 2 + gap;
  }
  double ceiling = plot.bottom();
  for (auto it = side.rbegin(); it != side.rend(); ++it) {
    Mark* m = *it;
    m->y = std::min(m->y, ceiling - m->size.height() / 2);
    ceiling = m->y - m->size.height() / 2 - gap;
  }
}

} // namespace

void paintPie(QPainter& painter, const QRectF& plot, const ChartDescription& chart) {
  const double px = unit(painter);
  std::vector<double> v = values(chart);
  double total = 0;
  for (double& x : v) total += (x = std::abs(x));
  const bool slices = total > 0 && std::isfinite(total);

  // Room for the marks around the disc.
  std::vector<Mark> marks;
  double markWidth = 0, markHeight = 0;
  if (chart.valueMarks && slices) {
    for (std::size_t i = 0; i < v.size(); ++i) {
      Mark m;
      m.text = formatValue(chart.points[i].value, chart.locale);
      m.size = markSize(painter, chart.labelFont, m.text);
      markWidth = std::max(markWidth, m.size.width());
      markHeight = std::max(markHeight, m.size.height());
      marks.push_back(m);
    }
  }
  const double leader = 16 * px;
  const double side = markWidth > 0 ? markWidth + leader + 10 * px : 4 * px;
  const double above = markHeight > 0 ? leader + markHeight / 2 + 4 * px : 4 * px;

  const double depth = std::max(0, chart.depth) / 100.0;
  const double tilt = depth > 0 ? 0.5 : 1.0;
  const double thick = depth * 1.1;
  const double rx = std::max(
      4 * px, std::min((plot.width() - 2 * side) / 2, (plot.height() - 2 * above) / (2 * tilt + thick)));
  const double ry = rx * tilt;
  Disc d;
  d.thickness = rx * thick;
  const double cy = plot.top() + (plot.height() - 2 * ry - d.thickness) / 2 + ry;
  d.top = QRectF(plot.center().x() - rx, cy - ry, 2 * rx, 2 * ry);

  if (!slices) {
    // Nothing to share out: an empty disc.
    const QColor empty(0xec, 0xef, 0xf4);
    paintWalls(painter, d, 360, 180, empty);
    painter.setPen(QPen(edgeColour(empty), px));
    painter.setBrush(empty);
    painter.drawEllipse(d.top);
    return;
  }

  // Walls first, then the top faces over them.
  struct Slice {
    double start, sweep;
  };
  std::vector<Slice> angles(v.size());
  double start = 90;
  for (std::size_t i = 0; i < v.size(); ++i) {
    angles[i] = {start, 360 * v[i] / total};
    start -= angles[i].sweep;
  }
  for (std::size_t i = 0; i < v.size(); ++i)
    if (v[i] > 0) paintWalls(painter, d, angles[i].start, angles[i].sweep, chart.points[i].colour);
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] <= 0) continue;
    const QColor& colour = chart.points[i].colour;
    painter.setPen(QPen(edgeColour(colour), px, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(colour);
    if (angles[i].sweep >= 360 - 1e-9) {
      painter.drawEllipse(d.top);
    } else {
      QPainterPath slice(d.top.center());
      slice.arcTo(d.top, angles[i].start, -angles[i].sweep);
      slice.closeSubpath();
      painter.drawPath(slice);
    }
  }

  if (marks.empty()) return;
  std::vector<Mark*> left, right;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] <= 0) continue;
    Mark& m = marks[i];
    const double mid = angles[i].start - angles[i].sweep / 2;
    const double a = mid * std::numbers::pi / 180;
    const bool front = std::sin(a) < 0;
    m.edge = onEllipse(d.top, mid) + QPointF(0, front ? d.thickness / 2 : 0);
    m.elbow = onEllipse(d.top.adjusted(-leader, -leader, leader, leader), mid) + QPointF(0, front ? d.thickness : 0);
    m.right = std::cos(a) >= -1e-9;
    (m.right ? right : left).push_back(&m);
  }
  spread(left, plot, 2 * px);
  spread(right, plot, 2 * px);
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] <= 0) continue;
    const Mark& m = marks[i];
    const double dir = m.right ? 1 : -1;
    // The labels of each side stand in a column clear of the disc.
    const QPointF end(d.top.center().x() + dir * (d.top.width() / 2 + leader + 6 * px), m.y);
    painter.setPen(QPen(QColor(0x50, 0x50, 0x50), px));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({m.edge, m.elbow, end}));
    QRectF box(QPointF(0, m.y - m.size.height() / 2), m.size);
    box.moveLeft(m.right ? end.x() : end.x() - m.size.width());
    if (box.right() > plot.right()) box.moveRight(plot.right());
    if (box.left() < plot.left()) box.moveLeft(plot.left());
    drawMark(painter, box, chart.labelFont, m.text);
  }
}

} // namespace chart::parts
