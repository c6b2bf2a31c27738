// Where the archives live: the program folder (the folder of the running
// executable) and the fixed and yearly archive names inside it.
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

inline const char* const kClienti = "Clienti.pro";
inline const char* const kPratiche = "Pratiche.pro";
inline const char* const kDocumenti = "Archivio_Documenti.pro";
inline const char* const kScadenze = ".sca";
inline const char* const kProtocollo = ".prt";
inline const char* const kProgetti = ".prg";
inline const char* const kMovimenti = ".eur";
inline const char* const kPassword = "unins000.dll";
inline const char* const kSettings = "Quorbis.ini";
inline const char* const kAllegati = "Documenti_Allegati";

} // namespace paths
