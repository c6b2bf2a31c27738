// `Velarion --promemoria [FOLDER [COMMAND...]]`: the reminders on the
// desktop. Reads the deadlines of this year and next in the program folder
// (FOLDER, by default the executable's own) with the rules of the check made
// on entering the deadline application, read-only and under the shared lock,
// never writing or creating anything. When some are imminent it shows one
// notification through org.freedesktop.Notifications, "N scadenze nei
// prossimi giorni" with the first titles and the action "Apri", which starts
// COMMAND (by default the executable itself) with "--scadenzario". Nothing
// when nothing is imminent or no notification service is there; one line on
// standard error, and exit status 1, when the folder cannot be read.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace desktopreminders {

inline constexpr const char* kOption = "--promemoria";
// How many titles the notification lists.
inline constexpr int kTitles = 5;

struct Found {
  int imminent = 0;
  QStringList titles; // every imminent deadline, in order of date and time
  bool failed = false;
  QString failure; // what could not be read, for the line on standard error
};
// The imminent deadlines of `folder` on `today`: this year's archive and
// next year's, those that exist. A record that cannot be read is skipped.
Found find(const QString& folder, QDate today);

// The notification's title and text.
QString summary(int imminent);
QString body(const Found& found);

// Whether the command line asks for the reminders (its first argument).
bool requested(int argc, char** argv);
// The whole run: the core application object, find(), the notification,
// waiting for its action or its closing.
int run(int argc, char** argv);

} // namespace desktopreminders
