// The mail protocol register as a new user meets it, through the real
// screens: the tile opens this year, three documents are registered (in,
// out, internal), the numbering starts again from 120 with the year, the
// office and operator come back on the next visit, the documents of an
// interval are listed and exported, one is found and opened on the card,
// its card printed, and the year's archive exported.
// With VELARION_SHOTS set to a folder, the card (at 1366x768 and 1024x768),
// the satellites and the printed page are saved there as pictures and PDF.
#include "app/shell/screens/applications.h"
#include "archive/archivio.h"
#include "common/help.h"
#include "common/screens/calendarscreen.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "common/screens/screenkit.h"
#include "engines/reportpdf.h"
#include "protocol/protocollo.h"
#include "protocol/screens/protocolcard.h"
#include "screendriver.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString shots() { return qEnvironmentVariable("VELARION_SHOTS"); }
void look(QWidget* w, const char* name) {
  if (!shots().isEmpty()) w->grab().save(shots() + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

QStringList gridColumn(QWidget* screen, int column) {
  QStringList out;
  const QAbstractItemModel* m = drive::find<QTableView>(screen, QStringLiteral("grdRecords"))->model();
  for (int r = 0; r < m->rowCount(); ++r) out << m->index(r, column).data().toString();
  return out;
}

} // namespace

class ProtocolFlowTest : public QObject {
  Q_OBJECT

private slots:
  void newUserYear() {
    ScreenTestSeams seams;
    RecordingShell shell;
    RecordingReportOutput printed;
    std::vector<HelpTopic> helped;
    help::setViewer([&](QWidget*, HelpTopic t) { helped.push_back(t); });
    QWidget menu;
    menu.setObjectName(QStringLiteral("TfrmAvvio"));
    screenkit::ScreenSet::add(&menu);

    // the tile of the main menu makes the year screen and the card
    const Application* posta = nullptr;
    for (const Application& app : applications())
      if (QLatin1String(app.picture) == QLatin1String("imgPosta")) posta = &app;
    QVERIFY(posta && posta->create && posta->card);
    std::unique_ptr<QWidget> years(posta->create());
    screenkit::ScreenSet::add(years.get());
    std::unique_ptr<QWidget> cardOwner(screenkit::ScreenSet::find(QStringLiteral("TfrmProtocollo")));
    auto* card = qobject_cast<TfrmProtocollo*>(cardOwner.get());
    QVERIFY(card);

    // open this year
    screenkit::ScreenSet::show(QStringLiteral("TfrmMenuProtocollo"), &menu);
    QVERIFY(QTest::qWaitForWindowExposed(years.get()));
    QCOMPARE(drive::text(years.get(), QStringLiteral("txtAnnoPreventivi")), QStringLiteral("2026"));
    drive::click(years.get(), QStringLiteral("btnApriPreventivi"));
    QVERIFY(card->isVisible());
    QVERIFY(!years->isVisible());
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Protocollo Posta anno 2026"));
    QCOMPARE(card->archivePath(), seams.folder.path(QStringLiteral("2026.prt")));
    QApplication::setActiveWindow(card);

    auto type = [&](const char* name, const QString& t) { drive::type(card, QLatin1String(name), t); };
    auto click = [&](const char* name) { drive::click(card, QLatin1String(name)); };
    auto text = [&](const char* name) { return drive::text(card, QLatin1String(name)); };

    type("txtUfficio", QStringLiteral("Segreteria"));
    type("txtOperatore", QStringLiteral("Anna Ricci"));
    struct Letter {
      const char* option;
      const char* category;
      const char* subject;
      const char* sender;
      const char* addressee;
      QDate registered; // from the calendar; today when invalid
    } letters[] = {
        {"optEntrata", "Lettera", "Richiesta di accesso agli atti", "Comune di Forlì", "Studio", QDate(2026, 12, 1)},
        {"optUscita", "Raccomandata", "Invio della relazione tecnica", "Studio", "Condominio Aurora", QDate()},
        {"optInterna", "Circolare", "Ferie di fine anno", "Direzione", "Tutto il personale", QDate()},
    };
    int number = 0;
    for (const Letter& l : letters) {
      click("cmdNuovo");
      QCOMPARE(text("txtNumero"), QString::number(++number));
      QCOMPARE(drive::focused(), QStringLiteral("txtCategoria"));
      click(l.option);
      type("txtCategoria", QString::fromUtf8(l.category));
      type("txtOggetto", QString::fromUtf8(l.subject));
      type("txtMittente", QString::fromUtf8(l.sender));
      type("txtDestinatario", QString::fromUtf8(l.addressee));
      type("txtFormato", QStringLiteral("A4"));
      type("txtPagine", QStringLiteral("2"));
      if (l.registered.isValid()) {
        const QString seen = drive::withModal([&] { drive::click(card, QStringLiteral("calDataReg")); },
                                              [&](QWidget* m) {
                                                auto* calendar = qobject_cast<TfrmCalendario*>(m);
                                                calendar->setSelectedDate(l.registered);
                                                calendar->importa();
                                              });
        QCOMPARE(seen, QStringLiteral("TfrmCalendario"));
        QCOMPARE(text("txtDataReg"), l.registered.toString(QStringLiteral("dd/MM/yyyy")));
      }
      click("cmdSalva");
      QCOMPARE(seams.messages.lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
      QCOMPARE(text("lblPosizione"), QString::number(number));
    }
    if (!shots().isEmpty()) {
      card->setWindowState(Qt::WindowNoState);
      for (const QSize size : {QSize(1366, 768), QSize(1024, 768)}) {
        card->resize(size);
        QApplication::processEvents();
        look(card, qPrintable(QStringLiteral("protocollo_%1x%2").arg(size.width()).arg(size.height())));
      }
    }

    // the numbering starts from 120 with the year
    drive::withModal([&] { click("cmdNumerazione"); }, [&](QWidget* s) {
      look(s, "protocollo_numerazione");
      drive::type(s, QStringLiteral("txtInizio"), QStringLiteral("120"));
      drive::click(s, QStringLiteral("chkTipo"));
      drive::click(s, QStringLiteral("btnApplica"));
    });
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("123/2026"));

    // leave and come back: office and operator remembered, the card empty
    click("cmdEsci");
    QVERIFY(!card->isVisible());
    QVERIFY(menu.isVisible());
    // what the hidden card still holds does not count
    screenkit::setTextOf(drive::find(card, QStringLiteral("txtUfficio")), QString());
    screenkit::setTextOf(drive::find(card, QStringLiteral("txtOperatore")), QString());
    screenkit::ScreenSet::show(QStringLiteral("TfrmMenuProtocollo"), &menu);
    drive::click(years.get(), QStringLiteral("btnApriPreventivi"));
    QVERIFY(card->isVisible());
    QApplication::setActiveWindow(card);
    QCOMPARE(text("txtUfficio"), QStringLiteral("Segreteria"));
    QCOMPARE(text("txtOperatore"), QStringLiteral("Anna Ricci"));
    QCOMPARE(text("txtNumero"), QString());
    QCOMPARE(text("lblPosizione"), QString());

    // the documents registered between two dates, and their export
    seams.messages.answers = {true, false};
    QCOMPARE(drive::withModal([&] { click("cmdRiepilogo"); }, [&](QWidget* s) {
      QCOMPARE(s->windowTitle(), QStringLiteral(" Riepilogo protocollo per intervallo di tempo"));
      QCOMPARE(drive::text(s, QStringLiteral("txtDataFine")), QStringLiteral("10/12/2026"));
      drive::type(s, QStringLiteral("txtDataInizio"), QStringLiteral("02/12/2026"));
      drive::click(s, QStringLiteral("cmdTrova"));
      QCOMPARE(gridColumn(s, 1), QStringList({"2", "3"}));
      QCOMPARE(gridColumn(s, 0), QStringList({"1", "2"}));
      drive::type(s, QStringLiteral("txtDataInizio"), QStringLiteral("01/12/2026"));
      drive::click(s, QStringLiteral("cmdTrova"));
      QCOMPARE(gridColumn(s, 2), QStringList({"In entrata", "In uscita", "Interna"}));
      look(s, "protocollo_riepilogo");
      drive::click(s, QStringLiteral("cmdEsporta"));
    }),
             QStringLiteral("TfrmRiepProtocollo"));
    const QString xls = seams.folder.path(QStringLiteral("Protocollo.xls"));
    QVERIFY(fileBytes(xls).contains("<x:Name>Protocollo Documenti</x:Name>"));
    QCOMPARE(fileBytes(xls).count("<tr>"), 4);

    // one found by a criterion and opened on the card
    QCOMPARE(drive::withModal([&] { click("cmdTrova"); }, [&](QWidget* s) {
      auto* search = qobject_cast<lists::ListScreen*>(s);
      drive::type(s, QStringLiteral("txtTipologia"), QStringLiteral("USCITA"));
      drive::click(s, QStringLiteral("btnCerca"));
      QCOMPARE(search->lines().size(), 1);
      QCOMPARE(drive::text(s, QStringLiteral("lblTrovate")), QStringLiteral("Il presente riepilogo contiene 1 schede."));
      look(s, "protocollo_trova");
      search->pick(0);
    }),
             QStringLiteral("TfrmTrovaProtocollo"));
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QCOMPARE(text("txtNumero"), QStringLiteral("2"));
    QCOMPARE(text("txtOggetto"), QStringLiteral("Invio della relazione tecnica"));
    QVERIFY(drive::find<QAbstractButton>(card, QStringLiteral("optUscita"))->isChecked());

    // its card printed
    QCOMPARE(drive::withModal([&] { click("cmdStampa"); }, [&](QWidget* s) {
      look(s, "protocollo_stampa");
      drive::click(s, QStringLiteral("btnStampa"));
      QVERIFY(!s->isVisible());
    }),
             QStringLiteral("TfrmStampaProtocollo"));
    QCOMPARE(printed.calls.size(), size_t(1));
    QCOMPARE(int(printed.last().call), int(RecordingReportOutput::Call::Print));
    const report::Report& r = printed.last().report;
    QCOMPARE(r.text(QStringLiteral("titArcataSup")), QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO"));
    QCOMPARE(r.text(QStringLiteral("txtNumero")), QStringLiteral("2"));
    QCOMPARE(r.text(QStringLiteral("txtUfficio")), QStringLiteral("Segreteria"));
    QCOMPARE(r.text(QStringLiteral("txtFormato")), QStringLiteral("A4  -  N. pagine: 2"));
    QCOMPARE(r.text(QStringLiteral("txtCalce")), QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:30:15"));
    QCOMPARE(printed.last().pages.pages.size(), size_t(1));
    const QString pdf = (shots().isEmpty() ? seams.folder.dir.path() : shots()) + QStringLiteral("/protocollo_scheda.pdf");
    QVERIFY(report::writePdf(printed.last().pages, pdf));
    QVERIFY(QFileInfo(pdf).size() > 0);

    // the year's archive exported into the same file
    seams.messages.answers = {true, true};
    QCOMPARE(drive::withModal([&] { click("cmdEsporta"); }, [&](QWidget* s) {
      QCOMPARE(s->windowTitle(), QStringLiteral(" Esporta protocollo posta in Microsoft Excel"));
      QCOMPARE(gridColumn(s, 1), QStringList({"1", "2", "3"}));
      drive::click(s, QStringLiteral("cmdEsporta"));
    }),
             QStringLiteral("TfrmExpProtocollo"));
    QVERIFY(fileBytes(xls).contains("<x:Name>Protocollo Posta</x:Name>"));
    QVERIFY(fileBytes(xls).contains("Comune di Forl\xEC"));
    QCOMPARE(shell.opened.back(), xls);
    if (!shots().isEmpty()) QFile::copy(xls, shots() + QStringLiteral("/Protocollo.xls"));

    // help on the card
    click("cmdGuida");
    QCOMPARE(helped.back(), HelpTopic::Protocollo);
    help::setViewer({});

    // nothing was stored but the three documents
    QCOMPARE(QFileInfo(card->archivePath()).size(), 3 * TRecProtocollo().size());
    screenkit::ScreenSet::remove(&menu);
    screenkit::ScreenSet::remove(years.get());
  }
};

QTEST_MAIN(ProtocolFlowTest)
#include "test_protocolflow.moc"
