// The help topics and the one way every screen asks for help: help::show
// with a topic. The texts and the help screen belong to the program, which
// installs its viewer at start-up; until then (and in tests that install
// none) asking for help does nothing.
#pragma once

#include <functional>

class QWidget;

enum class HelpTopic {
  Manuale,             // main menu: the whole user manual
  Clienti,             // client card
  Pratiche,            // case card
  Protocollo,          // protocol year screen and card
  Documenti,           // document card
  Scadenzario,         // deadline screen
  Progetti,            // project year screen and card
  Movimenti,           // movement year screen and card
  Bilancio,            // cash book
  Insoluti,            // unpaid-payments menu
  RiepilogoInsoluti,   // the three unpaid-payments lists
  Statistiche,         // chart menu and chart screens
  RiepilogoProtocollo, // protocol summary by date interval
  ListeScadenze,       // imminent, daily and monthly deadline lists
  EsportaClienti,
  EsportaPratiche,
  EsportaDocumenti,
  EsportaProtocollo,
  EsportaProgetti,
  EsportaMovimenti,
  EsportaScadenzario,
};

namespace help {

// Shows a topic over a screen, modally.
using Viewer = std::function<void(QWidget* parent, HelpTopic topic)>;
// An empty viewer removes the installed one.
void setViewer(Viewer viewer);
bool hasViewer();
void show(QWidget* parent, HelpTopic topic);

} // namespace help
