#include "applications.h"

#include "app/help/screens/helpscreens.h"
#include "common/screens/screenkit.h"
#include "common/screens/yearscreen.h"

// Applications: include each card or menu screen here and give its row a
// factory below (the screen's library is linked in CMakeLists.txt).
#include "cases/screens/tfrmpratica.h"
#include "clients/screens/tfrmclienti.h"
#include "deadlines/screens/tfrmscadenzario.h"
#include "documents/screens/tfrmaltri.h"
#include "money/screens/tfrmmovimenti.h"
#include "protocol/screens/tfrmprotocollo.h"

namespace {

// A card or menu screen reached straight from its tile.
template <class Screen>
QWidget* screen() {
  return new Screen();
}

// A card of a yearly archive: the card itself and the year screen that opens
// it; the tile opens the year screen.
template <yearscreens::Archive archive, class Card>
QWidget* yearly() {
  screenkit::ScreenSet::add(new Card());
  YearScreenDescription d = yearscreens::description(archive);
  // the year screen explains its application with the card's own help
  const HelpTopic topic = archive == yearscreens::Archive::Protocollo ? HelpTopic::Protocollo
                          : archive == yearscreens::Archive::Progetti ? HelpTopic::Progetti
                                                                      : HelpTopic::Movimenti;
  d.help = [topic](QWidget* screen) { showHelp(screen, topic); };
  return new YearScreen(d);
}

const Application kApplications[] = {
    // picture, button, title, opens, art, factory, card description
    {"imgClienti", "btnClienti", "Anagrafica Clienti", "TfrmClienti", "clienti", screen<TfrmClienti>,
     TfrmClienti::describe},
    {"imgPratiche", "btnPratiche", "Archivio Pratiche", "TfrmPratica", "pratiche", screen<TfrmPratica>,
     TfrmPratica::describe},
    {"imgPosta", "btnPosta", "Protocollo Posta", "TfrmMenuProtocollo", "posta",
     yearly<yearscreens::Archive::Protocollo, TfrmProtocollo>, TfrmProtocollo::describe},
    {"imgDocumenti", "btnDocumenti", "Archivio Documenti", "TfrmAltri", "documenti", screen<TfrmAltri>,
     TfrmAltri::describe},
    {"imgScadenzario", "btnScadenzario", "Scadenze e Appuntamenti", "TfrmScadenzario", "scadenzario",
     screen<TfrmScadenzario>, TfrmScadenzario::describe},
    {"imgProgetti", "btnProgetti", "Archivio Progetti", "TfrmMenuReferti", "progetti",
     nullptr /* yearly<yearscreens::Archive::Progetti, TfrmReferti> */},
    {"imgMovimenti", "btnMovimenti", "Entrate e Uscite", "TfrmMenuMovimenti", "movimenti",
     yearly<yearscreens::Archive::Movimenti, TfrmMovimenti>, TfrmMovimenti::describe},
    {"imgPrimanota", "btnPrimanota", "Primanota e Bilancio", "TfrmMenuBilancio", "primanota", nullptr},
    {"imgInsoluti", "btninsoluti", "Pagamenti Insoluti", "TfrmMenuInsoluti", "insoluti", nullptr},
    {"imgStatistiche", "btnStatistiche", "Grafici Statistici", "TfrmMenuStats", "statistiche", nullptr},
};

const MenuCommands kMenuCommands{
    [](QWidget* menu) { showHelp(menu, HelpTopic::Manuale); },
    showInfo,
    showSplash,
};

} // namespace

std::span<const Application> applications() { return kApplications; }

std::vector<const CardDescription*> cardDescriptions() {
  std::vector<const CardDescription*> cards;
  for (const Application& app : kApplications)
    if (app.card) cards.push_back(&app.card());
  return cards;
}
const MenuCommands& menuCommands() { return kMenuCommands; }
