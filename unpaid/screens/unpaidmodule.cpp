#include "unpaidmodule.h"

#include "unpaidmenu.h"

const modules::Module& unpaidModule() {
  static const modules::Module m{
      .tile = {"imgInsoluti", "btninsoluti", "Pagamenti Insoluti", "TfrmMenuInsoluti", "insoluti"},
      .help = HelpTopic::Insoluti,
      .create = createUnpaidMenu,
  };
  return m;
}
