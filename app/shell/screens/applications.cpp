#include "applications.h"

#include "app/help/screens/helpscreens.h"

// The applications of the program, each its folder's module record.
#include "cases/screens/casesmodule.h"
#include "clients/screens/clientsmodule.h"
#include "deadlines/screens/deadlinesmodule.h"
#include "documents/screens/documentsmodule.h"
#include "cashbook/screens/cashbookmodule.h"
#include "movements/screens/movementsmodule.h"
#include "charts/screens/chartsmodule.h"
#include "unpaid/screens/unpaidmodule.h"
#include "projects/screens/projectsmodule.h"
#include "protocol/screens/protocolmodule.h"

namespace {

const MenuCommands kMenuCommands{
    [](QWidget* menu) { showHelp(menu, HelpTopic::Manuale); },
    showInfo,
    showSplash,
};

} // namespace

void registerModules() {
  static const bool done = [] {
    // in menu order: the first five tiles on the first row, the others below
    for (const modules::Module& (*module)() :
         {clientsModule, casesModule, protocolModule, documentsModule, deadlinesModule, projectsModule,
          movementsModule, cashbookModule, unpaidModule, statsModule})
      modules::add(module());
    modules::setMainMenu(QStringLiteral("TfrmAvvio"));
    return true;
  }();
  (void)done;
}

std::span<const Application> applications() {
  registerModules();
  static std::vector<Application> list;
  const std::span<const modules::Module* const> registered = modules::all();
  const bool same = list.size() == registered.size() &&
                    std::equal(list.begin(), list.end(), registered.begin(),
                               [](const Application& a, const modules::Module* m) { return a.module == m; });
  if (!same) {
    list.clear();
    for (const modules::Module* m : registered)
      list.push_back({m->tile.picture, m->tile.button, m->tile.title, m->tile.screen, m->tile.art, m->create, m->card, m});
  }
  return list;
}

std::vector<const CardDescription*> cardDescriptions() {
  std::vector<const CardDescription*> cards;
  for (const Application& app : applications())
    if (app.card) cards.push_back(&app.card());
  return cards;
}
const MenuCommands& menuCommands() { return kMenuCommands; }
