// Opening the client lists: each creates a fresh screen, shows it modally
// and destroys it when it closes.
#pragma once

#include <QString>

class QWidget;

// The client search `TfrmTrovaClienti`; the caller tag ("clienti", "pratica",
// "movimenti_pagatore", "movimenti_beneficiario") names who receives the
// client picked with a double-click.
void showClientSearch(QWidget* parent, const QString& callerTag);
// The summary of clients to recontact `TfrmRicontatta`.
void showRecontactList(QWidget* parent);
// The client export `TfrmExpClienti`.
void showClientExport(QWidget* parent);
