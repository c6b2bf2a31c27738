// Every list, summary and grid dialog the applications open, and the small
// screens beside them (year menus and year screens, the print screens and
// the preview, the calendar, the attachments, the case folder, the help,
// the applications' own dialogs), fits the screen it opens on: its frame lies in the room the
// desktop leaves and every command on it can be seen and clicked. Run again
// at each screen size and scale the program serves (see the CMake file).
#include "app/help/screens/aboutscreen.h"
#include "app/help/screens/guidescreen.h"
#include "app/help/screens/splashscreen.h"
#include "app/shell/screens/applications.h"
#include "cases/screens/casedocuments.h"
#include "cashbook/screens/cashbookscreen.h"
#include "clients/clientlists.h"
#include "common/checks/screens/checks_screens.h"
#include "common/grids.h"
#include "common/lists.h"
#include "common/reports.h"
#include "common/screens/attachscreen.h"
#include "common/screens/calendarscreen.h"
#include "common/screens/carddescription.h"
#include "common/screens/casefolderscreen.h"
#include "common/screens/formprintscreen.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "common/screens/yearboxmenu.h"
#include "common/screens/yearscreen.h"
#include "deadlines/deadlinelists.h"
#include "engines/screens/reportpreview.h"
#include "projects/screens/rtfsheetscreen.h"
#include "protocol/screens/numberingscreen.h"
#include "unpaid/unpaid.h"
#include "cardtest.h"

#include <QAction>
#include <QRegularExpression>
#include <QScreen>
#include <QToolBar>
#include <QtTest>

#include <functional>
#include <memory>
#include <set>

using Opener = std::function<std::unique_ptr<QWidget>()>;
Q_DECLARE_METATYPE(Opener)

namespace {

// The commands of a screen: its buttons and command pictures.
bool isCommand(const QObject* w) {
  static const QRegularExpression names(QStringLiteral("^(cmd|btn|img|imp)"));
  return names.match(w->objectName()).hasMatch();
}

template <class T> Opener made(std::function<T*()> make) {
  return [make] { return std::unique_ptr<QWidget>(make()); };
}

} // namespace

class DialogFitTest : public CardTest {
  Q_OBJECT

  // Where the screen and its commands stand: the frame inside the room the
  // desktop leaves, each command whole inside every widget it lies on.
  static void checkFits(QWidget* screen) {
    const QRect available = screen->screen()->availableGeometry();
    const QRect frame = screen->frameGeometry();
    QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1: %2x%3 at %4,%5 on %6x%7")
                                                       .arg(screen->objectName())
                                                       .arg(frame.width()).arg(frame.height())
                                                       .arg(frame.x()).arg(frame.y())
                                                       .arg(available.width()).arg(available.height())));
    // offscreen windows have no title bar: one the window manager draws
    // (about 30 px) must find room too
    const Qt::WindowFlags flags = screen->windowFlags();
    const bool titled = !(flags & Qt::FramelessWindowHint) &&
                        (!(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowTitleHint));
    if (titled)
      QVERIFY2(frame.height() + 30 <= available.height(),
               qPrintable(QStringLiteral("%1: no room for its title bar").arg(screen->objectName())));
    // the commands: named widgets, and the buttons of a tool bar's actions
    // (none of them left to the bar's overflow menu)
    std::vector<std::pair<QString, QWidget*>> commands;
    for (QWidget* c : screen->findChildren<QWidget*>())
      if (isCommand(c) && c->isVisibleTo(screen)) commands.emplace_back(c->objectName(), c);
    for (QToolBar* bar : screen->findChildren<QToolBar*>())
      for (QAction* a : bar->actions())
        if (isCommand(a)) {
          QWidget* button = bar->widgetForAction(a);
          QVERIFY2(button && button->isVisibleTo(screen),
                   qPrintable(QStringLiteral("%1 not shown on %2").arg(a->objectName(), screen->objectName())));
          commands.emplace_back(a->objectName(), button);
        }
    for (const auto& [name, c] : commands)
      for (QWidget* p = c->parentWidget(); p; p = p->parentWidget()) {
        const QRect r(c->mapTo(p, QPoint(0, 0)), c->size());
        QVERIFY2(p->rect().contains(r), qPrintable(QStringLiteral("%1 cut off on %2 of %3")
                                                       .arg(name, p->objectName(), screen->objectName())));
        if (p == screen) break;
      }
    QVERIFY2(!commands.empty(), qPrintable(screen->objectName()));
  }

  static void shoot(QWidget* screen, const QString& suffix = {}) {
    const QString folder = qEnvironmentVariable("VELARION_SHOTS");
    if (folder.isEmpty()) return;
    const QRect available = screen->screen()->availableGeometry();
    screen->grab().save(QStringLiteral("%1/%2%3_%4x%5@%6.png")
                            .arg(folder, screen->objectName(), suffix)
                            .arg(available.width())
                            .arg(available.height())
                            .arg(screen->devicePixelRatioF()));
  }

  static void showAndCheck(QWidget* screen) {
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    QApplication::processEvents();
    shoot(screen);
    checkFits(screen);
  }


private slots:
  void init() { seat(); }
  void cleanup() { unseat(); }

  void dialogsFitTheScreen_data() {
    QTest::addColumn<Opener>("open");
    std::set<const void*> seen;
    auto once = [&seen](const void* d) { return seen.insert(d).second; };
    auto addList = [&](const lists::ListDescription& d) {
      if (once(&d))
        QTest::newRow(qPrintable(d.screen)) << made<QWidget>([&d] { return new lists::ListScreen(d); });
    };
    auto addGrid = [&](const grids::GridDescription& d) {
      if (once(&d))
        QTest::newRow(qPrintable(d.screen + QLatin1Char(' ') + d.caption))
            << made<QWidget>([&d] { return new grids::GridScreen(d); });
    };
    for (const CardDescription* card : cardDescriptions())
      for (const CardCommand& c : card->commands) {
        if (c.list) addList(*c.list);
        if (c.grid) addGrid(*c.grid);
        if (c.printForm && once(c.printForm)) {
          const FormPrintDescription* f = c.printForm;
          const RecordLayout* layout = card->archive.layout;
          QTest::newRow(qPrintable(card->screen + QStringLiteral(" print")))
              << made<QWidget>([f, layout] { return new FormPrintScreen(*f, [layout] { return Record(*layout); }); });
        }
      }
    addList(recontactList());
    for (unpaid::Kind k : {unpaid::Kind::All, unpaid::Kind::Income, unpaid::Kind::Expense}) addGrid(unpaid::list(k));
    addGrid(imminentDeadlines());
    addGrid(deadlinesOfDay());
    addGrid(deadlinesOfMonth());
    QTest::newRow("TfrmCalendario") << made<QWidget>([] { return new TfrmCalendario; });
    QTest::newRow("TfrmAllegaCartella") << made<QWidget>([] { return new TfrmAllegaCartella; });
    QTest::newRow("TfrmCartella") << made<QWidget>([] { return new TfrmCartella; });
    QTest::newRow("TfrmDettagli") << made<QWidget>([] { return new TfrmDettagli(nullptr); });
    QTest::newRow("TfrmCreaRTF") << made<QWidget>([] { return new TfrmCreaRTF; });
    QTest::newRow("TfrmNumerazione") << made<QWidget>([] { return new TfrmNumerazione; });
    QTest::newRow("CheckScreen") << made<QWidget>([] { return new CheckScreen(CheckKind::Iban); });
    QTest::newRow("TfrmAnteprima") << made<QWidget>([] {
      return new report::ReportPreview(report::prepare(report::shownList(QStringLiteral("Elenco"), {})));
    });
    QTest::newRow("TfrmGuida") << made<QWidget>([] { return new TfrmGuida; });
    QTest::newRow("TfrmInfo") << made<QWidget>([] { return new TfrmInfo; });
    QTest::newRow("TfrmSplash") << made<QWidget>([] { return new TfrmSplash; });
    QTest::newRow("TfrmBilancio")
        << made<QWidget>([] { return new TfrmBilancio({}, {}, QDate(2026, 1, 1), QDate(2026, 12, 31)); });
  }

  // Each dialog as it opens; a search list also with its results in place
  // of its criteria, as Cerca shows them.
  void dialogsFitTheScreen() {
    QFETCH(Opener, open);
    const std::unique_ptr<QWidget> screen = open();
    showAndCheck(screen.get());
    if (QTest::currentTestFailed()) return;
    auto* criteria = screen->findChild<QWidget*>(QStringLiteral("panAvvio"));
    auto* results = screen->findChild<QWidget*>(QStringLiteral("panContainer"));
    if (criteria && results && criteria->isVisible()) {
      criteria->hide();
      results->show();
      QApplication::processEvents();
      shoot(screen.get(), QStringLiteral("_elenco"));
      checkFits(screen.get());
    }
    screen->hide();
  }

  // The screens of the applications' tiles that are not cards: the year
  // screens and the menus of year boxes.
  void tileScreensFitTheScreen_data() {
    QTest::addColumn<int>("index");
    const auto apps = applications();
    for (size_t i = 0; i < apps.size(); ++i)
      if (apps[i].create && (!apps[i].card || apps[i].module->year)) QTest::newRow(apps[i].screen) << int(i);
  }
  void tileScreensFitTheScreen() {
    QFETCH(int, index);
    QWidget* screen = applications()[size_t(index)].create();
    showAndCheck(screen);
    screen->hide();
  }
};

QTEST_MAIN(DialogFitTest)
#include "test_dialogfit.moc"
