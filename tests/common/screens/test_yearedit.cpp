// The year field every year menu and panel is built with: four digits at
// most, typed or pasted, and the one check with its warning before a year is
// opened.
#include "common/screens/screenkit.h"

#include "screendriver.h"
#include "support.h"

#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

class YearEditTest : public QObject {
  Q_OBJECT

private slots:
  void takesFourDigitsAndChecksThemBeforeOpening() {
    ScreenTestSeams seams;
    QWidget screen;
    screen.setObjectName(QStringLiteral("TfrmProva"));
    QLineEdit* year = screenkit::yearEdit(QStringLiteral("txtAnno"), &screen);
    auto* other = new QLineEdit(&screen);
    other->setObjectName(QStringLiteral("txtAltro"));
    other->move(0, 40);
    QVERIFY(drive::show(&screen));

    // only digits reach it, and no more than four of them
    drive::type(&screen, QStringLiteral("txtAnno"), QStringLiteral("2a0-2 65"));
    QCOMPARE(year->text(), QStringLiteral("2026"));
    year->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("anno 1999!"));
    QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(year->text(), QStringLiteral("1999"));

    const struct {
      const char* text;
      bool accepted;
    } cases[] = {{"2026", true}, {"0001", true}, {"", false}, {"202", false}};
    for (const auto& c : cases) {
      seams.messages.shown.clear();
      year->setText(QLatin1String(c.text));
      other->setFocus(Qt::OtherFocusReason);
      QCOMPARE(screenkit::acceptsYear(year), c.accepted);
      if (c.accepted) {
        QVERIFY(seams.messages.shown.empty());
        QCOMPARE(drive::focused(), QStringLiteral("txtAltro"));
        continue;
      }
      QCOMPARE(seams.messages.last().kind, MessageKind::Warning);
      QCOMPARE(seams.messages.lastText(), QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
      QCOMPARE(drive::focused(), QStringLiteral("txtAnno")); // back to the year
    }
  }
};

QTEST_MAIN(YearEditTest)
#include "test_yearedit.moc"
