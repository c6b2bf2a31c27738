// Opening the project lists: each creates a fresh screen over the year open
// in the project card, shows it modally and destroys it when it closes.
#pragma once

#include <QString>

class QWidget;

// The project search `TfrmTrovaProgetti`; with the caller tag "referti" a
// double-clicked project is loaded into the card.
void showProjectSearch(QWidget* parent, const QString& callerTag);
// The overdue unfinished projects `TfrmProgettiScaduti`.
void showOverdueProjects(QWidget* parent);
// The export `TfrmExpReferti`.
void showProjectExport(QWidget* parent);
