// An eleventh card application, registered from a folder of its own, is
// served by the main menu, the card pieces, the calendar, the attachments
// and the help as the program's own applications are.
#include "app/help/help.h"
#include "app/shell/screens/applications.h"
#include "app/shell/screens/mainmenu.h"
#include "archive/record.h"
#include "common/screens/attachscreen.h"
#include "common/screens/calendarscreen.h"
#include "common/screens/cardeditor.h"
#include "common/screens/screenkit.h"
#include "notes/notesmodule.h"
#include "screendriver.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>

class PluginTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ScreenTestSeams> seams;
  std::unique_ptr<TfrmAvvio> menu;
  std::unique_ptr<QWidget> notes;

private slots:
  void initTestCase() {
    registerModules();
    modules::add(notesModule());
  }
  void cleanupTestCase() { modules::remove(notesModule()); }
  void init() {
    seams = std::make_unique<ScreenTestSeams>();
    notes.reset(notesModule().create());
    screenkit::ScreenSet::add(notes.get());
    menu = std::make_unique<TfrmAvvio>();
    screenkit::ScreenSet::add(menu.get());
    menu->show();
  }
  void cleanup() {
    menu.reset();
    notes.reset();
    seams.reset();
  }

  void itsTileOpensItsCardAndTheCardReturnsToTheMenu() {
    QCOMPARE(applications().size(), size_t(11));
    QCOMPARE(QString::fromUtf8(applications().back().title), QStringLiteral("Note di studio"));
    QVERIFY(drive::find(menu.get(), QStringLiteral("imgNote"))->isEnabled());
    drive::click(menu.get(), QStringLiteral("imgNote"));
    QVERIFY(notes->isVisible());
    QVERIFY(!menu->isVisible());
    notes->close();
    QVERIFY(menu->isVisible());
  }

  void itsCardSavesPrintsFindsAndExportsItsRecords() {
    drive::click(menu.get(), QStringLiteral("btnNote"));
    drive::type(notes.get(), QStringLiteral("txtTitolo"), QStringLiteral("Sopralluogo"));
    drive::type(notes.get(), QStringLiteral("txtData"), QStringLiteral("03042027"));
    drive::click(notes.get(), QStringLiteral("cmdSalva"));
    const RecordLayout& layout = *notesModule().archives.front().layout;
    QFile file(seams->folder.path(QStringLiteral("Note.pro")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), layout.size()); // one record
    QCOMPARE(decodeField(layout, layout.indexOf("Titolo"), bytes.constData()), QStringLiteral("Sopralluogo"));
    QCOMPARE(decodeField(layout, layout.indexOf("Data"), bytes.constData()), QStringLiteral("03/04/2027"));
    QVERIFY(cardDescriptions().back() == &notesModule().card());

    // printed through the shared card printout
    RecordingReportOutput printed;
    drive::click(notes.get(), QStringLiteral("cmdStampa"));
    QCOMPARE(printed.calls.size(), size_t(1));
    QCOMPARE(int(printed.calls.front().call), int(RecordingReportOutput::Call::Print));

    // found again from a fresh card through the shared search screen
    drive::click(notes.get(), QStringLiteral("cmdNuovo"));
    QVERIFY(drive::text(notes.get(), QStringLiteral("txtTitolo")).isEmpty());
    const QString search = drive::withModal([this] { drive::click(notes.get(), QStringLiteral("cmdTrova")); },
                                            [](QWidget* s) {
                                              QTest::keyClicks(drive::find<QLineEdit>(s, QStringLiteral("txtTitolo")),
                                                               QStringLiteral("sopra"));
                                              drive::click(s, QStringLiteral("btnCerca"));
                                              auto* list = drive::find<QListView>(s, QStringLiteral("lstRecords"));
                                              const QRect r = list->visualRect(list->model()->index(0, 0));
                                              QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
                                              QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
                                            });
    QCOMPARE(search, QStringLiteral("TfrmTrovaNote"));
    QCOMPARE(drive::text(notes.get(), QStringLiteral("txtTitolo")), QStringLiteral("Sopralluogo"));

    // exported through the shared export screen
    int rows = -1;
    const QString exported = drive::withModal([this] { drive::click(notes.get(), QStringLiteral("cmdEsporta")); },
                                              [&rows](QWidget* g) { rows = g->findChild<QAbstractItemView*>()->model()->rowCount(); });
    QCOMPARE(exported, QStringLiteral("TfrmExpNote"));
    QCOMPARE(rows, 1);
  }

  void theCalendarAndTheAttachmentsFindItsCardByItsTags() {
    QCOMPARE(calendar::fieldForTag(QStringLiteral("note_data")),
             screenkit::control<QLineEdit>(notes.get(), QStringLiteral("txtData")));
    QCOMPARE(attachscreen::ownerForTag(QStringLiteral("note")), notes.get());
    const QString seen = drive::withModal([] { QVERIFY(calendar::importForTag(QStringLiteral("note_data"))); },
                                          [](QWidget* w) { drive::click(w, QStringLiteral("btnImportaData")); });
    QCOMPARE(seen, QStringLiteral("TfrmCalendario"));
    QCOMPARE(drive::text(notes.get(), QStringLiteral("txtData")), QStringLiteral("10/12/2026"));
  }

  void itsHelpCommandShowsItsOwnPage() {
    std::optional<HelpTopic> asked;
    help::setViewer([&asked](QWidget*, HelpTopic topic) { asked = topic; });
    drive::click(menu.get(), QStringLiteral("imgNote"));
    drive::click(notes.get(), QStringLiteral("cmdGuida"));
    help::setViewer({});
    QVERIFY(asked);
    QCOMPARE(asked, notesModule().help);
    const HelpPage page = helpPage(*asked);
    QCOMPARE(page.title, QStringLiteral("Applicazione Note di studio."));
    QCOMPARE(page.text, QStringLiteral("Le note dello studio.\r\n\r\nOgni nota ha un titolo e una data."));
  }
};

QTEST_MAIN(PluginTest)
#include "test_plugin.moc"
