// "Esporta calendario" on the deadline card: the opened year's deadlines and
// appointments written as the calendar file "Scadenze_<anno>.ics" in the
// program folder, where the other exports go.
#pragma once

#include <QString>

namespace calendarexport {

// The questions and messages of the command.
QString includePaidQuestion();
QString doneQuestion(const QString& file);
QString failureMessage();

// Asks whether the paid deadlines go too, writes the file through the safe
// save, offers to open it; a failure is one error message.
void run(const QString& archivePath, const QString& year);

} // namespace calendarexport
