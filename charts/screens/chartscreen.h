// The chart screens of the statistics: `TfrmStatsEntrate` (income of each
// month), `TfrmStatsUscite` (expenses of each month) and `TfrmStatsBilancio`
// (yearly income and expenses). One screen class, configured per chart by a
// description; the screen reads the year's archive when it is first shown,
// draws the sums as 3D bars or a 3D pie and prints them in copies.
#pragma once

#include "charts/statistics.h"

#include <QDialog>
#include <QRgb>
#include <QString>

#include <vector>

class QLabel;
namespace chart {
class ChartView;
}

struct StatsPoint {
  QString name;  // the point's name on the chart
  QRgb colour;   // opaque
  QString label; // object name of the hidden label holding its value
};

struct StatsScreenDescription {
  statistics::Chart chart;
  QString screen;      // object name
  QString caption;     // window caption
  QString titleLine;   // `lblTitolo` before the year and "."
  QString explanation; // what the chart shows
  QString status;      // the status line when the screen opens
  QString barsHint;    // of `btnBarre`
  QString pieHint;     // of `btnTorta`
  QString chartTitle;
  QString legendTitle;
  std::vector<StatsPoint> points;
};

const StatsScreenDescription& statsScreen(statistics::Chart chart);

class TfrmStats : public QDialog {
  Q_OBJECT
public:
  // The chart of the archive `file` for `year` (the four digits chosen).
  TfrmStats(const StatsScreenDescription& description, QString file, QString year, QWidget* parent = nullptr);
  ~TfrmStats() override;

  chart::ChartView* chartView() const { return view_; }

  // `btnBarre`, `btnTorta`: the same points as bars or as a pie.
  void barre();
  void torta();
  // `btnStampa`: the question, the copies, the print dialog.
  void stampa();

  // Opens a fresh chart screen modally over `parent` and destroys it when
  // it closes.
  static void open(statistics::Chart chart, const QString& file, const QString& year, QWidget* parent);

protected:
  void showEvent(QShowEvent* e) override;

private:
  void compute();

  const StatsScreenDescription& d_;
  QString file_;
  QString year_;
  chart::ChartView* view_;
  std::vector<QLabel*> values_;
  bool computed_ = false;
};
