#include "helpwidgets.h"

static void registerHelpImages() {
  static const bool done = [] {
    Q_INIT_RESOURCE(help_images);
    return true;
  }();
  (void)done;
}

namespace helpscreens {

QPixmap picture(const QString& name, QSize size) {
  registerHelpImages();
  return screenkit::picture(QStringLiteral(":/help/images/") + name + QStringLiteral(".svg"), size);
}

} // namespace helpscreens
