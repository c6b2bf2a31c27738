// Opening the movement lists from the movement card: each creates a fresh
// screen, shows it modally and destroys it when it closes.
#pragma once

class QWidget;
class CardEditor;

// The movement search `TfrmTrovaMovimenti` (caller tag "movimenti").
void showMovementSearch(QWidget* card);
// The payments falling due or overdue `TfrmSospesiMov`.
void showFallingDue(QWidget* card);
// The export `TfrmExpMovimenti` of the year the card has open.
void showMovementExport(QWidget* card);
// The print screen `TfrmStampaMovimento` of the movement the card shows.
void showMovementPrint(CardEditor* card);
