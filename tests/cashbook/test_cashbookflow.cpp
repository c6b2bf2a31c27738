// Unpaid payments and the cash book as a new user meets them, through the
// real screens: a year of movements is recorded on the movement card; the
// unpaid income, expenses and both are listed from the "Pagamenti Insoluti"
// tile and each list is exported; the cash book of May with the reason
// "iva" is built from the "Primanota e Bilancio" tile, its totals checked
// and printed; the interval and date messages are tried.
// With VELARION_SHOTS set to a folder, the screens (the resizable ones at
// 1366x768 and 1024x768), the printed cash book as PDF and the three
// exported files are left there.
#include "app/shell/screens/applications.h"
#include "common/help.h"
#include "common/screens/gridscreen.h"
#include "common/screens/screenkit.h"
#include "engines/reportpdf.h"
#include "cashbook/screens/cashbookscreen.h"
#include "movements/screens/movementcard.h"
#include "screendriver.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QtTest>

namespace {

QString shots() { return qEnvironmentVariable("VELARION_SHOTS"); }
void look(QWidget* w, const QString& name) {
  if (!shots().isEmpty()) w->grab().save(shots() + QLatin1Char('/') + name + QStringLiteral(".png"));
}
// A resizable screen at both desktop sizes.
void lookAtSizes(QWidget* w, const QString& name) {
  if (shots().isEmpty()) return;
  for (const QSize size : {QSize(1366, 768), QSize(1024, 768)}) {
    w->resize(size.width(), size.height() - 60); // below the window frame and the task bar
    QApplication::processEvents();
    look(w, name + QStringLiteral("_%1x%2").arg(size.width()).arg(size.height()));
  }
}

QStringList gridColumn(QWidget* screen, int column) {
  QStringList out;
  const QAbstractItemModel* m = drive::find<QTableView>(screen, QStringLiteral("grdRecords"))->model();
  for (int r = 0; r < m->rowCount(); ++r) out << m->index(r, column).data().toString();
  return out;
}

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QWidget* createTile(const char* picture) {
  for (const Application& a : applications())
    if (qstrcmp(a.picture, picture) == 0 && a.create) {
      QWidget* s = a.create();
      screenkit::ScreenSet::add(s);
      return s;
    }
  return nullptr;
}

} // namespace

class CashBookFlowTest : public QObject {
  Q_OBJECT

private slots:
  void newUserYear() {
    ScreenTestSeams seams; // today is 10/12/2026
    RecordingShell shell;
    RecordingReportOutput printed;
    QWidget mainMenu;
    mainMenu.setObjectName(QStringLiteral("TfrmAvvio"));
    screenkit::ScreenSet::add(&mainMenu);
    std::unique_ptr<QWidget> years(createTile("imgMovimenti"));
    std::unique_ptr<QWidget> card(screenkit::ScreenSet::find(QStringLiteral("TfrmMovimenti")));
    std::unique_ptr<QWidget> unpaidMenu(createTile("imgInsoluti"));
    std::unique_ptr<QWidget> cashMenu(createTile("imgPrimanota"));
    QVERIFY(years && card && unpaidMenu && cashMenu);
    QCOMPARE(unpaidMenu->objectName(), QStringLiteral("TfrmMenuInsoluti"));
    QCOMPARE(cashMenu->objectName(), QStringLiteral("TfrmMenuBilancio"));

    // ---- a year of movements on the movement card ----
    screenkit::ScreenSet::show(QStringLiteral("TfrmMenuMovimenti"), &mainMenu);
    drive::click(years.get(), QStringLiteral("btnApriPreventivi"));
    QVERIFY(drive::show(card.get()));
    auto type = [&](const char* name, const char* t) { drive::type(card.get(), QLatin1String(name), QString::fromUtf8(t)); };
    auto click = [&](const char* name) { drive::click(card.get(), QLatin1String(name)); };
    // a date typed as its eight digits
    auto typeDate = [&](const char* field, QDate day) {
      drive::type(card.get(), QLatin1String(field), day.toString(QStringLiteral("ddMMyyyy")));
    };
    auto record = [&](bool income, const char* reason, QDate day, QDate due, const char* amount, bool settled) {
      click("cmdNuovo");
      click(income ? "optEntrata" : "optUscita");
      type("txtCausale", reason);
      typeDate("txtData", day);
      typeDate("txtDataSca", due);
      type("txtImporto", amount);
      type("txtPagatore", income ? "Rossi Mario" : "Studio Tecnico Bianchi");
      type("txtBeneficiario", income ? "Studio Tecnico Bianchi" : "Agenzia delle Entrate");
      if (settled) click("chkSaldato");
      click("cmdSalva");
      QCOMPARE(seams.messages.lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    };
    record(true, "Parcella villetta, IVA inclusa", QDate(2026, 5, 5), QDate(2026, 5, 15), "1250", false);
    record(true, "Rivalutazione ISTAT canone", QDate(2026, 5, 12), QDate(2026, 5, 31), "100,5", true);
    record(false, "Versamento IVA", QDate(2026, 5, 16), QDate(2026, 5, 16), "80", false);
    record(false, "Affitto studio", QDate(2026, 5, 20), QDate(2026, 5, 20), "300", false);
    record(true, "Consulenza IVA", QDate(2026, 6, 2), QDate(2026, 12, 30), "500", false);
    record(false, "Cancelleria", QDate(2026, 12, 10), QDate(2026, 12, 10), "45", false);
    QCOMPARE(drive::text(card.get(), QStringLiteral("lblPosizione")), QStringLiteral("6"));
    click("cmdEsci");
    QVERIFY(mainMenu.isVisible());

    // ---- the unpaid payments past their due date ----
    screenkit::ScreenSet::show(QStringLiteral("TfrmMenuInsoluti"), &mainMenu);
    QVERIFY(drive::show(unpaidMenu.get()));
    QCOMPARE(unpaidMenu->windowTitle(), QStringLiteral(" Velarion - Pagamenti Insoluti"));
    QCOMPARE(drive::focused(), QStringLiteral("txtAnnoPreventivi"));
    look(unpaidMenu.get(), QStringLiteral("insoluti_menu"));
    struct List {
      const char *button, *screen, *caption, *file, *worksheet;
      QStringList types, totals, reasons;
    } lists[] = {
        {"btnApriPreventivi", "TfrmInsolutiEnt", " Pagamenti insoluti in entrata", "Pagamenti_in_Entrata_Insoluti.xls",
         "Pagamenti in entrata insoluti", {"Entrata"}, {"+1250,00"}, {"Parcella villetta, IVA inclusa"}},
        {"btnApriNDC", "TfrmInsolutiUsc", " Pagamenti insoluti in uscita", "Pagamenti_in_Uscita_Insoluti.xls",
         "Pagamenti in uscita insoluti", {"Uscita", "Uscita", "Uscita"}, {"-80,00", "-300,00", "-45,00"},
         {"Versamento IVA", "Affitto studio", "Cancelleria"}},
        {"btnApriDDT", "TfrmInsolutiAll", " Pagamenti insoluti in entrata e in uscita", "Pagamenti_Insoluti.xls",
         "Pagamenti insoluti", {"Entrata", "Uscita", "Uscita", "Uscita"}, {"+1250,00", "-80,00", "-300,00", "-45,00"},
         {"Parcella villetta, IVA inclusa", "Versamento IVA", "Affitto studio", "Cancelleria"}},
    };
    std::vector<HelpTopic> helped;
    help::setViewer([&](QWidget*, HelpTopic t) { helped.push_back(t); });
    for (const List& l : lists) {
      seams.messages.answers = {true, true};
      const QString opened = drive::withModal([&] { drive::click(unpaidMenu.get(), QLatin1String(l.button)); },
                                              [&](QWidget* s) {
                                                QCOMPARE(s->windowTitle(), QLatin1String(l.caption));
                                                QCOMPARE(drive::text(s, QStringLiteral("panInfo")),
                                                         QStringLiteral("Esportazione archivio in Microsoft Excel."));
                                                QCOMPARE(gridColumn(s, 1), l.types);
                                                QCOMPARE(gridColumn(s, 3), l.reasons);
                                                QCOMPARE(gridColumn(s, 7), l.totals);
                                                QCOMPARE(gridColumn(s, 20), QStringList(l.types.size(), "No"));
                                                lookAtSizes(s, QLatin1String(l.screen));
                                                drive::click(s, QStringLiteral("cmdEsporta"));
                                                drive::click(s, QStringLiteral("cmdGuida"));
                                                drive::click(s, QStringLiteral("cmdEsci"));
                                              });
      QCOMPARE(opened, QLatin1String(l.screen));
      QCOMPARE(seams.messages.lastText(),
               QStringLiteral("Esportazione in Excel effettuata con successo.\r\n\r\nSi vuole aprire il file .XLS?"));
      const QString file = seams.folder.path(QLatin1String(l.file));
      QCOMPARE(shell.opened.back(), file);
      const QByteArray xls = fileBytes(file);
      QVERIFY(xls.contains("<x:Name>" + QByteArray(l.worksheet) + "</x:Name>"));
      QCOMPARE(xls.count("<tr>"), l.types.size() + 1);
      QVERIFY(xls.contains("<td style=\"text-align: left; font-weight: bold;\" width=150>Tipo movimento</td>"
                           "<td style=\"text-align: left; font-weight: bold;\" width=180>Data operazione</td>"));
      QVERIFY(xls.contains(">Saldato</td></tr>"));
      if (!shots().isEmpty()) {
        QFile::remove(shots() + QLatin1Char('/') + QLatin1String(l.file));
        QFile::copy(file, shots() + QLatin1Char('/') + QLatin1String(l.file));
      }
    }
    QCOMPARE(drive::text(unpaidMenu.get(), QStringLiteral("lblFile")), seams.folder.path(QStringLiteral("2026.eur")));
    drive::click(unpaidMenu.get(), QStringLiteral("imgGuida"));
    QCOMPARE(helped, (std::vector<HelpTopic>{HelpTopic::RiepilogoInsoluti, HelpTopic::RiepilogoInsoluti,
                                             HelpTopic::RiepilogoInsoluti, HelpTopic::Insoluti}));
    drive::click(unpaidMenu.get(), QStringLiteral("imgEsci"));
    QVERIFY(!unpaidMenu->isVisible());
    QVERIFY(mainMenu.isVisible());

    // ---- the cash book of May for the reason "iva" ----
    screenkit::ScreenSet::show(QStringLiteral("TfrmMenuBilancio"), &mainMenu);
    QVERIFY(drive::show(cashMenu.get()));
    QCOMPARE(drive::focused(), QStringLiteral("txtTipologia"));
    auto choose = [&](const char* name, const char* item) {
      auto* c = drive::find<QComboBox>(cashMenu.get(), QLatin1String(name));
      c->setCurrentIndex(c->findText(QLatin1String(item)));
    };
    drive::type(cashMenu.get(), QStringLiteral("txtTipologia"), QStringLiteral("iva"));
    choose("txtGiornoInizio", "31");
    choose("txtMeseInizio", "Aprile");
    choose("txtGiornoFine", "31");
    choose("txtMeseFine", "Maggio");
    look(cashMenu.get(), QStringLiteral("primanota_menu"));
    auto visualizza = [&](const std::function<void(QWidget*)>& act) {
      return drive::withModal([&] { drive::click(cashMenu.get(), QStringLiteral("btnVisualizza")); }, act);
    };
    // 31 April does not exist
    QCOMPARE(visualizza({}), QString());
    QCOMPARE(seams.messages.lastText(),
             QStringLiteral("Attenzione: la data 31/04/2026 di inizio intervallo non esiste.\n\r\n\rPer poter "
                            "visualizzare il riepilogo \u00E8 necessario indicare una data valida."));
    QCOMPARE(drive::focused(), QStringLiteral("txtGiornoInizio"));
    // the end before the start
    choose("txtGiornoInizio", "01");
    choose("txtMeseInizio", "Giugno");
    QCOMPARE(visualizza({}), QString());
    QVERIFY(seams.messages.lastText().startsWith(
        QStringLiteral("Attenzione: la data di fine intervallo (31/05/2026) non pu\u00F2 essere anteriore")));
    choose("txtMeseInizio", "Maggio");

    const QString pdf = (shots().isEmpty() ? seams.folder.dir.path() : shots()) + QStringLiteral("/primanota.pdf");
    const QString opened = visualizza([&](QWidget* s) {
      auto* book = qobject_cast<TfrmBilancio*>(s);
      QVERIFY(book);
      QCOMPARE(drive::text(book, QStringLiteral("titTipologia")), QStringLiteral("iva"));
      QCOMPARE(drive::text(book, QStringLiteral("lblIntervallo")), QStringLiteral("Dal   01/05/2026   al   31/05/2026"));
      QCOMPARE(book->lines().size(), 3);
      QCOMPARE(drive::text(book, QStringLiteral("lblTotEntrate")), QStringLiteral("1350,50 \u20AC"));
      QCOMPARE(drive::text(book, QStringLiteral("lblTotUscite")), QStringLiteral("-80,00 \u20AC"));
      QCOMPARE(drive::text(book, QStringLiteral("lblBilancio")), QStringLiteral("1270,50 \u20AC"));
      lookAtSizes(book, QStringLiteral("primanota"));
      drive::click(book, QStringLiteral("btnStampa"));
      drive::click(book, QStringLiteral("btnEsci"));
    });
    QCOMPARE(opened, QStringLiteral("TfrmBilancio"));
    QCOMPARE(printed.calls.size(), size_t(1));
    const QStringList lines = printed.last().report.text(QStringLiteral("txtRiepilogo")).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0], QStringLiteral("ENTRATA  Parcella villetta, IVA inclusa            Data: 05/05/2026  Da: Rossi "
                                      "Mario                   A: Studio Tecnico Bianchi        Importo: +1250,00"));
    QCOMPARE(lines.last(), QStringLiteral("BILANCIO ENTRATE E USCITE :   1270,50 \u20AC"));
    QVERIFY(report::writePdf(printed.last().pages, pdf));
    QVERIFY(QFileInfo(pdf).size() > 0);

    // the whole year without a reason
    drive::type(cashMenu.get(), QStringLiteral("txtTipologia"), QString());
    choose("txtGiornoInizio", "01");
    choose("txtMeseInizio", "Gennaio");
    choose("txtMeseFine", "Dicembre");
    visualizza([&](QWidget* s) {
      QCOMPARE(drive::text(s, QStringLiteral("titTipologia")), QStringLiteral("- - -"));
      QCOMPARE(qobject_cast<TfrmBilancio*>(s)->lines().size(), 6);
      QCOMPARE(drive::text(s, QStringLiteral("lblTotEntrate")), QStringLiteral("1850,50 \u20AC"));
      QCOMPARE(drive::text(s, QStringLiteral("lblTotUscite")), QStringLiteral("-425,00 \u20AC"));
      QCOMPARE(drive::text(s, QStringLiteral("lblBilancio")), QStringLiteral("1425,50 \u20AC"));
    });
    help::setViewer({});

    drive::click(cashMenu.get(), QStringLiteral("btnEsci"));
    QVERIFY(!cashMenu->isVisible());
    QVERIFY(mainMenu.isVisible());
    // nothing was written but the six movements
    QCOMPARE(QFileInfo(seams.folder.path(QStringLiteral("2026.eur"))).size(), 6 * 3414);
    for (QWidget* s : {years.get(), unpaidMenu.get(), cashMenu.get(), card.get(), &mainMenu}) screenkit::ScreenSet::remove(s);
  }
};

QTEST_MAIN(CashBookFlowTest)
#include "test_cashbookflow.moc"
