// Start-up: the translations of the standard dialogs, the formats, the
// desktop seams and the screen set; then the log-in screen.
#pragma once

class QWidget;

namespace startup {

// Everything after the application object exists: creates every persistent
// screen, registers it and shows the log-in screen, which it returns.
QWidget* start();
// Destroys the screens start() made (before the application object goes).
void finish();
// The whole program: the application object, start(), the event loop.
int run(int argc, char** argv);

} // namespace startup
