// The protocol number of a new card against the yearly archive: proposed by
// "Nuovo" from the settings and the records counted under the archive's read
// lock, and taken again under its write lock when the card is stored, so two
// workstations appending at once never store one proposal twice.
#pragma once

#include "archive/archivio.h"
#include "archive/record.h"
#include "protocol/protocollo.h"

#include <QString>

#include <optional>
#include <variant>

namespace numbering {

// A number proposed for a new card and what it was made from: the same
// settings and year give the number stored with the card.
struct Proposal {
  QString number;
  Settings settings;
  QString year;
};

// Why no number can be proposed.
enum class Refusal {
  SettingsUnreachable, // "Quorbis.ini" exists but cannot be read
  ArchiveUnreachable,  // the yearly archive cannot be opened
  StartNotANumber,     // "Inizio" is not a whole number
};

// The number "Nuovo" proposes for a new card of the archive at archivePath:
// the settings as read from "Quorbis.ini", the records counted under the
// archive's read lock, the year of the archive's name (today's year when
// the name holds none).
std::variant<Proposal, Refusal> propose(const QString& archivePath);

// Called under the archive's write lock just before a new card is appended,
// count being the records the archive holds then: a card that still shows
// the proposal gets the number the count gives now (another workstation may
// have appended meanwhile); a number typed by hand is stored as typed. The
// note for the user when the number changed, empty otherwise.
QString renumber(const Proposal& proposal, Record& record, RecordPosition count);

// A new card appended under the archive's write lock, renumbered as above
// when it came from a proposal. Throws ArchiveError.
struct Stored {
  RecordPosition position{};
  QString note; // renumber()'s note
};
Stored append(const QString& archivePath, Record& record, const std::optional<Proposal>& proposal);

} // namespace numbering
