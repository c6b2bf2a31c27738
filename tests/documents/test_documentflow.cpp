// The documents archive as a new user meets it, from the main menu: three
// documents registered (one to complete, one with a scanned copy), found by
// a criterion and by the month of production, the summary of documents to
// complete emptied by unticking one, a duplicate, the printed card (also
// through the print dialog to PDF), the export, and the card as it looks.
#include "app/shell/screens/startup.h"
#include "archive/paths.h"
#include "common/screens/attachscreen.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "common/screens/screenkit.h"
#include "documents/documento.h"
#include "engines/screens/reportoutput.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// Acts on the modal screens a command opens, one after the other, as each
// comes up (a print dialog over a print screen).
class Modals {
public:
  explicit Modals(std::vector<std::function<void(QWidget*)>> steps) : steps_(std::move(steps)) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* m = QApplication::activeModalWidget();
      if (!m || m == last_ || next_ >= steps_.size()) return;
      last_ = m;
      seen << m->objectName();
      // acted on from a timer of its own: a step that opens the next modal
      // waits in it, and this timer must go on looking
      QTimer::singleShot(0, m, [this, m, step = steps_[next_++]] { step(m); });
    });
    timer_.start();
  }
  QStringList seen;

private:
  std::vector<std::function<void(QWidget*)>> steps_;
  size_t next_ = 0;
  QPointer<QWidget> last_;
  QTimer timer_;
};

// A real double-click on a line of a list screen.
void doubleClickLine(QWidget* list, int row) {
  auto* view = drive::find<QListView>(list, QStringLiteral("lstRecords"));
  const QModelIndex index = view->model()->index(row, 0);
  view->scrollTo(index);
  const QPoint at = view->visualRect(index).topLeft() + QPoint(20, 4);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

QString tool(const QString& name) { return QStandardPaths::findExecutable(name); }

} // namespace

class DocumentFlowTest : public CardTest {
  Q_OBJECT

  QWidget* card = nullptr;

  QWidget* driven() const override { return card; }
  // A date picked from the calendar that the picture beside the field opens.
  void pickDate(const char* field, QDate day) {
    const QString picture = QStringLiteral("cal") + QLatin1String(field).mid(3);
    const QString seen = drive::withModal([&] { drive::click(card, picture); },
                                          [&](QWidget* m) {
                                            drive::find<QCalendarWidget>(m, QStringLiteral("calAppuntamenti"))
                                                ->setSelectedDate(day);
                                            drive::click(m, QStringLiteral("btnImportaData"));
                                          });
    QCOMPARE(seen, QStringLiteral("TfrmCalendario"));
  }
  // Opens a list of the card and acts on it.
  QString onList(const char* command, const std::function<void(lists::ListScreen*)>& act) {
    return drive::withModal([&] { click(command); },
                            [&](QWidget* m) { act(qobject_cast<lists::ListScreen*>(m)); });
  }

private slots:
  void newUserRoad() {
    TempProgramFolder folder;
    QWidget* login = startup::start();
    RecordingMessages messages;
    RecordingShell shell;
    FixedClock clock(QDate(2026, 12, 10), QTime(9, 30, 15));
    QVERIFY(login->isVisible());
    // start-up made the documents archive, empty
    QVERIFY(QFile::exists(folder.path(QStringLiteral("Archivio_Documenti.pro"))));
    QCOMPARE(QFile(folder.path(QStringLiteral("Archivio_Documenti.pro"))).size(), 0);

    // from the menu's tile
    QWidget* menu = screenkit::ScreenSet::find(QStringLiteral("TfrmAvvio"));
    login->hide();
    QVERIFY(drive::show(menu));
    drive::click(menu, QStringLiteral("imgDocumenti"));
    card = screenkit::ScreenSet::find(QStringLiteral("TfrmAltri"));
    QVERIFY(card && card->isVisible());
    QVERIFY(!menu->isVisible());
    QApplication::setActiveWindow(card);
    QVERIFY(QTest::qWaitForWindowActive(card));

    // 1: a report still to complete
    type("txtDocumento", QStringLiteral("Verbale di sopralluogo"));
    type("txtProtocollo", QStringLiteral("2026/101"));
    type("txtProduttore", QStringLiteral("Ufficio tecnico comunale"));
    pickDate("txtDataPro", QDate(2026, 12, 3));
    type("txtDestinatario", QStringLiteral("Studio Rossi"));
    type("txtOggetto", QStringLiteral("Sopralluogo in via Emilia 12"));
    drive::click(card, QStringLiteral("chkDaCompletare"));
    QVERIFY(drive::find<QCheckBox>(card, QStringLiteral("chkDaCompletare"))->isChecked());
    click("cmdSalva");
    QCOMPARE(messages.lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

    // 2: a report with its scanned copy picked in the file dialog
    click("cmdNuovo");
    QCOMPARE(text("txtDocumento"), QString());
    type("txtDocumento", QStringLiteral("Relazione geologica"));
    type("txtProduttore", QStringLiteral("Geol. Bianchi"));
    pickDate("txtDataPro", QDate(2026, 11, 15));
    pickDate("txtDataDes", QDate(2026, 11, 20));
    type("txtFormato", QStringLiteral("A4"));
    type("txtPagine", QStringLiteral("42"));
    QTemporaryDir scans;
    const QString scan = scans.filePath(QStringLiteral("relazione geologica.pdf"));
    {
      QFile f(scan);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("%PDF-1.4 scansione");
    }
    attachscreen::setFilePicker([scan](QWidget*) { return scan; });
    click("btnSfoglia");
    attachscreen::setFilePicker({});
    QCOMPARE(text("txtCopia"), QStringLiteral("relazione geologica.pdf"));
    QVERIFY(QFile::exists(folder.path(QStringLiteral("Documenti_Allegati/relazione geologica.pdf"))));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));

    // 3
    click("cmdNuovo");
    type("txtDocumento", QStringLiteral("Circolare regionale n. 4"));
    type("txtProduttore", QStringLiteral("Regione Emilia-Romagna"));
    pickDate("txtDataPro", QDate(2026, 12, 20));
    type("txtTipo", QStringLiteral("Circolare"));
    type("txtDestinatario", QStringLiteral("Comune di Forlì"));
    drive::click(card, QStringLiteral("chkDaCompletare"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("3"));

    // found by a criterion, loaded with a double-click
    click("cmdNuovo");
    QString seen = onList("cmdTrova", [&](lists::ListScreen* s) {
      QCOMPARE(s->windowTitle(), QStringLiteral(" Trova documenti in archivio"));
      QCOMPARE(s->focusWidget()->objectName(), QStringLiteral("txtDocumento"));
      drive::type(s, QStringLiteral("txtProduttore"), QStringLiteral("BIANCHI"));
      drive::click(s, QStringLiteral("btnCerca"));
      QCOMPARE(drive::text(s, QStringLiteral("lblTrovate")), QStringLiteral("Il presente riepilogo contiene 1 schede."));
      doubleClickLine(s, 0);
    });
    QCOMPARE(seen, QStringLiteral("TfrmTrovaAltri"));
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QCOMPARE(text("txtDocumento"), QStringLiteral("Relazione geologica"));
    QCOMPARE(text("txtCopia"), QStringLiteral("relazione geologica.pdf"));
    QCOMPARE(text("txtDataDes"), QStringLiteral("20/11/2026"));

    // and by the month of production, mm/yyyy; the list printed
    RecordingReportOutput printed;
    onList("cmdTrova", [&](lists::ListScreen* s) {
      drive::type(s, QStringLiteral("txtDataPro"), QStringLiteral("12/2026"));
      drive::click(s, QStringLiteral("btnCerca"));
      QCOMPARE(s->lines().size(), 2);
      QCOMPARE(s->lines().front(),
               QStringLiteral("Verbale di sopralluogo                    Data: 03/12/2026  Da: Ufficio tecnico comunale"
                              "        A: Studio Rossi                    Prot. n. 2026/101"));
      QVERIFY(s->lines().back().startsWith(QStringLiteral("Circolare regionale n. 4")));
      drive::click(s, QStringLiteral("btnStampa"));
      QVERIFY(s->grab().save(QDir::temp().filePath(QStringLiteral("velarion_trovaaltri.png"))));
      doubleClickLine(s, 1);
    });
    QCOMPARE(printed.last().report.text(QStringLiteral("txtTitolo")), QStringLiteral("Riepilogo documenti"));
    QCOMPARE(text("lblPosizione"), QStringLiteral("3"));

    // the summary lists the two to complete; unticked and saved, one leaves
    seen = onList("cmdDaCompletare", [&](lists::ListScreen* s) {
      QCOMPARE(s->windowTitle(), QStringLiteral(" Riepilogo documenti da completare"));
      QCOMPARE(s->lines().size(), 2);
      QCOMPARE(s->focusWidget()->objectName(), QStringLiteral("txtTrova"));
      doubleClickLine(s, 0);
    });
    QCOMPARE(seen, QStringLiteral("TfrmDaCompletare"));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    QVERIFY(drive::find<QCheckBox>(card, QStringLiteral("chkDaCompletare"))->isChecked());
    drive::click(card, QStringLiteral("chkDaCompletare"));
    click("cmdSalva");
    QCOMPARE(messages.lastText(), QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    onList("cmdDaCompletare", [&](lists::ListScreen* s) {
      QCOMPARE(s->lines().size(), 1);
      QVERIFY(s->lines().front().startsWith(QStringLiteral("Circolare regionale n. 4")));
      drive::click(s, QStringLiteral("btnChiudi"));
    });
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

    // a duplicate of the report, saved as a fourth document
    click("cmdDuplica");
    QCOMPARE(text("lblPosizione"), QString());
    type("txtDocumento", QStringLiteral("Verbale di sopralluogo - seconda visita"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("4"));
    QCOMPARE(text("txtProduttore"), QStringLiteral("Ufficio tecnico comunale"));

    // the printed card, straight to the printer
    type("txtNote", QStringLiteral("Consegnato a mano")); // printed as shown, saved or not
    seen = drive::withModal([&] { click("cmdStampa"); }, [&](QWidget* m) {
      QCOMPARE(m->windowTitle(), QStringLiteral(" Stampa scheda"));
      drive::click(m, QStringLiteral("btnStampa"));
      QVERIFY(!m->isVisible());
    });
    QCOMPARE(seen, QStringLiteral("TfrmStampaAltri"));
    const RecordingReportOutput::Entry& page = printed.last();
    QCOMPARE(int(page.call), int(RecordingReportOutput::Call::Print));
    QCOMPARE(page.report.text(QStringLiteral("titArcataSup")), QStringLiteral("SCHEDA RIASSUNTIVA DEL DOCUMENTO"));
    QCOMPARE(page.report.text(QStringLiteral("txtDocumento")), QStringLiteral("Verbale di sopralluogo - seconda visita"));
    QCOMPARE(page.report.text(QStringLiteral("txtNote")), QStringLiteral("Consegnato a mano"));
    QCOMPARE(page.report.text(QStringLiteral("txtCalce")),
             QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:30:15"));
    QCOMPARE(page.pages.count(), 1);

    // the export of the four documents, opened
    messages.answers = {true, true};
    seen = drive::withModal([&] { click("cmdEsporta"); }, [&](QWidget* m) {
      auto* e = qobject_cast<grids::GridScreen*>(m);
      QCOMPARE(e->windowTitle(), QStringLiteral(" Esporta archivio documenti in Microsoft Excel"));
      QCOMPARE(e->table().rows(), 4);
      drive::click(e, QStringLiteral("cmdEsporta"));
    });
    QCOMPARE(seen, QStringLiteral("TfrmExpAltri"));
    const QString xlsPath = folder.path(QStringLiteral("Altri_Documenti.xls"));
    QCOMPARE(shell.opened.back(), xlsPath);
    QFile xlsFile(xlsPath);
    QVERIFY(xlsFile.open(QIODevice::ReadOnly));
    const QByteArray xls = xlsFile.readAll();
    QVERIFY(xls.contains("<x:Name>Altri Documenti</x:Name>"));
    QByteArray header;
    const std::pair<const char*, int> columns[] = {
        {"Documento", 300}, {"Protocollo n.", 200}, {"Produttore", 250}, {"Indirizzo produttore", 250},
        {"Data produzione", 200}, {"Destinatario", 250}, {"Indirizzo destinatario", 250}, {"Data ricezione", 200},
        {"Oggetto", 400}, {"Tipo documento", 250}, {"Classificazione", 250}, {"Fascicolo contenitore", 300},
        {"Formato", 250}, {"N. pagine", 200}, {"Allegati", 300}, {"Riferimenti", 300},
        {"Livello di riservatezza", 250}, {"Software di produzione", 250}, {"Luogo conservazione", 250},
        {"Soggetti citati nel documento", 400}, {"Note", 400}, {"Da completare", 120}};
    for (const auto& [caption, width] : columns)
      header += "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + caption +
                "</td>";
    QVERIFY(xls.contains("<tr>" + header + "</tr>"));
    QCOMPARE(xls.count("<tr>"), 5);
    QVERIFY(xls.contains("<td class=\"t\" style=\"text-align: left;\">No</td></tr><tr>"));
    QVERIFY(xls.contains("<td class=\"t\" style=\"text-align: left;\">S\xEC</td></tr>"));
    QVERIFY(xls.contains("Comune di Forl\xEC"));
    QVERIFY(!xls.contains("relazione geologica.pdf")); // the scanned copy stays out
    QFile::remove(QDir::temp().filePath(QStringLiteral("velarion_Altri_Documenti.xls")));
    QFile::copy(xlsPath, QDir::temp().filePath(QStringLiteral("velarion_Altri_Documenti.xls")));

    // the card as the user sees it, at the two screen sizes
    drive::find(card, QStringLiteral("txtOggetto"))->setFocus();
    for (const QSize size : {QSize(1366, 768), QSize(1024, 768)}) {
      card->setWindowState(Qt::WindowNoState);
      card->resize(size);
      QApplication::processEvents();
      QVERIFY(card->grab().save(QDir::temp().filePath(QStringLiteral("velarion_altri_%1.png").arg(size.width()))));
    }

    // leaving returns to the menu
    click("cmdEsci");
    QVERIFY(menu->isVisible());
    QVERIFY(!card->isVisible());
    startup::finish();
  }

  // Once through the print dialog of the desktop, to a PDF file, looked at
  // as a picture.
  void printedCardThroughThePrintDialog() {
    if (tool(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
    TempProgramFolder folder;
    RecordingMessages messages;
    FixedClock clock(QDate(2026, 12, 10), QTime(9, 30, 15));
    startup::start()->hide();
    card = screenkit::ScreenSet::find(QStringLiteral("TfrmAltri"));
    QVERIFY(drive::show(card));
    type("txtDocumento", QStringLiteral("Relazione tecnica sul consolidamento delle fondazioni dell'edificio scolastico "
                                        "di via Emilia, con allegati grafici e calcoli strutturali"));
    type("txtProduttore", QStringLiteral("Ing. Verdi"));
    drive::find<QLineEdit>(card, QStringLiteral("txtDataPro"))->setText(QStringLiteral("03/12/2026"));
    type("txtOggetto", QStringLiteral("Consolidamento fondazioni"));
    type("txtLuogo", QStringLiteral("Archivio, scaffale 3"));
    const QString pdf = folder.path(QStringLiteral("scheda_documento.pdf"));
    Modals modals({[](QWidget* m) { drive::click(m, QStringLiteral("btnStampa")); },
                   [&](QWidget* m) {
                     // the printer "to file (PDF)" and its file, as the user picks them
                     QVERIFY(qobject_cast<QPrintDialog*>(m));
                     auto* printers = drive::find<QComboBox>(m, QStringLiteral("printers"));
                     const int toPdf = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
                     QVERIFY2(toPdf >= 0, qPrintable(printers->itemText(0)));
                     printers->setCurrentIndex(toPdf);
                     drive::find<QLineEdit>(m, QStringLiteral("filename"))->setText(pdf);
                     auto* ok = m->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
                     QVERIFY(ok);
                     ok->click();
                   }});
    click("cmdStampa");
    QTRY_VERIFY(QFile::exists(pdf));
    QCOMPARE(modals.seen, (QStringList{QStringLiteral("TfrmStampaAltri"), QString()}));
    QProcess text;
    text.start(tool(QStringLiteral("pdftotext")), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(page.contains(QStringLiteral("SCHEDA RIASSUNTIVA DEL DOCUMENTO")), qPrintable(page));
    QVERIFY(page.contains(QStringLiteral("Luogo conservazione:")));
    QVERIFY(page.contains(QStringLiteral("Archivio, scaffale 3")));
    QVERIFY(page.contains(QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:30:15")));
    if (!tool(QStringLiteral("pdftoppm")).isEmpty())
      QProcess::execute(tool(QStringLiteral("pdftoppm")),
                        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"), QStringLiteral("-singlefile"),
                         pdf, QDir::temp().filePath(QStringLiteral("velarion_scheda_documento"))});
    startup::finish();
  }
};

QTEST_MAIN(DocumentFlowTest)
#include "test_documentflow.moc"
