// The pictures of the working screens: every file of the set is a valid
// drawing that shows at the sizes the screens use, the names the shared
// screens ask for exist, and a disabled picture is drawn greyed.
#include "common/screens/screenkit.h"

#include <QDir>
#include <QImage>
#include <QSvgRenderer>
#include <QtTest>

namespace {

// Fraction of the pixels that are not transparent, and the strongest colour
// saturation among them.
struct Ink {
  double covered = 0;
  int saturation = 0;
};

Ink inkOf(const QImage& image) {
  const QImage img = image.convertToFormat(QImage::Format_ARGB32);
  int opaque = 0;
  Ink ink;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = QColor::fromRgba(img.pixel(x, y));
      if (c.alpha() < 128) continue;
      ++opaque;
      ink.saturation = qMax(ink.saturation, c.hsvSaturation());
    }
  ink.covered = double(opaque) / (img.width() * img.height());
  return ink;
}

QStringList allNames() {
  QStringList names;
  screenkit::hasIcon(QStringLiteral("salva")); // loads the resources
  for (const QString& f : QDir(QStringLiteral(":/screens/icons")).entryList({QStringLiteral("*.svg")}))
    names << QFileInfo(f).completeBaseName();
  return names;
}

} // namespace

class ScreenIconsTest : public QObject {
  Q_OBJECT

private slots:
  void everyPictureDrawsAtTheSizesInUse() {
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); // the SVG reader warns on what it cannot draw
    const QStringList names = allNames();
    QVERIFY(names.size() >= 30);
    for (const QString& name : names) {
      QSvgRenderer svg(QStringLiteral(":/screens/icons/%1.svg").arg(name));
      QVERIFY2(svg.isValid(), qPrintable(name));
      for (int size : {16, 22, 24, 32, 40, 48}) {
        const QPixmap pm = screenkit::icon(name, size);
        QCOMPARE(pm.deviceIndependentSize().toSize(), QSize(size, size));
        // a rounded tile: mostly covered, corners left clear
        const QImage img = pm.toImage();
        const Ink ink = inkOf(img);
        QVERIFY2(ink.covered > 0.6 && ink.covered < 0.98, qPrintable(QStringLiteral("%1 at %2").arg(name).arg(size)));
        QVERIFY2(qAlpha(img.pixel(0, 0)) < 128, qPrintable(name));
      }
    }
  }

  // Pictures the shared screens name in code rather than in a card description.
  void namesAskedForByTheSharedScreensExist() {
    for (const char* name : {"primo", "indietro", "avanti", "ultimo", "esporta", "guida", "esci", "cancella",
                             "cartella", "controlla", "oggi"})
      QVERIFY2(screenkit::hasIcon(QLatin1String(name)), name);
  }

  void anUnknownNameGivesAnEmptySquare() {
    QVERIFY(!screenkit::hasIcon(QStringLiteral("nessuna")));
    QVERIFY(!screenkit::hasIcon(QString()));
    const QPixmap pm = screenkit::icon(QStringLiteral("nessuna"), 24);
    QCOMPARE(pm.deviceIndependentSize().toSize(), QSize(24, 24));
    QCOMPARE(inkOf(pm.toImage()).covered, 0.0);
  }

  void aDisabledPictureIsGreyed() {
    QWidget screen;
    auto* picture = new screenkit::Picture(QStringLiteral("cmdSalva"), QStringLiteral("Salva"),
                                           QStringLiteral("salva"), &screen, 32);
    picture->adjustSize();
    screen.resize(120, 90);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QCOMPARE(picture->objectName(), QStringLiteral("cmdSalva"));
    QVERIFY(inkOf(picture->grab().toImage()).saturation > 120);
    picture->setEnabled(false);
    QVERIFY(inkOf(picture->grab().toImage()).saturation < 40);
  }
};

QTEST_MAIN(ScreenIconsTest)
#include "test_screenicons.moc"
