// Fields of a record put into the controls of a screen by name: `txt` +
// field for edits and combos, `chk` + field for flags, `opt` + field for an
// option button, hidden `lbl` + field. The lists use it to copy an imported
// record into the named controls of the screen that asked, and to fill a
// screen that has no record form of its own.
#pragma once

#include "archive/record.h"

#include <QString>
#include <QWidget>

#include <span>
#include <string_view>
#include <utility>

namespace binding {

// The control that shows a field on a screen by its name, or nullptr.
QWidget* controlFor(QWidget* screen, std::string_view field);

// Puts every field that has a control into it (texts trimmed; a flag sets its
// check box only when it holds "Sì" or "No").
void load(QWidget* screen, const Record& record);
// Puts the listed fields of a record, trimmed, into the named controls of a
// screen: pairs of (control name, field).
void copy(QWidget* screen, const Record& record, std::span<const std::pair<QString, std::string_view>> targets);

} // namespace binding
