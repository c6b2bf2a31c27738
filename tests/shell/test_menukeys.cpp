// The main menu and every screen its tiles open, by keyboard alone: the
// tiles take the focus in reading order, Enter or Space opens a tile's
// application as a click does, F1 the guide; Esc does nothing on the menu
// and brings it back from every screen a tile opens (year screens, the
// deadline start panel, the selection screens, a card without edits).
#include "app/shell/screens/applications.h"
#include "app/shell/screens/program.h"
#include "app/shell/screens/mainmenu.h"
#include "common/screens/carddescription.h"
#include "common/screens/screenkit.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"
#include "tests/deadlines/deadlinescreens.h"

#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

class MenuKeysTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<RecordingAlarm> alarm;
  std::vector<QWidget*> screens; // every screen the tiles open, and the cards behind year screens
  std::unique_ptr<TfrmAvvio> menu;
  int ends = 0;

  QString focused() const { return drive::focused(); }
  // A key pressed where the focus is, as the user presses it.
  void press(QKeyCombination key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY(target);
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
    QApplication::processEvents();
  }

private slots:
  // The screens as start-up makes them, then the menu over them.
  void initTestCase() {
    seat();
    alarm = std::make_unique<RecordingAlarm>();
    program::setEnd([this] { ++ends; });
    for (const Application& app : applications()) {
      QVERIFY2(app.create, app.screen);
      QWidget* screen = app.create();
      screenkit::ScreenSet::add(screen);
      screens.push_back(screen);
      if (app.card && app.card().screen != QLatin1String(app.screen))
        screens.push_back(screenkit::ScreenSet::find(app.card().screen));
    }
    menu = std::make_unique<TfrmAvvio>();
    screenkit::ScreenSet::add(menu.get());
  }
  void cleanupTestCase() {
    menu.reset();
    for (QWidget* s : screens) delete s;
    program::setEnd({});
    alarm.reset();
    unseat();
  }
  void init() {
    ends = 0;
    menu->hide(); // each test starts from the menu as it is shown
    QVERIFY(drive::show(menu.get()));
  }

  // Shown, the menu has the focus on its first tile; Tab and Shift+Tab go
  // through the tiles in reading order, the arrows to the tile beside,
  // above or below.
  void tilesTakeTheFocusInReadingOrder() {
    QCOMPARE(focused(), QStringLiteral("panTile1"));
    for (int i = 2; i <= 10; ++i) {
      press(Qt::Key_Tab);
      QCOMPARE(focused(), QStringLiteral("panTile%1").arg(i));
    }
    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("panTile1"));
    press(Qt::SHIFT | Qt::Key_Backtab);
    QCOMPARE(focused(), QStringLiteral("panTile10"));
    // nothing above the first row, below the second, before the first tile
    // or past the last; Left and Right go on from one row to the other
    const std::pair<Qt::Key, int> moves[] = {{Qt::Key_Up, 5},    {Qt::Key_Up, 5},    {Qt::Key_Right, 6},
                                             {Qt::Key_Down, 6},  {Qt::Key_Left, 5},  {Qt::Key_Left, 4},
                                             {Qt::Key_Down, 9},  {Qt::Key_Right, 10}, {Qt::Key_Right, 10},
                                             {Qt::Key_Up, 5},    {Qt::Key_Left, 4},  {Qt::Key_Up, 4}};
    for (const auto& [key, tile] : moves) {
      press(key);
      QCOMPARE(focused(), QStringLiteral("panTile%1").arg(tile));
    }
  }

  // Enter (or Space) on the focused tile opens its application as a click
  // on the tile does; Esc there brings the menu back, its first tile
  // focused again.
  void everyTileOpensByKeyAndEscReturns() {
    int index = 0;
    for (const Application& app : applications()) {
      ++index;
      QCOMPARE(focused(), QStringLiteral("panTile1"));
      for (int i = 1; i < index; ++i) press(Qt::Key_Right);
      QCOMPARE(focused(), QStringLiteral("panTile%1").arg(index));
      press(index % 2 ? Qt::Key_Return : Qt::Key_Space);
      QWidget* screen = screenkit::ScreenSet::find(QLatin1String(app.screen));
      QVERIFY2(screen && screen->isVisible(), app.screen);
      QVERIFY(!menu->isVisible());
      QVERIFY(QTest::qWaitForWindowActive(screen));
      press(Qt::Key_Escape);
      QVERIFY2(!screen->isVisible(), app.screen);
      QVERIFY2(menu->isVisible(), app.screen);
      QVERIFY(QTest::qWaitForWindowActive(menu.get()));
    }
    QCOMPARE(seams->messages.saveQuestions, 0);
    QCOMPARE(ends, 0);
  }

  // F1 opens the guide as the menu's "Guida" picture does; Esc leaves the
  // menu as it is and never ends the program.
  void f1OpensTheGuideAndEscStays() {
    QCOMPARE(drive::withModal([this] { press(Qt::Key_F1); }), QStringLiteral("TfrmGuida"));
    QVERIFY(QTest::qWaitForWindowActive(menu.get()));
    press(Qt::Key_Escape);
    QVERIFY(menu->isVisible());
    QCOMPARE(ends, 0);
    QCOMPARE(focused(), QStringLiteral("panTile1"));
  }

  // Pictures for a look, when a folder is named: the menu with the focus
  // on a tile, and the question Esc asks on a card with unsaved edits.
  void renderWhenAsked() {
    const QString dir = qEnvironmentVariable("VELARION_SHOTS");
    if (dir.isEmpty()) QSKIP("set VELARION_SHOTS to a folder to render the screens");
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    QCOMPARE(focused(), QStringLiteral("panTile7"));
    menu->grab().save(dir + QStringLiteral("/menu_tasti.png"));

    screenkit::installDesktopSeams();
    services::setMessages(nullptr); // the desktop's own dialog
    QTimer::singleShot(0, [dir] {
      QWidget* box = QApplication::activeModalWidget();
      QVERIFY(box);
      box->grab().save(dir + QStringLiteral("/domanda_salva.png"));
      QTest::keyClick(box, Qt::Key_Escape);
    });
    const SaveAnswer answer = services::askSave(QStringLiteral(
        "La scheda corrente contiene modifiche non salvate.\n\r\n\rSalvare le modifiche prima di uscire?"));
    services::setMessages(&seams->messages);
    QCOMPARE(answer, SaveAnswer::Cancel);
  }
};

QTEST_MAIN(MenuKeysTest)
#include "test_menukeys.moc"
