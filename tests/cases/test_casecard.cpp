// The case record layout and the case card driven as a user would.
#include "archive/archivio.h"
#include "cases/pratica.h"
#include "cases/screens/casecard.h"
#include "cases/screens/casedocuments.h"
#include "common/screens/screenkit.h"
#include "cardtest.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"
#include "tests/common/screens/cardpictures.h"
#include "tests/engines/recordingreportoutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class CaseCardTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<TfrmPratica> card;

  QWidget* driven() const override { return card.get(); }
  QString pos() { return text("lblPosizione"); }
  Record stored(int n) {
    TArchivioSchede a(folder().path(QStringLiteral("Pratiche.pro")), 5075);
    a.open(TArchivioSchede::Access::Read);
    return decode(TRecPratica(), a.read(n).constData());
  }

private slots:
  void layoutMatchesTheRecordFile() {
    const RecordLayout& l = TRecPratica();
    QCOMPARE(l.size(), 5075);
    QCOMPARE(l.fieldCount(), 59);
    const std::pair<const char*, int> offsets[] = {
        {"Oggetto", 0},      {"Tipologia", 251},   {"Protocollo", 302}, {"Apertura", 333},  {"Chiusura", 344},
        {"Stato", 355},      {"Documenti", 386},   {"Uffici", 637},     {"Consulente", 888}, {"Cliente", 939},
        {"Recapito", 990},   {"IndirizzoRes", 1041}, {"ComuneRes", 1092}, {"ProvRes", 1143}, {"CapRes", 1146},
        {"CodFisc", 1152},   {"PartitaIva", 1169}, {"Saldati", 1181},   {"Sospesi", 1432},  {"Note", 1683},
        {"Urgente", 1934},   {"Doc01", 1937},      {"Doc02", 1988},     {"Doc32", 1937 + 51 * 31},
        {"File01", 3569},    {"File02", 3820},     {"File03", 4071},    {"Desc01", 4322},   {"Desc02", 4573},
        {"Desc03", 4824}};
    for (auto [name, offset] : offsets) QCOMPARE(l.offsetOf(name), offset);
  }

  void init() {
    seat(QDate(2028, 2, 29));
    card = std::make_unique<TfrmPratica>();
    card->show();
    QVERIFY(QTest::qWaitForWindowExposed(card.get()));
  }
  void cleanup() {
    card.reset();
    unseat();
  }

  void requiredFieldsInOrderThenSave() {
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Archivio Pratiche"));
    QCOMPARE(text("panInfo"), QStringLiteral("Pronto per stampare una nuova scheda..."));
    QCOMPARE(text("txtApertura"), QString()); // opening leaves the date empty
    const std::pair<const char*, const char*> steps[] = {
        {"txtOggetto", "Attenzione: per salvare la scheda è necessario indicare l'oggetto della pratica."},
        {"txtProtocollo", "Attenzione: per salvare la scheda è necessario indicare il numero di protocollo della pratica."},
        {"txtApertura", "Attenzione: per salvare la scheda è necessario indicare la data di apertura della pratica."},
        {"txtCliente", "Attenzione: per salvare la scheda è necessario indicare il nome del Cliente."},
    };
    for (const auto& [control, message] : steps) {
      click("cmdSalva");
      QCOMPARE(messages().last().kind, MessageKind::Warning);
      QCOMPARE(messages().lastText(), QString::fromUtf8(message));
      QCOMPARE(QApplication::focusWidget(), w(QLatin1String(control)));
      // the opening date is a date
      set(control, QLatin1String(control) == QLatin1String("txtApertura") ? QStringLiteral("05/03/2026")
                                                                          : QStringLiteral("  valore  "));
    }
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(pos(), QStringLiteral("1"));
    const Record r = stored(1);
    QCOMPARE(r["Oggetto"], QStringLiteral("valore"));
    QCOMPARE(r["Apertura"], QStringLiteral("05/03/2026"));
    QCOMPARE(r["Urgente"], QStringLiteral("No"));
    QCOMPARE(r["Doc01"], QString());
    QCOMPARE(QFile(folder().path(QStringLiteral("Pratiche.pro"))).size(), 5075);
  }

  void todayButtonsNewCardAndUrgentMark() {
    set("txtApertura", QStringLiteral("01/01/2020"));
    click("impApertura");
    QCOMPARE(text("txtApertura"), QStringLiteral("29/02/2028"));
    click("impChiusura");
    QCOMPARE(text("txtChiusura"), QStringLiteral("29/02/2028"));
    click("cmdNuovo");
    QCOMPARE(text("txtApertura"), QStringLiteral("29/02/2028"));
    QCOMPARE(text("txtChiusura"), QString());
    QCOMPARE(w<QComboBox>("txtStato")->count(), 5);

    for (const char* f : {"txtOggetto", "txtProtocollo", "txtCliente"}) set(f, QStringLiteral("x"));
    w<QCheckBox>("chkUrgente")->setChecked(true);
    set("lblDoc05", QStringLiteral("Planimetria"));
    click("cmdSalva");
    const Record r = stored(1);
    QCOMPARE(r["Urgente"], QStringLiteral("Sì"));
    QCOMPARE(r["Doc05"], QStringLiteral("Planimetria"));

    // a stored flag that is neither "Sì" nor "No" leaves the box as it was
    Record odd = r;
    odd.set("Urgente", QString());
    seed::append(folder().path(QStringLiteral("Pratiche.pro")), TRecPratica(), {odd});
    click("cmdPrimo");
    QVERIFY(w<QCheckBox>("chkUrgente")->isChecked());
    QCOMPARE(text("lblDoc05"), QStringLiteral("Planimetria"));
    w<QCheckBox>("chkUrgente")->setChecked(false);
    click("cmdAvanti");
    QCOMPARE(pos(), QStringLiteral("2"));
    QVERIFY(!w<QCheckBox>("chkUrgente")->isChecked());
  }

  void fieldBehaviour() {
    QCOMPARE(w<QLineEdit>("txtOggetto")->maxLength(), 250);
    QCOMPARE(w<QLineEdit>("txtApertura")->maxLength(), 10);
    auto* iva = w<QLineEdit>("txtPartitaIva");
    iva->setFocus();
    QTest::keyClicks(iva, QStringLiteral("a1b2"));
    QCOMPARE(iva->text(), QStringLiteral("12"));
    set("txtCapRes", QStringLiteral("ab"));
    QCOMPARE(text("txtCapRes"), QStringLiteral("ab")); // left as typed on cases
    auto* codFisc = w<QLineEdit>("txtCodFisc");
    codFisc->clear();
    codFisc->setFocus();
    QTest::keyClicks(codFisc, QStringLiteral(" abc"));
    QCOMPARE(codFisc->text(), QStringLiteral("ABC"));
    w(QStringLiteral("txtNote"))->setFocus();
    QTest::keyClick(w(QStringLiteral("txtNote")), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w(QStringLiteral("txtOggetto")));
  }

  // The dates are typed and checked: a day that does not exist is refused
  // when the field is left and at save; a closing date before the opening
  // date is refused at save, with the focus on it.
  void datesAreCheckedWhenLeftAndAtSave() {
    const QString needed = QStringLiteral("\n\r\n\rPer poter salvare la scheda \u00E8 necessario indicare una data "
                                          "valida nel formato gg/mm/aaaa.");
    for (const char* f : {"txtOggetto", "txtProtocollo", "txtCliente"}) set(f, QStringLiteral("x"));
    QCOMPARE(w<QLineEdit>("txtApertura")->maxLength(), 10);
    // Enter from the protocol number into the opening date, the keys, Enter on
    w(QStringLiteral("txtProtocollo"))->setFocus(Qt::OtherFocusReason);
    drive::press(Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtApertura"));
    drive::keys(QStringLiteral("31/02/2026\n"));
    QCOMPARE(messages().last().kind, MessageKind::Plain);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: la data 31/02/2026 non esiste.") + needed);
    QCOMPARE(text("txtApertura"), QStringLiteral("31/02/2026"));
    QCOMPARE(drive::focused(), QStringLiteral("txtChiusura"));
    messages().clear();
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Plain);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: la data 31/02/2026 non esiste.") + needed);
    QCOMPARE(drive::focused(), QStringLiteral("txtApertura"));
    QVERIFY(!QFile::exists(folder().path(QStringLiteral("Pratiche.pro"))));

    // the eight digits are a date; a closing date before it is refused at save
    drive::keys(QStringLiteral("01032026\n"));
    QCOMPARE(text("txtApertura"), QStringLiteral("01/03/2026"));
    drive::keys(QStringLiteral("28/02/2026"));
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Plain);
    QCOMPARE(messages().lastText(),
             QStringLiteral("Attenzione: la data di chiusura 28/02/2026 \u00E8 precedente alla data di apertura "
                            "01/03/2026.\n\r\n\rPer poter salvare la scheda \u00E8 necessario indicare una data di "
                            "chiusura uguale o successiva alla data di apertura."));
    QCOMPARE(drive::focused(), QStringLiteral("txtChiusura"));
    QVERIFY(!QFile::exists(folder().path(QStringLiteral("Pratiche.pro"))));

    // the same day closes it; a date typed and never left is stored as dd/mm/yyyy
    drive::keys(QStringLiteral("1/3/2026"));
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    QCOMPARE(stored(1)["Apertura"], QStringLiteral("01/03/2026"));
    QCOMPARE(stored(1)["Chiusura"], QStringLiteral("01/03/2026"));
    // letters never reach a date
    drive::press(Qt::Key_A, Qt::ControlModifier);
    drive::keys(QStringLiteral("oggi"));
    QCOMPARE(text("txtChiusura"), QStringLiteral("01/03/2026"));
  }

  void documentListIsAWorkingCopy() {
    set("lblDoc02", QStringLiteral("Relazione tecnica"));
    {
      TfrmDettagli list(card.get());
      QCOMPARE(list.windowTitle(), QStringLiteral(" Documenti associati alla pratica"));
      QCOMPARE(list.line(2)->text(), QStringLiteral("Relazione tecnica"));
      QCOMPARE(list.line(32)->maxLength(), 50);
      list.line(5)->setText(QStringLiteral("  Planimetria  "));
      QTest::mouseClick(list.findChild<QWidget*>(QStringLiteral("btnAnnulla")), Qt::LeftButton);
    }
    QCOMPARE(text("lblDoc05"), QString());
    {
      TfrmDettagli list(card.get());
      list.line(5)->setText(QStringLiteral("  Planimetria  "));
      list.line(32)->setFocus();
      QTest::keyClick(list.line(32), Qt::Key_Return);
      QTest::mouseClick(list.findChild<QWidget*>(QStringLiteral("btnChiudi")), Qt::LeftButton);
    }
    QCOMPARE(text("lblDoc05"), QStringLiteral("Planimetria"));
    QCOMPARE(text("lblDoc02"), QStringLiteral("Relazione tecnica"));
    for (const char* f : {"txtOggetto", "txtProtocollo", "txtCliente"}) set(f, QStringLiteral("x"));
    set("txtApertura", QStringLiteral("05/03/2026"));
    click("cmdSalva");
    QCOMPARE(stored(1)["Doc05"], QStringLiteral("Planimetria"));
    QCOMPARE(stored(1)["Doc04"], QString());
  }

  // Every field of the Enter chain shows its own frame around itself while
  // it has the focus, also the fields that share their row with buttons.
  void focusFramesSurroundTheirField() {
    card->resize(1366, 740);
    QApplication::processEvents();
    for (const QString& name : TfrmPratica::describe().form.enterChains.front().fields) {
      QWidget* field = w(name);
      field->setFocus(Qt::OtherFocusReason);
      QApplication::processEvents();
      QWidget* frame = w(QStringLiteral("eff") + name.mid(3));
      QVERIFY2(frame->isVisible(), qPrintable(name));
      const QRect around(frame->mapToGlobal(QPoint(0, 0)), frame->size());
      const QRect inside(field->mapToGlobal(QPoint(0, 0)), field->size());
      QVERIFY2(around.contains(inside) && around != inside, qPrintable(name));
    }
  }

  void tabFollowsTheEnterChain() {
    QStringList order;
    QWidget* start = w(QStringLiteral("txtOggetto"));
    QWidget* at = start;
    do {
      // what Tab reaches: tab-focusable, shown, enabled, not standing in for another
      if ((at->focusPolicy() & Qt::TabFocus) && at->isVisibleTo(card.get()) && at->isEnabled() && !at->focusProxy())
        order << at->objectName();
      at = at->nextInFocusChain();
    } while (at != start && order.size() < 100);
    const QStringList expected = {
        "txtOggetto",   "txtTipologia",  "txtProtocollo", "txtApertura",  "txtChiusura",     "txtStato",
        "txtDocumenti", "btnElenco",     "txtUffici",     "txtConsulente", "txtCliente",     "txtRecapito",
        "txtIndirizzoRes", "txtComuneRes", "txtProvRes",  "txtCapRes",    "txtCodFisc",      "txtPartitaIva",
        "txtSaldati",   "txtSospesi",    "txtNote",       "chkUrgente"};
    QCOMPARE(order, expected);
  }

  // The printed list takes the case from the card and the lines from the
  // list as typed, applied or not; cancelling afterwards keeps the card as it was.
  void documentListPrintsWhatIsTyped() {
    RecordingReportOutput printed;
    set("txtOggetto", QStringLiteral("  Frazionamento  "));
    set("txtCliente", QStringLiteral("Verdi Lucia"));
    set("txtStato", QStringLiteral("Aperta"));
    set("lblDoc01", QStringLiteral("Estratto di mappa"));
    {
      TfrmDettagli list(card.get());
      list.line(5)->setText(QStringLiteral(" Tipo di frazionamento "));
      auto* preview = list.findChild<QWidget*>(QStringLiteral("btnAnteprima"));
      auto* print = list.findChild<QWidget*>(QStringLiteral("btnStampa"));
      QVERIFY(preview->isEnabled() && print->isEnabled());
      QTest::mouseClick(preview, Qt::LeftButton);
      QTest::mouseClick(print, Qt::LeftButton);
      QTest::mouseClick(list.findChild<QWidget*>(QStringLiteral("btnAnnulla")), Qt::LeftButton);
    }
    QCOMPARE(printed.calls.size(), size_t(2));
    QCOMPARE(int(printed.calls[0].call), int(RecordingReportOutput::Call::Preview));
    QCOMPARE(int(printed.calls[1].call), int(RecordingReportOutput::Call::Print));
    const report::Report& r = printed.last().report;
    QCOMPARE(r.orientation(), QPageLayout::Portrait);
    QCOMPARE(r.text(QStringLiteral("txtOggetto")), QStringLiteral("Frazionamento"));
    QCOMPARE(r.text(QStringLiteral("txtCliente")), QStringLiteral("Verdi Lucia"));
    QCOMPARE(r.text(QStringLiteral("txtStato")), QStringLiteral("Aperta"));
    QCOMPARE(r.text(QStringLiteral("titDocumento05")), QStringLiteral("Documento 5:"));
    QCOMPARE(r.text(QStringLiteral("txtDoc05")), QStringLiteral("Tipo di frazionamento"));
    QCOMPARE(r.text(QStringLiteral("txtDoc01")), QStringLiteral("Estratto di mappa"));
    QCOMPARE(r.text(QStringLiteral("txtDoc02")), QString());
    QCOMPARE(r.text(QStringLiteral("txtCalce")), QStringLiteral("Stampa eseguita in data 29/02/2028 alle ore 09:30:15"));
    QCOMPARE(text("lblDoc05"), QString());
  }

  void everyPictureIsInTheSet() {
    const QStringList missing = missingPictures(TfrmPratica::describe());
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
  }

  void renders() {
    card->resize(1366, 740);
    QApplication::processEvents();
    QVERIFY(card->grab().save(QDir::temp().filePath(QStringLiteral("velarion_pratica.png"))));
  }
};

QTEST_MAIN(CaseCardTest)
#include "test_casecard.moc"
