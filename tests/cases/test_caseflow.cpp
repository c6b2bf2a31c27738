// The office cases as a new user meets them: three cases, a client
// imported into one, one marked urgent with its document lines, found again
// by a criterion and by the urgent summary, previewed, its folder opened and
// the archive exported.
#include "app/shell/screens/applications.h"
#include "archive/archivio.h"
#include "cases/caselists.h"
#include "cases/pratica.h"
#include "cases/screens/casedocuments.h"
#include "cases/screens/casecard.h"
#include "clients/cliente.h"
#include "common/screens/casefolderscreen.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "common/screens/screenkit.h"
#include "seed.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

class CaseFlowTest : public QObject {
  Q_OBJECT

  template <class T = QWidget> T* w(QWidget* screen, const char* name) {
    T* c = screen->findChild<T*>(QLatin1String(name));
    if (!c) qFatal("no control %s", name);
    return c;
  }
  // Presses a command that opens a modal satellite and acts on it.
  template <class Screen> void withModal(QWidget* card, const char* command, std::function<void(Screen*)> act) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* s = qobject_cast<Screen*>(QApplication::activeModalWidget());
      if (!s) return;
      seen = true;
      act(s);
      if (s->isVisible()) s->close();
    });
    QTest::mouseClick(w(card, command), Qt::LeftButton);
    QVERIFY2(seen, command);
  }

private slots:
  void initTestCase() { registerModules(); }
  void newUserDay() {
    TempProgramFolder folder;
    RecordingMessages messages;
    RecordingShell shell;
    RecordingReportOutput printed;
    FixedClock clock(QDate(2026, 12, 10));
    {
      // two clients in the register
      Record c(TRecCliente());
      c.set("Cliente", QStringLiteral("Rossi Mario"));
      c.set("Recapito", QStringLiteral("0543 123456"));
      c.set("IndirizzoRes", QStringLiteral("Via Emilia 1"));
      c.set("ComuneRes", QStringLiteral("Forlì"));
      c.set("ProvRes", QStringLiteral("FC"));
      c.set("CapRes", QStringLiteral("47121"));
      c.set("CodFisc", QStringLiteral("RSSMRA85T10A562S"));
      c.set("Email", QStringLiteral("rossi@esempio.it"));
      Record verdi = c;
      verdi.set("Cliente", QStringLiteral("Verdi Lucia"));
      seed::append(folder.path(QStringLiteral("Clienti.pro")), TRecCliente(), {c, verdi});
    }
    TfrmPratica card;
    card.show();
    auto set = [&](const char* name, const QString& t) { screenkit::setTextOf(w(&card, name), t); };
    auto text = [&](const char* name) { return screenkit::textOf(w(&card, name)); };
    auto click = [&](const char* name) { QTest::mouseClick(w(&card, name), Qt::LeftButton); };

    // 1: a case with a client imported from the register
    click("cmdNuovo");
    QCOMPARE(text("txtApertura"), QStringLiteral("10/12/2026"));
    set("txtOggetto", QStringLiteral("Ristrutturazione villetta"));
    set("txtProtocollo", QStringLiteral("P-1"));
    set("txtNote", QStringLiteral("resta"));
    withModal<lists::ListScreen>(&card, "impCliente", [&](lists::ListScreen* s) {
      QCOMPARE(s->objectName(), QStringLiteral("TfrmTrovaClienti"));
      screenkit::setTextOf(w(s, "txtCliente"), QStringLiteral("ROSSI"));
      s->cerca();
      QCOMPARE(s->entries().size(), size_t(1));
      s->pick(0);
    });
    QCOMPARE(text("txtCliente"), QStringLiteral("Rossi Mario"));
    QCOMPARE(text("txtComuneRes"), QStringLiteral("Forlì"));
    QCOMPARE(text("txtCodFisc"), QStringLiteral("RSSMRA85T10A562S"));
    QCOMPARE(text("txtNote"), QStringLiteral("resta"));
    QCOMPARE(text("lblPosizione"), QString());
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

    // 2: urgent, with document lines
    click("cmdNuovo");
    set("txtOggetto", QStringLiteral("Frazionamento terreno"));
    set("txtProtocollo", QStringLiteral("P-2"));
    set("txtCliente", QStringLiteral("Verdi Lucia"));
    w<QCheckBox>(&card, "chkUrgente")->setChecked(true);
    withModal<TfrmDettagli>(&card, "btnElenco", [&](TfrmDettagli* d) {
      d->line(1)->setText(QStringLiteral("Estratto di mappa"));
      d->line(3)->setText(QStringLiteral("Tipo di frazionamento"));
      QTest::mouseClick(w(d, "btnChiudi"), Qt::LeftButton);
    });
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));

    // 3
    click("cmdNuovo");
    set("txtOggetto", QStringLiteral("Accatastamento"));
    set("txtProtocollo", QStringLiteral("P-3"));
    set("txtCliente", QStringLiteral("Bianchi"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("3"));

    // found again by a criterion
    click("cmdNuovo");
    withModal<lists::ListScreen>(&card, "cmdTrova", [&](lists::ListScreen* s) {
      QCOMPARE(s->windowTitle(), QStringLiteral(" Trova pratiche in archivio"));
      screenkit::setTextOf(w(s, "txtOggetto"), QStringLiteral("fraz"));
      s->cerca();
      QCOMPARE(screenkit::textOf(w(s, "lblTrovate")), QStringLiteral("Il presente riepilogo contiene 1 schede."));
      QCOMPARE(s->lines().front(),
               QStringLiteral("Frazionamento terreno                       Prot. P-2               Data: 10/12/2026  "
                              "Verdi Lucia                   Tel. ") +
                   QString(14 + 2, QLatin1Char(' ')));
      s->pick(0);
    });
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QCOMPARE(text("txtOggetto"), QStringLiteral("Frazionamento terreno"));
    QCOMPARE(text("lblDoc03"), QStringLiteral("Tipo di frazionamento"));
    QVERIFY(w<QCheckBox>(&card, "chkUrgente")->isChecked());

    // and by the urgent summary
    click("cmdPrimo");
    withModal<lists::ListScreen>(&card, "cmdUrgente", [&](lists::ListScreen* s) {
      QCOMPARE(s->entries().size(), size_t(1));
      s->pick(0);
    });
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));

    // previewed as shown
    click("cmdAnteprima");
    QCOMPARE(int(printed.last().call), int(RecordingReportOutput::Call::Preview));
    const report::Report& r = printed.last().report;
    QCOMPARE(r.text(QStringLiteral("txtTitolo")), QStringLiteral("SCHEDA DETTAGLI PRATICA"));
    QCOMPARE(r.text(QStringLiteral("titCampo22")), QStringLiteral("Documento associato 3:"));
    QCOMPARE(r.text(QStringLiteral("txtCampo22")), QStringLiteral("Tipo di frazionamento"));

    // its folder
    withModal<TfrmCartella>(&card, "cmdCartella", [&](TfrmCartella* c) { c->apriCartella(); });
    QVERIFY(!shell.opened.empty());
    QVERIFY(shell.opened.back().endsWith(QStringLiteral("Pratica_2")));
    QVERIFY(QFileInfo(shell.opened.back()).isDir());
    click("cmdNuovo");
    click("cmdCartella");
    QCOMPARE(messages.last().kind, MessageKind::Warning);
    QCOMPARE(messages.lastText(), QStringLiteral("Attenzione: l'abbinamento di una cartella ad una pratica può avvenire soltanto dopo che la scheda è stata inserita in archivio."));

    // the archive exported
    messages.answers = {true, false};
    withModal<grids::GridScreen>(&card, "cmdExcel", [&](grids::GridScreen* e) {
      QCOMPARE(e->windowTitle(), QStringLiteral(" Esporta archivio pratiche in Microsoft Excel"));
      QCOMPARE(e->table().rows(), 3);
      e->esporta();
    });
    QFile xlsFile(folder.path(QStringLiteral("Pratiche.xls")));
    QVERIFY(xlsFile.open(QIODevice::ReadOnly));
    const QByteArray xls = xlsFile.readAll();
    QVERIFY(xls.contains("<x:Name>Riepilogo Pratiche</x:Name>"));
    QCOMPARE(xls.count("<td style=\"text-align: left; font-weight: bold;\""), 20);
    QCOMPARE(xls.count("<tr>"), 4);
    QVERIFY(xls.indexOf("Ristrutturazione") < xls.indexOf("Frazionamento"));
    QVERIFY(xls.indexOf("Frazionamento") < xls.indexOf("Accatastamento"));
    QVERIFY(xls.contains("Forl\xEC"));
    QVERIFY(!xls.contains('\n') && !xls.contains('\r'));

    // the deadline card imports ten case fields through the same search
    QWidget deadline;
    deadline.setObjectName(QStringLiteral("TfrmScadenzario"));
    const char* ten[] = {"txtOggetto", "txtTipologia", "txtProtocollo", "txtApertura", "txtChiusura",
                         "txtStato",   "txtConsulente", "txtCliente",   "txtRecapito", "txtCodFisc"};
    for (const char* name : ten) (new QLineEdit(&deadline))->setObjectName(QLatin1String(name));
    (new QLineEdit(&deadline))->setObjectName(QStringLiteral("txtNote"));
    screenkit::ScreenSet::add(&deadline);
    click("cmdPrimo");
    const QString caseShown = text("txtOggetto");
    {
      lists::ListScreen search(caseSearchList());
      search.setCallerTag(QStringLiteral("scadenzario"));
      search.show();
      screenkit::setTextOf(w(&search, "txtCliente"), QStringLiteral("verdi"));
      search.cerca();
      search.pick(0);
    }
    QCOMPARE(screenkit::textOf(w(&deadline, "txtOggetto")), QStringLiteral("Frazionamento terreno"));
    QCOMPARE(screenkit::textOf(w(&deadline, "txtProtocollo")), QStringLiteral("P-2"));
    QCOMPARE(screenkit::textOf(w(&deadline, "txtApertura")), QStringLiteral("10/12/2026"));
    QCOMPARE(screenkit::textOf(w(&deadline, "txtCliente")), QStringLiteral("Verdi Lucia"));
    QCOMPARE(screenkit::textOf(w(&deadline, "txtNote")), QString());
    QCOMPARE(text("txtOggetto"), caseShown); // the case card is untouched
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    screenkit::ScreenSet::remove(&deadline);

    // the document list as the user sees it
    TfrmDettagli documents(&card);
    documents.resize(documents.sizeHint());
    QVERIFY(documents.grab().save(QDir::temp().filePath(QStringLiteral("velarion_dettagli.png"))));
  }
};

QTEST_MAIN(CaseFlowTest)
#include "test_caseflow.moc"
