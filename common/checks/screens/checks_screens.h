// The four identity-number check screens: tax code `TfrmCodFisc`, VAT number
// `TfrmPartitaIva`, credit card `TfrmCarta`, IBAN `TfrmIban`. Each is a small
// modal satellite: created with the opener's value, shown, destroyed. The
// answer is a message; the screens never change the screen that opened them.
#pragma once

#include "common/checks/checks.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

enum class CheckKind { TaxCode, VatNumber, CardNumber, Iban };

// One check screen; its object name, caption, title line, edit and typing
// rules come from its kind.
class CheckScreen : public QDialog {
  Q_OBJECT
public:
  explicit CheckScreen(CheckKind kind, QWidget* parent = nullptr);

  CheckKind kind() const { return kind_; }
  QLineEdit* edit() const { return edit_; }

  // The opener's value, trimmed. A value longer than the edit is kept whole
  // (the edit widens its limit for it) so that the check judges the value
  // itself, not a cut piece of it.
  void fill(const QString& value);

  // "Controlla": shows the answer; a valid or invalid answer closes the
  // screen, a length or emptiness warning leaves it open with the focus in
  // the edit.
  void check();

  // The last answer given (Incomplete with no message before the first).
  const checks::Answer& lastAnswer() const { return answer_; }

protected:
  void showEvent(QShowEvent* e) override;

private:
  CheckKind kind_;
  QLabel* title_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QPushButton* controlla_ = nullptr;
  QPushButton* chiudi_ = nullptr;
  int maxLength_ = 0;
  checks::Answer answer_;
};

// Open a check screen modally with a card field's value and destroy it when
// it closes.
void showTaxCodeCheck(QWidget* parent, const QString& value);
void showVatCheck(QWidget* parent, const QString& value);
void showCardCheck(QWidget* parent, const QString& value);
void showIbanCheck(QWidget* parent, const QString& value);

// What a card's tax-code button opens: the VAT-number check when the trimmed
// tax code is made only of digits (a company's tax code is its VAT number),
// the tax-code check otherwise (empty included).
void showTaxCodeFieldCheck(QWidget* parent, const QString& taxCode);

class CardEditor;
// Wires the check buttons a card has (btnCodFisc, btnPartitaIva, btnCarta,
// btnIban; on the movement card chkCodFisc and chkIva) to the check of the
// trimmed field beside each.
void bindCheckButtons(CardEditor* card);
