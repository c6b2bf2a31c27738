// The applications of the main menu and the menu's own commands that other
// screens provide. Each application is its folder's module record; adding
// one is its line in the list of applications.cpp.
#pragma once

#include "common/modules.h"

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
  const modules::Module* module = nullptr; // the record it comes from
};

// Registers the program's modules in menu order (once) and names the main
// menu; applications() does it first.
void registerModules();

// The tiles of the registered modules, in menu order: the first five tiles
// on the first row, the others below.
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
