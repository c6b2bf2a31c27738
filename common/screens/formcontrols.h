// The controls of a record form, one factory per kind of control. A factory
// builds the widgets of one card item and gives back the control that binds
// them to their fields; the form places them and adds the focus style, the
// Enter chains and the tab order.
#pragma once

#include "carddescription.h"

#include <QString>
#include <Qt>

#include <memory>
#include <utility>
#include <vector>

class QComboBox;
class QWidget;

// A control bound to one or more fields of the record.
class FormControl {
public:
  virtual ~FormControl() = default;
  virtual std::vector<int> fields() const = 0;
  // The widget that takes the focus for its fields (nullptr: none).
  virtual QWidget* focusTarget() const = 0;
  // A field's text as the control gives it, not trimmed.
  virtual QString value(int field) const = 0;
  // Puts a field's text into the control, as loading a record does.
  virtual void setValue(int field, const QString& text) = 0;
  virtual void clear() = 0;
  // Called at the start of every save, before the record is read (an
  // amount or a typed date is normalised there).
  virtual void beforeSave() {}
  // Enter belongs to the control: a memo starts a new line; an Enter chain
  // leaves it.
  virtual bool ownsEnter() const { return false; }
};

namespace formkinds {

struct Build {
  const CardItem& item;
  const RecordLayout& layout;
  QWidget* parent; // the section the item stands in
};

struct Built {
  std::unique_ptr<FormControl> control;
  QWidget* cell = nullptr;  // what the section's grid holds
  QWidget* styled = nullptr; // the widget the focus style goes on (nullptr: none)
  bool captioned = true;    // false: the control shows its caption itself (a check box)
  std::vector<std::pair<QString, QString>> hints = {}; // status-line hints the kind gives
  bool narrow = false;      // a short field that does not stretch across its row
};

using Factory = Built (*)(const Build&);
// The factory of a kind.
Factory factory(ControlKind kind);

// The object name of an item's control: its own, or the kind's prefix and
// the field ("txt", "chk", "lbl").
QString controlName(const CardItem& item);

// The keys of a pick list, on any combo holding its items: typing is
// blocked, Backspace or Delete empties it, the arrows left and right move,
// Enter and Tab move on, the drop-down opens with F4 or Alt+Down; leaving it
// with a text that is not one of its items (compared as `cs` says) empties it.
void pickListKeys(QComboBox* combo, Qt::CaseSensitivity cs = Qt::CaseSensitive);

// A hidden label carrying a field.
std::unique_ptr<FormControl> hiddenLabel(QWidget* parent, int field, const QString& name);

} // namespace formkinds
