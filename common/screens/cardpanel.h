// The card of a description as one piece that any screen holds: the record
// form in a scrolling sheet, the command column with the navigation bar,
// the navigator over the card's archive, the status-line hints and the
// keys, and the handlers of the commands every card shares. What a command
// opens (a list, a grid, the print screen, the attachments, the guide) is
// read from the card's description and wired here once; a card's own class
// adds only the handlers of its own commands and buttons.
#pragma once

#include "carddescription.h"
#include "cardnavigator.h"
#include "recordform.h"

#include <QHash>
#include <QKeySequence>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

// The command column of a card: the command pictures two by two, top to
// bottom (disabled until a handler is bound), and the navigation bar at the
// foot.
QWidget* makeCommandColumn(QWidget* parent, const std::vector<CardCommand>& commands, NavigationBar* bar);
// The status-line hints of a card's controls on the screen that holds them:
// those every card shares, those of the form's control kinds, then the
// card's own, each adding to or overriding the one before; the form's
// background empties the line. The commands get their usual keys too.
void setCardHints(QWidget* screen, const CardDescription& description, RecordForm* form, QLabel* statusLine);

// The usual keys of the commands of a card: Ctrl+N new, Ctrl+S save,
// Ctrl+D duplicate, Ctrl+F find, Ctrl+P print, Page Up and Page Down the
// previous and next card, Ctrl+Home and Ctrl+End the first and last, F1
// help, Esc leave. A key presses its command when the command is shown and
// enabled, also from a field that would otherwise take the key (Page Up in
// a memo), and each command's tooltip shows its hint with its key beside
// it. Esc leaves a card with unsaved edits only as mayLeaveCard() allows.
const std::vector<std::pair<QString, QKeySequence>>& commandKeys();
void bindCommandKeys(QWidget* screen, const QHash<QString, QString>& hints);

// Whether a card screen may be left by Esc. A card without unsaved edits
// may; one with them asks first: "Salva" saves as the save command does
// and leaves only once the card is saved, "Non salvare" leaves dropping the
// edits, "Annulla" stays where it was.
bool mayLeaveCard(QWidget* screen);

class CardPanel : public QWidget {
  Q_OBJECT
public:
  // `screen`: the window that holds the panel, which the panel's lists and
  // screens open over and `cmdEsci` closes; the hints and keys are bound
  // over the whole screen as it stands, so a screen makes its panel last.
  // `statusLine`: where the hints show. A yearly card reads its file from
  // the screen's hidden `lblFile`, made here when the screen has none.
  CardPanel(const CardDescription& description, QWidget* screen, QLabel* statusLine);

  const CardDescription& description() const { return d_; }
  QWidget* screen() const { return screen_; }
  RecordForm* form() const { return form_; }
  CardNavigator* navigator() const { return navigator_; }
  QString archivePath() const { return navigator_->archivePath(); }
  // The position label as a number, or nothing for a new card.
  std::optional<RecordPosition> position() const { return navigator_->position(); }
  QLabel* positionLabel() const { return navigator_->positionLabel(); }
  QLabel* statusLine() const { return statusLine_; }
  // The record as the screen shows it.
  Record recordFromScreen() const { return form_->record(); }

  // The card as the screen shows it, printed, previewed or written to PDF
  // (the PDF is then offered for opening).
  enum class Output { Print, Preview, Pdf };
  void stampa(Output output, const QString& pdfFile);

  // The handler of a command or button of the screen, replacing any
  // earlier one; commands without a handler stay disabled.
  void on(const QString& control, std::function<void()> handler);

  // The status-line hints of the commands every card shares.
  static const std::vector<std::pair<QString, QString>>& sharedHints();

private:
  void bindCommands();

  CardDescription d_;
  QWidget* screen_;
  QLabel* statusLine_;
  RecordForm* form_ = nullptr;
  CardNavigator* navigator_ = nullptr;
  QHash<QString, std::function<void()>> handlers_;
};
