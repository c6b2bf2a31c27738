// The card screen every card application shares: the record form of its
// description in a scrolling sheet, the command column, the navigation bar
// with the position label, the status line with its hints, showing (which
// clears the card when the card says so) and closing back to the main
// menu. A card's own class holds only what is particular to it: the
// handlers of its own commands and buttons.
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
// foot. Screens that hold a record form in a panel of their own use it too.
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

class CardEditor : public QWidget {
  Q_OBJECT
public:
  explicit CardEditor(const CardDescription& description, QWidget* parent = nullptr);
  ~CardEditor() override;

  const CardDescription& description() const { return d_; }
  RecordForm* form() const { return form_; }
  CardNavigator* navigator() const { return navigator_; }
  QString archivePath() const { return navigator_->archivePath(); }
  // The position label as a number, or nothing for a new card.
  std::optional<RecordPosition> position() const { return navigator_->position(); }
  QLabel* positionLabel() const { return navigator_->positionLabel(); }
  QLabel* statusLine() const { return panInfo_; }

  // Loads a record into the card at its position (search and navigation).
  void loadRecord(const Record& record, RecordPosition position) { navigator_->loadRecord(record, position); }
  // The record as the screen shows it.
  Record recordFromScreen() const { return form_->record(); }

  // The commands every card shares, public so lists and tests can drive them.
  void nuovo() { navigator_->newCard(); }
  void salva() { navigator_->save(); }
  void duplica() { navigator_->duplicate(); }
  void naviga(NavCommand command) { navigator_->navigate(command); }
  // The card as the screen shows it, printed, previewed or written to PDF
  // (the PDF is then offered for opening).
  enum class Output { Print, Preview, Pdf };
  void stampa(Output output, const QString& pdfFile = QString());

  // The handler of a command or button, replacing any earlier one;
  // commands without a handler stay disabled.
  void on(const QString& control, std::function<void()> handler);
  // Steps of the card's own that go with a shared command (see CardNavigator).
  void before(CardAction action, std::function<void()> step) { navigator_->before(action, std::move(step)); }
  void after(CardAction action, std::function<void()> step) { navigator_->after(action, std::move(step)); }

  // The status-line hints of the commands every card shares.
  static const std::vector<std::pair<QString, QString>>& sharedHints();

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  CardDescription d_;
  RecordForm* form_ = nullptr;
  CardNavigator* navigator_ = nullptr;
  QLabel* panInfo_ = nullptr;
  QHash<QString, std::function<void()>> handlers_;
};
