// Where the program's files live: the program folder (the folder of the
// running executable) and the paths inside it. Each file's name belongs to
// whoever keeps the file.
#pragma once

#include <QString>

namespace paths {

// The program folder with a trailing separator.
QString programFolder();
// Tests point the program at a folder of their own; empty restores the default.
void setProgramFolder(const QString& folder);

inline QString inProgramFolder(const QString& name) { return programFolder() + name; }
// A yearly archive: the four characters of the year as typed plus the extension.
inline QString yearly(const QString& year, const QString& extension) { return programFolder() + year + extension; }

} // namespace paths
