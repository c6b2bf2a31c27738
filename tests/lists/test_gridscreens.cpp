// The grid screen: the client export as a member, a sorted grid of a chosen
// month, the interval panel and an archive that cannot be read.
#include "app/help/screens/helpscreens.h"
#include "cardtest.h"
#include "clientfixture.h"
#include "gridfixture.h"

#include "clients/clientlists.h"
#include "common/screens/gridscreen.h"
#include "common/screens/progress.h"
#include "common/screens/screenkit.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <memory>

using grids::GridScreen;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

template <class T = QWidget>
T* child(QWidget* screen, const char* name) {
  T* w = screen->findChild<T*>(QLatin1String(name));
  if (!w) qFatal("missing control %s", name);
  return w;
}

// The texts of one grid column, top to bottom.
QStringList gridColumn(GridScreen& s, int column) {
  QStringList out;
  const QAbstractItemModel* m = child<QTableView>(&s, "grdRecords")->model();
  for (int r = 0; r < m->rowCount(); ++r) out << m->index(r, column).data().toString();
  return out;
}

void hover(QWidget* w) {
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(w, &enter);
}

// The protocol's summary of an interval and its archive export, here over
// the small appointment archive named by a year screen's `lblFile`: one file,
// a worksheet name of each screen's own.
grids::GridDescription intervalSummary() {
  grids::GridDescription d = appointmentGrid(false);
  d.screen = QStringLiteral("TfrmRiepProva");
  d.status = QStringLiteral("Riepilogo documenti protocollati in un intervallo di tempo.");
  d.fileOfScreen = QStringLiteral("TfrmProva");
  d.sortColumn = -1;
  d.select = grids::dateWithin(TRecProva(), "Data");
  d.interval = grids::IntervalPanel{
      QStringLiteral("Protocollati dalla data:"), QStringLiteral("alla data:"),
      QStringLiteral("Visualizza il riepilogo dei documenti protocollati nell'intervallo di tempo selezionato.")};
  d.worksheet = QStringLiteral("Protocollo Documenti");
  return d;
}

} // namespace

class GridScreens : public CardTest {
  Q_OBJECT


private slots:
  // the help commands show the program's help screen, as after start-up
  void initTestCase() { installHelpViewer(); }
  void init() {
    seat(QDate(2026, 3, 20));
    appendClients({encode(client({{"Cliente", QStringLiteral("Rossi Mario")},
                                  {"ComuneRes", QStringLiteral("Forl\u00EC")},
                                  {"ProvRes", QStringLiteral("FC")}})),
                   encode(client({{"Cliente", QStringLiteral("Bianchi Luca")}})),
                   encode(client({{"Cliente", QStringLiteral("Rossi Mario")}})),
                   encode(client({{"Cliente", QStringLiteral("Grossi Anna")}}))});
  }

  void cleanup() {
    unseat();
  }

  void theExportPreviewAndFile() {
    GridScreen s(clientExport());
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QCOMPARE(s.windowTitle(), QStringLiteral(" Esporta archivio clienti in Microsoft Excel"));
    QCOMPARE(text(&s, "panInfo"), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    QVERIFY(child(&s, "cmdGuida")->isEnabled());
    auto* grid = child<QTableView>(&s, "grdRecords");
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->model()->columnCount(), 26);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
    QCOMPARE(grid->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Comune / Stato estero di nascita"));
    QCOMPARE(grid->model()->index(3, 0).data().toString(), QStringLiteral("4"));
    QCOMPARE(grid->model()->index(0, 6).data().toString(), QStringLiteral("Forl\u00EC FC"));

    // hints on the commands, emptied over the background
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(child(&s, "cmdEsci"), &enter);
    QCOMPARE(text(&s, "panInfo"), QStringLiteral("Esci da questo ambiente di lavoro."));
    QApplication::sendEvent(child(&s, "cmdEsporta"), &enter);
    QCOMPARE(text(&s, "panInfo"), QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    QTest::mouseMove(&s, QPoint(s.width() - 3, s.height() / 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&s, &move);
    QVERIFY(text(&s, "panInfo").isEmpty());

    // No to the first question writes nothing
    const QString path = folder().path(QStringLiteral("Clienti.xls"));
    messages().answers = {false};
    QTest::mouseClick(child(&s, "cmdEsporta"), Qt::LeftButton);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(messages().shown.size(), size_t(1));

    messages().clear();
    messages().answers = {true, true};
    QTest::mouseClick(child(&s, "cmdEsporta"), Qt::LeftButton);
    QCOMPARE(messages().shown.size(), size_t(2));
    QCOMPARE(int(messages().shown[0].kind), int(MessageKind::Question));
    QCOMPARE(messages().shown[0].text, xls::text::confirmQuestion());
    QCOMPARE(int(messages().shown[1].kind), int(MessageKind::Question));
    QCOMPARE(messages().shown[1].text,
             QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?"));
    QCOMPARE(shell().opened, std::vector<QString>{path});
    const QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes, xls::document(QStringLiteral("Riepilogo Clienti"), clientExport().columns, s.table()));
    QVERIFY(bytes.contains("<td class=\"t\" style=\"text-align: left;\">Forl\xEC FC</td>"));
    QCOMPARE(bytes.count("<tr>"), 5);

    // the export writes the preview, not the archive as it is now
    appendClients({encode(client({{"Cliente", QStringLiteral("Dopo")}}))});
    messages().answers = {true, false};
    QTest::mouseClick(child(&s, "cmdEsporta"), Qt::LeftButton);
    QCOMPARE(fileBytes(path).count("<tr>"), 5);
    QCOMPARE(shell().opened.size(), size_t(1));
  }

  void theExportFailureMessage() {
    QDir().mkdir(folder().path(QStringLiteral("Clienti.xls")));
    GridScreen s(clientExport());
    s.show();
    messages().answers = {true, true};
    s.esporta();
    QCOMPARE(messages().shown.size(), size_t(2));
    QCOMPARE(int(messages().last().kind), int(MessageKind::Plain));
    // the message, then the system's reason
    const QString failure = QStringLiteral(
        "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di "
        "Excel non sia gi\u00E0 aperto.");
    QVERIFY(messages().lastText().startsWith(failure + QStringLiteral("\n\r\n\r")));
    QVERIFY(messages().lastText().size() > failure.size() + 4);
    QVERIFY(shell().opened.empty());
  }

  void aLargeExportShowsItsCountAndAnnullaLeavesTheOldFile() {
    {
      std::vector<Record> many;
      for (int i = 0; i < 12000; ++i) many.push_back(client({{"Cliente", QStringLiteral("Cliente %1").arg(i)}}));
      seed::appendAll(clientsPath(), TRecCliente().size(), many);
    }
    const QString path = folder().path(QStringLiteral("Clienti.xls"));
    {
      QFile old(path);
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("l'esportazione di ieri");
    }
    GridScreen s(clientExport());
    s.show();
    QCOMPARE(s.table().rows(), 12004);

    // Events at every step, so "Annulla" is pressed part of the way through
    // the writing, once the dialog counts a thousand rows written.
    screenkit::LongWork::setEventInterval(0);
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    QString counted;
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
      QWidget* dialog = nullptr;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("TfrmAvanzamento") && w->isVisible()) dialog = w;
      if (!dialog) return;
      if (shownAfter < 0) shownAfter = clock.elapsed();
      const QString text = dialog->findChild<QLabel*>()->text();
      const QString done = text.section(QLatin1Char('\n'), 1).section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('.'));
      if (done.toInt() < 1000) return;
      counted = text;
      press.stop();
      dialog->findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->click();
    });
    press.start(0);
    messages().answers = {true};
    clock.start();
    s.esporta();
    screenkit::LongWork::setEventInterval(40);

    QVERIFY(shownAfter >= 0 && shownAfter < 250);
    QVERIFY2(counted.startsWith(QStringLiteral("Esportazione delle schede in corso. Attendere...\n")), qPrintable(counted));
    QVERIFY2(counted.endsWith(QStringLiteral(" schede su 12.004")), qPrintable(counted));
    QVERIFY(!press.isActive()); // pressed while the rows were being written
    QCOMPARE(fileBytes(path), QByteArray("l'esportazione di ieri"));
    QCOMPARE(QDir(folder().dir.path()).entryList(QDir::Hidden | QDir::Files),
             QStringList({QStringLiteral("Clienti.pro"), QStringLiteral("Clienti.xls")}));
    QCOMPARE(messages().shown.size(), size_t(1)); // the question only: stopping is no failure
    QVERIFY(shell().opened.empty());
    QVERIFY(!QApplication::overrideCursor());
  }

  // The grid reads the cells of the rows it shows a block at a time: rows
  // of many blocks, visited out of order and again, show their own records.
  void theGridShowsEachRowsOwnRecord() {
    {
      std::vector<Record> many;
      for (int i = 0; i < 1500; ++i) many.push_back(client({{"Cliente", QStringLiteral("Cliente %1").arg(i)}}));
      seed::appendAll(clientsPath(), TRecCliente().size(), many);
    }
    GridScreen s(clientExport());
    s.show();
    const QAbstractItemModel* m = child<QTableView>(&s, "grdRecords")->model();
    QCOMPARE(m->rowCount(), 1504);
    for (const int row : {1503, 0, 64, 63, 700, 1, 1200, 130, 1499, 4, 999, 0, 1503}) {
      QCOMPARE(m->index(row, 0).data().toString(), QString::number(row + 1));
      const QString expected = row < 4 ? QStringList({"Rossi Mario", "Bianchi Luca", "Rossi Mario", "Grossi Anna"})[row]
                                       : QStringLiteral("Cliente %1").arg(row - 4);
      QCOMPARE(m->index(row, 1).data().toString(), expected);
    }
  }

  void helpOpensTheExportsPage() {
    GridScreen s(clientExport());
    s.show();
    QString title;
    QTimer::singleShot(0, [&title] {
      if (QWidget* m = QApplication::activeModalWidget()) {
        title = screenkit::textOf(m->findChild<QWidget*>(QStringLiteral("lblTitolo")));
        m->close();
      }
    });
    QTest::mouseClick(child(&s, "cmdGuida"), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Esportazione archivio clienti in Microsoft Excel."));
  }
  void anUnreadableArchiveIsReportedAndExportsNothing() {
    // a good export from before, then the archive becomes unreadable
    const QString xlsPath = folder().path(QStringLiteral("Clienti.xls"));
    {
      QFile old(xlsPath);
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("the export of yesterday");
    }
    QVERIFY(QFile::remove(clientsPath()));
    QVERIFY(QDir().mkdir(clientsPath()));
    GridScreen s(clientExport());
    s.show();
    QCOMPARE(messages().shown.size(), size_t(1));
    QCOMPARE(int(messages().last().kind), int(MessageKind::Plain));
    QCOMPARE(messages().lastText(), archiveAccessMessage());
    QCOMPARE(s.table().rows(), 0);

    messages().clear();
    messages().answers = {true, true};
    QTest::mouseClick(child(&s, "cmdEsporta"), Qt::LeftButton);
    QCOMPARE(messages().shown.size(), size_t(1)); // no question: nothing is written
    QCOMPARE(int(messages().last().kind), int(MessageKind::Plain));
    QCOMPARE(messages().lastText(), archiveAccessMessage());
    QCOMPARE(fileBytes(xlsPath), QByteArray("the export of yesterday"));
    QVERIFY(shell().opened.empty());

    // a yearly archive named by a screen whose folder is gone
    QWidget yearScreen;
    yearScreen.setObjectName(QStringLiteral("TfrmProva"));
    auto* lblFile = new QLabel(folder().path(QStringLiteral("manca/2025.tst")), &yearScreen);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    screenkit::ScreenSet::add(&yearScreen);
    grids::GridDescription yearly = appointmentGrid(false);
    yearly.fileOfScreen = QStringLiteral("TfrmProva");
    messages().clear();
    GridScreen y(yearly, nullptr, QDate(2025, 3, 1));
    y.show();
    QCOMPARE(messages().lastText(), archiveAccessMessage());
    screenkit::ScreenSet::remove(&yearScreen);
  }

  void aSortedGridKeepsTheNumbersOfReadingAndAsksItsOwnQuestion() {
    appendAppointments(appointments().yearPath(QStringLiteral("2026")),
                       {appointment("15/03/2026 09:00", "Primo"), appointment("02/03/2026 17:30", "Secondo"),
                        appointment("02/03/2026 08:15", "Terzo", false)});
    grids::GridDescription d = appointmentGrid(false);
    d.doneQuestion = QStringLiteral("Esportazione in Excel effettuata con successo.\r\n\r\nSi vuole aprire il file .XLS?");
    GridScreen s(d, nullptr, QDate(2026, 3, 2));
    s.show();
    QVERIFY(messages().shown.empty());
    QVERIFY(child<QTableView>(&s, "grdRecords")->alternatingRowColors());
    QCOMPARE(gridColumn(s, 0), QStringList({"3", "2", "1"}));
    QCOMPARE(gridColumn(s, 1), QStringList({"02/03/2026", "02/03/2026", "15/03/2026"}));
    QCOMPARE(gridColumn(s, 2), QStringList({"08:15", "17:30", "09:00"}));
    QCOMPARE(gridColumn(s, 4), QStringList({"Uscita", "Entrata", "Entrata"}));

    messages().answers = {true, true};
    QTest::mouseClick(child(&s, "cmdEsporta"), Qt::LeftButton);
    QCOMPARE(messages().shown.size(), size_t(2));
    QCOMPARE(messages().shown[1].text, d.doneQuestion);
    const QString path = folder().path(QStringLiteral("Appuntamenti.xls"));
    QCOMPARE(shell().opened, std::vector<QString>{path});
    // the rows as shown, without their numbers, the key written as a column
    const QByteArray cell = "<td class=\"t\" style=\"text-align: left;\">";
    const QByteArray row = "<tr>" + cell + "02/03/2026</td>" + cell + "08:15</td>" + cell + "Terzo</td>" + cell +
                           "Uscita</td>" + cell + "03020815</td></tr>";
    const QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes, xls::document(QStringLiteral("Appuntamenti"), d.columns, s.table()));
    QVERIFY(bytes.contains(row));
    QVERIFY(bytes.indexOf("03020815") < bytes.indexOf("03021730"));
    QVERIFY(bytes.indexOf("03021730") < bytes.indexOf("03150900"));
    QCOMPARE(bytes.count("<tr>"), 4);
  }

  void theIntervalPanel() {
    const QString archive = appointments().yearPath(QStringLiteral("2025"));
    appendAppointments(archive, {appointment("28/02/2025 10:00", "prima"), appointment("01/03/2025 10:00", "uno"),
                                 appointment("02/03/2025 10:00", "dopo"), appointment("01/03/2025 18:00", "due")});
    QWidget yearScreen;
    yearScreen.setObjectName(QStringLiteral("TfrmProva"));
    (new QLabel(archive, &yearScreen))->setObjectName(QStringLiteral("lblFile"));
    screenkit::ScreenSet::add(&yearScreen);

    const grids::GridDescription d = intervalSummary();
    GridScreen s(d);
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    auto* start = child<QLineEdit>(&s, "txtDataInizio");
    auto* end = child<QLineEdit>(&s, "txtDataFine");
    QCOMPARE(start->text(), QString());
    QCOMPARE(end->text(), QStringLiteral("20/03/2026"));
    QCOMPARE(start->maxLength(), 10);
    QCOMPARE(QApplication::focusWidget(), start);
    QCOMPARE(s.table().rows(), 0); // nothing is listed before Trova
    QCOMPARE(text(&s, "panInfo"), QStringLiteral("Riepilogo documenti protocollati in un intervallo di tempo."));
    hover(end);
    QCOMPARE(text(&s, "panInfo"), QStringLiteral("Indica una data nel formato gg/mm/aaa."));
    hover(child(&s, "cmdTrova"));
    QCOMPARE(text(&s, "panInfo"),
             QStringLiteral("Visualizza il riepilogo dei documenti protocollati nell'intervallo di tempo selezionato."));

    // refused dates: the message's kind and the field that gets the focus
    struct Case {
      const char *start, *end;
      MessageKind kind;
      QLineEdit* focus;
    } cases[] = {{"", "01/03/2025", MessageKind::Warning, start},
                 {"01/03/2025", "", MessageKind::Warning, end},
                 {"31/04/2025", "01/05/2025", MessageKind::Plain, start},
                 {"01/03/2025", "01/13/2025", MessageKind::Plain, end}};
    for (const Case& c : cases) {
      start->setText(QLatin1String(c.start));
      end->setText(QLatin1String(c.end));
      child(&s, "txtDataFine")->setFocus();
      messages().clear();
      QTest::mouseClick(child(&s, "cmdTrova"), Qt::LeftButton);
      QCOMPARE(messages().shown.size(), size_t(1));
      QCOMPARE(int(messages().last().kind), int(c.kind));
      QCOMPARE(messages().lastText(), grids::checkInterval(start->text(), end->text()).message);
      QCOMPARE(QApplication::focusWidget(), c.focus);
      QCOMPARE(s.table().rows(), 0);
    }

    messages().clear();
    start->clear();
    end->clear();
    QTest::keyClicks(start, QStringLiteral("01/03/2025"));
    QTest::keyClicks(end, QStringLiteral("01/03/2025"));
    QTest::mouseClick(child(&s, "cmdTrova"), Qt::LeftButton);
    QVERIFY(messages().shown.empty());
    QCOMPARE(gridColumn(s, 3), QStringList({"uno", "due"}));
    QCOMPARE(gridColumn(s, 0), QStringList({"1", "2"}));
    // a second Trova replaces the rows
    end->setText(QStringLiteral("31/03/2025"));
    QTest::mouseClick(child(&s, "cmdTrova"), Qt::LeftButton);
    QCOMPARE(gridColumn(s, 3), QStringList({"uno", "dopo", "due"}));

    // the summary and the archive export write one file, each under its own worksheet name
    const QString path = folder().path(QStringLiteral("Appuntamenti.xls"));
    messages().answers = {true, false};
    s.esporta();
    QVERIFY(fileBytes(path).contains("<x:Name>Protocollo Documenti</x:Name>"));
    QCOMPARE(fileBytes(path).count("<tr>"), 4);
    grids::GridDescription whole = appointmentGrid(false);
    whole.fileOfScreen = QStringLiteral("TfrmProva");
    whole.select = {};
    whole.worksheet = QStringLiteral("Protocollo Posta");
    GridScreen e(whole);
    e.show();
    messages().answers = {true, false};
    e.esporta();
    QVERIFY(fileBytes(path).contains("<x:Name>Protocollo Posta</x:Name>"));
    QCOMPARE(fileBytes(path).count("<tr>"), 5);
    screenkit::ScreenSet::remove(&yearScreen);
  }

  // Pictures of the screens for a look, when a folder is named.
  void renderWhenAsked() {
    const QString dir = qEnvironmentVariable("VELARION_SHOTS");
    if (dir.isEmpty()) QSKIP("set VELARION_SHOTS to a folder to render the screens");
    GridScreen e(clientExport());
    e.show();
    e.grab().save(dir + QStringLiteral("/expclienti.png"));

    appendAppointments(appointments().yearPath(QStringLiteral("2026")),
                       {appointment("15/03/2026 09:00", "Sopralluogo cantiere"),
                        appointment("02/03/2026 17:30", "Consegna relazione"),
                        appointment("02/03/2026 08:15", "Pagamento oneri", false),
                        appointment("21/03/2026 11:45", "Riunione con il cliente")});
    const grids::GridDescription month = appointmentGrid(false);
    GridScreen m(month, nullptr, QDate(2026, 3, 2));
    m.show();
    m.grab().save(dir + QStringLiteral("/griglia_mese.png"));

    QWidget yearScreen;
    yearScreen.setObjectName(QStringLiteral("TfrmProva"));
    (new QLabel(appointments().yearPath(QStringLiteral("2026")), &yearScreen))->setObjectName(QStringLiteral("lblFile"));
    screenkit::ScreenSet::add(&yearScreen);
    const grids::GridDescription d = intervalSummary();
    GridScreen s(d);
    s.show();
    QTest::keyClicks(child(&s, "txtDataInizio"), QStringLiteral("01/03/2026"));
    QTest::mouseClick(child(&s, "cmdTrova"), Qt::LeftButton);
    s.grab().save(dir + QStringLiteral("/griglia_intervallo.png"));
    screenkit::ScreenSet::remove(&yearScreen);
  }
};

QTEST_MAIN(GridScreens)
#include "test_gridscreens.moc"
