// `Velarion --scadenzario`: the program starts as usual and, as soon as the
// log-in leads to the main menu, opens the deadline screen (what the "Apri"
// action of the reminder on the desktop asks for). Closing it shows the main
// menu as always.
#pragma once

#include <QStringList>

namespace startscreen {

inline constexpr const char* kDeadlinesOption = "--scadenzario";

// Arranges it when `arguments` ask for it; call after startup::start().
void arrange(const QStringList& arguments);

} // namespace startscreen
