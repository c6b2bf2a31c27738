// TRecProtocollo: the mail protocol record of the yearly "<year>.prt", 25 str
// fields, 3403 bytes; what a protocol card must hold, the automatic
// protocol number and the settings the register keeps in "Quorbis.ini".
#pragma once

#include "archive/archives.h"
#include "archive/archivio.h"
#include "archive/layout.h"
#include "common/validation.h"

#include <QString>
#include <QStringList>

#include <optional>

const RecordLayout& TRecProtocollo();
// One file per year: the four-digit year + ".prt" in the program folder.
const ArchiveDef& protocolArchive();
// What a protocol card must hold to be saved, in the order it is checked.
const CardRules& protocolRules();

// The three kinds of mail, as stored in `Tipo`: "In entrata", "In uscita",
// "Interna".
const QStringList& mailTypes();

namespace numbering {

// The number "Nuovo" proposes: the start (an empty start counts as 1) plus
// the records already in the year's archive, followed by "/" and the year
// of that archive when the year suffix is asked for (127/2025). Nothing
// when the start is not a whole number.
std::optional<QString> proposal(const QString& start, bool yearSuffix, RecordPosition count, const QString& archiveYear);

// The year a protocol archive belongs to: its file name without ".prt"
// ("/x/2025.prt" gives "2025"); empty when the name holds no four-digit year.
QString archiveYear(const QString& archivePath);

// The start as the numbering screen keeps it once the field is left: empty
// or not a number gives "1", a number with decimals (a comma or a point) is
// rounded half up to a whole number, leading zeros go.
QString normalisedStart(const QString& typed);

// The start and suffix as read from the settings, ready for proposal().
struct Settings {
  QString start;      // as stored, trimmed
  bool yearSuffix{};  // "Indicazione Anno Solare" is exactly "Sì"
};

} // namespace numbering

// "Quorbis.ini" in the program folder: the numbering (section "Numerazione
// Protocollo") and the office and operator last typed on the card (section
// "Protocollo Documenti").
namespace protocolsettings {

QString path();

// Nothing when the file exists but cannot be read.
std::optional<numbering::Settings> readNumbering();
// "Inizio" = the start, "Indicazione Anno Solare" = "Sì" or "No". False when
// the file cannot be read or written; nothing is then changed.
bool writeNumbering(const QString& start, bool yearSuffix);

struct Desk {
  QString office;
  QString operatore;
};
// Nothing when the file exists but cannot be read.
std::optional<Desk> readDesk();
// Both values trimmed, also when empty. False when the file cannot be read
// or written; nothing is then changed.
bool writeDesk(const Desk& desk);

} // namespace protocolsettings

// Messages of the register beyond the shared ones.
namespace protocoltext {
// An "Inizio" in the settings file that is not a whole number.
const QString& startNotANumber();
// The settings file cannot be read or written.
const QString& settingsUnreachable();
// Added to the message of a new card stored under another number than the
// one proposed, because another workstation took that number meanwhile.
QString renumbered(const QString& proposed, const QString& stored);
} // namespace protocoltext
