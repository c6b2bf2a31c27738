// Opening the deadline lists: each creates a fresh screen, shows it modally
// and destroys it when it closes.
#pragma once

#include <QDate>
#include <QString>

class QWidget;

// The calendar lists of the start panel: today's imminent deadlines, and
// those of the chosen day or of its month.
void showImminentDeadlines(QWidget* parent);
void showDeadlinesOfDay(QWidget* parent, QDate day);
void showDeadlinesOfMonth(QWidget* parent, QDate day);

// The lists of the card panel, over the year the card has opened.
// `TfrmTrovaScadenzario` with its caller tag ("Scadenzario" from the card).
void showDeadlineSearch(QWidget* parent, const QString& callerTag);
void showAppointmentsToConfirm(QWidget* parent); // TfrmDaConfermare
void showPaymentsToMake(QWidget* parent);        // TfrmConfermati
void showPaymentsMade(QWidget* parent);          // TfrmNonConfermati
void showDeadlineExport(QWidget* parent);        // TfrmExpScadenzario
