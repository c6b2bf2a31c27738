// Renders the program's logo as the PNG icons of the desktop's icon theme:
// <folder>/<n>x<n>/apps/<name>.png for every size given.
//   make_icons <logo.svg> <folder> <name> <size>...
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: make_icons <logo.svg> <folder> <name> <size>...\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  QSvgRenderer logo(QString::fromLocal8Bit(argv[1]));
  if (!logo.isValid()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const QString folder = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    const int side = std::atoi(argv[i]);
    if (side <= 0) {
      std::fprintf(stderr, "not a size: %s\n", argv[i]);
      return 2;
    }
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    logo.render(&painter);
    painter.end();
    const QString dir = folder + QStringLiteral("/%1x%1/apps").arg(side);
    if (!QDir().mkpath(dir) || !icon.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG")) {
      std::fprintf(stderr, "cannot write the %dx%d icon in %s\n", side, side, argv[2]);
      return 1;
    }
  }
  return 0;
}
