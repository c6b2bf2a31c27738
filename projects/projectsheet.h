// The project sheet "Scheda_Progetto.rtf": a centred bold title, a rule,
// then one paragraph per field, its label in bold and its value plain, in
// Verdana. The sheet is written from what the card shows, not from the
// archive.
#pragma once

#include "archive/record.h"
#include "common/printrows.h"

#include <QByteArray>
#include <QString>

#include <span>
#include <utility>
#include <vector>

namespace projectsheet {

inline constexpr const char* kFile = "Scheda_Progetto.rtf";

// The 24 paragraphs: label and the field whose value follows it. Two
// labels differ from the card's captions ("Compiti espletati:",
// "Compiti da svolgere:").
const std::vector<PrintRow>& rows();

// The (label, value) pairs of a project as shown: values trimmed at both
// ends, memo line breaks kept inside.
std::vector<std::pair<QString, QString>> lines(const Record& shown);

// The whole document, in Windows-1252 ("?" for what the code page lacks),
// one line apart from the paragraph marks. A value's "\", "{" and "}" are
// escaped so typed text can neither break the document nor carry RTF
// commands, and each line break inside a value (CR LF, or a lone CR or LF)
// becomes a paragraph mark, so every memo line shows on its own line.
QByteArray write(std::span<const std::pair<QString, QString>> lines);

// What the sheet command does with the project shown: asks to confirm,
// writes program folder + "Scheda_Progetto.rtf" through the safe save (a
// failure keeps the previous sheet and is reported as a plain message with
// the system's reason), then offers to open it through the shell. True
// when the sheet was written.
bool exportSheet(const Record& shown);

const QString& confirmQuestion(); // before writing (Yes/No)
const QString& doneQuestion();    // after writing: open it? (Yes/No)
const QString& failureMessage();  // plain; the system's reason follows it

} // namespace projectsheet
