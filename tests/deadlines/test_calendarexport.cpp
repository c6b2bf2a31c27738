// "Esporta calendario" on the deadline card: the opened year's file in the
// program folder, the paid deadlines only when the user says so, the offer to
// open it, and one error when it cannot be written.
#include "deadlinefixture.h"
#include "deadlinescreens.h"

#include "deadlines/screens/calendarexport.h"
#include "deadlines/screens/deadlinescreen.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

class CalendarExportTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<RecordingAlarm> alarm;
  std::unique_ptr<MenuStandIn> menu;
  std::unique_ptr<TfrmScadenzario> screen;
  QWidget* driven() const override { return screen.get(); }

  QByteArray exported() const {
    QFile f(paths::inProgramFolder(QStringLiteral("Scadenze_2026.ics")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

private slots:
  void init() {
    seat();
    alarm = std::make_unique<RecordingAlarm>();
    menu = std::make_unique<MenuStandIn>();
    Record paid = deadlineRecord(QStringLiteral("31/01/2026"), QStringLiteral("00:00"), QStringLiteral("3"),
                                 QStringLiteral("Saldo, parcella"));
    paid.setFlag("Effettuata", true);
    appendDeadlines(2026, {deadlineRecord(QStringLiteral("05/03/2026"), QStringLiteral("09:30"), QStringLiteral("2")), paid});
    screen = std::make_unique<TfrmScadenzario>();
    QVERIFY(drive::show(screen.get()));
    type("txtAnno", QStringLiteral("2026"));
    click("btnApri");
    messages().clear();
  }
  void cleanup() {
    screen.reset();
    menu.reset();
    alarm.reset();
    unseat();
  }

  void theYearsFileWithPaidDeadlinesOnlyWhenAsked_data() {
    QTest::addColumn<bool>("includePaid");
    QTest::addColumn<bool>("open");
    QTest::newRow("unpaid, opened") << false << true;
    QTest::newRow("paid too, not opened") << true << false;
  }
  void theYearsFileWithPaidDeadlinesOnlyWhenAsked() {
    QFETCH(bool, includePaid);
    QFETCH(bool, open);
    messages().answers = {includePaid, open};
    click("cmdEsportaCalendario");
    QCOMPARE(messages().shown.size(), size_t(2));
    QCOMPARE(messages().shown[0].kind, MessageKind::Question);
    QCOMPARE(messages().shown[0].text, calendarexport::includePaidQuestion());
    QCOMPARE(messages().shown[1].text, calendarexport::doneQuestion(QStringLiteral("Scadenze_2026.ics")));
    const QByteArray file = exported();
    QVERIFY(file.contains("DTSTART:20260305T093000\r\n"));
    QCOMPARE(file.contains("SUMMARY:Saldo\\, parcella - Ristrutturazione\r\n"), includePaid);
    QCOMPARE(shell().opened,
             open ? std::vector<QString>{paths::inProgramFolder(QStringLiteral("Scadenze_2026.ics"))} : std::vector<QString>{});
  }

  void aFileThatCannotBeWrittenIsOneError() {
    QDir().mkpath(paths::inProgramFolder(QStringLiteral("Scadenze_2026.ics")));
    messages().answers = {false};
    click("cmdEsportaCalendario");
    QCOMPARE(messages().last().kind, MessageKind::Error);
    QCOMPARE(messages().lastText(), calendarexport::failureMessage());
    QVERIFY(shell().opened.empty());
  }
};

QTEST_MAIN(CalendarExportTest)
#include "test_calendarexport.moc"
