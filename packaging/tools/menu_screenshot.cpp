// Pictures the main menu as the program shows it after the log-in, for the
// software centres' page of the package. Runs the real start-up over an empty
// program folder of its own, offscreen.
//   menu_screenshot <picture.png> <width> <height>
#include "app/shell/screens/startup.h"
#include "archive/paths.h"
#include "common/screens/screenkit.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: menu_screenshot <picture.png> <width> <height>\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QSize size(std::atoi(argv[2]), std::atoi(argv[3]));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velarion"));
  QTemporaryDir folder;
  if (!folder.isValid() || size.isEmpty()) return 1;
  paths::setProgramFolder(folder.path());

  startup::start()->hide();
  QWidget* menu = screenkit::ScreenSet::find(QStringLiteral("TfrmAvvio"));
  if (!menu) {
    std::fprintf(stderr, "the main menu is not part of the program\n");
    return 1;
  }
  menu->setWindowState(Qt::WindowNoState);
  menu->resize(size);
  menu->show();
  QApplication::processEvents();
  const bool saved = menu->grab().toImage().convertToFormat(QImage::Format_RGB32).save(out, "PNG");
  startup::finish();
  if (!saved) std::fprintf(stderr, "cannot write %s\n", argv[1]);
  return saved ? 0 : 1;
}
