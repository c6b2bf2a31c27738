// The main menu: tiles, their order, enabling, and the menu's commands.
#include "app/help/screens/helpwidgets.h"
#include "app/shell/screens/applications.h"
#include "app/shell/screens/artwork.h"
#include "app/shell/screens/program.h"
#include "app/shell/screens/mainmenu.h"
#include "common/screens/screenkit.h"
#include "support.h"

#include <QLabel>
#include <QScreen>
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

  // On the screen the tests run on (1024 x 768 up, at 100 % and 125 %: see
  // the CMake file) the maximised menu fits the room the desktop leaves, and
  // every tile, its title, Guida, Esci and the other commands lie whole
  // inside it, apart from each other, at a size that can be clicked.
  void fitsTheScreen() {
    QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
    const QRect available = menu->screen()->availableGeometry();
    if (available.width() * menu->devicePixelRatioF() < 1023)
      QSKIP("a screen smaller than 1024 x 768");
    // maximised: the window with its frame takes the room the desktop leaves
    // (a scaled screen rounds its size: a pixel of room)
    const QRect frame = menu->frameGeometry();
    QVERIFY2(available.adjusted(-1, -1, 1, 1).contains(frame) && frame.width() >= available.width() - 1 &&
                 frame.height() >= available.height() - 1,
             qPrintable(QStringLiteral("menu %1x%2 on %3x%4")
                            .arg(frame.width()).arg(frame.height()).arg(available.width()).arg(available.height())));
    std::vector<std::pair<QString, QRect>> placed;
    auto place = [&](QWidget* w) {
      QVERIFY2(w && w->isVisibleTo(menu.get()), qPrintable(w ? w->objectName() : QString()));
      const QRect r(w->mapTo(menu.get(), QPoint(0, 0)), w->size());
      QVERIFY2(menu->rect().contains(r), qPrintable(w->objectName()));
      QVERIFY2(r.width() >= 24 && r.height() >= 16, qPrintable(w->objectName()));
      for (const auto& [name, other] : placed)
        QVERIFY2(!other.intersects(r), qPrintable(w->objectName() + QStringLiteral(" over ") + name));
      placed.emplace_back(w->objectName(), r);
    };
    for (const char* name : {"imgInfo", "imgGuida", "imgCopyright", "imgSito", "imgEsci"}) place(picture(QLatin1String(name)));
    for (int i = 0; i < 10; ++i) {
      const Application& app = applications()[size_t(i)];
      auto* tile = menu->findChild<QWidget*>(QStringLiteral("panTile%1").arg(i + 1));
      place(tile);
      // the parts of the tile inside it, the title on at most two lines
      auto* title = menu->findChild<QLabel*>(QStringLiteral("lblTitolo%1").arg(i + 1));
      for (QWidget* part : {static_cast<QWidget*>(picture(QLatin1String(app.picture))),
                            static_cast<QWidget*>(picture(QLatin1String(app.button))), static_cast<QWidget*>(title)})
        QVERIFY2(tile->rect().contains(part->geometry()), app.picture);
      QVERIFY2(title->heightForWidth(title->width()) <= title->height(), app.picture);
      QVERIFY2(picture(QLatin1String(app.picture))->height() >= 40,
               qPrintable(QStringLiteral("%1 %2 in %3").arg(app.picture).arg(picture(QLatin1String(app.picture))->height()).arg(tile->height())));
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
