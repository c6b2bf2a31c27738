// The cash book's screens: the selection screen with its year, reason and
// pick lists, its checks and messages in order, a cash book that cannot be
// read; the result screen with its totals, the find that is remembered from
// one cash book to the next, the print and help.
#include "movements/movimento.h"
#include "cashbook/screens/cashbookscreen.h"
#include "cashbook/screens/cashbookmenu.h"

#include "archive/archivio.h"
#include "common/help.h"
#include "movementfixture.h"
#include "cardtest.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QComboBox>
#include <QListView>
#include <QPushButton>
#include <QtTest>

namespace {

QByteArray stored(bool income, const char* date, const char* reason, const char* amount) {
  return encode(movementfixture::record(income, date, reason, amount, date));
}

} // namespace

class CashBookScreensTest : public CardTest {
  Q_OBJECT

  QWidget* mainMenu = nullptr;
  std::unique_ptr<TfrmMenuBilancio> menu;

  QWidget* w() { return menu.get(); }
  QComboBox* combo(const char* name) { return drive::find<QComboBox>(w(), QLatin1String(name)); }
  void choose(const char* name, const QString& item) {
    QComboBox* c = combo(name);
    c->setCurrentIndex(c->findText(item)); // as a choice from the drop-down does
  }
  void chooseInterval(const char* d1, const char* m1, const char* d2, const char* m2) {
    choose("txtGiornoInizio", QLatin1String(d1));
    choose("txtMeseInizio", QLatin1String(m1));
    choose("txtGiornoFine", QLatin1String(d2));
    choose("txtMeseFine", QLatin1String(m2));
  }
  void writeYear(std::initializer_list<seed::Stored> records) {
    seed::append(seams->folder.path(QStringLiteral("2026.eur")), TRecMovimento(), records);
  }
  // "Visualizza riepilogo" pressed; the cash book it opens, if any, handed to `act`.
  QString visualizza(const std::function<void(TfrmBilancio*)>& act = {}) {
    return drive::withModal([&] { drive::click(w(), QStringLiteral("btnVisualizza")); },
                            [&](QWidget* s) {
                              if (act) act(qobject_cast<TfrmBilancio*>(s));
                            });
  }

private slots:
  void init() {
    seat();
    mainMenu = new QWidget;
    mainMenu->setObjectName(QStringLiteral("TfrmAvvio"));
    screenkit::ScreenSet::add(mainMenu);
    writeYear({stored(true, "05/05/2026", "Parcella villetta, IVA inclusa", "1250,00"),
               stored(true, "12/05/2026", "Rivalutazione ISTAT", "100,50"),
               stored(false, "16/05/2026", "Versamento IVA", "80,00"),
               stored(false, "20/05/2026", "Affitto studio", "300,00")});
    menu = std::make_unique<TfrmMenuBilancio>();
    QVERIFY(drive::show(w()));
  }
  void cleanup() {
    menu.reset();
    screenkit::ScreenSet::remove(mainMenu);
    delete mainMenu;
    unseat();
  }

  void onShowTheYearAndEmptyChoices() {
    QCOMPARE(w()->windowTitle(), QStringLiteral(" Velarion - Primanota e Bilancio"));
    QCOMPARE(drive::text(w(), QStringLiteral("txtAnno")), QStringLiteral("2026"));
    QCOMPARE(drive::text(w(), QStringLiteral("lblAnnoInizio")), QStringLiteral("2026"));
    QCOMPARE(drive::text(w(), QStringLiteral("lblAnnoFine")), QStringLiteral("2026"));
    QCOMPARE(drive::focused(), QStringLiteral("txtTipologia"));
    QCOMPARE(drive::find<QPushButton>(w(), QStringLiteral("btnVisualizza"))->text(), QStringLiteral("Visualizza riepilogo"));
    QVERIFY(!drive::find(w(), QStringLiteral("lblAttendere"))->isVisible());
    QCOMPARE(drive::text(w(), QStringLiteral("lblAttendere")), QStringLiteral("Caricamento riepilogo in corso. Attendere..."));
    for (const char* c : {"txtGiornoInizio", "txtMeseInizio", "txtGiornoFine", "txtMeseFine"}) {
      QCOMPARE(combo(c)->currentIndex(), -1);
      QVERIFY(combo(c)->currentText().isEmpty());
    }
    QCOMPARE(combo("txtGiornoFine")->count(), 31);
    QCOMPARE(combo("txtMeseFine")->itemText(11), QStringLiteral("Dicembre"));

    // the years beside the dates follow the year typed
    drive::type(w(), QStringLiteral("txtAnno"), QStringLiteral("2025"));
    QCOMPARE(drive::text(w(), QStringLiteral("lblAnnoInizio")), QStringLiteral("2025"));
    QCOMPARE(drive::text(w(), QStringLiteral("lblAnnoFine")), QStringLiteral("2025"));

    // shown again: choices and reason emptied, this year again
    drive::type(w(), QStringLiteral("txtTipologia"), QStringLiteral("iva"));
    chooseInterval("01", "Maggio", "31", "Maggio");
    w()->hide();
    QVERIFY(drive::show(w()));
    QCOMPARE(drive::text(w(), QStringLiteral("txtAnno")), QStringLiteral("2026"));
    QCOMPARE(drive::text(w(), QStringLiteral("lblAnnoFine")), QStringLiteral("2026"));
    QVERIFY(drive::text(w(), QStringLiteral("txtTipologia")).isEmpty());
    QCOMPARE(combo("txtMeseInizio")->currentIndex(), -1);
  }

  void pickListsTakeOnlyTheirEntries() {
    drive::type(w(), QStringLiteral("txtGiornoInizio"), QStringLiteral("12"));
    QVERIFY(combo("txtGiornoInizio")->currentText().isEmpty());
    choose("txtMeseInizio", QStringLiteral("Marzo"));
    drive::key(w(), QStringLiteral("txtMeseInizio"), Qt::Key_A);
    QCOMPARE(combo("txtMeseInizio")->currentText(), QStringLiteral("Marzo"));
    drive::key(w(), QStringLiteral("txtMeseInizio"), Qt::Key_Backspace);
    QVERIFY(combo("txtMeseInizio")->currentText().isEmpty());
  }

  void enterMovesInItsOrder() {
    const char* order[] = {"txtAnno", "txtTipologia", "txtGiornoInizio", "txtMeseInizio", "txtGiornoFine", "txtMeseFine",
                           "btnVisualizza"};
    drive::find(w(), QStringLiteral("txtAnno"))->setFocus();
    for (size_t i = 1; i < std::size(order); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QCOMPARE(drive::focused(), QLatin1String(order[i]));
    }
  }

  void checksAndTheirMessagesInOrder() {
    const QString needed =
        QStringLiteral("\n\r\n\rPer poter visualizzare il riepilogo \u00E8 necessario indicare una data valida.");
    struct Step {
      std::function<void()> change;
      MessageKind kind;
      QString message;
      const char* focus;
    } steps[] = {
        {[&] { drive::type(w(), QStringLiteral("txtAnno"), QStringLiteral("202")); }, MessageKind::Warning,
         QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."), "txtAnno"},
        {[&] { drive::type(w(), QStringLiteral("txtAnno"), QStringLiteral("2026")); }, MessageKind::Warning,
         QStringLiteral("Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."),
         "txtGiornoInizio"},
        {[&] { choose("txtGiornoInizio", QStringLiteral("31")); }, MessageKind::Warning,
         QStringLiteral("Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."),
         "txtMeseInizio"},
        {[&] { choose("txtMeseInizio", QStringLiteral("Aprile")); }, MessageKind::Warning,
         QStringLiteral("Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."),
         "txtGiornoFine"},
        {[&] { choose("txtGiornoFine", QStringLiteral("29")); }, MessageKind::Warning,
         QStringLiteral("Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."),
         "txtMeseFine"},
        {[&] { choose("txtMeseFine", QStringLiteral("Febbraio")); }, MessageKind::Plain,
         QStringLiteral("Attenzione: la data 31/04/2026 di inizio intervallo non esiste.") + needed, "txtGiornoInizio"},
        {[&] { choose("txtGiornoInizio", QStringLiteral("30")); }, MessageKind::Plain,
         QStringLiteral("Attenzione: la data 29/02/2026 di fine intervallo non esiste.") + needed, "txtGiornoFine"},
        {[&] { choose("txtGiornoFine", QStringLiteral("28")); }, MessageKind::Plain,
         QStringLiteral("Attenzione: la data di fine intervallo (28/02/2026) non pu\u00F2 essere anteriore a quella di "
                        "inizio intervallo (30/04/2026).\n\r\n\rPer poter visualizzare il riepilogo \u00E8 necessario "
                        "indicare un intervallo di tempo valido."),
         nullptr},
    };
    for (const Step& s : steps) {
      s.change();
      QCOMPARE(visualizza(), QString()); // no cash book opens
      QCOMPARE(seams->messages.last().kind, s.kind);
      QCOMPARE(seams->messages.lastText(), s.message);
      if (s.focus) QCOMPARE(drive::focused(), QLatin1String(s.focus));
      QVERIFY(!drive::find(w(), QStringLiteral("lblAttendere"))->isVisible());
    }
    QCOMPARE(drive::text(w(), QStringLiteral("lblDataInizio")), QStringLiteral("30/04/2026"));
    QCOMPARE(drive::text(w(), QStringLiteral("lblDataFine")), QStringLiteral("28/02/2026"));
  }

  // A movement whose date cannot be read: no cash book, partial or not,
  // and a warning that names it.
  void aCashBookThatCannotBeReadIsNotShown() {
    writeYear({stored(false, "3l/05/2026", "Versamento IVA", "80,00")});
    chooseInterval("01", "Maggio", "31", "Maggio");
    QCOMPARE(visualizza(), QString());
    QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
    QVERIFY2(seams->messages.lastText().startsWith(
                 QStringLiteral("Attenzione: la data operazione della scheda n. 5 in archivio non \u00E8 leggibile.")),
             qPrintable(seams->messages.lastText()));
    QVERIFY(!drive::find(w(), QStringLiteral("lblAttendere"))->isVisible());
    QCOMPARE(drive::text(w(), QStringLiteral("lblFile")), seams->folder.path(QStringLiteral("2026.eur")));
  }

  void theCashBookItsFindAndItsPrint() {
    RecordingReportOutput printed;
    std::vector<HelpTopic> helped;
    help::setViewer([&](QWidget*, HelpTopic t) { helped.push_back(t); });
    drive::type(w(), QStringLiteral("txtTipologia"), QStringLiteral("iva"));
    chooseInterval("01", "Maggio", "31", "Maggio");
    const QString opened = visualizza([&](TfrmBilancio* b) {
      QVERIFY(b);
      QVERIFY(drive::find(w(), QStringLiteral("lblAttendere"))->isVisible());
      QCOMPARE(b->windowTitle(), QStringLiteral(" Velarion - Primanota e Bilancio"));
      QCOMPARE(drive::text(b, QStringLiteral("titTipologia")), QStringLiteral("iva"));
      QCOMPARE(drive::text(b, QStringLiteral("lblIntervallo")), QStringLiteral("Dal   01/05/2026   al   31/05/2026"));
      QCOMPARE(drive::text(b, QStringLiteral("lblTotEntrate")), QStringLiteral("1350,50 \u20AC"));
      QCOMPARE(drive::text(b, QStringLiteral("lblTotUscite")), QStringLiteral("-80,00 \u20AC"));
      QCOMPARE(drive::text(b, QStringLiteral("lblBilancio")), QStringLiteral("1270,50 \u20AC"));
      QCOMPARE(b->lines().size(), 3);
      QVERIFY(b->lines()[2].startsWith(QStringLiteral("USCITA   Versamento IVA")));
      QCOMPARE(b->focusWidget()->objectName(), QStringLiteral("txtTrova"));
      QCOMPARE(drive::find<QPushButton>(b, QStringLiteral("btnStampa"))->text(), QStringLiteral("Stampa primanota"));

      drive::type(b, QStringLiteral("txtTrova"), QStringLiteral("ENTRATA"));
      drive::click(b, QStringLiteral("btnTrova"));
      QCOMPARE(b->list()->currentIndex().row(), 0);
      drive::click(b, QStringLiteral("btnTrova"));
      QCOMPARE(b->list()->currentIndex().row(), 1);

      seams->messages.answers = {false};
      drive::click(b, QStringLiteral("btnStampa"));
      QCOMPARE(seams->messages.last().kind, MessageKind::Question);
      QCOMPARE(seams->messages.lastText(), QStringLiteral("Si vuole stampare la presente primanota?"));
      QVERIFY(printed.empty());
      drive::click(b, QStringLiteral("btnStampa"));
      drive::click(b, QStringLiteral("imgGuida"));
      drive::click(b, QStringLiteral("btnEsci"));
    });
    QCOMPARE(opened, QStringLiteral("TfrmBilancio"));
    QVERIFY(!drive::find(w(), QStringLiteral("lblAttendere"))->isVisible());
    help::setViewer({});
    QCOMPARE(helped, std::vector<HelpTopic>{HelpTopic::Bilancio});

    QCOMPARE(printed.calls.size(), size_t(1));
    const report::Report& r = printed.last().report;
    QCOMPARE(r.name(), QStringLiteral("Primanota"));
    QCOMPARE(r.orientation(), QPageLayout::Landscape);
    QCOMPARE(r.text(QStringLiteral("txtTitolo")), QStringLiteral("PRIMANOTA E BILANCIO - Causale :  iva"));
    const QStringList lines = r.text(QStringLiteral("txtRiepilogo")).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines.mid(3), (QStringList{"- - - - - - - - - - - - - - - -",
                                        "INTERVALLO SELEZIONATO :      Dal   01/05/2026   al   31/05/2026",
                                        "TOTALE ENTRATE :              1350,50 \u20AC",
                                        "TOTALE USCITE :               -80,00 \u20AC",
                                        "BILANCIO ENTRATE E USCITE :   1270,50 \u20AC"}));

    // opened again: the last find text is still known, so "Trova" goes on
    // from the first line to the next one holding it
    visualizza([&](TfrmBilancio* b) {
      drive::type(b, QStringLiteral("txtTrova"), QStringLiteral("entrata"));
      drive::click(b, QStringLiteral("btnTrova"));
      QCOMPARE(b->list()->currentIndex().row(), 1);
    });
  }

  void anEmptyCashBookIsNotPrinted() {
    RecordingReportOutput printed;
    drive::type(w(), QStringLiteral("txtTipologia"), QStringLiteral("assicurazione"));
    chooseInterval("01", "Gennaio", "31", "Dicembre");
    visualizza([&](TfrmBilancio* b) {
      QCOMPARE(drive::text(b, QStringLiteral("lblBilancio")), QStringLiteral("0,00 \u20AC"));
      seams->messages.clear();
      drive::click(b, QStringLiteral("btnStampa"));
      QCOMPARE(seams->messages.shown.size(), size_t(1)); // no question
      QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
      QCOMPARE(seams->messages.lastText(), QStringLiteral("Operazione di stampa non applicabile: la primanota non "
                                                          "contiene nessun movimento in entrata o in uscita."));
      drive::click(b, QStringLiteral("btnTrova"));
      QCOMPARE(seams->messages.lastText(), QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    });
    QVERIFY(printed.empty());
  }

  void esciGoesBackToTheMainMenu() {
    drive::click(w(), QStringLiteral("btnEsci"));
    QVERIFY(!w()->isVisible());
    QVERIFY(mainMenu->isVisible());
  }
};

QTEST_MAIN(CashBookScreensTest)
#include "test_cashbookscreens.moc"
