// The calendar import: read-only date fields filled from the small calendar
// screen `TfrmCalendario`, and the one-click "today" and "clear" pictures.
#pragma once

#include <QDate>
#include <QDialog>
#include <QPointer>

#include <vector>

class QCalendarWidget;
class QLabel;
class QLineEdit;

namespace calendar {

inline constexpr const char* kImportHint =
    "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";
inline constexpr const char* kTodayHint = "Inserisci la data corrente.";
inline constexpr const char* kClearHint = "Cancella la data.";

// Which field a caller tag names: the screen (object name of a persistent
// screen) and the field on it.
struct CallerTag {
  const char* tag;
  const char* screen;
  const char* field;
};
const std::vector<CallerTag>& callerTags();
// The field of a caller tag on its registered screen, or nullptr.
QLineEdit* fieldForTag(const QString& tag);

} // namespace calendar

// " Importazione data": a month calendar set to today; "Importa" (or a
// double-click or Enter on a day) writes the chosen day as dd/mm/yyyy into
// the requesting field, "Annulla" leaves it.
class TfrmCalendario : public QDialog {
  Q_OBJECT
public:
  explicit TfrmCalendario(QWidget* parent = nullptr);

  // The caller tag, kept in the hidden label `lblMemory`.
  void setCallerTag(const QString& tag);
  QString callerTag() const;
  // The field that receives the date. Without one, the field named by the
  // caller tag receives it.
  void setTarget(QLineEdit* field);

  QDate selectedDate() const;
  void setSelectedDate(QDate day);

  // Writes the selected day into the target and closes (button "Importa").
  void importa();

protected:
  void showEvent(QShowEvent* e) override;

private:
  QCalendarWidget* cal_;
  QLabel* memory_;
  QPointer<QLineEdit> target_;
};

namespace calendar {

// Opens the calendar modally for a field with its caller tag; the focus
// returns to the field afterwards. True when a date was written.
bool importInto(QLineEdit* field, const QString& callerTag);
// The same for the field a caller tag names (false when it is not there).
bool importForTag(const QString& callerTag);

// Makes an edit a calendar-import field: read-only; Backspace or Delete
// empties it; any other key, Enter included, opens the calendar with today
// selected. Tab, Esc and lone modifier keys keep their usual meaning. Install it
// after any Enter chain on the same field, so that Enter reaches it first.
// With a status line, moving over the field shows kImportHint.
void makeImportField(QLineEdit* field, const QString& callerTag, QLabel* statusLine = nullptr);

// A picture (or button) that writes today's date into a field, and one
// that empties it; with a status line, their hints are shown there.
void makeTodayButton(QWidget* button, QLineEdit* field, QLabel* statusLine = nullptr);
void makeClearButton(QWidget* button, QLineEdit* field, QLabel* statusLine = nullptr);

} // namespace calendar
