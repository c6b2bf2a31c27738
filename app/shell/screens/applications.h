// The ten applications of the main menu and the menu's own commands that
// other screens provide. Adding an application is one row of the table in
// applications.cpp.
#pragma once

#include <QString>

#include <span>
#include <vector>

class QWidget;
struct CardDescription;

struct Application {
  const char* picture; // the tile's picture `img...`
  const char* button;  // the button picture under it `btn...`
  const char* title;   // written under the picture
  const char* screen;  // object name of the screen the tile opens
  const char* art;     // the tile's picture in the resources
  // Creates the application's persistent screens at start-up and returns the
  // one the tile opens (the shell registers it). nullptr while the
  // application is not part of the program: its tile stays disabled.
  QWidget* (*create)();
  // The description of the application's card, which the checks over every
  // card read; nullptr for an application without a card.
  const CardDescription& (*card)() = nullptr;
};

// In menu order: the first five tiles on the first row, the others below.
std::span<const Application> applications();

// The descriptions of every card of the program, in menu order.
std::vector<const CardDescription*> cardDescriptions();

// The menu's help, information and about commands; nullptr leaves the
// picture disabled.
struct MenuCommands {
  void (*guide)(QWidget* menu); // the whole user manual
  void (*info)(QWidget* menu);  // TfrmInfo, modal
  void (*about)(QWidget* menu); // TfrmSplash, modal
};
const MenuCommands& menuCommands();
