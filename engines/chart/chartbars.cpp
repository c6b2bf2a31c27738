// Bars in an orthogonal 3D view: a back wall with the grid, a left wall and
// a floor; each bar a box with its front in the point's colour, a lighter
// top and a darker right side. The value axis runs up the front left edge,
// the point names stand under the bars (slanted when they do not fit).
#include "chartparts.h"
#include "chartscale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace chart::parts {

namespace {

constexpr double kSlant = 0.70710678; // cos and sin of the 45 degree depth direction

QPolygonF parallelogram(QPointF a, QPointF b, QPointF shift) { return QPolygonF({a, b, b + shift, a + shift}); }

// Where everything of the bar chart goes, for a given room left over the
// bars for their marks.
struct BarGeometry {
  ValueScale scale;
  QPointF back;              // from the front plane to the back wall
  double x0 = 0, x1 = 0;     // front plane, left and right
  double top = 0, base = 0;  // front plane, scale high and low
  double slot = 0;
  bool slanted = false;      // names too wide to stand under their bars
  std::vector<QRectF> faces; // front faces of the bars
  QPointF deep;              // from a bar's front to its back
  std::vector<QRectF> marks;

  double y(double v) const { return base - (v - scale.low) / (scale.high - scale.low) * (base - top); }
  QRectF body(int i) const {
    const QRectF& f = faces[i];
    return QRectF(f.left(), f.top() + deep.y(), f.width() + deep.x(), f.height() - deep.y());
  }
};

class BarLayout {
public:
  BarLayout(const QPainter& painter, const QRectF& plot, const ChartDescription& chart)
      : painter_(painter), plot_(plot), chart_(chart), fm_(chart.labelFont, painter.device()), v_(values(chart)) {
    px_ = unit(painter);
    for (double x : v_) low_ = std::min(low_, x), high_ = std::max(high_, x);
    for (std::size_t i = 0; i < v_.size(); ++i) {
      texts_.push_back(formatValue(v_[i], chart.locale));
      nameWidth_ = std::max(nameWidth_, fm_.horizontalAdvance(chart.points[i].name));
    }
  }

  const std::vector<QString>& texts() const { return texts_; }
  double nameWidth() const { return nameWidth_; }
  double lineHeight() const { return fm_.height(); }

  // The layout with the marks inside the plot: the room over the bars grows
  // until the highest mark fits.
  BarGeometry settle() const {
    const bool marks = chart_.valueMarks && !v_.empty();
    double room = marks ? markSize(painter_, chart_.labelFont, QStringLiteral("0")).height() + 8 * px_ : lineHeight() / 2;
    BarGeometry g;
    for (int round = 0; round < 4; ++round) {
      g = geometry(room);
      double highest = plot_.bottom();
      for (const QRectF& m : g.marks) highest = std::min(highest, m.top());
      if (highest >= plot_.top() - 0.5 * px_ || g.top >= g.base - 8 * px_) break;
      room += plot_.top() - highest;
    }
    return g;
  }

private:
  BarGeometry geometry(double markRoom) const {
    const int n = int(v_.size());
    const double lineHeight = fm_.height();
    BarGeometry g;
    const double depth = std::max(0, chart_.depth) / 100.0 * std::min(plot_.width(), plot_.height()) * 0.6;
    g.back = QPointF(depth * kSlant, -depth * kSlant);
    // The axis labels decide where the front plane starts and the plot
    // height decides the labels: two rounds settle both.
    double height = plot_.height() * 0.7;
    for (int round = 0; round < 2; ++round) {
      g.scale = niceScale(low_, high_, std::max(1, int(height / (lineHeight * 2.2))), allWhole(v_));
      double axisWidth = 0;
      for (double t : g.scale.ticks())
        axisWidth = std::max(axisWidth, fm_.horizontalAdvance(formatValue(t, chart_.locale)));
      g.x0 = plot_.left() + axisWidth + 10 * px_;
      g.x1 = std::max(g.x0 + 1, plot_.right() - g.back.x() - 4 * px_);
      g.slot = (g.x1 - g.x0) / std::max(1, n);
      g.slanted = nameWidth_ > g.slot * 0.92;
      const double names = n == 0 ? 0 : g.slanted ? (nameWidth_ + lineHeight) * kSlant + 6 * px_ : lineHeight + 6 * px_;
      g.top = std::min(plot_.top() + markRoom - g.back.y(), plot_.bottom() - names - 8 * px_);
      g.base = std::max(g.top + 8 * px_, plot_.bottom() - names);
      height = g.base - g.top;
    }

    // Bars stand a little behind the front plane and short of the back wall.
    const double barWidth = g.slot * (n <= 3 ? 0.45 : 0.62);
    const QPointF front = g.back * 0.1;
    g.deep = g.back * 0.8;
    const double zeroY = g.y(std::clamp(0.0, g.scale.low, g.scale.high));
    for (int i = 0; i < n; ++i) {
      const double cx = g.x0 + g.slot * (i + 0.5);
      const double yv = g.y(v_[i]);
      g.faces.push_back(
          QRectF(QPointF(cx - barWidth / 2, std::min(yv, zeroY)), QPointF(cx + barWidth / 2, std::max(yv, zeroY)))
              .translated(front));
    }
    if (chart_.valueMarks) placeMarks(g);
    return g;
  }

  // Each mark over the top of its bar, raised over any mark or bar it would
  // cover. The tallest bars are served first, so that crowded marks of
  // similar bars fall into two alternating rows.
  void placeMarks(BarGeometry& g) const {
    const int n = int(v_.size());
    const double gap = 2 * px_;
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return g.body(a).top() < g.body(b).top(); });
    g.marks.assign(n, QRectF());
    std::vector<QRectF> placed;
    for (int i : order) {
      const QSizeF size = markSize(painter_, chart_.labelFont, texts_[i]);
      const QRectF top = g.body(i);
      QRectF box(QPointF(top.center().x() - size.width() / 2, top.top() - 4 * px_ - size.height()), size);
      if (box.right() > plot_.right()) box.moveRight(plot_.right());
      if (box.left() < plot_.left()) box.moveLeft(plot_.left());
      for (bool moved = true; moved;) {
        moved = false;
        // A mark may reach over the edge of a neighbouring bar, not over
        // another mark.
        auto clear = [&](const QRectF& obstacle, double allowance) {
          const QRectF overlap = box.adjusted(0, 0, 0, gap).intersected(obstacle);
          if (overlap.height() > 0 && overlap.width() > allowance) {
            box.moveBottom(obstacle.top() - gap);
            moved = true;
          }
        };
        for (int j = 0; j < n; ++j)
          if (j != i) clear(g.body(j), box.width() / 4);
        for (const QRectF& other : placed) clear(other, 0);
      }
      g.marks[i] = box;
      placed.push_back(box);
    }
  }

  const QPainter& painter_;
  QRectF plot_;
  const ChartDescription& chart_;
  QFontMetricsF fm_;
  std::vector<double> v_;
  std::vector<QString> texts_;
  double px_ = 1;
  double low_ = 0, high_ = 0;
  double nameWidth_ = 0;
};

} // namespace

void paintBars(QPainter& painter, const QRectF& plot, const ChartDescription& chart) {
  const double px = unit(painter);
  const BarLayout layout(painter, plot, chart);
  const BarGeometry g = layout.settle();
  const int n = int(g.faces.size());
  const double lineHeight = layout.lineHeight();
  const QPointF back = g.back;

  // Walls and floor.
  const QPen wallPen(QColor(0xa8, 0xa8, 0xa8), px);
  painter.setPen(wallPen);
  QLinearGradient wallFill(0, g.top + back.y(), 0, g.base + back.y());
  wallFill.setColorAt(0, QColor(0xff, 0xff, 0xff));
  wallFill.setColorAt(1, QColor(0xec, 0xee, 0xf2));
  painter.setBrush(wallFill);
  painter.drawRect(QRectF(QPointF(g.x0, g.top) + back, QPointF(g.x1, g.base) + back));
  painter.setBrush(QColor(0xe4, 0xe6, 0xea));
  painter.drawPolygon(parallelogram({g.x0, g.base}, {g.x0, g.top}, back));
  painter.setBrush(QColor(0xd8, 0xda, 0xde));
  painter.drawPolygon(parallelogram({g.x0, g.base}, {g.x1, g.base}, back));

  // Grid on the walls, value labels at the front.
  painter.setFont(chart.labelFont);
  for (double t : g.scale.ticks()) {
    const double y = g.y(t);
    const bool zero = std::abs(t) < g.scale.step * 1e-6 && g.scale.low < 0;
    painter.setPen(QPen(zero ? QColor(0x80, 0x80, 0x80) : QColor(0xcc, 0xcf, 0xd4), px));
    if (t != g.scale.low) {
      painter.drawLine(QPointF(g.x0, y) + back, QPointF(g.x1, y) + back);
      painter.drawLine(QPointF(g.x0, y), QPointF(g.x0, y) + back);
    }
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), px));
    painter.drawLine(QPointF(g.x0 - 4 * px, y), QPointF(g.x0, y));
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(QRectF(plot.left(), y - lineHeight, g.x0 - 7 * px - plot.left(), 2 * lineHeight),
                     Qt::AlignRight | Qt::AlignVCenter, formatValue(t, chart.locale));
  }

  // The bars, left to right so that each front hides the side before it.
  for (int i = 0; i < n; ++i) {
    const QColor colour = chart.points[i].colour;
    const QRectF& face = g.faces[i];
    painter.setPen(QPen(edgeColour(colour), px, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(colour.lighter(125));
    painter.drawPolygon(parallelogram(face.topLeft(), face.topRight(), g.deep));
    if (face.height() > 0) {
      painter.setBrush(colour.darker(135));
      painter.drawPolygon(parallelogram(face.topRight(), face.bottomRight(), g.deep));
      painter.setBrush(colour);
      painter.drawRect(face);
    }
  }

  // Front axis lines.
  painter.setPen(QPen(QColor(0x60, 0x60, 0x60), px));
  painter.drawLine(QPointF(g.x0, g.top), QPointF(g.x0, g.base));
  painter.drawLine(QPointF(g.x0, g.base), QPointF(g.x1, g.base));

  // Names under the bars.
  painter.setPen(QColor(0x20, 0x20, 0x20));
  painter.setFont(chart.labelFont);
  for (int i = 0; i < n; ++i) {
    const double cx = g.x0 + g.slot * (i + 0.5);
    const QString& name = chart.points[i].name;
    if (g.slanted) {
      painter.save();
      painter.translate(cx + lineHeight * 0.3, g.base + 5 * px);
      painter.rotate(-45);
      painter.drawText(QRectF(-layout.nameWidth() - 2 * px, -lineHeight / 2, layout.nameWidth(), lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                       name);
      painter.restore();
    } else {
      painter.drawText(QRectF(cx - g.slot / 2, g.base + 4 * px, g.slot, lineHeight), Qt::AlignHCenter | Qt::AlignTop, name);
    }
  }

  // Value marks.
  for (int i = 0; i < int(g.marks.size()); ++i) drawMark(painter, g.marks[i], chart.labelFont, layout.texts()[i]);
}

} // namespace chart::parts
