// The commands of a card over its archive: first, previous, next, last,
// new, save, duplicate and loading a record at its position, with the
// messages, duplicate policy, defaults and rules of the card's behaviour.
// It works on a record form and a position label wherever they stand, so a
// screen that holds the form inside a panel uses it as the card editor does.
#pragma once

#include "recordview.h"

#include "archive/archives.h"
#include "common/cardbehaviour.h"
#include "common/navigation.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

class QLabel;
class RecordForm;
class TArchivioSchede;

// The commands a card's own steps can be added to.
enum class CardAction { New, Save, Duplicate, Load };

class CardNavigator : public QObject, public RecordView {
  Q_OBJECT
public:
  CardNavigator(RecordForm* form, const ArchiveDef& archive, const CardBehaviour& behaviour, QLabel* positionLabel,
                QObject* parent = nullptr);

  RecordForm* form() const { return form_; }
  QLabel* positionLabel() const { return position_; }
  const ArchiveDef& archive() const { return archive_; }
  const CardBehaviour& behaviour() const { return behaviour_; }

  // The file of the archive: the fixed file, or for a yearly archive what
  // the screen says (its hidden `lblFile`, or the year it opened).
  void setYearlyFile(std::function<QString()> file) { yearlyFile_ = std::move(file); }
  QString archivePath() const;

  // RecordView
  void first() override { navigate(NavCommand::First); }
  void previous() override { navigate(NavCommand::Previous); }
  void next() override { navigate(NavCommand::Next); }
  void last() override { navigate(NavCommand::Last); }
  void newCard() override;
  void save() override;
  void loadRecord(const Record& record, RecordPosition position) override;
  std::optional<RecordPosition> position() const override;

  void navigate(NavCommand command);
  void duplicate();
  // Empties the card to its defaults, with no position and the first focus
  // (showing the screen; Nuovo adds its own defaults).
  void clearCard();

  // Unsaved edits: the record the form would save differs, as stored, from
  // the card as it was last loaded, cleared for a new card or saved.
  bool hasUnsavedEdits() const;
  // The card as it stands counts as unchanged from now on (what a card's
  // own command puts on a new card, as a proposed number, is no edit).
  void markUnchanged();

  // A card's own steps: `before` runs once the command has been accepted,
  // just before it acts; `after` once it has done its work, before its
  // closing message. Neither runs when the command is refused or fails (a
  // duplicate of a card not yet saved, a save that does not pass the rules,
  // an archive that cannot be reached).
  void before(CardAction action, std::function<void()> step);
  void after(CardAction action, std::function<void()> step);
  // A card's own step on a new record just before it is appended, with the
  // archive open for writing and so locked against other workstations: it
  // may read the archive (its count at that moment) and change the record.
  // Fields it changes are shown on the card as stored. It returns a sentence
  // added to the message that reports the insertion, or an empty text.
  using AppendStep = std::function<QString(Record& record, const TArchivioSchede& archive)>;
  void beforeAppend(AppendStep step) { beforeAppend_.push_back(std::move(step)); }

private:
  void run(const std::map<CardAction, std::vector<std::function<void()>>>& steps, CardAction action);
  void apply(const std::vector<FieldValue>& values);
  void show(const CardMessage& m);

  RecordForm* form_;
  ArchiveDef archive_;
  CardBehaviour behaviour_;
  QLabel* position_;
  std::function<QString()> yearlyFile_;
  std::map<CardAction, std::vector<std::function<void()>>> before_, after_;
  std::vector<AppendStep> beforeAppend_;
  Record unchanged_; // the card as last loaded, cleared or saved
};

// The navigation bar: `cmdPrimo`, `cmdIndietro`, the position label
// `lblPosizione`, `cmdAvanti`, `cmdUltimo`. Its arrows drive the record view
// given to connectTo().
class NavigationBar : public QWidget {
  Q_OBJECT
public:
  explicit NavigationBar(QWidget* parent = nullptr);
  QLabel* positionLabel() const { return position_; }
  void connectTo(RecordView* view);

private:
  QLabel* position_;
};
