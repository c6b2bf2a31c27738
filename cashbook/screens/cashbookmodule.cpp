#include "cashbookmodule.h"

#include "cashbookmenu.h"

const modules::Module& cashbookModule() {
  static const modules::Module m{
      .tile = {"imgPrimanota", "btnPrimanota", "Primanota e Bilancio", "TfrmMenuBilancio", "primanota"},
      .help = HelpTopic::Bilancio,
      .create = []() -> QWidget* { return new TfrmMenuBilancio(); },
  };
  return m;
}
