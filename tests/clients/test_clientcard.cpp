// The client card driven as a user would: typing, saving, browsing,
// duplicating, with the messages read through the test seams.
#include "app/help/screens/helpscreens.h"
#include "clients/cliente.h"
#include "clients/screens/clientcard.h"
#include "common/screens/gridscreen.h"
#include "common/screens/listscreen.h"
#include "archive/archivio.h"
#include "archive/cp1252.h"
#include "common/screens/screenkit.h"
#include "cardtest.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"
#include "tests/common/screens/cardpictures.h"
#include "tests/engines/recordingreportoutput.h"

#include <QTimer>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QtTest>

namespace {
const QString kAccess = archiveAccessMessage();
}

class ClientCardTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<TfrmClienti> card;

  QWidget* driven() const override { return card.get(); }
  QString pos() { return w<QLabel>("lblPosizione")->text(); }
  QByteArray fileBytes() {
    QFile f(folder().path(QStringLiteral("Clienti.pro")));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }

private slots:
  // the help commands show the program's help screen, as after start-up
  void initTestCase() { installHelpViewer(); }
  void init() {
    seat();
    card = std::make_unique<TfrmClienti>();
    card->show();
    QVERIFY(QTest::qWaitForWindowExposed(card.get()));
  }
  void cleanup() {
    card.reset();
    unseat();
  }

  void newUserRoundTrip() {
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Anagrafica Clienti"));
    QCOMPARE(w<QLabel>("panInfo")->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    type("txtCliente", QStringLiteral("  Niccolò Bianchi € "));
    type("txtComuneNasc", QStringLiteral("Forlì"));
    w<QCheckBox>("chkRicontatta")->setChecked(true);
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(pos(), QStringLiteral("1"));
    // byte-level: trimmed, Windows-1252, the flag as "Sì"
    const QByteArray bytes = fileBytes();
    QCOMPARE(bytes.size(), 3372);
    QCOMPARE(bytes.mid(0, 18), QByteArray("\x11" "Niccol\xF2 Bianchi \x80"));
    QCOMPARE(bytes.mid(82, 6), QByteArray("\x05" "Forl\xEC"));
    QCOMPARE(bytes.mid(1863, 3), QByteArray("\x02S\xEC"));

    click("cmdSalva"); // saved again: overwritten in place
    QCOMPARE(messages().lastText(), QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(fileBytes().size(), 3372);

    click("cmdNuovo");
    QCOMPARE(pos(), QString());
    QCOMPARE(text("txtCliente"), QString());
    QVERIFY(!w<QCheckBox>("chkRicontatta")->isChecked());
    QCOMPARE(QApplication::focusWidget(), w("txtCliente"));
    type("txtCliente", QStringLiteral("Rossi Anna"));
    click("cmdSalva");
    QCOMPARE(pos(), QStringLiteral("2"));

    click("cmdPrimo");
    QCOMPARE(text("txtCliente"), QStringLiteral("Niccolò Bianchi €"));
    QCOMPARE(text("txtComuneNasc"), QStringLiteral("Forlì"));
    QVERIFY(w<QCheckBox>("chkRicontatta")->isChecked());
    QCOMPARE(pos(), QStringLiteral("1"));
    click("cmdAvanti");
    QCOMPARE(text("txtCliente"), QStringLiteral("Rossi Anna"));
    QVERIFY(!w<QCheckBox>("chkRicontatta")->isChecked());
    messages().clear();
    click("cmdAvanti"); // last card: nothing, no message
    QCOMPARE(pos(), QStringLiteral("2"));
    click("cmdIndietro");
    QCOMPARE(pos(), QStringLiteral("1"));
    click("cmdIndietro"); // first card: nothing
    QCOMPARE(pos(), QStringLiteral("1"));
    click("cmdUltimo");
    QCOMPARE(pos(), QStringLiteral("2"));
    QVERIFY(messages().shown.empty());
  }

  void duplicateKeepsFieldsButNotAttachments() {
    click("cmdDuplica");
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio."));
    type("txtCliente", QStringLiteral("Verdi"));
    type("txtNote", QStringLiteral("nota"));
    w<QLabel>("lblFile01")->setText(QStringLiteral("contratto.pdf"));
    w<QLabel>("lblDesc02")->setText(QStringLiteral("descrizione"));
    click("cmdSalva");
    click("cmdDuplica");
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QCOMPARE(messages().lastText(), QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine premere Salva per inserire la scheda in archivio."));
    QCOMPARE(pos(), QString());
    QCOMPARE(text("txtNote"), QStringLiteral("nota"));
    QCOMPARE(text("lblFile01"), QString());
    QCOMPARE(text("lblDesc02"), QString());
    click("cmdSalva");
    QCOMPARE(pos(), QStringLiteral("2"));
    TArchivioSchede a(folder().path(QStringLiteral("Clienti.pro")), 3372);
    a.open(TArchivioSchede::Access::Read);
    const Record first = decode(TRecCliente(), a.read(1).constData());
    const Record copy = decode(TRecCliente(), a.read(2).constData());
    QCOMPARE(first["File01"], QStringLiteral("contratto.pdf"));
    QCOMPARE(copy["File01"], QString());
    QCOMPARE(copy["Note"], QStringLiteral("nota"));
  }

  void emptyArchiveAndRequiredName() {
    using Cmd = const char*;
    for (Cmd c : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
      messages().clear();
      click(c);
      QCOMPARE(messages().last().kind, MessageKind::Information);
      QCOMPARE(messages().lastText(), QStringLiteral("L'archivio non contiene nessuna scheda."));
      QCOMPARE(pos(), QString());
    }
    QVERIFY(QFile::exists(folder().path(QStringLiteral("Clienti.pro")))); // created by reading
    type("txtCliente", QStringLiteral("   "));
    type("txtNote", QStringLiteral("x"));
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del Cliente."));
    QCOMPARE(QApplication::focusWidget(), w("txtCliente"));
    QCOMPARE(fileBytes().size(), 0);
  }

  void newCardNextAndPreviousLoadTheFirst() {
    type("txtCliente", QStringLiteral("A"));
    click("cmdSalva");
    click("cmdNuovo");
    type("txtCliente", QStringLiteral("B"));
    click("cmdSalva");
    click("cmdNuovo");
    click("cmdAvanti");
    QCOMPARE(text("txtCliente"), QStringLiteral("A"));
    click("cmdNuovo");
    click("cmdIndietro");
    QCOMPARE(text("txtCliente"), QStringLiteral("A"));
    QCOMPARE(pos(), QStringLiteral("1"));
  }

  void archiveFailureKeepsTheCard() {
    // the program folder is a file: nothing can be created inside it
    QFile blocker(folder().path(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    paths::setProgramFolder(blocker.fileName());
    type("txtCliente", QStringLiteral("Neri"));
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Error);
    QCOMPARE(messages().lastText(), kAccess);
    QCOMPARE(text("txtCliente"), QStringLiteral("Neri"));
    QCOMPARE(pos(), QString());
    click("cmdPrimo");
    QCOMPARE(messages().lastText(), kAccess);
    QCOMPARE(text("txtCliente"), QStringLiteral("Neri"));
  }

  void fieldBehaviour() {
    type("txtCarta", QStringLiteral("12a3-4"));
    QCOMPARE(text("txtCarta"), QStringLiteral("1234"));
    type("txtPartitaIva", QStringLiteral("IT0123"));
    QCOMPARE(text("txtPartitaIva"), QStringLiteral("0123"));
    type("txtCodFisc", QStringLiteral(" rssmra80a01h501u"));
    QCOMPARE(text("txtCodFisc"), QStringLiteral("RSSMRA80A01H501U"));
    type("txtSesso", QStringLiteral("f"));
    QCOMPARE(text("txtSesso"), QStringLiteral("F"));
    QCOMPARE(w<QLineEdit>("txtCliente")->maxLength(), 50);
    QCOMPARE(w<QLineEdit>("txtQuestioni")->maxLength(), 250);
    auto* prov = w<QComboBox>("txtProvRes");
    QCOMPARE(prov->count(), 112);
    QCOMPARE(prov->itemText(0), QStringLiteral("AG"));
    QCOMPARE(prov->itemText(111), QStringLiteral("VV"));
    drive::type(card.get(), QStringLiteral("txtProvRes"), QStringLiteral("mi"));
    QCOMPARE(prov->currentText(), QStringLiteral("MI"));

    // Enter walks the chain, the last field back to the first
    w("txtNote")->setFocus();
    QTest::keyClick(w("txtNote"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w("txtCliente"));
    QTest::keyClick(w("txtCliente"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w("txtDataNasc"));
    QVERIFY(w("effDataNasc")->isVisible());
    QVERIFY(!w("effCliente")->isVisible());

    type("txtEmail", QStringLiteral("studio@esempio.it"));
    click("btnEmail");
    QCOMPARE(shell().opened.back(), QStringLiteral("mailto:studio@esempio.it"));
  }

  // Upper-casing: a pasted IBAN loses its blanks before the length limit
  // cuts it; typing upper-cases what Windows-1252 holds as a capital and
  // keeps ß and µ; a loaded value shows as stored until the user edits it.
  void pastedCodesTypedAndLoadedValues() {
    auto* iban = w<QLineEdit>("txtIban");
    QGuiApplication::clipboard()->setText(QStringLiteral(" it60 x054 2811 1010 0000 0123 456 "));
    iban->setFocus();
    QTest::keyClick(iban, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(iban->text(), QStringLiteral("IT60X0542811101000000123456"));

    type("txtCodFisc", QStringLiteral("straßeµ"));
    QCOMPARE(text("txtCodFisc"), QStringLiteral("STRAßEµ"));

    Record r(TRecCliente());
    r.set("Cliente", QStringLiteral("Rossi"));
    r.set("CodFisc", QStringLiteral("rssmra85t10a562s"));
    r.set("Iban", QStringLiteral("it60x0542811101000000123456"));
    seed::append(folder().path(QStringLiteral("Clienti.pro")), TRecCliente(), {r});
    click("cmdPrimo");
    QCOMPARE(pos(), QStringLiteral("1"));
    QCOMPARE(text("txtCodFisc"), QStringLiteral("rssmra85t10a562s"));
    QCOMPARE(text("txtIban"), QStringLiteral("it60x0542811101000000123456"));
    // saved untouched, they are stored as they were
    click("cmdSalva");
    const Record saved = decode(TRecCliente(), fileBytes().constData());
    QCOMPARE(saved["CodFisc"], QStringLiteral("rssmra85t10a562s"));
    QCOMPARE(saved["Iban"], QStringLiteral("it60x0542811101000000123456"));
    // edited, the field is upper-cased
    auto* codFisc = w<QLineEdit>("txtCodFisc");
    codFisc->setFocus();
    codFisc->end(false);
    QTest::keyClick(codFisc, Qt::Key_Backspace);
    QCOMPARE(text("txtCodFisc"), QStringLiteral("RSSMRA85T10A562"));
  }

  void hintsOnTheStatusLine() {
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w("cmdSalva"), &enter);
    QCOMPARE(text("panInfo"), QStringLiteral("Salva la scheda corrente in archivio."));
    QApplication::sendEvent(w("chkRicontatta"), &enter);
    QCOMPARE(text("panInfo"), QStringLiteral("Annota che il Cliente è da ricontattare per questioni in sospeso."));
    QTest::mouseMove(card.get(), QPoint(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(card.get(), &move);
    QCOMPARE(text("panInfo"), QString());

    // Real pointer moves: the hint stays while the pointer moves over its
    // control (a check box passes its moves on to the frame behind it), and
    // the blank of the command column is background.
    auto moveTo = [this](QWidget* over, QPoint at) {
      QTest::mouseMove(card.get(), over->mapTo(card.get(), at));
      QApplication::processEvents();
    };
    auto* check = w("chkRicontatta");
    card->findChild<QScrollArea*>()->ensureWidgetVisible(check);
    moveTo(check, QPoint(3, check->height() / 2));
    moveTo(check, QPoint(8, check->height() / 2));
    QCOMPARE(text("panInfo"), QStringLiteral("Annota che il Cliente è da ricontattare per questioni in sospeso."));
    auto* frame = check->parentWidget();
    moveTo(frame, QPoint(frame->width() - 3, frame->height() - 3));
    QCOMPARE(text("panInfo"), QString());
    moveTo(check, QPoint(3, check->height() / 2));
    auto* salva = w("cmdSalva");
    moveTo(salva, QPoint(salva->width() / 2, salva->height() / 2));
    moveTo(salva, QPoint(salva->width() / 2 + 2, salva->height() / 2));
    QCOMPARE(text("panInfo"), QStringLiteral("Salva la scheda corrente in archivio."));
    auto* column = w("panComandi");
    moveTo(column, QPoint(column->width() / 2, column->height() / 2 + 40));
    QCOMPARE(text("panInfo"), QString());
  }

  // The check windows close themselves after their answer, so the Esc the
  // user then presses to close one reaches the card: the card asks before
  // dropping what was typed. Esc in a check window closes that window only,
  // also when the key's release reaches the card.
  void escAfterACheckKeepsTheTypedCard() {
    QVERIFY(drive::show(card.get()));
    type("txtCliente", QStringLiteral("Verdi Carla"));
    type("txtCodFisc", QStringLiteral("RSSMRA85T10A562S"));
    bool closedAlone = false;
    QCOMPARE(drive::withModal([&] { click("btnCodFisc"); },
                              [&](QWidget* check) {
                                QWidget* f = QApplication::focusWidget();
                                QTest::keyClick(f && f->window() == check ? f : check, Qt::Key_Escape);
                                closedAlone = !check->isVisible();
                              }),
             QStringLiteral("TfrmCodFisc"));
    QVERIFY(closedAlone);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(card->isVisible());

    bool closedItself = false;
    QCOMPARE(drive::withModal([&] { click("btnCodFisc"); },
                              [&](QWidget* check) {
                                drive::click(check, QStringLiteral("btnControlla"));
                                closedItself = !check->isVisible();
                              }),
             QStringLiteral("TfrmCodFisc"));
    QVERIFY(closedItself);
    messages().clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // meant for the check window
    QCOMPARE(messages().saveQuestions, 1);
    QVERIFY(card->isVisible());
    QCOMPARE(text("txtCliente"), QStringLiteral("Verdi Carla"));
    QCOMPARE(text("txtCodFisc"), QStringLiteral("RSSMRA85T10A562S"));
  }

  // "Salva" to the question of Esc saves as the save command does: a card
  // the rules refuse stays open with what was typed and nothing written; a
  // card that saves closes. Saved, it closes on Esc without a question.
  void escSavesWhenAskedTo() {
    QVERIFY(drive::show(card.get()));
    type("txtNote", QStringLiteral("Da richiamare"));
    messages().saveAnswers = {SaveAnswer::Save};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(messages().saveQuestions, 1);
    QCOMPARE(messages().lastText(),
             QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il nome del Cliente."));
    QVERIFY(card->isVisible());
    QCOMPARE(drive::focused(), QStringLiteral("txtCliente"));
    QCOMPARE(text("txtNote"), QStringLiteral("Da richiamare"));
    QVERIFY(fileBytes().isEmpty());

    type("txtCliente", QStringLiteral("Neri Paolo"));
    messages().saveAnswers = {SaveAnswer::Save};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(messages().saveQuestions, 2);
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    QVERIFY(!card->isVisible());
    QCOMPARE(fileBytes().size(), qsizetype(TRecCliente().size()));
    QCOMPARE(decode(TRecCliente(), fileBytes().constData())["Note"], QStringLiteral("Da richiamare"));

    QVERIFY(drive::show(card.get()));
    type("txtCliente", QStringLiteral("Neri Paola"));
    click("cmdSalva");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(messages().saveQuestions, 2);
    QVERIFY(!card->isVisible());
  }

  void showingTheScreenClearsIt() {
    type("txtCliente", QStringLiteral("Gialli"));
    click("cmdSalva");
    // Esci under the pointer closes the card; shown again, it is not highlighted
    auto* esci = w("cmdEsci");
    const QImage plain = esci->grab().toImage();
    QTest::mouseMove(esci);
    QApplication::processEvents();
    QVERIFY(esci->grab().toImage() != plain);
    click("cmdEsci");
    QVERIFY(!card->isVisible());
    card->show();
    QCOMPARE(text("txtCliente"), QString());
    QCOMPARE(pos(), QString());
    QCOMPARE(esci->grab().toImage(), plain);
  }

  void printsWhatTheScreenShows() {
    RecordingReportOutput printed;
    FixedClock clock(QDate(2026, 12, 10), QTime(9, 5, 7));
    type("txtCliente", QStringLiteral("Bianchi Anna"));
    type("txtComuneNasc", QStringLiteral("Forlì"));
    w<QComboBox>("txtProvNasc")->setEditText(QStringLiteral("FC"));
    type("txtCarta", QStringLiteral("4111"));
    type("txtScadeCarta", QStringLiteral("12/29"));
    click("cmdStampa"); // an unsaved card prints what is typed
    click("cmdAnteprima");
    QCOMPARE(printed.calls.size(), size_t(2));
    QCOMPARE(int(printed.calls[0].call), int(RecordingReportOutput::Call::Print));
    QCOMPARE(int(printed.calls[1].call), int(RecordingReportOutput::Call::Preview));
    const report::Report& r = printed.last().report;
    QCOMPARE(r.text(QStringLiteral("txtTitolo")), QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"));
    QCOMPARE(r.text(QStringLiteral("titCampo03")), QStringLiteral("Comune di nascita:"));
    QCOMPARE(r.text(QStringLiteral("txtCampo03")), QStringLiteral("Forlì FC"));
    QCOMPARE(r.text(QStringLiteral("txtCampo16")), QStringLiteral("N. 4111  -  Scadenza: 12/29"));
    QCOMPARE(r.text(QStringLiteral("txtCampo24")), QString()); // empty notes
    QCOMPARE(r.text(QStringLiteral("txtCalce")), QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:05:07"));

    messages().answers = {true, false};
    click("cmdPDF");
    const QString pdf = folder().path(QStringLiteral("Cliente.pdf"));
    QCOMPARE(printed.last().file, pdf);
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(messages().last().kind, MessageKind::Question);
    QCOMPARE(messages().lastText(), QStringLiteral("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\nSi vuole aprire il file?"));
    QCOMPARE(shell().opened.back(), pdf);
    type("txtCliente", QStringLiteral("Seconda Scheda"));
    click("cmdPDF"); // answered No: written, not opened
    QCOMPARE(shell().opened.size(), size_t(1));
    QCOMPARE(printed.last().report.text(QStringLiteral("txtCampo01")), QStringLiteral("Seconda Scheda"));

    printed.writePdf = false;
    printed.pdfResult = false;
    click("cmdPDF");
    QCOMPARE(messages().last().kind, MessageKind::Error);
    QCOMPARE(messages().lastText(), printed.pdfError);
  }

  void satellitesOpenFromTheirButtons() {
    // each satellite is modal: note which screen came up, then close it
    auto opened = [this](const char* button) {
      QString name;
      QTimer::singleShot(0, [&name] {
        if (QWidget* m = QApplication::activeModalWidget()) {
          name = m->objectName();
          m->close();
        }
      });
      click(button);
      return name;
    };
    type("txtCodFisc", QStringLiteral("01234567890"));
    QCOMPARE(opened("btnCodFisc"), QStringLiteral("TfrmPartitaIva"));
    type("txtCodFisc", QStringLiteral("RSSMRA85T10A562S"));
    QCOMPARE(opened("btnCodFisc"), QStringLiteral("TfrmCodFisc"));
    QCOMPARE(opened("btnPartitaIva"), QStringLiteral("TfrmPartitaIva"));
    QCOMPARE(opened("btnCarta"), QStringLiteral("TfrmCarta"));
    QCOMPARE(opened("btnIban"), QStringLiteral("TfrmIban"));
    QCOMPARE(opened("cmdFile"), QStringLiteral("TfrmAllegaCartella"));
    QCOMPARE(opened("cmdGuida"), QStringLiteral("TfrmGuida"));
  }

  void searchRecontactAndExportFromTheCard() {
    type("txtCliente", QStringLiteral("Rossi Mario"));
    click("cmdSalva");
    click("cmdNuovo");
    type("txtCliente", QStringLiteral("Rossi Anna"));
    type("txtQuestioni", QStringLiteral("Preventivo"));
    w<QCheckBox>("chkRicontatta")->setChecked(true);
    w<QLabel>("lblFile02")->setText(QStringLiteral("pianta.dwg"));
    click("cmdSalva");
    click("cmdNuovo");
    auto modal = [this](const char* command, std::function<void(QDialog*)> act) {
      bool seen = false;
      QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
          seen = true;
          act(d);
          if (d->isVisible()) d->close();
        }
      });
      click(command);
      QVERIFY(seen);
    };
    modal("cmdTrova", [](QDialog* d) {
      auto* s = static_cast<lists::ListScreen*>(d);
      QCOMPARE(s->objectName(), QStringLiteral("TfrmTrovaClienti"));
      screenkit::setTextOf(s->findChild<QWidget*>(QStringLiteral("txtCliente")), QStringLiteral("ANNA"));
      s->cerca();
      QCOMPARE(s->lines().size(), 1);
      s->pick(0);
    });
    QCOMPARE(pos(), QStringLiteral("2"));
    QCOMPARE(text("txtCliente"), QStringLiteral("Rossi Anna"));
    QCOMPARE(text("lblFile02"), QStringLiteral("pianta.dwg"));
    QVERIFY(w<QCheckBox>("chkRicontatta")->isChecked());
    click("cmdPrimo");
    modal("cmdRicontatta", [](QDialog* d) {
      auto* s = static_cast<lists::ListScreen*>(d);
      QCOMPARE(s->objectName(), QStringLiteral("TfrmRicontatta"));
      QCOMPARE(s->lines().size(), 1);
      QVERIFY(s->lines().front().endsWith(QStringLiteral("  Preventivo")));
      s->pick(0);
    });
    QCOMPARE(pos(), QStringLiteral("2"));
    messages().answers = {true, true};
    modal("cmdEsporta", [](QDialog* d) {
      auto* e = static_cast<grids::GridScreen*>(d);
      QCOMPARE(e->objectName(), QStringLiteral("TfrmExpClienti"));
      QCOMPARE(e->table().rows(), 2);
      e->esporta();
    });
    QCOMPARE(shell().opened.back(), folder().path(QStringLiteral("Clienti.xls")));
  }

  void everyPictureIsInTheSet() {
    const QStringList missing = missingPictures(TfrmClienti::describe());
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
  }

  void rendersTidily() {
    for (QSize size : {QSize(1366, 740), QSize(1920, 1050)}) {
      card->resize(size);
      QApplication::processEvents();
      const QString out = QDir::temp().filePath(QStringLiteral("velarion_clienti_%1.png").arg(size.width()));
      QVERIFY(card->grab().save(out));
      // every field is inside the visible card, none squeezed to nothing
      for (QLineEdit* e : card->findChildren<QLineEdit*>()) {
        if (!e->isVisibleTo(card.get()) || e->objectName().isEmpty() || !e->objectName().startsWith(QLatin1String("txt"))) continue;
        QVERIFY2(e->width() >= 30, qPrintable(e->objectName()));
        const QRect r(e->mapTo(card.get(), QPoint(0, 0)), e->size());
        QVERIFY2(card->rect().contains(r), qPrintable(e->objectName()));
      }
    }
  }
};

QTEST_MAIN(ClientCardTest)
#include "test_clientcard.moc"
