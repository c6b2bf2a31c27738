// What a card does, as data: the message of each outcome and its kind, what
// a duplicate keeps, clears or sets, the values of a new card, whether
// showing the screen clears it, and the rules checked before a save. The
// card screens read it; nothing here needs a screen.
#pragma once

#include "archive/record.h"
#include "common/services.h"

#include <QString>

#include <string_view>
#include <vector>

struct CardRules;

struct CardMessage {
  MessageKind kind;
  QString text;
};

// A value a card puts into a field: a text ("" empties it, "Sì" or "No" for
// a flag), or today's date.
struct FieldValue {
  std::string_view field;
  QString value = {};
  bool today = false;

  static FieldValue todayIn(std::string_view field) { return {field, QString(), true}; }
  // The text to put in the field (today's date from the clock seam).
  QString text() const;
};

// The six attachment fields emptied: attachments never go with a copy.
std::vector<FieldValue> attachmentsCleared();

struct DuplicatePolicy {
  // The fields the copy gets anew; every other field keeps what is shown.
  std::vector<FieldValue> reset = attachmentsCleared();
  // Whether the duplicate opens and closes the archive to make sure it can
  // be reached before the copy is offered.
  bool checkArchive = true;
};

namespace cardtext {
const QString& savedChanges();   // "Le modifiche apportate ... salvate in archivio."
const QString& inserted();       // "La scheda corrente è stata inserita in archivio."
const QString& emptyArchive();   // "L'archivio non contiene nessuna scheda."
const QString& duplicateNew();   // the duplicate of a card not yet saved
const QString& duplicated();     // "E' ora possibile apportare ..."
const QString& unsavedEdits();   // asked before leaving a card with unsaved edits
// A save refused for what the card lacks: "Attenzione: per salvare la scheda
// è necessario indicare " followed by what (UTF-8), e.g. "il nome del Cliente.".
QString missing(const char* what);
} // namespace cardtext

// Whether a card holds unsaved edits: the record it would save differs, as
// the archive would store it, from the record it showed when it was last
// loaded, cleared or saved. What storing drops (blanks at both ends, text
// past a field's width, a character the archive cannot hold in place of
// another it cannot hold either) is no edit.
bool differsAsStored(const Record& shown, const Record& unchanged);

struct CardBehaviour {
  CardMessage savedChanges = {MessageKind::Information, cardtext::savedChanges()};
  CardMessage inserted = {MessageKind::Information, cardtext::inserted()};
  CardMessage emptyArchive = {MessageKind::Information, cardtext::emptyArchive()};
  CardMessage duplicateRefused = {MessageKind::Warning, cardtext::duplicateNew()};
  CardMessage duplicated = {MessageKind::Information, cardtext::duplicated()};
  // The kind of the archive access message in each command.
  MessageKind saveFailure = MessageKind::Error;
  MessageKind browseFailure = MessageKind::Error;
  MessageKind duplicateFailure = MessageKind::Error;

  DuplicatePolicy duplicate = {};
  // Showing the screen clears the card (as Nuovo does, without newDefaults).
  bool clearOnShow = true;
  // Values a cleared card starts with ("00", "0,00", today, an option checked).
  std::vector<FieldValue> defaults = {};
  // Values Nuovo adds after clearing.
  std::vector<FieldValue> newDefaults = {};
  // Fields clearing leaves as they are.
  std::vector<std::string_view> keptOnClear = {};
  // Checked before every save; nullptr checks nothing.
  const CardRules* rules = nullptr;
};
