// Opening the case lists: each creates a fresh screen, shows it modally and
// destroys it when it closes.
#pragma once

#include <QString>

class QWidget;

// The case search `TfrmTrovaPratica`; the caller tag ("pratica",
// "scadenzario") names who receives the case picked with a double-click.
void showCaseSearch(QWidget* parent, const QString& callerTag);
// The summary of urgent cases `TfrmUrgenti`.
void showUrgentCases(QWidget* parent);
// The case export `TfrmExpPratiche`.
void showCaseExport(QWidget* parent);
