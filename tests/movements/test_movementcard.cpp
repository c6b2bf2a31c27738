// The movement card driven as a user would: the amount as typed and as
// stored, the type of movement and its label, the new card, the Enter keys,
// the duplicate, the e-mail, the checks and the hints.
#include "archive/archivio.h"
#include "common/screens/screenkit.h"
#include "movements/movimento.h"
#include "movements/screens/movementcard.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"
#include "tests/common/screens/cardpictures.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

namespace {

// Whether a label is drawn in red: some of its pixels are clearly red.
bool drawnRed(QWidget* label) {
  const QImage img = label->grab().toImage();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 80 && c.blue() < 80) return true;
    }
  return false;
}

} // namespace

class MovementCardTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<TfrmMovimenti> card;

  QString archive() const { return seams->folder.path(QStringLiteral("2026.eur")); }
  QWidget* driven() const override { return card.get(); }
  RecordPosition stored() {
    TArchivioSchede a(archive(), TRecMovimento().size());
    a.open(TArchivioSchede::Access::Read);
    return a.count();
  }
  Record record(int n) {
    TArchivioSchede a(archive(), TRecMovimento().size());
    a.open(TArchivioSchede::Access::Read);
    return decode(TRecMovimento(), a.read(n).constData());
  }
  // What a save needs besides the amount.
  void fillRequired() {
    set("txtCausale", QStringLiteral("Parcella"));
    set("txtDataSca", QStringLiteral("20/12/2026"));
    set("txtPagatore", QStringLiteral("Rossi Mario"));
    set("txtBeneficiario", QStringLiteral("Studio Bianchi"));
  }

private slots:
  void init() {
    seat();
    card = std::make_unique<TfrmMovimenti>();
    w<QLabel>("lblFile")->setText(archive());
    QVERIFY(drive::show(card.get()));
  }
  void cleanup() {
    card.reset();
    unseat();
  }

  // Typed text -> what the field shows once left -> what a save stores.
  void amountRules_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("income");
    QTest::addColumn<QString>("importo"); // empty: refused
    QTest::addColumn<QString>("totale");
    QTest::newRow("whole") << "12" << true << "12,00" << "+12,00";
    QTest::newRow("one decimal") << "12,5" << true << "12,50" << "+12,50";
    QTest::newRow("half up") << "0,125" << true << "0,13" << "+0,13";
    QTest::newRow("half up 1,005") << "1,005" << true << "1,01" << "+1,01";
    QTest::newRow("half up 6,555") << "6,555" << false << "6,56" << "-6,56";
    QTest::newRow("lone comma") << "," << true << "0,00" << "+0,00";
    QTest::newRow("empty") << "" << false << "0,00" << "-0,00";
    QTest::newRow("no point can be typed") << "1.234,56" << true << "1234,56" << "+1234,56";
    QTest::newRow("leading zeros") << "0012,5" << true << "12,50" << "+12,50";
    QTest::newRow("expense of 80") << "80" << false << "80,00" << "-80,00";
    QTest::newRow("income of 80") << "80" << true << "80,00" << "+80,00";
    QTest::newRow("largest") << "99999999999,99" << false << "99999999999,99" << "-99999999999,99";
    QTest::newRow("rounds past 11 digits") << "99999999999,995" << true << "" << "";
    QTest::newRow("12 digits") << "100000000000" << false << "" << "";
    QTest::newRow("15 digits") << "123456789012345" << true << "" << "";
  }
  void amountRules() {
    QFETCH(QString, typed);
    QFETCH(bool, income);
    QFETCH(QString, importo);
    QFETCH(QString, totale);
    fillRequired();
    click(income ? "optEntrata" : "optUscita");

    // leaving the field
    type("txtImporto", typed);
    key("txtImporto", Qt::Key_Tab);
    if (importo.isEmpty()) {
      QCOMPARE(text("txtImporto"), typed);
      QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
      QCOMPARE(seams->messages.lastText(), movement::tooLargeMessage());
    } else {
      QCOMPARE(text("txtImporto"), importo);
    }

    // saving with the amount as typed, never left
    seams->messages.clear();
    type("txtImporto", typed);
    click("cmdSalva");
    if (importo.isEmpty()) {
      QCOMPARE(seams->messages.lastText(), movement::tooLargeMessage());
      QCOMPARE(seams->messages.shown.size(), size_t(1));
      QCOMPARE(drive::focused(), QStringLiteral("txtImporto"));
      QCOMPARE(text("txtImporto"), typed);
      QCOMPARE(stored(), 0);
    } else {
      QCOMPARE(seams->messages.lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
      const Record r = record(1);
      QCOMPARE(r["Importo"], importo);
      QCOMPARE(r["Totale"], totale);
      QCOMPARE(r["Entrata"], income ? fieldtext::yes() : fieldtext::no());
      QCOMPARE(r["Uscita"], income ? fieldtext::no() : fieldtext::yes());
    }
  }

  void aNewCardAndItsAmountLabel() {
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Entrate e Uscite"));
    QCOMPARE(text("txtData"), QStringLiteral("10/12/2026"));
    QCOMPARE(text("txtPreavviso"), QStringLiteral("0"));
    QCOMPARE(text("txtImporto"), QStringLiteral("0,00"));
    QCOMPARE(text("txtTotale"), QStringLiteral("+0,00"));
    QVERIFY(w<QRadioButton>("optEntrata")->isChecked());
    QVERIFY(!w<QRadioButton>("optUscita")->isChecked());
    QVERIFY(!w<QCheckBox>("chkSaldato")->isChecked());
    QCOMPARE(text("lblPosizione"), QString());
    QCOMPARE(drive::focused(), QStringLiteral("txtCausale"));
    QCOMPARE(text("panInfo"), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    QCOMPARE(w<QLineEdit>("txtPagamento")->maxLength(), 150);
    QCOMPARE(w<QLineEdit>("txtImporto")->maxLength(), 15);
    QVERIFY(w<QLabel>("txtTotale")->isHidden());

    auto* label = w<QLabel>("lblImporto");
    QCOMPARE(label->text(), QStringLiteral("Importo in entrata: \u20AC"));
    QVERIFY(!drawnRed(label));
    click("optUscita");
    QCOMPARE(label->text(), QStringLiteral("Importo in uscita: \u20AC"));
    QVERIFY(drawnRed(label));

    // an expense saved and an income saved, then browsed
    fillRequired();
    set("txtImporto", QStringLiteral("80"));
    click("cmdSalva");
    click("cmdNuovo");
    QCOMPARE(label->text(), QStringLiteral("Importo in entrata: \u20AC"));
    fillRequired();
    click("cmdSalva");
    click("cmdPrimo");
    QCOMPARE(label->text(), QStringLiteral("Importo in uscita: \u20AC"));
    QVERIFY(drawnRed(label));
    QCOMPARE(text("txtTotale"), QStringLiteral("-80,00"));
    click("cmdAvanti");
    QCOMPARE(label->text(), QStringLiteral("Importo in entrata: \u20AC"));
    QVERIFY(!drawnRed(label));
    QCOMPARE(text("txtTotale"), QStringLiteral("+0,00"));

    // a save normalises an amount typed and never left
    set("txtImporto", QStringLiteral("7,5"));
    click("cmdSalva");
    QCOMPARE(text("txtImporto"), QStringLiteral("7,50"));
  }

  // Enter runs from the reason through the due date to the notice days and
  // on, round to the operation date and back to the reason: the dates move
  // on as any field does.
  void enterMovesAlongTheFields() {
    const char* chain[] = {"txtCausale", "txtPromemoria", "txtDataSca", "txtPreavviso", "txtImporto",
                           "txtPagatore", "txtRecapitoPag", "txtCodFisc", "txtPartitaIva", "txtCategoria",
                           "txtEmail", "txtPagamento", "txtBeneficiario", "txtRecapitoBen", "txtRicevuta",
                           "txtNote", "txtTariffa", "txtData", "txtCausale"};
    w(chain[0])->setFocus(Qt::OtherFocusReason);
    for (size_t i = 1; i < std::size(chain); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QCOMPARE(drive::focused(), QLatin1String(chain[i]));
    }
    // the amount is normalised on the way
    QCOMPARE(text("txtImporto"), QStringLiteral("0,00"));
  }

  // The dates typed as a person types them: Enter into the due date, the
  // eight digits, Enter on; the operation date typed over today's and saved
  // without leaving it. Each is stored as the day typed.
  void datesTypedFromTheKeyboard() {
    fillRequired();
    key("txtPromemoria", Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtDataSca"));
    drive::keys(QStringLiteral("31032027\n"));
    QCOMPARE(text("txtDataSca"), QStringLiteral("31/03/2027"));
    QCOMPARE(drive::focused(), QStringLiteral("txtPreavviso"));
    key("txtTariffa", Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtData"));
    QCOMPARE(text("txtData"), QStringLiteral("10/12/2026"));
    drive::keys(QStringLiteral("25/11/2026"));
    click("cmdSalva");
    QCOMPARE(seams->messages.lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    QCOMPARE(record(1)["Data"], QStringLiteral("25/11/2026"));
    QCOMPARE(record(1)["DataSca"], QStringLiteral("31/03/2027"));
  }

  void duplicating() {
    click("cmdDuplica");
    QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
    QCOMPARE(seams->messages.lastText(), QStringLiteral("Attenzione: la duplicazione di una scheda pu\u00F2 avvenire "
                                                        "soltanto dopo che questa \u00E8 stata inserita in archivio."));
    fillRequired();
    set("txtData", QStringLiteral("01/12/2026"));
    set("txtImporto", QStringLiteral("300"));
    set("lblFile01", QStringLiteral("ricevuta.pdf"));
    set("lblDesc01", QStringLiteral("Ricevuta"));
    w<QCheckBox>("chkSaldato")->setChecked(true);
    click("optUscita");
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

    seams->clock.day = QDate(2026, 12, 11);
    click("cmdDuplica");
    QCOMPARE(seams->messages.last().kind, MessageKind::Information);
    QCOMPARE(seams->messages.lastText(), QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                        "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                                        "scheda in archivio."));
    QVERIFY(!w<QCheckBox>("chkSaldato")->isChecked());
    QCOMPARE(text("txtData"), QStringLiteral("11/12/2026"));
    QCOMPARE(text("txtDataSca"), QString());
    QCOMPARE(text("lblFile01"), QString());
    QCOMPARE(text("lblDesc01"), QString());
    QCOMPARE(text("lblPosizione"), QString());
    QCOMPARE(text("txtCausale"), QStringLiteral("Parcella"));
    QCOMPARE(text("txtImporto"), QStringLiteral("300,00"));
    QVERIFY(w<QRadioButton>("optUscita")->isChecked());
    QCOMPARE(drive::focused(), QStringLiteral("txtCausale"));
    // no due date: the copy cannot be saved until one is given
    click("cmdSalva");
    QCOMPARE(seams->messages.lastText(), QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare "
                                                        "la data di scadenza del pagamento."));
    QCOMPARE(drive::focused(), QStringLiteral("txtDataSca"));
    set("txtDataSca", QStringLiteral("31/12/2026"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QCOMPARE(record(2)["Totale"], QStringLiteral("-300,00"));
    QCOMPARE(record(2)["Saldato"], fieldtext::no());

    // an archive that cannot be reached is a warning here
    w<QLabel>("lblFile")->setText(seams->folder.path(QStringLiteral("manca/2026.eur")));
    click("cmdDuplica");
    QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
    QCOMPARE(seams->messages.lastText(), archiveAccessMessage());
  }

  void writingAnEmail() {
    set("txtEmail", QStringLiteral("   "));
    w("txtCausale")->setFocus();
    click("sndEmail");
    QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
    QCOMPARE(seams->messages.lastText(), QStringLiteral("Attenzione: indicare l'indirizzo e-mail del tesserato."));
    QCOMPARE(drive::focused(), QStringLiteral("txtEmail"));
    QVERIFY(shell().opened.empty());
    type("txtEmail", QStringLiteral(" rossi@esempio.it "));
    click("sndEmail");
    QCOMPARE(shell().opened.back(), QStringLiteral("mailto:rossi@esempio.it"));
  }

  void checkingTaxCodeAndVatNumber() {
    struct Case {
      const char* button;
      const char* field;
      QString typed;
      QString screen;
      const char* edit;
    } cases[] = {
        {"chkCodFisc", "txtCodFisc", QStringLiteral("01234567890"), QStringLiteral("TfrmPartitaIva"), "txtPartitaIva"},
        {"chkCodFisc", "txtCodFisc", QStringLiteral("RSSMRA85T10A562S"), QStringLiteral("TfrmCodFisc"), "txtCodFisc"},
        {"chkCodFisc", "txtCodFisc", QString(), QStringLiteral("TfrmCodFisc"), "txtCodFisc"},
        {"chkIva", "txtPartitaIva", QStringLiteral("01234567890"), QStringLiteral("TfrmPartitaIva"), "txtPartitaIva"},
    };
    for (const Case& c : cases) {
      set(c.field, c.typed);
      QString value;
      const QString opened = drive::withModal([&] { click(c.button); },
                                              [&](QWidget* s) { value = drive::text(s, QLatin1String(c.edit)); });
      QCOMPARE(opened, c.screen);
      QCOMPARE(value, c.typed);
    }
  }

  void hintsOnTheStatusLine() {
    const std::pair<const char*, const char*> hints[] = {
        {"cmdNuovo", "Predispone la schermata per l'inserimento di una nuova scheda."},
        {"cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
        {"cmdTrova", "Trova una scheda in archivio."},
        {"cmdStampa", "Stampa la scheda corrente."},
        {"cmdScadenze", "Visualizza il riepilogo dei pagamenti in scadenza o scaduti e non saldati."},
        {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
        {"cmdEsci", "Esci da questa schermata di lavoro."},
        {"impData", "Cancella la data."},
        {"txtDataSca", "Scrivi la data nel formato gg/mm/aaaa oppure premi Alt+Gi\u00F9 per sceglierla dal calendario."},
        {"calDataSca", "Scegli la data dal calendario."},
        {"chkSaldato", "Spunta questa casella per indicare che il pagamento è stato saldato."},
    };
    for (const auto& [control, hint] : hints) {
      QEvent enter(QEvent::Enter);
      QApplication::sendEvent(w(control), &enter);
      QCOMPARE(text("panInfo"), QString::fromUtf8(hint));
    }
  }

  void looksTidy() {
    QVERIFY2(missingPictures(TfrmMovimenti::describe()).isEmpty(),
             qPrintable(missingPictures(TfrmMovimenti::describe()).join(QLatin1Char(' '))));
    for (const QSize size : {QSize(1366, 740), QSize(1024, 740)}) {
      card->showNormal();
      card->resize(size);
      QApplication::processEvents();
      // every field fits without scrolling sideways
      QVERIFY2(!w<QScrollArea>("panSchede")->horizontalScrollBar()->isVisible(), qPrintable(QString::number(size.width())));
      QVERIFY(card->grab().save(QDir::temp().filePath(QStringLiteral("velarion_movimenti_%1.png").arg(size.width()))));
    }
  }
};

QTEST_MAIN(MovementCardTest)
#include "test_movementcard.moc"
