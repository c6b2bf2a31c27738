#include "chartsmodule.h"

#include "chartsmenu.h"

const modules::Module& statsModule() {
  static const modules::Module m{
      .tile = {"imgStatistiche", "btnStatistiche", "Grafici Statistici", "TfrmMenuStats", "statistiche"},
      .help = HelpTopic::Statistiche,
      .create = []() -> QWidget* { return new TfrmMenuStats(); },
  };
  return m;
}
