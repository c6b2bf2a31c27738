#include "app/reminders/desktopreminders.h"
#include "app/shell/screens/startup.h"

int main(int argc, char** argv) {
  if (desktopreminders::requested(argc, argv)) return desktopreminders::run(argc, argv);
  return startup::run(argc, argv);
}
