// What the chart engine draws: one series of named values with their
// colours, a title, a foot text and a legend, as 3D bars or as a 3D pie.
// The engine knows nothing of where the values come from; the caller fills
// a ChartDescription and hands it to paintChart(), renderChart(),
// printChart() or a ChartView.
#pragma once

#include <QColor>
#include <QFont>
#include <QLocale>
#include <QString>

#include <vector>

namespace chart {

enum class ChartType { Bars3D, Pie3D };

enum class LegendPosition { Bottom, Right, Hidden };

// The application font at `pointSize` points.
QFont sizedFont(int pointSize, bool bold = false);

struct ChartText {
  QString text;
  QFont font = sizedFont(12, true);
  QColor colour = Qt::black;
};

struct ChartPoint {
  QString name;
  double value = 0;
  QColor colour;
};

struct ChartDescription {
  ChartText title;
  ChartText foot;
  QString legendTitle;
  LegendPosition legendPosition = LegendPosition::Bottom;
  std::vector<ChartPoint> points;
  // A mark with its value above every bar or beside every slice.
  bool valueMarks = true;
  ChartType type = ChartType::Bars3D;
  // Depth of the orthogonal 3D view in percent (0 draws flat).
  int depth = 15;
  // Axis labels, value marks and legend entries; the legend title is this
  // font in bold.
  QFont labelFont = sizedFont(9);
  // Numbers are written in this locale (decimal and group separators).
  QLocale locale;
};

} // namespace chart
