// The main menu: tiles, their order, enabling, and the menu's commands.
#include "app/help/screens/helpwidgets.h"
#include "app/shell/screens/applications.h"
#include "app/shell/screens/artwork.h"
#include "app/shell/screens/program.h"
#include "app/shell/screens/tfrmavvio.h"
#include "common/screens/screenkit.h"
#include "support.h"

#include <QtTest>

using screenkit::Picture;

class MenuTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TfrmAvvio> menu;
  std::unique_ptr<QWidget> clients; // stands for the client card
  int ends = 0;

  Picture* picture(const QString& name) { return menu->findChild<Picture*>(name); }

private slots:
  void init() {
    ends = 0;
    program::setEnd([this] { ++ends; });
    clients = std::make_unique<QWidget>();
    clients->setObjectName(QStringLiteral("TfrmClienti"));
    screenkit::ScreenSet::add(clients.get());
    menu = std::make_unique<TfrmAvvio>();
    screenkit::ScreenSet::add(menu.get());
    menu->show();
  }
  void cleanup() {
    menu.reset();
    clients.reset();
    program::setEnd({});
  }

  // Two rows of five in the order of the applications.
  void tilesInTwoRowsOfFive() {
    const char* expected[][2] = {
        {"imgClienti", "btnClienti"},         {"imgPratiche", "btnPratiche"},   {"imgPosta", "btnPosta"},
        {"imgDocumenti", "btnDocumenti"},     {"imgScadenzario", "btnScadenzario"},
        {"imgProgetti", "btnProgetti"},       {"imgMovimenti", "btnMovimenti"}, {"imgPrimanota", "btnPrimanota"},
        {"imgInsoluti", "btninsoluti"},       {"imgStatistiche", "btnStatistiche"}};
    QCOMPARE(applications().size(), size_t(10));
    QPoint previous;
    for (int i = 0; i < 10; ++i) {
      Picture* img = picture(QLatin1String(expected[i][0]));
      Picture* btn = picture(QLatin1String(expected[i][1]));
      QVERIFY2(img && btn, expected[i][0]);
      const QPoint at = img->mapTo(menu.get(), QPoint(0, 0));
      QVERIFY(btn->mapTo(menu.get(), QPoint(0, 0)).y() > at.y()); // the button under its picture
      if (i % 5 != 0) {
        QCOMPARE(at.y(), previous.y());
        QVERIFY(at.x() > previous.x());
      } else if (i == 5) {
        QVERIFY(at.y() > previous.y());
      }
      previous = at;
    }
  }

  // The picture and the button of a tile open the same screen; closing it
  // through the screen set brings the menu back.
  void pictureAndButtonOpenTheSameScreen() {
    for (const char* name : {"imgClienti", "btnClienti"}) {
      QVERIFY(picture(QLatin1String(name))->isEnabled());
      QTest::mouseClick(picture(QLatin1String(name)), Qt::LeftButton);
      QVERIFY2(clients->isVisible(), name);
      QVERIFY(!menu->isVisible());
      screenkit::ScreenSet::show(QStringLiteral("TfrmAvvio"), clients.get());
      QVERIFY(menu->isVisible());
      QVERIFY(!clients->isVisible());
    }
    QCOMPARE(ends, 0);
  }

  // A tile whose application is not part of the program is disabled and
  // does nothing.
  void missingApplicationsAreDisabled() {
    for (const Application& app : applications()) {
      const bool present = screenkit::ScreenSet::find(QLatin1String(app.screen)) != nullptr;
      QCOMPARE(picture(QLatin1String(app.picture))->isEnabled(), present);
      QCOMPARE(picture(QLatin1String(app.button))->isEnabled(), present);
    }
    QVERIFY(!picture(QStringLiteral("imgPratiche"))->isEnabled());
    QTest::mouseClick(picture(QStringLiteral("imgPratiche")), Qt::LeftButton);
    QVERIFY(menu->isVisible());
    // the tile lights up once its screen exists
    QWidget cases;
    cases.setObjectName(QStringLiteral("TfrmPratica"));
    screenkit::ScreenSet::add(&cases);
    menu->hide();
    menu->show();
    QVERIFY(picture(QStringLiteral("btnPratiche"))->isEnabled());
    QTest::mouseClick(picture(QStringLiteral("btnPratiche")), Qt::LeftButton);
    QVERIFY(cases.isVisible());
    screenkit::ScreenSet::remove(&cases);
  }

  void esciAndClosingEndTheProgram() {
    QTest::mouseClick(picture(QStringLiteral("imgEsci")), Qt::LeftButton);
    QCOMPARE(ends, 1);
    menu->show();
    menu->close(); // the window's close button
    QCOMPARE(ends, 2);
  }

  void siteOpensTheWebPage() {
    RecordingShell shell;
    QTest::mouseClick(picture(QStringLiteral("imgSito")), Qt::LeftButton);
    QCOMPARE(shell.opened, std::vector<QString>{QStringLiteral("https://www.velarion.it")});
  }

  void helpPicturesFollowTheirCommands() {
    const MenuCommands& c = menuCommands();
    QCOMPARE(picture(QStringLiteral("imgGuida"))->isEnabled(), c.guide != nullptr);
    QCOMPARE(picture(QStringLiteral("imgInfo"))->isEnabled(), c.info != nullptr);
    QCOMPARE(picture(QStringLiteral("imgCopyright"))->isEnabled(), c.about != nullptr);
    QCOMPARE(menu->windowTitle(), QStringLiteral("Velarion"));
    QVERIFY(menu->windowState() & Qt::WindowMaximized);
  }

  // The help, information and about screens (and the PDF guide) head with
  // the product mark that the menu and the log-in show.
  void oneProductMarkEverywhere() {
    const QImage mark = artwork::picture(QStringLiteral("logo"), 64).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage heading = helpscreens::picture(QStringLiteral("logo"), QSize(260, 72))
                               .toImage()
                               .convertToFormat(QImage::Format_ARGB32)
                               .copy(4, 4, 64, 64);
    int differing = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const QRgb a = mark.pixel(x, y), b = heading.pixel(x, y);
        if (qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) +
                qAbs(qAlpha(a) - qAlpha(b)) > 24)
          ++differing;
      }
    QVERIFY2(differing < 40, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
  }
};

QTEST_MAIN(MenuTest)
#include "test_menu.moc"
