#include "startup.h"

#include "app/help/screens/helpscreens.h"
#include "app/shell/password.h"
#include "app/shell/screens/applications.h"
#include "app/shell/screens/artwork.h"
#include "mainmenu.h"
#include "changepassword.h"
#include "login.h"
#include "startscreen.h"
#include "archive/paths.h"
#include "archive/safefile.h"
#include "common/attachments.h"
#include "common/backup.h"
#include "common/screens/screenkit.h"
#include "documents/screens/documentstocomplete.h"
#include "engines/screens/reportdesktop.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Every persistent screen of the run, in creation order.
std::vector<QWidget*>& screens() {
  static std::vector<QWidget*> s;
  return s;
}

QWidget* keep(QWidget* screen) {
  screens().push_back(screen);
  screenkit::ScreenSet::add(screen);
  return screen;
}

// While the application object connects to the desktop, Qt's messages are
// held back: a desktop that cannot be reached ends the program with one line
// and exit status 1 instead of Qt's abort; otherwise they are passed on.
QtMessageHandler& desktopHandler() {
  static QtMessageHandler h = nullptr;
  return h;
}
std::vector<std::pair<QtMsgType, QString>>& heldMessages() {
  static std::vector<std::pair<QtMsgType, QString>> m;
  return m;
}
void whileConnecting(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type != QtFatalMsg) {
    heldMessages().emplace_back(type, text);
    return;
  }
  std::fputs("Velarion needs a graphical desktop: the display cannot be opened.\n", stderr);
  std::fflush(stderr);
  std::_Exit(1);
}
void connected() {
  qInstallMessageHandler(desktopHandler());
  for (const auto& [type, text] : heldMessages()) qt_message_output(type, QMessageLogContext(), text);
  heldMessages().clear();
}

} // namespace

namespace startup {

QWidget* start() {
  // the standard dialogs (file dialog, print dialog) speak Italian
  report::installItalianTranslations();
  // the program ends only by its own commands, never because a screen hid
  // itself before the next one showed
  QApplication::setQuitOnLastWindowClosed(false);
  // the program's own light look, whatever the desktop's theme, before any screen
  screenkit::applyLook();
  screenkit::applyFormats();
  screenkit::installDesktopSeams();
  installHelpViewer();
  // the first start of the day copies the data aside while the log-in
  // waits, and every start clears what saves cut short by a crash left
  // behind; both silently. The registered applications name the files the
  // copy holds.
  registerModules();
  backup::alsoKeep(QFileInfo(password::filePath()).fileName());
  backup::start();
  for (const QString& folder : {paths::programFolder(), attachments::folder()}) safefile::removeLeftovers(folder);
  // every window carries the product logo
  QIcon logo;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) logo.addPixmap(artwork::picture(QStringLiteral("logo"), side));
  QApplication::setWindowIcon(logo);
  report::setPrintToFileFolder([] { return paths::programFolder(); });

  QWidget* login = keep(new TfrmPassword);
  auto* menu = static_cast<TfrmAvvio*>(keep(new TfrmAvvio));
  keep(new TfrmCambiaPassword);
  for (const Application& app : applications()) {
    if (!app.create) continue;
    QWidget* screen = app.create();
    if (screen->objectName().isEmpty()) screen->setObjectName(QLatin1String(app.screen));
    keep(screen);
  }
  // the summary of documents to complete lists them as it is made: the only
  // archive start-up touches, created empty when missing
  keep(makeDocumentsToComplete());
  menu->refreshTiles();

  login->show();
  return login;
}

int run(int argc, char** argv) {
  desktopHandler() = qInstallMessageHandler(whileConnecting);
  QApplication app(argc, argv);
  connected();
  QApplication::setApplicationName(QStringLiteral("Velarion"));
  start();
  startscreen::arrange(QApplication::arguments());
  const int result = QApplication::exec();
  finish();
  return result;
}

void finish() {
  backup::wait();
  // the screens go before the application object does, the last made first
  while (!screens().empty()) {
    QWidget* screen = screens().back();
    screens().pop_back();
    screenkit::ScreenSet::remove(screen);
    delete screen;
  }
}

} // namespace startup
