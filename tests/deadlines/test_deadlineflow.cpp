// The deadlines as a new user meets them, through the real screens with a
// fixed today: a deadline due in three days announced on the next entry and
// listed by OK; three appointments of one day listed in order of time and
// exported; a case imported into a deadline; a deadline early next year
// announced in late December. With VELARION_TEST_OUTPUT naming a folder,
// the pictures of both panels and the exported file are left there.
#include "app/shell/screens/applications.h"
#include "deadlinefixture.h"
#include "deadlinescreens.h"

#include "archive/archivio.h"
#include "cases/pratica.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "deadlines/screens/deadlinescreen.h"
#include "cardtest.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QtTest>

class DeadlineFlowTest : public CardTest {
  Q_OBJECT

  TfrmScadenzario* screen = nullptr;
  QWidget* driven() const override { return screen; }

  void when(const QString& day, const QString& month, const QString& hour, const QString& minutes) {
    pick(screen, "txtGiorno", day);
    pick(screen, "txtMese", month);
    pick(screen, "txtOreApp", hour);
    pick(screen, "txtMinutiApp", minutes);
  }
  void leaveAndEnter() {
    click("cmdEsci");
    QVERIFY(!screen->isVisible());
    screenkit::ScreenSet::show(QStringLiteral("TfrmScadenzario"));
    QVERIFY(drive::show(screen));
  }
  // The grid a start-panel button opens, as rows "N.|Data|Ora|Causale".
  QStringList gridOf(const char* button, QString* opened = nullptr, bool exportIt = false) {
    QStringList rows;
    const QString name = drive::withModal([&] { click(button); }, [&](QWidget* m) {
      auto* g = qobject_cast<grids::GridScreen*>(m);
      for (int r = 0; r < g->table().rows(); ++r)
        rows << QStringLiteral("%1|%2|%3|%4")
                    .arg(g->table().number(r))
                    .arg(g->table().text(r, 0), g->table().text(r, 1), g->table().text(r, 12));
      if (exportIt) g->esporta();
    });
    if (opened) *opened = name;
    return rows;
  }
  // Leaves the pictures of the screen at two sizes where the tester asked.
  void keepPictures(const QString& panel) {
    const QString out = qEnvironmentVariable("VELARION_TEST_OUTPUT");
    if (out.isEmpty()) return;
    QDir().mkpath(out);
    for (QSize size : {QSize(1366, 768), QSize(1024, 768)}) {
      screen->setWindowState(Qt::WindowNoState);
      screen->resize(size);
      QApplication::processEvents();
      screen->grab().save(QStringLiteral("%1/%2_%3.png").arg(out, panel).arg(size.width()));
    }
  }

private slots:
  void initTestCase() { registerModules(); }
  void newUserYear() {
    ScreenTestSeams seams; // today is 10/12/2026
    RecordingAlarm alarm;
    MenuStandIn menu;
    {
      Record c(TRecPratica());
      c.set("Oggetto", QStringLiteral("Frazionamento terreno"));
      c.set("Tipologia", QStringLiteral("Catasto"));
      c.set("Protocollo", QStringLiteral("P-17"));
      c.set("Apertura", QStringLiteral("02/11/2026"));
      c.set("Stato", QStringLiteral("Aperta"));
      c.set("Consulente", QStringLiteral("Geom. Neri"));
      c.set("Cliente", QStringLiteral("Verdi Lucia"));
      c.set("Recapito", QStringLiteral("0543 998877"));
      c.set("CodFisc", QStringLiteral("VRDLCU80A41D704X"));
      c.set("Note", QStringLiteral("non copiata"));
      seed::append(seams.folder.path(QStringLiteral("Pratiche.pro")), TRecPratica(), {c});
    }
    TfrmScadenzario card;
    screen = &card;
    QVERIFY(drive::show(screen));
    QVERIFY(shown("imgAssenti"));
    keepPictures(QStringLiteral("avvio"));

    // the current year; a payment due in three days, five days' notice
    click("btnApri");
    QCOMPARE(screen->windowTitle(), QStringLiteral(" Velarion - Scadenze e appuntamenti anno 2026"));
    when(QStringLiteral("13"), QStringLiteral("Dicembre"), QStringLiteral("10"), QStringLiteral("00"));
    type("txtAvviso", QStringLiteral("5"));
    type("txtCliente", QStringLiteral("Rossi Mario"));
    type("txtOggetto", QStringLiteral("Ristrutturazione villetta"));
    type("txtDettagli", QStringLiteral("Saldo parcella"));
    type("txtCosto", QStringLiteral("1250,5"));
    click("cmdSalva");
    QCOMPARE(seams.messages.lastText(), QStringLiteral("La scheda corrente \u00E8 stata salvata in archivio."));
    keepPictures(QStringLiteral("scheda"));
    QVERIFY(alarm.played.empty());

    // the next entry announces it, and OK lists it
    leaveAndEnter();
    QVERIFY(shown("imgPresenti"));
    keepPictures(QStringLiteral("avvio_presenti"));
    QCOMPARE(alarm.played.size(), size_t(1));
    QCOMPARE(alarm.played.front(), seams.folder.path(QStringLiteral("Avviso.mp3")));
    QString opened;
    QCOMPARE(gridOf("btnOK", &opened), QStringList{QStringLiteral("1|13/12/2026|10:00|Saldo parcella")});
    QCOMPARE(opened, QStringLiteral("TfrmExpImminenti"));

    // three appointments of one day, typed latest first
    click("btnApri");
    when(QStringLiteral("20"), QStringLiteral("Dicembre"), QStringLiteral("17"), QStringLiteral("30"));
    type("txtAvviso", QStringLiteral("0"));
    type("txtCliente", QStringLiteral("Bianchi Anna"));
    type("txtOggetto", QStringLiteral("Pratica edilizia"));
    type("txtDettagli", QStringLiteral("Sopralluogo"));
    click("cmdSalva");
    for (const auto& [hour, minutes, reason] :
         {std::tuple{"11", "00", "Riunione in Comune"}, std::tuple{"08", "15", "Consegna tavole"}}) {
      click("cmdDuplica");
      when(QStringLiteral("20"), QStringLiteral("Dicembre"), QLatin1String(hour), QLatin1String(minutes));
      type("txtDettagli", QString::fromUtf8(reason));
      click("cmdSalva");
    }
    QCOMPARE(text("lblPosizione"), QStringLiteral("4"));
    leaveAndEnter();
    drive::find<QCalendarWidget>(screen, QStringLiteral("calAppuntamenti"))->setSelectedDate(QDate(2026, 12, 20));
    seams.messages.answers = {true, false};
    QCOMPARE(gridOf("btnGiorno", &opened, true),
             (QStringList{QStringLiteral("3|20/12/2026|08:15|Consegna tavole"),
                          QStringLiteral("2|20/12/2026|11:00|Riunione in Comune"),
                          QStringLiteral("1|20/12/2026|17:30|Sopralluogo")}));
    QCOMPARE(opened, QStringLiteral("TfrmExpGiornaliere"));
    QFile xls(seams.folder.path(QStringLiteral("Scadenze_Giornaliere.xls")));
    QVERIFY(xls.open(QIODevice::ReadOnly));
    const QByteArray file = xls.readAll();
    QVERIFY(file.contains("<x:Name>Scadenze del giorno</x:Name>"));
    QVERIFY(file.contains("width=150>Codice univoco</td></tr>"));
    QVERIFY(file.indexOf("Consegna tavole") < file.indexOf("Riunione in Comune"));
    QVERIFY(file.indexOf("Riunione in Comune") < file.indexOf(">Sopralluogo<"));
    QVERIFY(file.contains(">12200815</td>"));
    if (const QString out = qEnvironmentVariable("VELARION_TEST_OUTPUT"); !out.isEmpty()) {
      QFile::remove(out + QStringLiteral("/Scadenze_Giornaliere.xls"));
      QFile::copy(xls.fileName(), out + QStringLiteral("/Scadenze_Giornaliere.xls"));
    }
    QCOMPARE(gridOf("btnMese").size(), 4);

    // a case imported into a new deadline: ten fields, nothing else
    click("btnApri");
    when(QStringLiteral("22"), QStringLiteral("Dicembre"), QStringLiteral("09"), QStringLiteral("00"));
    type("txtAvviso", QStringLiteral("2"));
    type("txtDettagli", QStringLiteral("Deposito frazionamento"));
    type("txtNote", QStringLiteral("portare le copie"));
    opened = drive::withModal([this] { click("cmdImporta"); }, [](QWidget* m) {
      auto* search = qobject_cast<lists::ListScreen*>(m);
      screenkit::setTextOf(drive::find(search, QStringLiteral("txtCliente")), QStringLiteral("verdi"));
      search->cerca();
      search->pick(0);
    });
    QCOMPARE(opened, QStringLiteral("TfrmTrovaPratica"));
    const std::pair<const char*, const char*> imported[] = {
        {"txtOggetto", "Frazionamento terreno"}, {"txtTipologia", "Catasto"},    {"txtProtocollo", "P-17"},
        {"txtApertura", "02/11/2026"},           {"txtChiusura", ""},           {"txtStato", "Aperta"},
        {"txtConsulente", "Geom. Neri"},         {"txtCliente", "Verdi Lucia"}, {"txtRecapito", "0543 998877"},
        {"txtCodFisc", "VRDLCU80A41D704X"},      {"txtDettagli", "Deposito frazionamento"},
        {"txtNote", "portare le copie"},         {"txtAvviso", "2"},            {"txtGiorno", "22"},
        {"lblPosizione", ""},
    };
    for (const auto& [name, value] : imported) QCOMPARE(text(name), QString::fromUtf8(value));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("5"));
    {
      RecordingReportOutput printed;
      click("cmdStampa");
      QCOMPARE(printed.last().report.text(QStringLiteral("txtCampo01")), QStringLiteral("22 Dicembre 2026"));
      QCOMPARE(printed.last().report.text(QStringLiteral("txtCampo07")), QStringLiteral("Frazionamento terreno"));
      if (const QString out = qEnvironmentVariable("VELARION_TEST_OUTPUT"); !out.isEmpty())
        QVERIFY(report::writePdf(printed.last().pages, out + QStringLiteral("/scheda_stampata.pdf")));
    }

    // late December: a deadline of 5 January with ten days' notice
    seams.clock.day = QDate(2026, 12, 28);
    leaveAndEnter();
    QVERIFY(shown("imgAssenti")); // nothing of this year is due, and next year has no archive
    QVERIFY(!QFileInfo::exists(yearFile(2027)));
    type("txtAnno", QStringLiteral("2027"));
    click("btnApri");
    when(QStringLiteral("05"), QStringLiteral("Gennaio"), QStringLiteral("09"), QStringLiteral("00"));
    type("txtAvviso", QStringLiteral("10"));
    type("txtCliente", QStringLiteral("Rossi Mario"));
    type("txtOggetto", QStringLiteral("Ristrutturazione villetta"));
    type("txtDettagli", QStringLiteral("Rata mutuo"));
    click("cmdSalva");
    const size_t played = alarm.played.size();
    leaveAndEnter();
    QVERIFY(shown("imgPresenti"));
    QCOMPARE(alarm.played.size(), played + 1);
    QCOMPARE(gridOf("btnOK"), QStringList{QStringLiteral("1|05/01/2027|09:00|Rata mutuo")});
  }
};

QTEST_MAIN(DeadlineFlowTest)
#include "test_deadlineflow.moc"
