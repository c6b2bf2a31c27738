// The menu of year boxes: each box's year and button, the year warning, the
// file it names, what its button opens, help and the way back to the menu.
#include "app/shell/screens/applications.h"
#include "common/screens/yearboxmenu.h"

#include "common/help.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class YearBoxMenuTest : public CardTest {
  Q_OBJECT

  QWidget* mainMenu = nullptr;
  std::vector<std::pair<int, QString>> opened; // box, year
  std::unique_ptr<YearBoxMenu> menu;

  YearBoxMenuDescription describe() {
    auto box = [this](const char* heading, const char* edit, const char* button, int n) {
      return YearBox{QLatin1String(heading), QLatin1String(edit), QLatin1String(button),
                     [this, n](QWidget* m, const QString& year) {
                       // the file is named before the box's screen opens
                       QCOMPARE(drive::text(m, QStringLiteral("lblFile")), paths::yearly(year, QStringLiteral(".tst")));
                       opened.push_back({n, year});
                     }};
    };
    return {.screen = QStringLiteral("TfrmMenuProva"),
            .caption = QStringLiteral(" Velarion - Prova"),
            .info = QStringLiteral("In questo ambiente \u00E8 possibile provare."),
            .extension = QStringLiteral(".tst"),
            .boxes = {box("Primo:", "txtAnnoPreventivi", "btnApriPreventivi", 0),
                      box("Secondo:", "txtAnnoNDC", "btnApriNDC", 1), box("Terzo:", "txtAnnoDDT", "btnApriDDT", 2)},
            .helpTopic = HelpTopic::Insoluti};
  }

private slots:
  void initTestCase() { registerModules(); }
  void init() {
    seat();
    mainMenu = new QWidget;
    mainMenu->setObjectName(QStringLiteral("TfrmAvvio"));
    screenkit::ScreenSet::add(mainMenu);
    opened.clear();
    menu = std::make_unique<YearBoxMenu>(describe());
    QVERIFY(drive::show(menu.get()));
  }
  void cleanup() {
    menu.reset();
    screenkit::ScreenSet::remove(mainMenu);
    delete mainMenu;
    unseat();
  }

  void eachBoxOpensItsScreenForItsYear() {
    QCOMPARE(menu->windowTitle(), QStringLiteral(" Velarion - Prova"));
    for (const char* edit : {"txtAnnoPreventivi", "txtAnnoNDC", "txtAnnoDDT"})
      QCOMPARE(drive::text(menu.get(), QLatin1String(edit)), QStringLiteral("2026"));
    QCOMPARE(drive::focused(), QStringLiteral("txtAnnoPreventivi"));
    QCOMPARE(drive::find<QPushButton>(menu.get(), QStringLiteral("btnApriNDC"))->text(), QStringLiteral("Visualizza"));

    // letters never reach the edit; Enter moves to the box's button, which opens
    drive::type(menu.get(), QStringLiteral("txtAnnoNDC"), QStringLiteral("20a25"));
    QCOMPARE(drive::text(menu.get(), QStringLiteral("txtAnnoNDC")), QStringLiteral("2025"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("btnApriNDC"));
    drive::click(menu.get(), QStringLiteral("btnApriNDC"));
    drive::click(menu.get(), QStringLiteral("btnApriDDT"));
    QCOMPARE(opened, (std::vector<std::pair<int, QString>>{{1, "2025"}, {2, "2026"}}));
    QVERIFY(seams->messages.shown.empty());
    QVERIFY(menu->isVisible()); // the menu stays below its screens
  }

  void aYearOfOtherThanFourDigitsIsRefused() {
    for (const char* typed : {"", "202"}) {
      drive::type(menu.get(), QStringLiteral("txtAnnoDDT"), QLatin1String(typed));
      drive::click(menu.get(), QStringLiteral("btnApriDDT"));
      QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
      QCOMPARE(seams->messages.lastText(), QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
      QCOMPARE(drive::focused(), QStringLiteral("txtAnnoDDT"));
    }
    QVERIFY(opened.empty());
    QCOMPARE(drive::text(menu.get(), QStringLiteral("lblFile")), QStringLiteral("FilePath"));
  }

  void helpAndTheWayBack() {
    std::vector<HelpTopic> helped;
    help::setViewer([&](QWidget*, HelpTopic t) { helped.push_back(t); });
    drive::click(menu.get(), QStringLiteral("imgGuida"));
    help::setViewer({});
    QCOMPARE(helped, std::vector<HelpTopic>{HelpTopic::Insoluti});

    drive::click(menu.get(), QStringLiteral("imgEsci"));
    QVERIFY(!menu->isVisible());
    QVERIFY(mainMenu->isVisible());
    // shown again: this year again, whatever was typed
    drive::type(menu.get(), QStringLiteral("txtAnnoNDC"), QStringLiteral("1999"));
    menu->hide();
    QVERIFY(drive::show(menu.get()));
    QCOMPARE(drive::text(menu.get(), QStringLiteral("txtAnnoNDC")), QStringLiteral("2026"));
  }
};

QTEST_MAIN(YearBoxMenuTest)
#include "test_yearboxmenu.moc"
