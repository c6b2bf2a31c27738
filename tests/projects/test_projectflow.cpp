// The projects as a new user meets them: the tile of the main menu, the
// year, three projects with all five sections filled, browsing, the RTF
// sheet, a search, the overdue summary, the export, the help and the way
// back to the menu. With VELARION_SHOTS set, the card's sections and the
// sheet are also left there to be looked at.
#include "projectfixture.h"

#include "app/shell/screens/applications.h"
#include "app/shell/screens/mainmenu.h"
#include "common/help.h"
#include "common/screens/calendarscreen.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "projects/screens/rtfsheetscreen.h"
#include "projects/screens/projectcard.h"
#include "cardtest.h"
#include "screendriver.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>

#include <memory>

namespace {

// A screen left as a picture in VELARION_SHOTS, when set.
void shot(QWidget* screen, const QString& name) {
  if (const QString shots = qEnvironmentVariable("VELARION_SHOTS"); !shots.isEmpty())
    screen->grab().save(shots + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class ProjectFlowTest : public CardTest {
  Q_OBJECT

  QWidget* card = nullptr;

  QWidget* driven() const override { return card; }
  // A date from the calendar, opened by the picture beside the date field.
  void pickDate(const char* field, QDate day) {
    const QString picture = QStringLiteral("cal") + QLatin1String(field).mid(3);
    const QString seen = drive::withModal([&] { drive::click(card, picture); },
                                          [day](QWidget* m) {
                                            auto* cal = static_cast<TfrmCalendario*>(m);
                                            cal->setSelectedDate(day);
                                            drive::click(cal, QStringLiteral("btnImportaData"));
                                          });
    QCOMPARE(seen, QStringLiteral("TfrmCalendario"));
  }

private slots:
  void newUserYear() {
    ScreenTestSeams seams;
    RecordingShell shell;
    std::vector<HelpTopic> helped;
    help::setViewer([&](QWidget*, HelpTopic t) { helped.push_back(t); });
    RecordingMessages& messages = seams.messages;

    // the main menu and the projects application, as the shell makes them
    TfrmAvvio menu;
    screenkit::ScreenSet::add(&menu);
    std::unique_ptr<QWidget> yearScreen;
    for (const Application& app : applications())
      if (QLatin1String(app.picture) == QLatin1String("imgProgetti")) yearScreen.reset(app.create());
    QVERIFY(yearScreen);
    screenkit::ScreenSet::add(yearScreen.get());
    std::unique_ptr<QWidget> owned(screenkit::ScreenSet::find(QStringLiteral("TfrmReferti")));
    card = owned.get();
    QVERIFY(card);
    menu.hide();
    menu.show();

    // this year, through the tile
    QVERIFY(drive::show(&menu));
    drive::click(&menu, QStringLiteral("imgProgetti"));
    QVERIFY(yearScreen->isVisible());
    QCOMPARE(yearScreen->objectName(), QStringLiteral("TfrmMenuReferti"));
    QCOMPARE(drive::text(yearScreen.get(), QStringLiteral("txtAnnoPreventivi")), QStringLiteral("2026"));
    drive::click(yearScreen.get(), QStringLiteral("btnApriPreventivi"));
    QVERIFY(card->isVisible() && !yearScreen->isVisible());
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Archivio progetti anno 2026"));
    QCOMPARE(text("lblFile"), projectsPath());
    QVERIFY(drive::show(card));

    // 1: a project with all five sections filled, past its due date
    type("txtNome", QStringLiteral("Villa Bianchi \u00E0 Forl\u00EC"));
    type("txtCodice", QStringLiteral("VB-01"));
    type("txtAmbito", QStringLiteral("Edilizia residenziale"));
    type("txtAnnotazioni", QStringLiteral("Nota {con graffa} e \\ barra\nSecondo rigo \u20AC"));
    type("txtDescrizione", QStringLiteral("Ampliamento al piano terra"));
    pickDate("txtDataInizio", QDate(2026, 2, 1));
    pickDate("txtDataScade", QDate(2026, 11, 30));
    type("txtCostoPrev", QStringLiteral("12500,12345"));
    type("txtStato", QStringLiteral("In corso"));
    QCOMPARE(text("txtCostoPrev"), QStringLiteral("12500,1235"));
    type("txtResponsabile", QStringLiteral("Arch. Rossi"));
    type("txtRecapito", QStringLiteral("0543 123456"));
    type("txtObiettivi", QStringLiteral("Agibilit\u00E0 entro l'anno"));
    type("txtQuestioni", QStringLiteral("Parere della Soprintendenza"));
    type("txtFasi", QStringLiteral("Rilievo\nProgetto\nCantiere"));
    click("btnPartecipanti_A");
    type("txtMembri", QStringLiteral("Rossi: progettazione\nNeri: calcoli strutturali"));
    type("txtTotMembri", QStringLiteral("2"));
    click("btnMateriali_A");
    type("txtMateriali", QStringLiteral("Laser scanner \u20AC 1.200\nStazione totale"));
    type("txtTecniche", QStringLiteral("BIM\nFotogrammetria"));
    click("btnRegistro_A");
    type("txtEspletate", QStringLiteral("Rilievo completato"));
    type("txtSvolgere", QStringLiteral("Deposito in Comune\nDirezione lavori"));
    click("btnCosti_A");
    type("txtCosti", QStringLiteral("Rilievo 1.000 \u20AC\nProgetto 8.000 \u20AC"));
    type("txtEffettuati", QStringLiteral("Acconto 1.000 \u20AC"));
    type("txtEffettuare", QStringLiteral("Saldo 11.500 \u20AC"));
    type("txtTotCosti", QStringLiteral("1000"));
    click("cmdSalva");
    QCOMPARE(messages.last().kind, MessageKind::Information);
    QCOMPARE(messages.lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    QCOMPARE(text("txtTotCosti"), QStringLiteral("1000,00")); // never left, normalised by the save

    // 2: finished, also past its due date
    click("cmdNuovo");
    type("txtNome", QStringLiteral("Capannone Verdi"));
    type("txtCodice", QStringLiteral("CV-02"));
    pickDate("txtDataInizio", QDate(2026, 1, 10));
    pickDate("txtDataScade", QDate(2026, 10, 15));
    type("txtResponsabile", QStringLiteral("Ing. Neri"));
    drive::click(card, QStringLiteral("chkTerminato"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));

    // 3: a copy of it, not finished, due next year
    click("cmdDuplica");
    QVERIFY(drive::find<QCheckBox>(card, QStringLiteral("chkTerminato"))->isChecked());
    type("txtNome", QStringLiteral("Scuola Gialli"));
    drive::click(card, QStringLiteral("chkTerminato"));
    pickDate("txtDataScade", QDate(2027, 1, 31));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("3"));
    QCOMPARE(QFileInfo(projectsPath()).size(), 3 * qint64(TRecProgetto().size()));

    // browsing shows each project as it was typed
    click("cmdPrimo");
    QCOMPARE(text("txtNome"), QStringLiteral("Villa Bianchi \u00E0 Forl\u00EC"));
    QCOMPARE(text("txtDataScade"), QStringLiteral("30/11/2026"));
    QCOMPARE(text("txtCostoPrev"), QStringLiteral("12500,1235"));
    QCOMPARE(drive::find<QPlainTextEdit>(card, QStringLiteral("txtSvolgere"))->toPlainText(),
             QStringLiteral("Deposito in Comune\nDirezione lavori"));
    QCOMPARE(text("txtAnnotazioni"), QStringLiteral("Nota {con graffa} e \\ barra\nSecondo rigo \u20AC"));
    click("cmdAvanti");
    QCOMPARE(text("txtNome"), QStringLiteral("Capannone Verdi"));
    QVERIFY(drive::find<QCheckBox>(card, QStringLiteral("chkTerminato"))->isChecked());
    click("cmdUltimo");
    QCOMPARE(text("txtNome"), QStringLiteral("Scuola Gialli"));
    QCOMPARE(text("txtCodice"), QStringLiteral("CV-02"));

    // the sheet of the first project
    click("cmdPrimo");
    messages.clear();
    messages.answers = {true, true};
    const QString dialog = drive::withModal([&] { click("cmdStampa"); }, [](QWidget* m) {
      QCOMPARE(m->windowTitle(), QStringLiteral(" Esporta scheda in RTF"));
      QCOMPARE(drive::text(m, QStringLiteral("lblMemory")), QStringLiteral("referti"));
      shot(m, QStringLiteral("TfrmCreaRTF"));
      drive::click(m, QStringLiteral("btnStampa"));
      QVERIFY(!m->isVisible());
    });
    QCOMPARE(dialog, QStringLiteral("TfrmCreaRTF"));
    const QString sheetPath = seams.folder.path(QStringLiteral("Scheda_Progetto.rtf"));
    const QByteArray sheet = fileBytes(sheetPath);
    QVERIFY(sheet.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040"));
    QVERIFY(sheet.contains("\\pard\\f0\\fs20 Nome progetto:\\b0\\f1  \\f0 Villa Bianchi \xE0 Forl\xEC\\par"));
    QVERIFY(sheet.contains("\\b Fasi previste:\\b0\\f1  \\f0 Rilievo\\par Progetto\\par Cantiere\\par"));
    QVERIFY(sheet.contains("\\b Compiti da svolgere:\\b0\\f1  \\f0 Deposito in Comune\\par Direzione lavori\\par"));
    QVERIFY(sheet.contains("\\b Costo preventivato:\\b0\\f1  \\f0 12500,1235\\par"));
    QVERIFY(sheet.endsWith("\\b Annotazioni:\\b0\\f1  \\f0 Nota \\{con graffa\\} e \\\\ barra\\par Secondo rigo \x80"
                           "\\b\\par\\par }"));
    QCOMPARE(messages.shown.size(), size_t(2));
    QCOMPARE(shell.opened, std::vector<QString>{sheetPath});
    if (const QString shots = qEnvironmentVariable("VELARION_SHOTS"); !shots.isEmpty())
      QFile::copy(sheetPath, shots + QStringLiteral("/Scheda_Progetto.rtf"));
    // Annulla writes nothing
    QFile::remove(sheetPath);
    drive::withModal([&] { click("cmdStampa"); }, [](QWidget* m) { drive::click(m, QStringLiteral("btnAnnulla")); });
    QVERIFY(!QFile::exists(sheetPath));

    // found by a criterion
    click("cmdUltimo");
    drive::withModal([&] { click("cmdTrova"); }, [&](QWidget* m) {
      auto* s = static_cast<lists::ListScreen*>(m);
      QCOMPARE(s->objectName(), QStringLiteral("TfrmTrovaProgetti"));
      QCOMPARE(s->windowTitle(), QStringLiteral(" Trova progetti in archivio"));
      drive::type(s, QStringLiteral("txtResponsabile"), QStringLiteral("ROSSI"));
      shot(s, QStringLiteral("TfrmTrovaProgetti_criteri"));
      drive::click(s, QStringLiteral("btnCerca"));
      shot(s, QStringLiteral("TfrmTrovaProgetti_elenco"));
      QCOMPARE(drive::text(s, QStringLiteral("lblTrovate")), QStringLiteral("Il presente riepilogo contiene 1 schede."));
      QCOMPARE(s->lines().front(), QStringLiteral("Villa Bianchi \u00E0 Forl\u00EC").leftJustified(40) +
                                       QStringLiteral("  Cod. VB-01") + QString(21, QLatin1Char(' ')) +
                                       QStringLiteral("  Inizio: 01/02/2026  Scad. 30/11/2026  Arch. Rossi  Tel. "
                                                      "0543 123456"));
      s->pick(0);
    });
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    QCOMPARE(text("txtNome"), QStringLiteral("Villa Bianchi \u00E0 Forl\u00EC"));

    // the overdue summary lists the unfinished project past its due date only
    click("cmdUltimo");
    drive::withModal([&] { click("cmdScaduti"); }, [&](QWidget* m) {
      auto* s = static_cast<lists::ListScreen*>(m);
      QCOMPARE(s->windowTitle(), QStringLiteral(" Riepilogo progetti scaduti non ultimati"));
      QCOMPARE(s->lines().size(), qsizetype(1));
      shot(s, QStringLiteral("TfrmProgettiScaduti"));
      QVERIFY(s->lines().front().startsWith(QStringLiteral("Villa Bianchi")));
      s->pick(0);
    });
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

    // the year exported
    messages.answers = {true, false};
    drive::withModal([&] { click("cmdEsporta"); }, [&](QWidget* m) {
      auto* e = static_cast<grids::GridScreen*>(m);
      QCOMPARE(e->windowTitle(), QStringLiteral(" Esporta archivio progetti in Microsoft Excel"));
      QCOMPARE(e->table().rows(), 3);
      shot(e, QStringLiteral("TfrmExpReferti"));
      drive::click(e, QStringLiteral("cmdEsporta"));
    });
    const QByteArray xls = fileBytes(seams.folder.path(QStringLiteral("Progetti.xls")));
    QVERIFY(xls.contains("<x:Name>Riepilogo Progetti</x:Name>"));
    QCOMPARE(xls.count("<tr>"), 4);
    QVERIFY(xls.indexOf("Villa Bianchi \xE0 Forl\xEC") < xls.indexOf("Capannone Verdi"));
    QVERIFY(xls.indexOf("Capannone Verdi") < xls.indexOf("Scuola Gialli"));
    QVERIFY(!xls.contains("Rilievo completato")); // memos are not exported
    if (const QString shots = qEnvironmentVariable("VELARION_SHOTS"); !shots.isEmpty())
      QFile::copy(seams.folder.path(QStringLiteral("Progetti.xls")), shots + QStringLiteral("/Progetti.xls"));

    // help, and the way back to the menu
    click("cmdGuida");
    QCOMPARE(helped, std::vector<HelpTopic>{HelpTopic::Progetti});
    if (const QString shots = qEnvironmentVariable("VELARION_SHOTS"); !shots.isEmpty()) {
      const char* stems[] = {"Descrizione", "Partecipanti", "Materiali", "Registro", "Costi"};
      card->showNormal();
      for (QSize size : {QSize(1366, 768), QSize(1024, 768)}) {
        card->resize(size);
        for (const char* stem : stems) {
          QWidget* tab = drive::find(card, QStringLiteral("btn%1_A").arg(QLatin1String(stem)));
          if (tab->isVisible()) QTest::mouseClick(tab, Qt::LeftButton);
          QApplication::processEvents();
          shot(card, QStringLiteral("TfrmReferti_%1_%2").arg(size.width()).arg(QLatin1String(stem)));
        }
      }
    }
    click("cmdEsci");
    QVERIFY(!card->isVisible());
    QVERIFY(menu.isVisible());
    help::setViewer({});
    screenkit::ScreenSet::remove(yearScreen.get());
    screenkit::ScreenSet::remove(&menu);
  }
};

QTEST_MAIN(ProjectFlowTest)
#include "test_projectflow.moc"
