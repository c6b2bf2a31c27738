// Date fields: typed as dd/mm/yyyy (or ddmmyyyy) and checked when left,
// filled on request from the small calendar screen `TfrmCalendario`, and
// the one-click "today" and "clear" pictures.
#pragma once

#include "common/modules.h"

#include <QDate>
#include <QDialog>
#include <QPointer>

#include <vector>

class QCalendarWidget;
class QLabel;
class QLineEdit;

namespace calendar {

inline constexpr const char* kDateHint =
    "Scrivi la data nel formato gg/mm/aaaa oppure premi Alt+Gi\u00F9 per sceglierla dal calendario.";
inline constexpr const char* kPickHint = "Scegli la data dal calendario.";
inline constexpr const char* kTodayHint = "Inserisci la data corrente.";
inline constexpr const char* kClearHint = "Cancella la data.";

// Which field a caller tag names: the screen (object name of a persistent
// screen) and the field on it, as the registered modules declare them.
using CallerTag = modules::CalendarTarget;
std::vector<CallerTag> callerTags();
// The field of a caller tag on its registered screen, or nullptr.
QLineEdit* fieldForTag(const QString& tag);

} // namespace calendar

// " Importazione data": a month calendar set to the day it starts on
// (today unless told otherwise); "Importa" (or a double-click or Enter on a
// day) writes the chosen day as dd/mm/yyyy into the requesting field,
// "Annulla" leaves it. Only days of four-digit years can be chosen.
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
  // The day the calendar shows when it opens (an invalid day: today).
  void setStartDate(QDate day);

  // Writes the selected day into the target and closes (button "Importa").
  void importa();

protected:
  void showEvent(QShowEvent* e) override;

private:
  QCalendarWidget* cal_;
  QLabel* memory_;
  QPointer<QLineEdit> target_;
  QDate start_;
};

namespace calendar {

// Opens the calendar modally for a field with its caller tag, on the day
// the field holds when it holds one, else on today; the focus returns to
// the field afterwards. True when a date was written.
bool importInto(QLineEdit* field, const QString& callerTag);
// The same for the field a caller tag names (false when it is not there).
bool importForTag(const QString& callerTag);

// Makes an edit a typed date field: digits and "/" only, at most ten
// characters, the whole date selected when the field is entered. Leaving
// it for another field of its window shows a date typed as ddmmyyyy or
// d/m/yyyy as dd/mm/yyyy; a text that names no day is kept as typed and
// refused with the plain message that the date does not exist. Backspace,
// Delete and Enter do what they do in any edit. With a caller tag, Alt+Down
// opens the calendar for the field.
void makeDateField(QLineEdit* field, const QString& callerTag = QString());
// A picture (or button) that opens the calendar for a date field.
void makePickButton(QWidget* button, QLineEdit* field, const QString& callerTag);

// A picture (or button) that writes today's date into a field, and one
// that empties it; with a status line, their hints are shown there.
void makeTodayButton(QWidget* button, QLineEdit* field, QLabel* statusLine = nullptr);
void makeClearButton(QWidget* button, QLineEdit* field, QLabel* statusLine = nullptr);

} // namespace calendar
