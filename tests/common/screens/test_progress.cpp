// Long work on the user-interface thread: the busy cursor, and for many
// steps the progress dialog that shows at once, counts and can be cancelled.
#include "common/screens/progress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace {

QProgressDialog* shownDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("TfrmAvanzamento") && w->isVisible()) return qobject_cast<QProgressDialog*>(w);
  return nullptr;
}

// Steps until the work says stop, waiting a little between steps; the
// number of steps made.
int stepUntilStopped(screenkit::LongWork& work, int most) {
  for (int i = 1; i <= most; ++i) {
    if (!work.step(i)) return i;
    QThread::msleep(5);
  }
  return most;
}

} // namespace

class ProgressTest : public QObject {
  Q_OBJECT
private slots:
  void shortWorkShowsTheBusyCursorOnly() {
    QWidget screen;
    screen.show();
    {
      screenkit::LongWork work(&screen, QStringLiteral("Ricerca delle schede"), screenkit::LongWork::kDialogFrom - 1);
      QVERIFY(QApplication::overrideCursor());
      QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
      QVERIFY(work.step(10));
      QVERIFY(!shownDialog());
    }
    QVERIFY(!QApplication::overrideCursor());
  }

  void longWorkShowsItsCountAtOnceAndStopsOnAnnulla() {
    QWidget screen;
    screen.show();
    QElapsedTimer clock;
    clock.start();
    auto work = std::make_unique<screenkit::LongWork>(&screen, QStringLiteral("Esportazione delle schede"), 300000);
    QProgressDialog* dialog = shownDialog();
    QVERIFY(dialog);
    QVERIFY(clock.elapsed() < 250);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    QThread::msleep(50);
    QVERIFY(work->step(150000));
    const QString text = dialog->findChild<QLabel*>()->text();
    QVERIFY2(text.contains(QStringLiteral("Esportazione delle schede in corso. Attendere...")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("150.000 schede su 300.000")), qPrintable(text));
    QCOMPARE(dialog->value(), dialog->maximum() / 2);

    // "Annulla" pressed while the work lets events through: the next steps say stop.
    QTimer::singleShot(0, dialog, [dialog] { dialog->findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->click(); });
    QVERIFY(stepUntilStopped(*work, 200) < 200);
    QVERIFY(work->cancelled());
    QVERIFY(!work->step(160000));

    work.reset();
    QVERIFY(!shownDialog());
    QVERIFY(!QApplication::overrideCursor());
  }
};

QTEST_MAIN(ProgressTest)
#include "test_progress.moc"
