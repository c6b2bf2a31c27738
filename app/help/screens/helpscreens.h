// Opening the help, information and about screens. Each call creates the
// screen, shows it modally over the caller and destroys it when it closes.
#pragma once

#include "app/help/help.h"

class QWidget;

// The help screen with the topic's title and text.
void showHelp(QWidget* parent, HelpTopic topic);
// Makes showHelp the viewer of help::show, which every help command of the
// program calls; start-up does it.
void installHelpViewer();
// The information screen with the maker's contact address.
void showInfo(QWidget* parent);
// The about screen with the product's web address.
void showSplash(QWidget* parent);
