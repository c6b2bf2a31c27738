// `--scadenzario`: the log-in leads to the deadline screen instead of
// stopping at the main menu; without it the menu stays.
#include "app/shell/screens/startscreen.h"
#include "app/shell/screens/startup.h"
#include "common/screens/screenkit.h"
#include "support.h"

#include <QtTest>

class StartScreenTest : public QObject {
  Q_OBJECT
private slots:
  void logInLeadsToTheDeadlinesOnlyWhenAsked_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QStringList{QStringLiteral("Velarion")} << QStringLiteral("TfrmAvvio");
    QTest::newRow("deadlines") << QStringList{QStringLiteral("Velarion"), QStringLiteral("--scadenzario")}
                               << QStringLiteral("TfrmScadenzario");
  }
  void logInLeadsToTheDeadlinesOnlyWhenAsked() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, shown);
    ScreenTestSeams seams;
    QWidget* login = startup::start();
    startscreen::arrange(arguments);
    // what the right password does
    screenkit::ScreenSet::show(QStringLiteral("TfrmAvvio"), login);
    QTRY_VERIFY(screenkit::ScreenSet::find(shown)->isVisible());
    QTest::qWait(50);
    for (const char* name : {"TfrmPassword", "TfrmAvvio", "TfrmScadenzario"})
      QCOMPARE(screenkit::ScreenSet::find(QLatin1String(name))->isVisible(), shown == QLatin1String(name));
    // closing the deadline screen shows the menu again, and it stays
    if (shown == QLatin1String("TfrmScadenzario")) {
      screenkit::ScreenSet::find(shown)->close();
      QTRY_VERIFY(screenkit::ScreenSet::find(QStringLiteral("TfrmAvvio"))->isVisible());
      QTest::qWait(50);
      QVERIFY(!screenkit::ScreenSet::find(shown)->isVisible());
    }
    startup::finish();
  }
};

QTEST_MAIN(StartScreenTest)
#include "test_startscreen.moc"
