#include "reportpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <functional>

namespace report {

namespace {

constexpr double kTextPaddingMm = 0.53; // 2 units of 1/96 inch at each side
constexpr double kRuleWidthMm = 0.26;   // 1 unit
constexpr double kFrameWidthMm = 0.2;

// Text is measured at a fine resolution of its own, so that every device
// breaks and fits it alike.
constexpr double kMeasureDpi = 1200;

const QImage& measureDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(kMeasureDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
  }();
  return device;
}

QFont fontOf(const Element& e, double pointSize) {
  QFont font(e.family);
  font.setPointSizeF(pointSize);
  font.setBold(e.bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(true);
  return font;
}

double measureMm(double dots) { return dots * 25.4 / kMeasureDpi; }
double measureDots(double mm) { return mm * kMeasureDpi / 25.4; }

// The width the text of a box may take, in measuring dots.
double innerWidth(const Element& e) { return measureDots(std::max(0.0, e.rect.width() - 2 * kTextPaddingMm)); }

// A point size that prints at its true size on this device at this scale.
double devicePointSize(const QPainter& painter, double pointSize, double dotsPerMm) {
  const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
  return pointSize * dotsPerMm * 25.4 / (dpi > 0 ? dpi : 96);
}

void applyTextStyle(QPainter& p, const Element& e, double pointSize, double dotsPerMm) {
  p.setFont(fontOf(e, devicePointSize(p, pointSize, dotsPerMm)));
  p.setPen(e.color);
}

// One line of text in its box, the style already applied.
void drawTextLine(QPainter& p, const Element& e, const QRectF& r, const QString& text, double dotsPerMm) {
  const double pad = kTextPaddingMm * dotsPerMm;
  p.drawText(r.adjusted(pad, 0, -pad, 0), int(e.align) | Qt::TextSingleLine, text);
}

// One line, cut at the box's sides; glyphs may reach a little above and
// below a tight box rather than lose their tops.
void clipToSides(QPainter& p, const QRectF& r, double lineHeight) {
  p.setClipRect(QRectF(r.left(), r.top() - lineHeight, r.width(), r.height() + 2 * lineHeight));
}

// A box's text: one line, shrunk and then ended with an ellipsis when it
// does not fit, or the whole value wrapped inside the box.
void paintText(QPainter& p, const Element& e, const QRectF& r, double dotsPerMm) {
  if (e.fill.isValid()) p.fillRect(r, e.fill);
  if (e.text.isEmpty()) return;
  p.save();
  clipToSides(p, r, r.height());
  if (e.fit == Fit::Wrap) {
    applyTextStyle(p, e, e.pointSize, dotsPerMm);
    const double pad = kTextPaddingMm * dotsPerMm;
    const QRectF inner = r.adjusted(pad, 0, -pad, 0);
    const double step = lineSpacingMm(e) * dotsPerMm;
    const QStringList lines = wrappedLines(e);
    for (int i = 0; i < lines.size(); ++i) {
      const QRectF at(inner.left(), inner.top() + step * i, inner.width(), step);
      p.drawText(at, int((e.align & Qt::AlignHorizontal_Mask) | Qt::AlignTop) | Qt::TextSingleLine, lines[i]);
    }
  } else {
    const FittedLine line = fitLine(e);
    applyTextStyle(p, e, line.pointSize, dotsPerMm);
    drawTextLine(p, e, r, line.text, dotsPerMm);
  }
  p.restore();
}

// A run of list lines in the style of their body, set once for the run;
// list lines print as they are.
void paintRun(QPainter& p, const Pages& pages, const LineRun& run, const std::function<QRectF(const QRectF&)>& toDevice,
              double dotsPerMm) {
  if (run.count <= 0) return;
  const Element& body = pages.bodies[size_t(run.body)];
  const double pitch = listLineMm();
  const QRectF all = toDevice(QRectF(body.rect.left(), run.top, body.rect.width(), pitch * double(run.count)));
  if (body.fill.isValid()) p.fillRect(all, body.fill);
  applyTextStyle(p, body, body.pointSize, dotsPerMm);
  p.save();
  clipToSides(p, all, pitch * dotsPerMm);
  for (qsizetype i = 0; i < run.count; ++i) {
    const QStringView line = body.lines.at(run.first + i);
    if (line.isEmpty()) continue;
    const QRectF r = toDevice(QRectF(body.rect.left(), run.top + pitch * double(i), body.rect.width(), pitch));
    drawTextLine(p, body, r, line.toString(), dotsPerMm);
  }
  p.restore();
}

void paintLine(QPainter& p, const QRectF& r, const QColor& color, double dotsPerMm) {
  QPen pen(color, std::max(1.0, kRuleWidthMm * dotsPerMm));
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.drawLine(r.topLeft(), r.topLeft() + QPointF(r.width(), r.height()));
}

void paintBox(QPainter& p, const Element& e, const QRectF& r, double dotsPerMm) {
  if (e.fill.isValid()) p.fillRect(r, e.fill);
  if (e.outlined) {
    QPen pen(e.color, std::max(1.0, kFrameWidthMm * dotsPerMm));
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
  }
}

} // namespace

FittedLine fitLine(const Element& e) {
  if (e.fit != Fit::Shrink || e.text.isEmpty()) return {e.pointSize, e.text};
  const double room = innerWidth(e);
  const double smallest = std::min(e.pointSize, kSmallestPointSize);
  for (double pt = e.pointSize; pt > smallest; pt -= 0.5)
    if (QFontMetricsF(fontOf(e, pt), &measureDevice()).horizontalAdvance(e.text) <= room) return {pt, e.text};
  const QFontMetricsF m(fontOf(e, smallest), &measureDevice());
  if (m.horizontalAdvance(e.text) <= room) return {smallest, e.text};
  return {smallest, m.elidedText(e.text, Qt::ElideRight, room)};
}

QStringList wrappedLines(const Element& e) {
  if (e.text.isEmpty()) return {QString()};
  QTextLayout layout(e.text, fontOf(e, e.pointSize), &measureDevice());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(innerWidth(e));
    lines << e.text.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  if (lines.isEmpty()) lines << QString();
  return lines;
}

double lineSpacingMm(const Element& e) {
  return measureMm(QFontMetricsF(fontOf(e, e.pointSize), &measureDevice()).lineSpacing());
}

void paintFolderIcon(QPainter& p, const QRectF& rect) {
  // Drawn on a 17 x 13 grid, fitted into the rectangle keeping its shape.
  const double s = std::min(rect.width() / 17.0, rect.height() / 13.0);
  const QPointF o = rect.center() - QPointF(17.0 * s / 2, 13.0 * s / 2);
  auto pt = [&](double x, double y) { return o + QPointF(x * s, y * s); };
  const QColor outline(0x9A, 0x6A, 0x00);

  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(outline, std::max(1.0, 0.35 * s));
  pen.setJoinStyle(Qt::RoundJoin);
  p.setPen(pen);

  QPainterPath back;
  back.moveTo(pt(1.0, 11.8));
  back.lineTo(pt(1.0, 1.8));
  back.lineTo(pt(1.6, 1.2));
  back.lineTo(pt(6.2, 1.2));
  back.lineTo(pt(7.6, 2.6));
  back.lineTo(pt(15.4, 2.6));
  back.lineTo(pt(15.4, 11.8));
  back.closeSubpath();
  p.setBrush(QColor(0xE8, 0xB0, 0x10));
  p.drawPath(back);

  // A sheet of paper standing in the folder.
  p.setBrush(Qt::white);
  p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), std::max(1.0, 0.25 * s)));
  p.drawRect(QRectF(pt(3.0, 3.4), pt(13.6, 7.0)));
  p.setPen(pen);

  QPainterPath front;
  front.moveTo(pt(1.0, 11.8));
  front.lineTo(pt(2.8, 5.0));
  front.lineTo(pt(16.4, 5.0));
  front.lineTo(pt(15.4, 11.8));
  front.closeSubpath();
  QLinearGradient g(pt(0, 5.0), pt(0, 11.8));
  g.setColorAt(0, QColor(0xFF, 0xE8, 0x7A));
  g.setColorAt(1, QColor(0xFF, 0xC4, 0x00));
  p.setBrush(g);
  p.drawPath(front);
  p.restore();
}

void paintPage(QPainter& p, const Pages& pages, int index, double dotsPerMm, QPointF origin) {
  if (index < 0 || index >= pages.count()) return;
  const QPointF corner = origin + QPointF(pages.margins.left(), pages.margins.top()) * dotsPerMm;
  const std::function<QRectF(const QRectF&)> toDevice = [&](const QRectF& mm) {
    return QRectF(corner + mm.topLeft() * dotsPerMm, mm.size() * dotsPerMm);
  };

  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  for (const auto& e : pages.pages[index].elements) {
    const QRectF r = toDevice(e.rect);
    switch (e.kind) {
    case Kind::Text: paintText(p, e, r, dotsPerMm); break;
    case Kind::Line: paintLine(p, r, e.color, dotsPerMm); break;
    case Kind::Box: paintBox(p, e, r, dotsPerMm); break;
    case Kind::Picture:
      if (e.picture == PictureId::FolderIcon) paintFolderIcon(p, r);
      break;
    }
  }
  for (const LineRun& run : pages.pages[index].runs) paintRun(p, pages, run, toDevice, dotsPerMm);
  p.restore();
}

QImage renderPage(const Pages& pages, int index, double dpi) {
  const double dotsPerMm = dpi / 25.4;
  QImage image(QSize(int(std::lround(pages.paper.width() * dotsPerMm)), int(std::lround(pages.paper.height() * dotsPerMm))),
               QImage::Format_RGB32);
  const int dotsPerMeter = int(std::lround(dotsPerMm * 1000));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(Qt::white);
  QPainter p(&image);
  paintPage(p, pages, index, dotsPerMm);
  return image;
}

} // namespace report
