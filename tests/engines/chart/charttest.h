// Helpers of the chart tests: sample charts, a paint device that keeps the
// texts drawn on it, and pixel counts of an image.
#pragma once

#include "engines/chart/chart.h"

#include <QImage>
#include <QPaintEngine>
#include <QPaintDevice>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace charttest {

inline chart::ChartDescription monthly(const std::vector<double>& values) {
  static const char* const names[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                      "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
  static const QRgb colours[] = {0xFFFF0000, 0xFF0000FF, 0xFFFFE4C4, 0xFFFF00FF, 0xFFC0DCC0, 0xFFFFFF00,
                                 0xFF00FF00, 0xFFC0C0C0, 0xFFF0FBFF, 0xFF87CEEB, 0xFF800000, 0xFF008000};
  chart::ChartDescription c;
  c.title = {QStringLiteral("Statistiche entrate mensili"), QFont(QStringLiteral("Verdana"), 20, QFont::Bold),
             QColor(0xFFD04498)};
  c.foot = {QStringLiteral("Tutti gli importi sono arrotondati all'euro"),
            QFont(QStringLiteral("Verdana"), 11, QFont::Bold), QColor(0xFF7294F9)};
  c.legendTitle = QStringLiteral("Entrate mensili:");
  c.locale = QLocale(QLocale::Italian, QLocale::Italy);
  for (std::size_t i = 0; i < values.size() && i < 12; ++i)
    c.points.push_back({QString::fromLatin1(names[i]), values[i], QColor::fromRgba(colours[i])});
  return c;
}

inline chart::ChartDescription balance(double income, double expenses) {
  chart::ChartDescription c = monthly({});
  c.title.text = QStringLiteral("Bilancio entrate e uscite annuali");
  c.legendTitle = QStringLiteral("Bilancio annuale:");
  c.points = {{QStringLiteral("Entrate"), income, QColor(0xFF008000)}, {QStringLiteral("Uscite"), expenses, QColor(0xFFFF0000)}};
  return c;
}

// Pixels of exactly `colour` inside `rect`.
inline int countColour(const QImage& image, QRgb colour, const QRect& rect) {
  const QRect r = rect.intersected(image.rect());
  int count = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if ((image.pixel(x, y) | 0xFF000000) == (colour | 0xFF000000)) ++count;
  return count;
}

// A paint device of a given size at 96 dpi that records every text drawn.
class TextRecorder : public QPaintDevice {
public:
  explicit TextRecorder(QSize size) : size_(size) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  const QStringList& texts() const { return engine_.texts; }

protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return size_.width() * 254 / 960;
    case PdmHeightMM: return size_.height() * 254 / 960;
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
  }

private:
  class Engine : public QPaintEngine {
  public:
    Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    Type type() const override { return QPaintEngine::User; }
    QStringList texts;
  };
  QSize size_;
  mutable Engine engine_;
};

} // namespace charttest
