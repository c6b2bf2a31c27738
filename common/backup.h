// The daily copy of the data. On the first start of each day the program
// copies every archive, the settings file and the password file into
// "Backup/<yyyy-mm-dd>/" in the program folder and keeps the last ten days.
// A backup that cannot be made (read-only folder, full disk) is skipped
// without a word and tried again at the next start.
#pragma once

#include <QString>
#include <QStringList>

namespace backup {

inline constexpr const char* kFolder = "Backup";
// How many day folders are kept.
inline constexpr int kDays = 10;

enum class Outcome {
  Made,        // today's copy was made now
  AlreadyMade, // today's copy was there already
  Skipped,     // it could not be made; nothing was left half-done
};

// The files of the program folder a backup holds (bare names, sorted): the
// archives and other files of the registered applications and the files
// named with alsoKeep(); symbolic links are left out.
QStringList dataFiles();
// A file the program keeps beside the applications' (the password file),
// named by its owner before the first backup.
void alsoKeep(const QString& name);

// Today's folder, from the clock: program folder + "Backup/yyyy-mm-dd".
QString todaysFolder();

// Makes today's copy when it is not there, then removes the day folders
// beyond the last kDays. Never shows a message.
Outcome daily();

// At start-up: daily() for today in a thread of its own, so the log-in
// screen does not wait for the copy of large archives; wait() lets it
// finish (before the program ends, or a test looks).
void start();
void wait();

} // namespace backup
