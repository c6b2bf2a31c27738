// Attached files and case folders. An attached file is copied, when it is
// chosen, into the folder "Documenti_Allegati" of the program folder under
// its own name; cards store only that bare name. A case keeps its scanned
// documents in the folder "Pratica_" + its position, beside the archives.
#pragma once

#include "archive/archivio.h"

#include <QString>

namespace attachments {

inline constexpr const char* kOverwriteQuestion =
    "Attenzione: nella cartella dei documenti allegati \u00E8 presente un file con lo stesso nome.\r\n\r\n"
    "Si vuole sovrascrivere il file esistente?";

// The folder of stored copies: program folder + "Documenti_Allegati/".
QString folder();

// A name that designates a file inside the folder and nothing else: not
// empty, not "." or "..", no "/" or "\", no ":" (drive or stream), no
// control characters. Checked after trimming.
bool isBareName(const QString& name);

// Folder + the trimmed name; empty when the name is not a bare name, so a
// stored name can never lead outside the folder.
QString storedPath(const QString& name);

// The longest name a card's file field holds.
inline constexpr int kMaxNameLength = 250;
// A name the card's file field gives back unchanged: at most kMaxNameLength
// characters, every one of them in the archives' code page.
bool fitsCard(const QString& name);

enum class Outcome {
  Copied,       // the file is now in the folder
  KeptExisting, // a file of that name was there and the user kept it
  Failed,       // nothing was stored; the user has been told why
};

struct AttachResult {
  Outcome outcome = Outcome::Failed;
  QString name; // the bare name to record (empty when Failed)
};

// Copies the file the user picked (its full path) into the folder under its
// own trimmed name, creating the folder if missing. A name that does not fit
// the card is refused before anything is copied. An existing copy of the
// same name is replaced only after the overwrite question; a symbolic link
// of that name is refused. The copy goes through the safe save, so a failed
// copy (full disk, failing write) stores nothing and leaves any earlier copy
// intact. Failures are reported with an error message and the system's
// reason.
AttachResult attach(const QString& sourcePath);

// Asks the shell to open the stored copy of a name. An empty name does
// nothing; a name that is not a bare name, or a stored name that is a
// symbolic link, is refused with a warning and never opened. A missing copy,
// or one the desktop has no program for, is told in a warning naming the
// file and the folder. True when opened.
bool openStored(const QString& name);

// The messages of the failures above.
QString copyFailedMessage(const QString& name, const QString& reason);
QString badNameMessage(const QString& name);
QString linkMessage(const QString& name);
QString nameDoesNotFitMessage(const QString& name);

} // namespace attachments

namespace casefolder {

// Program folder + "Pratica_" + the position (1-based, no leading zeros);
// empty for a position below 1.
QString path(RecordPosition position);

// Creates the case folder with any missing parents and asks the shell to
// open it. A folder that cannot be created is reported with the system's
// error text and not opened; one the desktop does not open is told in a
// warning naming the folder. True when opened.
bool open(RecordPosition position);

QString createFailedMessage(const QString& folder, const QString& reason);

} // namespace casefolder
