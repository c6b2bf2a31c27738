// The search of the whole studio as a user meets it: the main menu's box,
// the results grouped by application and year, a result opening its card at
// its record and year, closing the card back to the results, Esc stopping a
// search. The screens are the program's own, made by start-up.
#include "app/shell/screens/startup.h"
#include "app/shell/screens/studiosearchscreen.h"
#include "common/screens/screenkit.h"
#include "screendriver.h"
#include "studiofolder.h"
#include "support.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {

QWidget* screen(const char* name) {
  QWidget* w = screenkit::ScreenSet::find(QLatin1String(name));
  if (!w) qFatal("no screen %s", name);
  return w;
}

QString shot(QWidget* w, const QString& name) {
  if (const QString folder = qEnvironmentVariable("VELARION_SHOTS"); !folder.isEmpty())
    w->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
  return name;
}

} // namespace

class StudioSearchScreenTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ScreenTestSeams> seams;
  QWidget* menu = nullptr;

  TfrmCercaStudio* results() const { return menu->findChild<TfrmCercaStudio*>(QStringLiteral("TfrmCercaStudio")); }
  QTreeView* tree() const { return drive::find<QTreeView>(results(), QStringLiteral("lstRisultati")); }

  // The menu's box, reached with Ctrl+F, the text typed and Enter.
  void searchFromMenu(const QString& text) {
    QVERIFY(drive::show(menu));
    drive::press(Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(drive::focused(), QStringLiteral("txtCerca"));
    drive::keys(text + QLatin1Char('\n'));
    QVERIFY(results());
    QTRY_VERIFY(!results()->running());
  }

  QStringList groupTitles() const {
    QStringList titles;
    const QAbstractItemModel* m = tree()->model();
    for (int row = 0; row < m->rowCount(); ++row) titles << m->index(row, 0).data().toString();
    return titles;
  }

  // The result of the group whose title starts with `group`, row `row`.
  QModelIndex result(const QString& group, int row) const {
    const QAbstractItemModel* m = tree()->model();
    for (int g = 0; g < m->rowCount(); ++g)
      if (m->index(g, 0).data().toString().startsWith(group)) return m->index(row, 0, m->index(g, 0));
    return {};
  }

  // Enter on a result: its card is shown, the results are not.
  QWidget* openResult(const QString& group, int row, const char* card) {
    const QModelIndex index = result(group, row);
    if (!index.isValid()) qFatal("no result in %s", qPrintable(group));
    tree()->setCurrentIndex(index);
    tree()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(tree(), Qt::Key_Return);
    QWidget* w = screen(card);
    return w;
  }

private slots:
  void init() {
    seams = std::make_unique<ScreenTestSeams>();
    studiofolder::fill();
    startup::start()->hide();
    menu = screen("TfrmAvvio");
  }
  void cleanup() {
    startup::finish();
    seams.reset();
  }

  // A surname typed in the menu's box finds its records in every
  // application and year, grouped and counted, the unreadable year named.
  void findsASurnameEverywhere() {
    searchFromMenu(QStringLiteral("rossi"));
    QVERIFY(results()->isVisible());
    QCOMPARE(groupTitles(), (QStringList{
                                QStringLiteral("Anagrafica Clienti (1 scheda)"),
                                QStringLiteral("Archivio Pratiche (1 scheda)"),
                                QStringLiteral("Scadenze e Appuntamenti 2026 (1 scheda)"),
                                QStringLiteral("Scadenze e Appuntamenti 2025 (1 scheda)"),
                                QStringLiteral("Entrate e Uscite 2026 (1 scheda)"),
                                QStringLiteral("Entrate e Uscite 2025 (1 scheda)"),
                                QStringLiteral("Archivio non leggibile: 2024.eur"),
                                QStringLiteral("Entrate e Uscite 2019 (3 schede)"),
                            }));
    QCOMPARE(drive::text(results(), QStringLiteral("lblRiepilogo")), QStringLiteral("Trovate 9 schede in 7 archivi."));
    // each result: its list line and the field that matched
    const QModelIndex client = result(QStringLiteral("Anagrafica Clienti"), 0);
    QVERIFY(client.data().toString().startsWith(QStringLiteral("Rossi Mario ")));
    QCOMPARE(client.siblingAtColumn(1).data().toString(), QStringLiteral("Cliente: Rossi Mario"));
    QCOMPARE(client.siblingAtColumn(1).data(StudioSearchModel::MatchRole).toPoint(), QPoint(9, 5));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!drive::find(results(), QStringLiteral("panAvanzamento"))->isVisible());
    shot(results(), QStringLiteral("risultati"));
  }

  // Enter on a result opens its card at that record, the year opened;
  // closing the card comes back to the results.
  void opensTheCardAtTheRecordAndComesBack() {
    searchFromMenu(QStringLiteral("rossi"));
    QWidget* card = openResult(QStringLiteral("Entrate e Uscite 2025"), 0, "TfrmMovimenti");
    QTRY_VERIFY(card->isVisible());
    QVERIFY(!results()->isVisible());
    QVERIFY(!menu->isVisible());
    QCOMPARE(drive::text(card, QStringLiteral("lblPosizione")), QStringLiteral("2"));
    QCOMPARE(drive::text(card, QStringLiteral("txtPagatore")), QStringLiteral("Rossi Mario"));
    QCOMPARE(drive::text(card, QStringLiteral("txtCausale")), QStringLiteral("Saldo parcella"));
    QCOMPARE(drive::text(card, QStringLiteral("lblFile")), movementArchive().yearPath(QStringLiteral("2025")));
    QVERIFY(card->windowTitle().endsWith(QStringLiteral("2025")));
    card->close();
    QTRY_VERIFY(results()->isVisible());
    QVERIFY(menu->isVisible());
    QCOMPARE(groupTitles().size(), 8);

    // the deadline card opens its year behind its start panel
    QWidget* deadlines = openResult(QStringLiteral("Scadenze e Appuntamenti 2026"), 0, "TfrmScadenzario");
    QTRY_VERIFY(deadlines->isVisible());
    QVERIFY(drive::find(deadlines, QStringLiteral("panContainer"))->isVisible());
    QCOMPARE(drive::text(deadlines, QStringLiteral("lblPosizione")), QStringLiteral("1"));
    QCOMPARE(drive::text(deadlines, QStringLiteral("txtCliente")), QStringLiteral("Rossi Mario"));
    QCOMPARE(drive::text(deadlines, QStringLiteral("lblFile")), deadlineArchive().yearPath(QStringLiteral("2026")));
    deadlines->close();
    QTRY_VERIFY(results()->isVisible());

    // a fixed archive's card, by a double-click
    const QModelIndex client = result(QStringLiteral("Anagrafica Clienti"), 0);
    tree()->scrollTo(client);
    const QRect r = tree()->visualRect(client);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, r.center());
    QWidget* clients = screen("TfrmClienti");
    QTRY_VERIFY(clients->isVisible());
    QCOMPARE(drive::text(clients, QStringLiteral("lblPosizione")), QStringLiteral("2"));
    QCOMPARE(drive::text(clients, QStringLiteral("txtIndirizzoRes")), QStringLiteral("Via Roma 1"));
    clients->close();
    QTRY_VERIFY(results()->isVisible());
  }

  // An accentless word finds the accented one, and the match is marked.
  void anAccentlessWordFindsTheAccentedOne() {
    searchFromMenu(QStringLiteral("perche"));
    QCOMPARE(groupTitles().front(), QStringLiteral("Protocollo Posta 2026 (1 scheda)"));
    const QModelIndex found = result(QStringLiteral("Protocollo Posta 2026"), 0).siblingAtColumn(1);
    const QPoint match = found.data(StudioSearchModel::MatchRole).toPoint();
    QCOMPARE(found.data().toString().mid(match.x(), match.y()), QStringLiteral("Perch\u00E9"));
    // the letter's card, in its year, as the year screen opens it
    QWidget* card = openResult(QStringLiteral("Protocollo Posta 2026"), 0, "TfrmProtocollo");
    QTRY_VERIFY(card->isVisible());
    QCOMPARE(drive::text(card, QStringLiteral("lblPosizione")), QStringLiteral("2"));
    QCOMPARE(drive::text(card, QStringLiteral("txtOggetto")), QStringLiteral("Perch\u00E9 il ritardo"));
    QCOMPARE(drive::text(card, QStringLiteral("lblFile")), protocolArchive().yearPath(QStringLiteral("2026")));
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Protocollo Posta anno 2026"));
    card->close();
    QTRY_VERIFY(results()->isVisible());
  }

  // Esc stops a search under way: what was found stays, the busy cursor goes.
  void escStopsARunningSearch() {
    QVERIFY(drive::show(menu));
    drive::press(Qt::Key_F, Qt::ControlModifier);
    drive::keys(QStringLiteral("rossi"));
    drive::press(Qt::Key_Return);
    QVERIFY(results()->running());
    QVERIFY(QApplication::overrideCursor());
    QVERIFY(drive::find(results(), QStringLiteral("btnAnnulla"))->isVisibleTo(results()));
    QTest::keyClick(tree(), Qt::Key_Escape);
    QVERIFY(!results()->running());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(drive::text(results(), QStringLiteral("lblRiepilogo")).startsWith(QStringLiteral("Ricerca interrotta.")));
    QTest::qWait(50);
    QVERIFY(groupTitles().size() < 8);
    QVERIFY(results()->isVisible());
    // Esc again closes the results
    QTest::keyClick(tree(), Qt::Key_Escape);
    QVERIFY(!results()->isVisible());
  }

  // A tile opened while the results are shown takes their place too.
  void aTileTakesThePlaceOfTheResults() {
    searchFromMenu(QStringLiteral("rossi"));
    QVERIFY(results()->isVisible());
    QTest::mouseClick(drive::find(menu, QStringLiteral("imgClienti")), Qt::LeftButton);
    QVERIFY(screen("TfrmClienti")->isVisible());
    QVERIFY(!results()->isVisible());
  }

  // The box sits in the header between the logo and "Guida", the results
  // window within the screen, at every size.
  void fitsTheScreen() {
    QVERIFY(drive::show(menu));
    auto* box = drive::find<QLineEdit>(menu, QStringLiteral("txtCerca"));
    QWidget* guide = drive::find(menu, QStringLiteral("imgGuida"));
    const QRect boxArea(box->mapTo(menu, QPoint()), box->size());
    const QRect guideArea(guide->mapTo(menu, QPoint()), guide->size());
    QVERIFY(boxArea.right() < guideArea.left());
    QVERIFY(boxArea.width() >= 180);
    QVERIFY(menu->rect().contains(boxArea));
    searchFromMenu(QStringLiteral("rossi"));
    const QRect room = results()->screen()->availableGeometry();
    QVERIFY(room.contains(results()->frameGeometry()));
    const QSize size = menu->screen()->size();
    shot(menu, QStringLiteral("menu-%1x%2").arg(size.width()).arg(size.height()));
    shot(results(), QStringLiteral("risultati-%1x%2").arg(size.width()).arg(size.height()));
  }
};

QTEST_MAIN(StudioSearchScreenTest)
#include "test_studiosearchscreen.moc"
