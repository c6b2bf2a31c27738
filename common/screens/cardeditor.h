// The card screen every card application shares: the card panel of its
// description (form, command column, navigation bar, hints and the commands
// the description declares), the status line, showing (which clears the
// card when the card says so) and closing back to the main menu. A card's
// own class holds only what is particular to it: the handlers of its own
// commands and buttons.
#pragma once

#include "cardpanel.h"

#include <functional>
#include <optional>

class QLabel;

class CardEditor : public QWidget {
  Q_OBJECT
public:
  explicit CardEditor(const CardDescription& description, QWidget* parent = nullptr);
  ~CardEditor() override;

  CardPanel* panel() const { return panel_; }
  const CardDescription& description() const { return panel_->description(); }
  RecordForm* form() const { return panel_->form(); }
  CardNavigator* navigator() const { return panel_->navigator(); }
  QString archivePath() const { return panel_->archivePath(); }
  // The position label as a number, or nothing for a new card.
  std::optional<RecordPosition> position() const { return panel_->position(); }
  QLabel* positionLabel() const { return panel_->positionLabel(); }
  QLabel* statusLine() const { return panel_->statusLine(); }

  // Loads a record into the card at its position (search and navigation).
  void loadRecord(const Record& record, RecordPosition position) { navigator()->loadRecord(record, position); }
  // The record as the screen shows it.
  Record recordFromScreen() const { return panel_->recordFromScreen(); }

  // The commands every card shares, public so lists and tests can drive them.
  void nuovo() { navigator()->newCard(); }
  void salva() { navigator()->save(); }
  void duplica() { navigator()->duplicate(); }
  void naviga(NavCommand command) { navigator()->navigate(command); }
  using Output = CardPanel::Output;
  void stampa(Output output, const QString& pdfFile = QString()) { panel_->stampa(output, pdfFile); }

  // The handler of a command or button, replacing any earlier one;
  // commands without a handler stay disabled.
  void on(const QString& control, std::function<void()> handler) { panel_->on(control, std::move(handler)); }
  // Steps of the card's own that go with a shared command (see CardNavigator).
  void before(CardAction action, std::function<void()> step) { navigator()->before(action, std::move(step)); }
  void after(CardAction action, std::function<void()> step) { navigator()->after(action, std::move(step)); }

  // The status-line hints of the commands every card shares.
  static const std::vector<std::pair<QString, QString>>& sharedHints() { return CardPanel::sharedHints(); }

protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  CardPanel* panel_ = nullptr;
};
