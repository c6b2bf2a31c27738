// Fields of a record and the controls of a screen, bound by name: `txt` +
// field for edits and combos, `chk` + field for flags, hidden `lbl` + field.
#pragma once

#include "archive/record.h"

#include <QString>
#include <QWidget>

namespace binding {

// The control that shows a field on a screen, or nullptr.
QWidget* controlFor(QWidget* screen, std::string_view field);

// Puts every field that has a control into it (texts trimmed; a flag sets its
// check box only when it holds "Sì" or "No").
void load(QWidget* screen, const Record& record);
// Puts the listed fields of a record into the named controls of a screen:
// pairs of (control name, field name).
void copy(QWidget* screen, const Record& record, std::initializer_list<std::pair<const char*, const char*>> targets);
// Reads every field that has a control from the screen into a record.
Record save(QWidget* screen, const RecordLayout& layout);

} // namespace binding
