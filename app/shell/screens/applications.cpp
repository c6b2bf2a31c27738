#include "applications.h"

#include "common/screens/screenkit.h"
#include "common/screens/yearscreen.h"

// Applications: include each card or menu screen here and give its row a
// factory below.

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
  return new YearScreen(yearscreens::description(archive));
}

const Application kApplications[] = {
    // picture, button, title, opens, art, factory
    {"imgClienti", "btnClienti", "Anagrafica Clienti", "TfrmClienti", "clienti",
     nullptr /* screen<TfrmClienti> (clients/screens/tfrmclienti.h) */},
    {"imgPratiche", "btnPratiche", "Archivio Pratiche", "TfrmPratica", "pratiche", nullptr},
    {"imgPosta", "btnPosta", "Protocollo Posta", "TfrmMenuProtocollo", "posta",
     nullptr /* yearly<yearscreens::Archive::Protocollo, TfrmProtocollo> */},
    {"imgDocumenti", "btnDocumenti", "Archivio Documenti", "TfrmAltri", "documenti", nullptr},
    {"imgScadenzario", "btnScadenzario", "Scadenze e Appuntamenti", "TfrmScadenzario", "scadenzario", nullptr},
    {"imgProgetti", "btnProgetti", "Archivio Progetti", "TfrmMenuReferti", "progetti",
     nullptr /* yearly<yearscreens::Archive::Progetti, TfrmReferti> */},
    {"imgMovimenti", "btnMovimenti", "Entrate e Uscite", "TfrmMenuMovimenti", "movimenti",
     nullptr /* yearly<yearscreens::Archive::Movimenti, TfrmMovimenti> */},
    {"imgPrimanota", "btnPrimanota", "Primanota e Bilancio", "TfrmMenuBilancio", "primanota", nullptr},
    {"imgInsoluti", "btninsoluti", "Pagamenti Insoluti", "TfrmMenuInsoluti", "insoluti", nullptr},
    {"imgStatistiche", "btnStatistiche", "Grafici Statistici", "TfrmMenuStats", "statistiche", nullptr},
};

const MenuCommands kMenuCommands{
    nullptr, // guide
    nullptr, // info
    nullptr, // about
};

} // namespace

std::span<const Application> applications() { return kApplications; }
const MenuCommands& menuCommands() { return kMenuCommands; }
