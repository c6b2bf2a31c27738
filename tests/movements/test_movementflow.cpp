// Income and expenses as a new user meets them: the tile opens this year,
// an income from a client imported as payer and an expense falling due in
// three days are recorded, the expense shows among the payments falling
// due, the income is found again and opened, its card printed, an e-mail
// started and the year exported.
#include "app/shell/screens/applications.h"
#include "archive/archivio.h"
#include "clients/cliente.h"
#include "common/help.h"
#include "common/screens/calendarscreen.h"
#include "common/screens/formprintscreen.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "common/screens/screenkit.h"
#include "engines/reportpdf.h"
#include "movements/screens/movementcard.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class MovementFlowTest : public QObject {
  Q_OBJECT

private slots:
  void newUserDay() {
    ScreenTestSeams seams;
    RecordingShell shell;
    RecordingReportOutput printed;
    {
      Record rossi(TRecCliente());
      rossi.set("Cliente", QStringLiteral("Rossi Mario"));
      rossi.set("Recapito", QStringLiteral("0543 123456"));
      rossi.set("CodFisc", QStringLiteral("RSSMRA85T10A562S"));
      rossi.set("PartitaIva", QStringLiteral("01234567890"));
      rossi.set("Email", QStringLiteral("rossi@esempio.it"));
      Record verdi = rossi;
      verdi.set("Cliente", QStringLiteral("Verdi Lucia"));
      verdi.set("Email", QString());
      seed::append(seams.folder.path(QStringLiteral("Clienti.pro")), TRecCliente(), {rossi, verdi});
    }
    QWidget menu;
    menu.setObjectName(QStringLiteral("TfrmAvvio"));
    screenkit::ScreenSet::add(&menu);

    // the tile "Entrate e Uscite" opens the year screen, "Apri" the card of this year
    const Application* tile = nullptr;
    for (const Application& a : applications())
      if (qstrcmp(a.picture, "imgMovimenti") == 0) tile = &a;
    QVERIFY(tile && tile->create);
    std::unique_ptr<QWidget> years(tile->create());
    screenkit::ScreenSet::add(years.get());
    std::unique_ptr<QWidget> cardOwner(screenkit::ScreenSet::find(QStringLiteral("TfrmMovimenti")));
    auto* card = qobject_cast<TfrmMovimenti*>(cardOwner.get());
    QVERIFY(card);
    screenkit::ScreenSet::show(QStringLiteral("TfrmMenuMovimenti"), &menu);
    QCOMPARE(years->objectName(), QStringLiteral("TfrmMenuMovimenti"));
    QCOMPARE(drive::text(years.get(), QStringLiteral("txtAnnoPreventivi")), QStringLiteral("2026"));
    drive::click(years.get(), QStringLiteral("btnApriPreventivi"));
    QVERIFY(card->isVisible());
    QVERIFY(drive::show(card));
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Entrate e uscite anno 2026"));
    QCOMPARE(drive::text(card, QStringLiteral("lblFile")), seams.folder.path(QStringLiteral("2026.eur")));

    auto type = [&](const char* name, const QString& t) { drive::type(card, QLatin1String(name), t); };
    auto click = [&](const char* name) { drive::click(card, QLatin1String(name)); };
    auto text = [&](const char* name) { return drive::text(card, QLatin1String(name)); };
    // a date picked from the calendar that the picture beside the field opens
    auto pickDate = [&](const char* field, QDate day) {
      const QString picture = QStringLiteral("cal") + QLatin1String(field).mid(3);
      const QString opened = drive::withModal([&] { drive::click(card, picture); },
                                              [&](QWidget* s) {
                                                auto* calendar = qobject_cast<TfrmCalendario*>(s);
                                                calendar->setSelectedDate(day);
                                                calendar->importa();
                                              });
      QCOMPARE(opened, QStringLiteral("TfrmCalendario"));
    };

    // an income of 1250,50 from a client imported as payer
    type("txtCausale", QStringLiteral("Parcella progetto villetta"));
    pickDate("txtDataSca", QDate(2026, 12, 31));
    QCOMPARE(text("txtDataSca"), QStringLiteral("31/12/2026"));
    type("txtImporto", QStringLiteral("1250,5"));
    const QString search = drive::withModal([&] { click("impPagatore"); }, [&](QWidget* s) {
      auto* list = qobject_cast<lists::ListScreen*>(s);
      drive::type(list, QStringLiteral("txtCliente"), QStringLiteral("rossi"));
      list->cerca();
      QCOMPARE(list->lines().size(), qsizetype(1));
      list->pick(0);
    });
    QCOMPARE(search, QStringLiteral("TfrmTrovaClienti"));
    // the search window took the focus for a while: the amount was not left
    QCOMPARE(text("txtImporto"), QStringLiteral("1250,5"));
    QCOMPARE(text("txtPagatore"), QStringLiteral("Rossi Mario"));
    QCOMPARE(text("txtRecapitoPag"), QStringLiteral("0543 123456"));
    QCOMPARE(text("txtCodFisc"), QStringLiteral("RSSMRA85T10A562S"));
    QCOMPARE(text("txtPartitaIva"), QStringLiteral("01234567890"));
    QCOMPARE(text("txtEmail"), QStringLiteral("rossi@esempio.it"));
    drive::withModal([&] { click("impBeneficiario"); }, [&](QWidget* s) {
      auto* list = qobject_cast<lists::ListScreen*>(s);
      drive::type(list, QStringLiteral("txtCliente"), QStringLiteral("verdi"));
      list->cerca();
      list->pick(0);
    });
    QCOMPARE(text("txtBeneficiario"), QStringLiteral("Verdi Lucia"));
    QCOMPARE(text("txtPagatore"), QStringLiteral("Rossi Mario"));
    type("txtPagamento", QStringLiteral("Bonifico bancario"));
    QCOMPARE(text("txtImporto"), QStringLiteral("1250,50")); // left for another field
    click("cmdSalva");
    QCOMPARE(seams.messages.lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

    // an expense of 80 due in three days with five days' notice
    click("cmdNuovo");
    click("optUscita");
    type("txtCausale", QStringLiteral("Cancelleria"));
    pickDate("txtDataSca", seams.clock.day.addDays(3));
    type("txtPreavviso", QStringLiteral("5"));
    type("txtImporto", QStringLiteral("80"));
    type("txtPagatore", QStringLiteral("Studio Tecnico Bianchi"));
    type("txtBeneficiario", QStringLiteral("Cartoleria Centrale"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QCOMPARE(text("txtImporto"), QStringLiteral("80,00"));

    // the expense is falling due; the income, due at the end of the month, not yet
    click("cmdNuovo");
    const QString due = drive::withModal([&] { click("cmdScadenze"); }, [&](QWidget* s) {
      auto* list = qobject_cast<lists::ListScreen*>(s);
      QCOMPARE(list->windowTitle(), QStringLiteral(" Riepilogo pagamenti in scadenza o scaduti"));
      QCOMPARE(list->lines(), QStringList{QStringLiteral("Cancelleria                               Scad. 13/12/2026  Da: Studio"
                                                         " Tecnico Bianchi          A: Cartoleria Centrale             Importo: -80,00")});
      list->stampa();
      list->pick(0);
    });
    QCOMPARE(due, QStringLiteral("TfrmSospesiMov"));
    QCOMPARE(printed.last().report.text(QStringLiteral("txtTitolo")),
             QStringLiteral("Riepilogo pagamenti in scadenza o scaduti e non saldati"));
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QCOMPARE(text("txtCausale"), QStringLiteral("Cancelleria"));

    // the income found by a criterion and opened
    const QString found = drive::withModal([&] { click("cmdTrova"); }, [&](QWidget* s) {
      auto* list = qobject_cast<lists::ListScreen*>(s);
      QCOMPARE(list->windowTitle(), QStringLiteral(" Trova movimenti in archivio"));
      QCOMPARE(s->focusWidget()->objectName(), QStringLiteral("txtData"));
      drive::type(list, QStringLiteral("txtPagatore"), QStringLiteral("ROSSI"));
      list->cerca();
      QCOMPARE(drive::text(list, QStringLiteral("lblTrovate")), QStringLiteral("Il presente riepilogo contiene 1 schede."));
      list->pick(0);
    });
    QCOMPARE(found, QStringLiteral("TfrmTrovaMovimenti"));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    QCOMPARE(text("txtImporto"), QStringLiteral("1250,50"));
    QCOMPARE(text("txtTotale"), QStringLiteral("+1250,50"));
    QCOMPARE(text("lblImporto"), QStringLiteral("Importo in entrata: \u20AC"));

    // its card printed
    const QString print = drive::withModal([&] { click("cmdStampa"); }, [&](QWidget* s) {
      QCOMPARE(s->windowTitle(), QStringLiteral(" Stampa scheda corrente"));
      drive::click(s, QStringLiteral("btnStampa"));
    });
    QCOMPARE(print, QStringLiteral("TfrmStampaMovimento"));
    QCOMPARE(int(printed.last().call), int(RecordingReportOutput::Call::Print));
    const report::Report& sheet = printed.last().report;
    QCOMPARE(sheet.orientation(), QPageLayout::Portrait);
    QCOMPARE(sheet.text(QStringLiteral("titArcataSup")), QStringLiteral("SCHEDA INFORMATIVA MOVIMENTO"));
    const std::pair<const char*, QString> values[] = {
        {"txtTipo", QStringLiteral("Entrata")},
        {"txtData", QStringLiteral("10/12/2026")},
        {"txtDataSca", QStringLiteral("31/12/2026")},
        {"txtPreavviso", QStringLiteral("0")},
        {"txtImporto", QStringLiteral("1250,50")},
        {"txtPagatore", QStringLiteral("Rossi Mario")},
        {"txtRecapitoPag", QStringLiteral("0543 123456")},
        {"txtPagamento", QStringLiteral("Bonifico bancario")},
        {"txtRecapitoBen", QStringLiteral("0543 123456")},
        {"txtSaldato", QStringLiteral("No")},
        {"txtCalce", QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:30:15")},
    };
    for (const auto& [box, value] : values) QCOMPARE(sheet.text(QLatin1String(box)), value);
    const QString pdf = QDir::temp().filePath(QStringLiteral("velarion_scheda_movimento.pdf"));
    QVERIFY(report::writePdf(printed.last().pages, pdf, nullptr));

    // an e-mail to the payer
    click("sndEmail");
    QCOMPARE(shell.opened.back(), QStringLiteral("mailto:rossi@esempio.it"));

    // the year exported
    seams.messages.answers = {true, false};
    const QString exported = drive::withModal([&] { click("cmdEsporta"); }, [&](QWidget* s) {
      auto* grid = qobject_cast<grids::GridScreen*>(s);
      QCOMPARE(grid->windowTitle(), QStringLiteral(" Esporta archivio movimenti in Microsoft Excel"));
      QCOMPARE(grid->table().rows(), 2);
      grid->esporta();
    });
    QCOMPARE(exported, QStringLiteral("TfrmExpMovimenti"));
    QFile xls(seams.folder.path(QStringLiteral("Movimenti.xls")));
    QVERIFY(xls.open(QIODevice::ReadOnly));
    const QByteArray file = xls.readAll();
    QVERIFY(file.contains("<x:Name>Riepilogo annuale movimenti</x:Name>"));
    QCOMPARE(file.count("font-weight: bold;\" width="), 20);
    QVERIFY(file.contains("width=150>Tipo movimento</td>"));
    QVERIFY(file.contains("width=150>Importo in euro</td>"));
    QVERIFY(file.contains("width=250>Modalit\xE0 pagamento</td>"));
    QCOMPARE(file.count(">Recapito</td>"), 2);
    QVERIFY(file.contains("<tr><td class=\"t\" style=\"text-align: left;\">Entrata</td><td class=\"t\" style=\"text-align: left;\">10/12/2026"));
    QVERIFY(file.contains("<tr><td class=\"t\" style=\"text-align: left;\">Uscita</td>"));
    QVERIFY(file.contains(">+1250,50<") && file.contains(">-80,00<"));
    QFile::remove(QDir::temp().filePath(QStringLiteral("velarion_Movimenti.xls")));
    QVERIFY(xls.copy(QDir::temp().filePath(QStringLiteral("velarion_Movimenti.xls"))));

    // its attachments, and the help of the card and of its export
    QCOMPARE(drive::withModal([&] { click("cmdFile"); }), QStringLiteral("TfrmAllegaCartella"));
    std::vector<HelpTopic> helped;
    help::setViewer([&](QWidget*, HelpTopic topic) { helped.push_back(topic); });
    click("cmdGuida");
    drive::withModal([&] { click("cmdEsporta"); }, [&](QWidget* s) { drive::click(s, QStringLiteral("cmdGuida")); });
    help::setViewer({});
    QCOMPARE(helped, (std::vector<HelpTopic>{HelpTopic::Movimenti, HelpTopic::EsportaMovimenti}));

    // back to the main menu
    click("cmdEsci");
    QVERIFY(!card->isVisible());
    QVERIFY(menu.isVisible());
    screenkit::ScreenSet::remove(years.get());
  }
};

QTEST_MAIN(MovementFlowTest)
#include "test_movementflow.moc"
