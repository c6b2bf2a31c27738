// The deadline screen: the start panel on every entry, the reminder check
// with its banner and alarm, the card of the opened year with what is
// particular to it, its print, its tax-code button and its lists.
#include "deadlinefixture.h"
#include "deadlinescreens.h"

#include "common/checks/screens/checks_screens.h"
#include "common/help.h"
#include "common/reports.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "deadlines/screens/deadlinescreen.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

class DeadlineScreenTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<RecordingAlarm> alarm;
  std::unique_ptr<MenuStandIn> menu;
  std::unique_ptr<TfrmScadenzario> screen;

  QWidget* s() { return screen.get(); }
  QWidget* driven() const override { return screen.get(); }

  // The year opened and a deadline typed that passes every check.
  void openAndType(const QString& year = QStringLiteral("2026")) {
    type("txtAnno", year);
    click("btnApri");
    pick(s(), "txtGiorno", QStringLiteral("05"));
    pick(s(), "txtMese", QStringLiteral("Marzo"));
    pick(s(), "txtOreApp", QStringLiteral("09"));
    pick(s(), "txtMinutiApp", QStringLiteral("30"));
    type("txtAvviso", QStringLiteral("3"));
    type("txtCliente", QStringLiteral("Rossi Mario"));
    type("txtOggetto", QStringLiteral("Ristrutturazione villetta"));
    type("txtDettagli", QStringLiteral("Saldo parcella"));
  }

private slots:
  void init() {
    seat();
    alarm = std::make_unique<RecordingAlarm>();
    menu = std::make_unique<MenuStandIn>();
    screen = std::make_unique<TfrmScadenzario>();
    QVERIFY(drive::show(s()));
  }
  void cleanup() {
    screen.reset();
    menu.reset();
    alarm.reset();
    unseat();
  }

  void startPanelOnEveryEntry() {
    QCOMPARE(s()->windowTitle(), QStringLiteral(" Velarion - Scadenze e Appuntamenti"));
    QVERIFY(shown("panAvvio"));
    QVERIFY(!shown("panContainer"));
    QCOMPARE(text("txtAnno"), QStringLiteral("2026"));
    QCOMPARE(drive::focused(), QStringLiteral("txtAnno"));
    QCOMPARE(drive::find<QCalendarWidget>(s(), QStringLiteral("calAppuntamenti"))->selectedDate(), QDate(2026, 12, 10));
    QStringList labels;
    for (QLabel* l : s()->findChildren<QLabel*>()) labels << l->text();
    for (const char* t : {"Indicare l'anno solare e premere Apri.",
                          "Accedi all'archivio annuale per inserire o modificare le scadenze.",
                          "Visualizza le scadenze imminenti.", "Premere OK per ottenere l'elenco delle scadenze."})
      QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
    QCOMPARE(drive::find(s(), QStringLiteral("btnGiorno"))->accessibleName(), QStringLiteral("SCADENZE DEL GIORNO"));
    QCOMPARE(drive::find(s(), QStringLiteral("btnMese"))->accessibleName(), QStringLiteral("SCADENZE DEL MESE"));
    QCOMPARE(drive::find<QPushButton>(s(), QStringLiteral("btnOK"))->text(), QStringLiteral("OK"));
    QVERIFY2(s()->minimumSizeHint().width() <= 1024 && s()->minimumSizeHint().height() <= 768,
             qPrintable(QStringLiteral("%1x%2").arg(s()->minimumSizeHint().width()).arg(s()->minimumSizeHint().height())));

    // the year: digits only, four of them; Enter moves to "Apri"
    type("txtAnno", QStringLiteral("2a0b2"));
    QCOMPARE(text("txtAnno"), QStringLiteral("202"));
    click("btnApri");
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
    QCOMPARE(drive::focused(), QStringLiteral("txtAnno"));
    QVERIFY(shown("panAvvio"));
    type("txtAnno", QStringLiteral("2027"));
    drive::key(s(), QStringLiteral("txtAnno"), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("btnApri"));

    // "Apri": the card of the year, a new card; the year's file is not made yet
    QTest::keyClick(drive::find(s(), QStringLiteral("btnApri")), Qt::Key_Return);
    QCOMPARE(s()->windowTitle(), QStringLiteral(" Velarion - Scadenze e appuntamenti anno 2027"));
    QVERIFY(!shown("panAvvio"));
    QVERIFY(shown("panContainer"));
    QCOMPARE(text("lblAnno"), QStringLiteral("2027"));
    QCOMPARE(text("lblFile"), yearFile(2027));
    QVERIFY(!QFileInfo::exists(yearFile(2027)));
    QCOMPARE(text("txtGiorno"), QString());
    QCOMPARE(text("txtMese"), QString());
    QCOMPARE(text("txtOreApp"), QStringLiteral("00"));
    QCOMPARE(text("txtMinutiApp"), QStringLiteral("00"));
    QCOMPARE(text("txtCosto"), QStringLiteral("0,00"));
    QCOMPARE(text("lblPosizione"), QString());
    QCOMPARE(drive::focused(), QStringLiteral("txtGiorno"));
    QCOMPARE(text("panInfo"), QStringLiteral("Pronto per archiviare una nuova scheda..."));

    // leaving: the start panel again for the next entry, the menu shown
    type("txtCliente", QStringLiteral("Rossi"));
    const int stops = alarm->stops;
    click("cmdEsci");
    QCOMPARE(s()->windowTitle(), QStringLiteral(" Velarion - Scadenze e appuntamenti"));
    QVERIFY(!s()->isVisible());
    QVERIFY(menu->menu.isVisible());
    QCOMPARE(alarm->stops, stops + 1);
    // showing the screen keeps the card; opening a year starts a new one
    QVERIFY(drive::show(s()));
    QVERIFY(shown("panAvvio"));
    QCOMPARE(text("txtCliente"), QStringLiteral("Rossi"));
    click("btnApri");
    QCOMPARE(text("txtCliente"), QString());
    QCOMPARE(text("lblAnno"), QStringLiteral("2026"));
  }

  // The alarm plays once on an entry that finds an imminent deadline, never
  // otherwise, and stops when the screen closes; the banner shows only what
  // the check found; a bad record hides nothing; an archive that cannot be
  // read is reported.
  void reminderCheckOnEntry() {
    QVERIFY(QFileInfo::exists(yearFile(2026))); // made empty by the first check
    QVERIFY(shown("imgAssenti"));
    QVERIFY(!shown("imgPresenti"));
    QVERIFY(!drive::find(s(), QStringLiteral("btnOK"))->isEnabled());
    QVERIFY(alarm->played.empty());

    auto reenter = [this] {
      screen->close();
      QVERIFY(drive::show(s()));
    };
    Record bad = deadlineRecord(QStringLiteral("12/12/2026"), QStringLiteral("09:00"), QStringLiteral("tre"));
    appendDeadlines(2026, {bad, deadlineRecord(QStringLiteral("30/12/2026"), QStringLiteral("09:00"), QStringLiteral("5"))});
    reenter();
    QVERIFY(shown("imgAssenti"));
    QVERIFY(alarm->played.empty());

    appendDeadlines(2026, {deadlineRecord(QStringLiteral("12/12/2026"), QStringLiteral("09:00"), QStringLiteral("3"))});
    reenter();
    QVERIFY(shown("imgPresenti"));
    QVERIFY(!shown("imgAssenti"));
    QVERIFY(drive::find(s(), QStringLiteral("btnOK"))->isEnabled());
    QCOMPARE(alarm->played, std::vector<QString>{seams->folder.path(QStringLiteral("Avviso.mp3"))});
    QVERIFY(messages().shown.empty());
    const int stops = alarm->stops;
    screen->close(); // the window's close button
    QCOMPARE(alarm->stops, stops + 1);
    QVERIFY(menu->menu.isVisible());

    // the archive cannot be read: said so, and no banner left from before
    QFile::remove(yearFile(2026));
    QDir().mkpath(yearFile(2026));
    QVERIFY(drive::show(s()));
    QVERIFY(shown("imgAssenti"));
    QVERIFY(!shown("imgPresenti"));
    QVERIFY(!drive::find(s(), QStringLiteral("btnOK"))->isEnabled());
    QCOMPARE(messages().last().kind, MessageKind::Error);
    QCOMPARE(messages().lastText(), archiveAccessMessage());
    QCOMPARE(alarm->played.size(), size_t(1));
  }

  void savingChecksComposesAndAppends() {
    openAndType();
    pick(s(), "txtGiorno", QStringLiteral("31"));
    pick(s(), "txtMese", QStringLiteral("Aprile"));
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Plain);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: la data 31/04/2026 non esiste.\n\r\n\rPer poter salvare "
                                                   "la scheda \u00E8 necessario indicare una data valida."));
    QCOMPARE(drive::focused(), QStringLiteral("txtGiorno"));
    QVERIFY(!QFileInfo::exists(yearFile(2026)) || QFileInfo(yearFile(2026)).size() == 0);

    type("txtOggetto", QString());
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(drive::focused(), QStringLiteral("txtOggetto"));
    type("txtOggetto", QStringLiteral("Ristrutturazione villetta"));

    pick(s(), "txtGiorno", QStringLiteral("30"));
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente \u00E8 stata salvata in archivio."));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    QCOMPARE(text("lblData"), QStringLiteral("30/04/2026"));
    QCOMPARE(text("lblOra"), QStringLiteral("09:30"));
    click("cmdSalva");
    QCOMPARE(messages().lastText(),
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    TArchivioSchede a(yearFile(2026), TRecScadenza().size());
    a.open();
    QCOMPARE(a.count(), 1);
    const Record stored = decode(TRecScadenza(), a.read(1).constData());
    a.close();
    QCOMPARE(stored["Data"], QStringLiteral("30/04/2026"));
    QCOMPARE(stored["Anno"], QStringLiteral("2026"));
    QCOMPARE(stored["Mese"], QStringLiteral("Aprile"));
    QCOMPARE(stored["Costo"], QStringLiteral("0,00"));
    QCOMPARE(stored["Effettuata"], QStringLiteral("No"));

    // a recurring deadline: the copy keeps all but its day and time
    drive::find<QCheckBox>(s(), QStringLiteral("chkEffettuata"))->setChecked(true);
    type("txtCosto", QStringLiteral("120,5"));
    click("cmdDuplica");
    QCOMPARE(messages().lastText(), QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                   "corrente.\n\r\n\rAl termine premere Salva per inserire la scheda in "
                                                   "archivio."));
    QCOMPARE(text("lblPosizione"), QString());
    QCOMPARE(text("txtGiorno"), QString());
    QCOMPARE(text("txtMese"), QString());
    QCOMPARE(text("txtOreApp"), QStringLiteral("00"));
    QCOMPARE(text("txtMinutiApp"), QStringLiteral("00"));
    QCOMPARE(text("txtAvviso"), QStringLiteral("3"));
    QCOMPARE(text("txtCliente"), QStringLiteral("Rossi Mario"));
    QCOMPARE(text("txtDettagli"), QStringLiteral("Saldo parcella"));
    QCOMPARE(text("txtCosto"), QStringLiteral("120,50"));
    QCOMPARE(text("chkEffettuata"), QStringLiteral("S\u00EC"));
    QCOMPARE(drive::focused(), QStringLiteral("txtGiorno"));
    pick(s(), "txtGiorno", QStringLiteral("31"));
    pick(s(), "txtMese", QStringLiteral("Maggio"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
  }

  // Tab walks the card in the order of its labels, the two check boxes in
  // their places, and comes back round to the day.
  void tabFollowsTheCard() {
    openAndType();
    drive::find(s(), QStringLiteral("txtGiorno"))->setFocus(Qt::OtherFocusReason);
    QStringList walked{drive::focused()};
    for (int i = 0; i < 21; ++i) {
      drive::press(Qt::Key_Tab);
      walked << drive::focused();
    }
    QCOMPARE(walked, QStringList({"txtGiorno", "txtMese", "txtOreApp", "txtMinutiApp", "txtAvviso", "txtCliente",
                                  "txtCodFisc", "txtRecapito", "txtOggetto", "txtTipologia", "txtProtocollo",
                                  "txtApertura", "txtChiusura", "txtStato", "txtConsulente", "txtDettagli",
                                  "txtOfficina", "txtCosto", "txtContatto", "chkDaConfermare", "txtNote",
                                  "chkEffettuata"}));
  }

  // The card's commands have their usual keys here too: Ctrl+S saves from a
  // field, Page Up goes back a card even from the notes memo, and the
  // tooltips name the keys.
  void commandKeys() {
    openAndType();
    QTest::keyClick(drive::find(s(), QStringLiteral("txtCliente")), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente \u00E8 stata salvata in archivio."));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    click("cmdDuplica");
    pick(s(), "txtGiorno", QStringLiteral("06"));
    pick(s(), "txtMese", QStringLiteral("Marzo"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QWidget* notes = drive::find(s(), QStringLiteral("txtDettagli"));
    notes->setFocus();
    QTest::keyClick(notes, Qt::Key_PageUp);
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    QVERIFY(drive::find(s(), QStringLiteral("cmdSalva"))->toolTip().contains(QKeySequence(Qt::CTRL | Qt::Key_S).toString(QKeySequence::NativeText)));
  }

  // Esc on the start panel leaves the screen as its exit picture does. On
  // the card a typed deadline is not dropped: Esc asks, and "Salva" saves
  // it as the save command does before the screen closes.
  void escLeavesLikeTheExitPicture() {
    const int stops = alarm->stops;
    drive::key(s(), QStringLiteral("txtAnno"), Qt::Key_Escape);
    QVERIFY(!s()->isVisible());
    QVERIFY(menu->menu.isVisible());
    QCOMPARE(s()->windowTitle(), QStringLiteral(" Velarion - Scadenze e appuntamenti"));
    QCOMPARE(alarm->stops, stops + 1);

    QVERIFY(drive::show(s()));
    openAndType();
    messages().saveAnswers = {SaveAnswer::Save};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(messages().saveQuestions, 1);
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente \u00E8 stata salvata in archivio."));
    QVERIFY(!s()->isVisible());
    QVERIFY(menu->menu.isVisible());
    TArchivioSchede a(yearFile(2026), TRecScadenza().size());
    a.open(TArchivioSchede::Access::Read);
    QCOMPARE(a.count(), RecordPosition(1));
    QCOMPARE(decode(TRecScadenza(), a.read(1).constData())["Cliente"], QStringLiteral("Rossi Mario"));
  }

  // "Importo in euro" typed over as a person does: entered with Enter, Tab
  // or a click, its value is selected and what is typed replaces it; the
  // usual editing keys work; one typed and saved without leaving the field
  // is stored normalised.
  void amountTypedOverFromTheKeyboard() {
    openAndType();
    QCOMPARE(text("txtCosto"), QStringLiteral("0,00"));
    drive::key(s(), QStringLiteral("txtOfficina"), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtCosto"));
    drive::keys(QStringLiteral("1500\n"));
    QCOMPARE(text("txtCosto"), QStringLiteral("1500,00"));
    QCOMPARE(drive::focused(), QStringLiteral("txtContatto"));

    type("txtCosto", QStringLiteral("75"));
    drive::press(Qt::Key_Tab);
    QCOMPARE(text("txtCosto"), QStringLiteral("75,00"));
    drive::find(s(), QStringLiteral("txtOfficina"))->setFocus(Qt::OtherFocusReason);
    drive::press(Qt::Key_Tab);
    QCOMPARE(drive::focused(), QStringLiteral("txtCosto"));
    drive::keys(QStringLiteral("12"));
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente \u00E8 stata salvata in archivio."));
    QCOMPARE(text("txtCosto"), QStringLiteral("12,00"));
    {
      TArchivioSchede a(yearFile(2026), TRecScadenza().size());
      a.open(TArchivioSchede::Access::Read);
      QCOMPARE(decode(TRecScadenza(), a.read(1).constData())["Costo"], QStringLiteral("12,00"));
    }

    // a click selects it as well
    drive::find(s(), QStringLiteral("txtNote"))->setFocus(Qt::OtherFocusReason);
    drive::clickField(s(), QStringLiteral("txtCosto"));
    drive::keys(QStringLiteral("8,5"));
    QCOMPARE(text("txtCosto"), QStringLiteral("8,5"));
    // Home, Shift+End and Ctrl+A are editing keys here as anywhere
    drive::press(Qt::Key_Home);
    drive::keys(QStringLiteral("1"));
    QCOMPARE(text("txtCosto"), QStringLiteral("18,5"));
    drive::press(Qt::Key_Home);
    drive::press(Qt::Key_End, Qt::ShiftModifier);
    drive::keys(QStringLiteral("3"));
    QCOMPARE(text("txtCosto"), QStringLiteral("3"));
    drive::press(Qt::Key_A, Qt::ControlModifier);
    drive::keys(QStringLiteral("40"));
    drive::press(Qt::Key_Tab);
    QCOMPARE(text("txtCosto"), QStringLiteral("40,00"));
  }

  // An amount the field cannot hold once normalised (more than 10 digits
  // before the comma) is kept as typed and refused when left and at save.
  void anAmountTooLargeIsRefused() {
    openAndType();
    const QString tooLarge = QStringLiteral("Attenzione: l'importo indicato \u00E8 troppo grande.\n\r\n\rL'importo "
                                            "pu\u00F2 avere al massimo 10 cifre prima della virgola.");
    type("txtCosto", QStringLiteral("12345678901"));
    drive::press(Qt::Key_Tab);
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), tooLarge);
    QCOMPARE(text("txtCosto"), QStringLiteral("12345678901"));
    click("cmdSalva");
    QCOMPARE(messages().lastText(), tooLarge);
    QCOMPARE(drive::focused(), QStringLiteral("txtCosto"));
    QVERIFY(!QFileInfo::exists(yearFile(2026)) || QFileInfo(yearFile(2026)).size() == 0);
    // the largest it holds, typed over and saved without leaving
    drive::keys(QStringLiteral("1234567890,12345"));
    QCOMPARE(text("txtCosto"), QStringLiteral("1234567890,1234")); // 15 characters
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente \u00E8 stata salvata in archivio."));
    TArchivioSchede a(yearFile(2026), TRecScadenza().size());
    a.open(TArchivioSchede::Access::Read);
    QCOMPARE(decode(TRecScadenza(), a.read(1).constData())["Costo"], QStringLiteral("1234567890,1234"));
  }

  // The amount is normalised to four decimals, half up on the digits typed,
  // when it is left; an empty one is saved as 0,00.
  void amountAndTypingRules() {
    openAndType();
    const std::pair<const char*, const char*> amounts[] = {
        {"12", "12,00"},       {"12,5", "12,50"}, {"0,12346", "0,1235"}, {"5,01085", "5,0109"},
        {"1,2,3", "0,00"},     {",", "0,00"},     {",5", "0,50"},        {"12a", "12,00"},
        {"", "0,00"},          {"7,", "7,00"},
    };
    for (const auto& [typed, shownText] : amounts) {
      type("txtCosto", QString::fromUtf8(typed));
      drive::key(s(), QStringLiteral("txtNote"), Qt::Key_Shift); // the focus leaves the amount
      QCOMPARE(text("txtCosto"), QString::fromUtf8(shownText));
    }
    type("txtCosto", QString());
    click("cmdSalva");
    QCOMPARE(text("txtCosto"), QStringLiteral("0,00"));

    // pick lists take no typing; Backspace empties them; a text that is not
    // one of their items does not stay
    pick(s(), "txtGiorno", QStringLiteral("05"));
    QTest::keyClick(drive::find(s(), QStringLiteral("txtGiorno")), Qt::Key_7);
    QCOMPARE(text("txtGiorno"), QStringLiteral("05"));
    QTest::keyClick(drive::find(s(), QStringLiteral("txtGiorno")), Qt::Key_Backspace);
    QCOMPARE(text("txtGiorno"), QString());
    screenkit::setTextOf(drive::find(s(), QStringLiteral("txtMese")), QStringLiteral("Marzolino"));
    drive::find(s(), QStringLiteral("txtMese"))->setFocus(Qt::OtherFocusReason);
    drive::find(s(), QStringLiteral("txtNote"))->setFocus(Qt::OtherFocusReason);
    QCOMPARE(text("txtMese"), QString());

    type("txtAvviso", QStringLiteral("1a2"));
    QCOMPARE(text("txtAvviso"), QStringLiteral("12"));
    type("txtCodFisc", QStringLiteral(" rssmra85 "));
    QCOMPARE(text("txtCodFisc"), QStringLiteral("RSSMRA85"));

    // Enter runs along the fields, the notes leading back to the day
    drive::key(s(), QStringLiteral("txtMinutiApp"), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtAvviso"));
    drive::key(s(), QStringLiteral("txtCosto"), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtContatto"));
    drive::key(s(), QStringLiteral("txtNote"), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtGiorno"));
  }

  // Digits only open the VAT-number check, anything else (nothing included)
  // the tax-code check, each with the field's value.
  void taxCodeButton() {
    openAndType();
    const std::pair<const char*, const char*> cases[] = {
        {"", "TfrmCodFisc"}, {"RSSMRA85T10A562S", "TfrmCodFisc"}, {"01234567890", "TfrmPartitaIva"}};
    for (const auto& [value, expected] : cases) {
      type("txtCodFisc", QString::fromUtf8(value));
      QString given;
      const QString opened = drive::withModal([this] { click("btnCodFisc"); }, [&](QWidget* m) {
        if (auto* c = qobject_cast<CheckScreen*>(m)) given = c->edit()->text();
      });
      QCOMPARE(opened, QString::fromUtf8(expected));
      QCOMPARE(given, QString::fromUtf8(value));
    }
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(drive::find(s(), QStringLiteral("btnCodFisc")), &enter);
    QCOMPARE(text("panInfo"), QStringLiteral("Controlla il codice fiscale."));
    QApplication::sendEvent(drive::find(s(), QStringLiteral("cmdEsci")), &enter);
    QCOMPARE(text("panInfo"), QStringLiteral("Esci da questa schermata di lavoro."));
    QApplication::sendEvent(drive::find(s(), QStringLiteral("cmdDaEffettuare")), &enter);
    QCOMPARE(text("panInfo"),
             QStringLiteral("Visualizza il riepilogo dei pagamenti da effettuare, sia scaduti che non."));

    // help from the card and from the start panel
    std::vector<HelpTopic> asked;
    help::setViewer([&](QWidget*, HelpTopic t) { asked.push_back(t); });
    click("cmdGuida");
    click("cmdEsci");
    QVERIFY(drive::show(s()));
    click("imgGuida");
    help::setViewer({});
    QCOMPARE(asked, (std::vector<HelpTopic>{HelpTopic::Scadenzario, HelpTopic::Scadenzario}));
  }

  // The card as the screen shows it, unsaved, straight to the printer.
  void printsTheCardAsShown() {
    RecordingReportOutput printed;
    openAndType();
    type("txtCosto", QStringLiteral("80,5"));
    drive::key(s(), QStringLiteral("txtCosto"), Qt::Key_Return);
    drive::find<QCheckBox>(s(), QStringLiteral("chkDaConfermare"))->setChecked(true);
    click("cmdStampa");
    QCOMPARE(printed.calls.size(), size_t(1));
    QCOMPARE(int(printed.last().call), int(RecordingReportOutput::Call::Print));
    const report::Report& r = printed.last().report;
    QCOMPARE(r.text(QStringLiteral("txtTitolo")), QStringLiteral("SCHEDA SCADENZA / APPUNTAMENTO"));
    const std::pair<const char*, const char*> rows[] = {
        {"Data scadenza:", "05 Marzo 2026"}, {"Ora appuntamento:", "09:30"}, {"Giorni preavviso:", "3"},
        {"Cliente:", "Rossi Mario"},         {"Codice fiscale:", ""},        {"Recapito preferenziale:", ""},
        {"Oggetto pratica:", "Ristrutturazione villetta"}, {"Tipologia:", ""}, {"Protocollo n.", ""},
        {"Data apertura:", ""},              {"Data chiusura:", ""},         {"Stato avanzamento:", ""},
        {"Consulente o curatore:", ""},      {"Causale scadenza:", "Saldo parcella"},
        {"Modalit\u00E0 di pagamento:", ""}, {"Importo in euro:", "80,50"}, {"Estremi ricevuta:", ""},
        {"Note:", ""},                       {"Appuntamento da confermare:", "S\u00EC"},
        {"Pagamento effettuato:", "No"},     {" ", " "}, {" ", " "}, {" ", " "}, {" ", " "},
    };
    for (int n = 1; n <= 24; ++n) {
      QCOMPARE(r.text(report::cardTitleName(n)), QString::fromUtf8(rows[n - 1].first));
      if (n >= 21 || *rows[n - 1].second) QCOMPARE(r.text(report::cardValueName(n)), QString::fromUtf8(rows[n - 1].second));
    }
    QCOMPARE(r.text(QStringLiteral("txtCalce")), QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:30:15"));
    QVERIFY(!QFileInfo::exists(yearFile(2026)) || QFileInfo(yearFile(2026)).size() == 0);
  }

  // The lists of the card panel read the opened year and hand a picked
  // deadline back to the card.
  void listsOfTheCard() {
    Record confirm = deadlineRecord(QStringLiteral("14/05/2026"), QStringLiteral("14:30"), QStringLiteral("2"),
                                    QStringLiteral("Sopralluogo in cantiere"));
    confirm.setFlag("DaConfermare", true);
    Record paid = deadlineRecord(QStringLiteral("03/06/2026"), QStringLiteral("09:00"), QStringLiteral("2"),
                                 QStringLiteral("Acconto"));
    paid.setFlag("Effettuata", true);
    appendDeadlines(2026, {confirm, paid});
    appendDeadlines(2025, {deadlineRecord(QStringLiteral("01/02/2025"), QStringLiteral("09:00"), QStringLiteral("2"))});
    type("txtAnno", QStringLiteral("2026"));
    click("btnApri");

    struct Summary {
      const char* command;
      const char* screen;
      const char* caption;
      int lines;
      const char* position; // after picking the first line
    } summaries[] = {
        {"cmdDaConfermare", "TfrmDaConfermare", " Riepilogo appuntamenti da confermare", 1, "1"},
        {"cmdDaEffettuare", "TfrmConfermati", " Riepilogo pagamenti da effettuare", 1, "1"},
        {"cmdEffettuate", "TfrmNonConfermati", " Riepilogo pagamenti effettuati", 1, "2"},
    };
    for (const Summary& sm : summaries) {
      click("cmdNuovo");
      QString caption;
      int lines = -1;
      const QString opened = drive::withModal([&] { click(sm.command); }, [&](QWidget* m) {
        auto* list = qobject_cast<lists::ListScreen*>(m);
        caption = list->windowTitle();
        lines = int(list->entries().size());
        list->pick(0);
      });
      QCOMPARE(opened, QString::fromUtf8(sm.screen));
      QCOMPARE(caption, QString::fromUtf8(sm.caption));
      QCOMPARE(lines, sm.lines);
      QCOMPARE(text("lblPosizione"), QString::fromUtf8(sm.position));
    }
    QCOMPARE(text("txtDettagli"), QStringLiteral("Acconto"));
    QCOMPARE(text("txtGiorno"), QStringLiteral("03"));
    QCOMPARE(text("txtMese"), QStringLiteral("Giugno"));
    QCOMPARE(text("chkEffettuata"), QStringLiteral("S\u00EC"));

    // the search, from the card
    QString count;
    const QString opened = drive::withModal([this] { click("cmdTrova"); }, [&](QWidget* m) {
      auto* search = qobject_cast<lists::ListScreen*>(m);
      QCOMPARE(search->windowTitle(), QStringLiteral(" Trova scadenze pagamenti in archivio"));
      screenkit::setTextOf(drive::find(search, QStringLiteral("txtDettagli")), QStringLiteral("sopra"));
      search->cerca();
      count = drive::text(search, QStringLiteral("lblTrovate"));
      search->pick(0);
    });
    QCOMPARE(opened, QStringLiteral("TfrmTrovaScadenzario"));
    QCOMPARE(count, QStringLiteral("Il presente elenco contiene 1 schede."));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    QVERIFY(drive::find<QCheckBox>(s(), QStringLiteral("chkDaConfermare"))->isChecked());

    // the export of the year
    messages().answers = {true, false};
    int rows = -1;
    drive::withModal([this] { click("cmdEsporta"); }, [&](QWidget* m) {
      auto* grid = qobject_cast<grids::GridScreen*>(m);
      QCOMPARE(grid->objectName(), QStringLiteral("TfrmExpScadenzario"));
      QCOMPARE(grid->windowTitle(), QStringLiteral(" Esporta archivio Scadenzario pagamenti"));
      rows = grid->table().rows();
      grid->esporta();
    });
    QCOMPARE(rows, 2);
    QFile xls(seams->folder.path(QStringLiteral("Scadenze_e_Appuntamenti.xls")));
    QVERIFY(xls.open(QIODevice::ReadOnly));
    const QByteArray content = xls.readAll();
    QVERIFY(content.contains("<x:Name>Scadenze e appuntamenti</x:Name>"));
    QCOMPARE(content.count("font-weight: bold;"), 19);
    QVERIFY(content.contains("width=300>Modalit\xE0 di pagamento</td>"));
    QVERIFY(content.indexOf("Sopralluogo") < content.indexOf("Acconto"));
  }
};

QTEST_MAIN(DeadlineScreenTest)
#include "test_deadlinescreen.moc"
