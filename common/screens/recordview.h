// What other screens may ask of a screen that shows one record at a time:
// browse, start a new card, save, and load a record found elsewhere at its
// position. A list hands the record picked with a double-click to its
// receiving screen through this, whatever that screen is made of.
#pragma once

#include "archive/archivio.h"
#include "archive/record.h"

#include <optional>

class QWidget;

class RecordView {
public:
  virtual ~RecordView() = default;
  virtual void first() = 0;
  virtual void previous() = 0;
  virtual void next() = 0;
  virtual void last() = 0;
  virtual void newCard() = 0;
  virtual void save() = 0;
  // Shows a record read from the archive and remembers its position.
  virtual void loadRecord(const Record& record, RecordPosition position) = 0;
  // The position of the record shown; nothing for a new card.
  virtual std::optional<RecordPosition> position() const = 0;
};

// The record view of a screen: the screen itself, or the one it holds;
// nullptr when it shows no record.
RecordView* recordViewOf(QWidget* screen);
