// The document card driven as a user would: its texts and hints, the
// checks before a save, the typed and picked dates, the coloured focus, the
// Enter and tab orders, the scanned copy and its failures, the duplicate
// and the attachments.
#include "archive/archivio.h"
#include "common/attachments.h"
#include "common/help.h"
#include "common/screens/attachscreen.h"
#include "common/screens/calendarscreen.h"
#include "documents/documento.h"
#include "documents/screens/documentcard.h"
#include "cardtest.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kAccess = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

// The 21 described fields, in card order.
const char* const kDescribed[] = {
    "txtDocumento", "txtProtocollo", "txtProduttore", "txtIndirizzoPro", "txtDataPro",
    "txtDestinatario", "txtIndirizzoDes", "txtDataDes", "txtOggetto", "txtTipo",
    "txtClassificazione", "txtFascicolo", "txtFormato", "txtPagine", "txtAllegati",
    "txtRiferimenti", "txtLivello", "txtSoftware", "txtLuogo", "txtSoggetti",
    "txtNote",
};

void write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// What stands in the way of a copy.
enum Setup { NoSetup, NoSource, FolderIsAFile, NameIsAFolder };

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class DocumentCardTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<TfrmAltri> card;

  QWidget* driven() const override { return card.get(); }
  Record stored(int n) {
    TArchivioSchede a(documentArchive().fixedPath(), 3991);
    a.open(TArchivioSchede::Access::Read);
    return decode(TRecDocumento(), a.read(n).constData());
  }
  RecordPosition count() {
    TArchivioSchede a(documentArchive().fixedPath(), 3991);
    a.open(TArchivioSchede::Access::Read);
    return a.count();
  }
  void fillRequired() {
    drive::type(card.get(), QStringLiteral("txtDocumento"), QStringLiteral("Verbale di sopralluogo"));
    drive::type(card.get(), QStringLiteral("txtProduttore"), QStringLiteral("Ufficio tecnico"));
    set("txtDataPro", QStringLiteral("03/12/2026"));
  }
  // Picks a file through the file dialog of btnSfoglia.
  void pick(const QString& path) {
    attachscreen::setFilePicker([path](QWidget*) { return path; });
    click("btnSfoglia");
    attachscreen::setFilePicker({});
  }

private slots:
  void init() {
    seat();
    card = std::make_unique<TfrmAltri>();
    QVERIFY(drive::show(card.get()));
  }
  void cleanup() {
    card.reset();
    unseat();
  }

  void textsHintsAndLimits() {
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Archivio Documenti"));
    QCOMPARE(text("panInfo"), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    QCOMPARE(drive::focused(), QStringLiteral("txtDocumento"));
    QCOMPARE(w<QCheckBox>("chkDaCompletare")->text(), QStringLiteral("Da completare"));
    QCOMPARE(w<QPushButton>("btnSfoglia")->text(), QStringLiteral("Sfoglia..."));
    QCOMPARE(w<QPushButton>("btnApri")->text(), QStringLiteral("Apri"));
    for (const char* absent : {"cmdAnteprima", "cmdPDF"}) QVERIFY(!card->findChild<QWidget*>(QLatin1String(absent)));

    const std::pair<const char*, const char*> hints[] = {
        {"cmdNuovo", "Prepara la schermata per la registrazione di una nuova scheda."},
        {"cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
        {"cmdSalva", "Salva la scheda corrente in archivio."},
        {"cmdTrova", "Trova una scheda in archivio."},
        {"cmdFile", "Allega file alla scheda corrente."},
        {"cmdStampa", "Stampa la scheda corrente."},
        {"cmdDaCompletare", "Visualizza il riepilogo dei documenti non ancora completati."},
        {"cmdPrimo", "Visualizza la prima scheda in archivio."},
        {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
        {"cmdEsporta", "Esporta tutte le schede in archivio in un file di Microsoft Excel."},
        {"cmdGuida", "Visualizza la guida in linea."},
        {"cmdEsci", "Esci da questa schermata di lavoro."},
        {"btnSfoglia", "Seleziona il file da allegare alla scheda corrente."},
        {"btnApri", "Apri il file allegato alla scheda corrente."},
        {"btnCancella", "Cancella il percorso del file allegato alla scheda corrente."},
        {"chkDaCompletare", "Spunta questa casella per indicare che il documento deve ancora essere completato."},
        {"txtDataPro", "Scrivi la data nel formato gg/mm/aaaa oppure premi Alt+Gi\u00F9 per sceglierla dal calendario."},
        {"txtDataDes", "Scrivi la data nel formato gg/mm/aaaa oppure premi Alt+Gi\u00F9 per sceglierla dal calendario."},
        {"calDataPro", "Scegli la data dal calendario."},
        {"calDataDes", "Scegli la data dal calendario."},
    };
    for (const auto& [control, hint] : hints) {
      QEvent enter(QEvent::Enter);
      QApplication::sendEvent(w(control), &enter);
      QCOMPARE(text("panInfo"), QString::fromUtf8(hint));
    }

    // every edit holds as much as its field
    const RecordLayout& l = TRecDocumento();
    for (int i = 0; i < 22; ++i) {
      const QString name = QStringLiteral("txt") + QLatin1String(l.field(i).name);
      QCOMPARE(drive::find<QLineEdit>(card.get(), name)->maxLength(), l.field(i).width);
    }

    // the help of the document card
    std::vector<HelpTopic> shown;
    help::setViewer([&](QWidget*, HelpTopic t) { shown.push_back(t); });
    click("cmdGuida");
    help::setViewer({});
    QCOMPARE(shown, std::vector<HelpTopic>{HelpTopic::Documenti});
  }

  // A save with name, producer and production date only: "No", no copy, no
  // attachments; saving again overwrites.
  void requiredFieldsInOrderThenSave() {
    const std::pair<const char*, const char*> steps[] = {
        {"txtDocumento", "Attenzione: per salvare la scheda è necessario indicare il nome del documento."},
        {"txtProduttore", "Attenzione: per salvare la scheda è necessario indicare il nome del produttore del documento."},
        {"txtDataPro", "Attenzione: per salvare la scheda è necessario indicare la data di produzione del documento."},
    };
    for (const auto& [control, message] : steps) {
      click("cmdSalva");
      QCOMPARE(messages().last().kind, MessageKind::Warning);
      QCOMPARE(messages().lastText(), QString::fromUtf8(message));
      QCOMPARE(drive::focused(), QLatin1String(control));
      set(control, QLatin1String(control) == QLatin1String("txtDataPro") ? QStringLiteral("05/03/2026")
                                                                         : QStringLiteral("  valore  "));
    }
    QVERIFY(!QFile::exists(documentArchive().fixedPath())); // refused saves touch nothing
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
    Record r = stored(1);
    QCOMPARE(r["Documento"], QStringLiteral("valore"));
    QCOMPARE(r["DaCompletare"], QStringLiteral("No"));
    QCOMPARE(r["Copia"], QString());
    QCOMPARE(r["File01"], QString());
    QCOMPARE(QFile(documentArchive().fixedPath()).size(), 3991);

    w<QCheckBox>("chkDaCompletare")->setChecked(true);
    drive::type(card.get(), QStringLiteral("txtNote"), QStringLiteral("da firmare"));
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(count(), 1);
    r = stored(1);
    QCOMPARE(r["DaCompletare"], QStringLiteral("Sì"));
    QCOMPARE(r["Note"], QStringLiteral("da firmare"));
    QCOMPARE(text("txtNote"), QStringLiteral("da firmare")); // the card keeps showing it

    // the mark comes back on loading; a mark that is neither leaves the box
    r.set("DaCompletare", QStringLiteral("forse"));
    seed::append(documentArchive(), {r});
    click("cmdNuovo");
    QVERIFY(!w<QCheckBox>("chkDaCompletare")->isChecked());
    click("cmdPrimo");
    QVERIFY(w<QCheckBox>("chkDaCompletare")->isChecked());
    w<QCheckBox>("chkDaCompletare")->setChecked(false);
    click("cmdUltimo");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QVERIFY(!w<QCheckBox>("chkDaCompletare")->isChecked());
  }

  // The dates are typed as a person types them, or picked from the calendar
  // through the picture beside them: a typed date is what is stored; one
  // that does not exist is refused when the field is left and at save.
  void datesTypedOrPicked() {
    const QString refused = QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 necessario "
                                           "indicare una data valida nel formato gg/mm/aaaa.");
    QVERIFY(!w<QLineEdit>("txtDataPro")->isReadOnly());
    drive::type(card.get(), QStringLiteral("txtDocumento"), QStringLiteral("Planimetria"));
    drive::type(card.get(), QStringLiteral("txtProduttore"), QStringLiteral("Catasto"));
    // Enter from the producer's address into the production date, the keys, Enter on
    drive::key(card.get(), QStringLiteral("txtIndirizzoPro"), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtDataPro"));
    drive::keys(QStringLiteral("20/11/2026\n"));
    QCOMPARE(text("txtDataPro"), QStringLiteral("20/11/2026"));
    QCOMPARE(drive::focused(), QStringLiteral("txtDestinatario"));
    // the receipt date from the calendar, which its picture opens on today
    QString tag;
    QDate shown;
    const QString seen = drive::withModal([&] { click("calDataDes"); }, [&](QWidget* m) {
      tag = drive::text(m, QStringLiteral("lblMemory"));
      shown = static_cast<TfrmCalendario*>(m)->selectedDate();
      drive::find<QCalendarWidget>(m, QStringLiteral("calAppuntamenti"))->setSelectedDate(QDate(2026, 11, 9));
      drive::click(m, QStringLiteral("btnImportaData"));
    });
    QCOMPARE(seen, QStringLiteral("TfrmCalendario"));
    QCOMPARE(tag, QStringLiteral("datades"));
    QCOMPARE(shown, QDate(2026, 12, 10));
    QCOMPARE(text("txtDataDes"), QStringLiteral("09/11/2026"));
    QVERIFY(messages().shown.empty());

    // a receipt date that does not exist: refused when left, kept as typed
    drive::key(card.get(), QStringLiteral("txtIndirizzoDes"), Qt::Key_Return);
    drive::keys(QStringLiteral("31022026"));
    drive::press(Qt::Key_Tab);
    QCOMPARE(messages().last().kind, MessageKind::Plain);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: la data 31022026") + refused);
    QCOMPARE(text("txtDataDes"), QStringLiteral("31022026"));
    // and at save, with the focus on it
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Plain);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: la data 31022026") + refused);
    QCOMPARE(drive::focused(), QStringLiteral("txtDataDes"));
    QCOMPARE(count(), 0);
    // typed again over it and saved without leaving the field: stored as dd/mm/yyyy
    drive::keys(QStringLiteral("3/2/2026"));
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    QCOMPARE(stored(1)["DataPro"], QStringLiteral("20/11/2026"));
    QCOMPARE(stored(1)["DataDes"], QStringLiteral("03/02/2026"));
    QCOMPARE(text("txtDataDes"), QStringLiteral("03/02/2026"));

    // emptied, the production date is refused as missing
    drive::key(card.get(), QStringLiteral("txtDataPro"), Qt::Key_Delete);
    QCOMPARE(text("txtDataPro"), QString());
    click("cmdSalva");
    QCOMPARE(messages().lastText(),
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di produzione del documento."));
  }

  // Light blue with a sky-blue border on the 21 described fields, yellow on
  // the one with the focus; the scanned copy has neither.
  void colouredFocusOnTheDescribedFields() {
    auto inside = [&](QWidget* f) { return f->grab().toImage().pixelColor(f->width() - 4, f->height() / 2); };
    w("txtCopia")->setFocus();
    QApplication::processEvents();
    for (const char* name : kDescribed) {
      QWidget* f = w(name);
      QVERIFY2(inside(f) == QColor(0xF0, 0xF8, 0xFF), name);
      QVERIFY2(f->grab().toImage().pixelColor(0, f->height() / 2) == QColor(0x87, 0xCE, 0xEB), name);
      f->setFocus();
      QApplication::processEvents();
      QVERIFY2(inside(f) == QColor(0xFF, 0xFF, 0x00), name);
      w("txtCopia")->setFocus();
      QApplication::processEvents();
      QVERIFY2(inside(f) == QColor(0xF0, 0xF8, 0xFF), name);
    }
    QVERIFY(inside(w("txtCopia")) != QColor(0xFF, 0xFF, 0x00));
    QVERIFY(inside(w("txtCopia")) != QColor(0xF0, 0xF8, 0xFF));
    QVERIFY(!card->findChild<QWidget*>(QStringLiteral("effDocumento")));
  }

  void enterChainsAndTabOrder() {
    const std::pair<const char*, const char*> enter[] = {
        {"txtDocumento", "txtProtocollo"},       {"txtProtocollo", "txtProduttore"},
        {"txtProduttore", "txtIndirizzoPro"},    {"txtIndirizzoPro", "txtDataPro"},
        {"txtDataPro", "txtDestinatario"},       {"txtDestinatario", "txtIndirizzoDes"},
        {"txtIndirizzoDes", "txtDataDes"},       {"txtDataDes", "txtOggetto"},
        {"txtOggetto", "txtTipo"},               {"txtTipo", "txtClassificazione"},
        {"txtClassificazione", "txtFascicolo"},  {"txtFascicolo", "txtFormato"},
        {"txtFormato", "txtPagine"},             {"txtPagine", "txtAllegati"},
        {"txtAllegati", "txtRiferimenti"},       {"txtRiferimenti", "txtLivello"},
        {"txtLivello", "txtSoftware"},           {"txtSoftware", "txtLuogo"},
        {"txtLuogo", "txtSoggetti"},             {"txtSoggetti", "txtNote"},
        {"txtNote", "txtCopia"},                 {"txtCopia", "txtCopia"},
    };
    for (const auto& [from, to] : enter) {
      drive::key(card.get(), QLatin1String(from), Qt::Key_Return);
      QCOMPARE(drive::focused(), QLatin1String(to));
    }
    // Enter in a date opens no calendar
    QCOMPARE(drive::withModal([&] { drive::key(card.get(), QStringLiteral("txtDataDes"), Qt::Key_Return); }),
             QString());

    // Tab runs through the card in order, the mark before the notes
    set("txtCopia", QStringLiteral("scansione.pdf")); // Apri takes the focus only when it can open
    QStringList order;
    w("txtDocumento")->setFocus();
    for (int i = 0; i < 25; ++i) {
      order << drive::focused();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList expected;
    for (const char* name : kDescribed) expected << QLatin1String(name);
    expected.insert(20, QStringLiteral("chkDaCompletare"));
    expected << QStringLiteral("txtCopia") << QStringLiteral("btnSfoglia") << QStringLiteral("btnApri");
    QCOMPARE(order, expected);
  }

  // The scanned copy: picked, copied at once into "Documenti_Allegati",
  // opened, cleared; the overwrite question decides for a name already there.
  void scannedCopy() {
    RecordingShell shell;
    QTemporaryDir source;
    const QString picked = source.filePath(QStringLiteral("verbale 3 dicembre.pdf"));
    write(picked, "scansione");
    QVERIFY(!w("btnApri")->isEnabled());
    pick(picked);
    QCOMPARE(text("txtCopia"), QStringLiteral("verbale 3 dicembre.pdf"));
    const QString copy = attachments::folder() + QStringLiteral("verbale 3 dicembre.pdf");
    QCOMPARE(contents(copy), QByteArray("scansione"));
    QVERIFY(w("btnApri")->isEnabled());
    click("btnApri");
    QCOMPARE(shell.opened, std::vector<QString>{copy});

    // the same name again: No keeps the stored file, the name stays chosen
    write(picked, "un'altra scansione");
    set("txtCopia", QString());
    messages().answers = {false};
    pick(picked);
    QCOMPARE(messages().last().kind, MessageKind::Question);
    QCOMPARE(messages().lastText(), QString::fromUtf8(attachments::kOverwriteQuestion));
    QCOMPARE(contents(copy), QByteArray("scansione"));
    QCOMPARE(text("txtCopia"), QStringLiteral("verbale 3 dicembre.pdf"));
    messages().answers = {true};
    pick(picked);
    QCOMPARE(contents(copy), QByteArray("un'altra scansione"));

    // Cancella forgets the name, not the file; the save stores no copy
    fillRequired();
    click("cmdSalva");
    QCOMPARE(stored(1)["Copia"], QStringLiteral("verbale 3 dicembre.pdf"));
    click("btnCancella");
    QCOMPARE(text("txtCopia"), QString());
    QVERIFY(!w("btnApri")->isEnabled());
    click("cmdSalva");
    QCOMPARE(stored(1)["Copia"], QString());
    QVERIFY(QFile::exists(copy));

    // cancelling the dialog changes nothing
    set("txtCopia", QStringLiteral("resta.pdf"));
    pick(QString());
    QCOMPARE(text("txtCopia"), QStringLiteral("resta.pdf"));
  }

  // A copy that cannot be made, or a name the card cannot keep, is reported
  // (a failed copy with the system's reason) and the previous name stays.
  void scannedCopyFailuresKeepThePreviousName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("setup");
    QTest::addColumn<QString>("starts");
    const QString copyFailed = QStringLiteral("Attenzione: non è stato possibile copiare il file \"");
    QTest::newRow("source unreadable") << QStringLiteral("sparito.pdf") << int(NoSource) << copyFailed;
    QTest::newRow("folder not writable") << QStringLiteral("scheda.pdf") << int(FolderIsAFile) << copyFailed;
    QTest::newRow("target not replaceable") << QStringLiteral("occupato.pdf") << int(NameIsAFolder) << copyFailed;
    QTest::newRow("leads outside the folder") << QStringLiteral("..\\Archivio_Documenti.pro") << int(NoSetup)
                                              << QStringLiteral("Attenzione: il nome \"");
    QTest::newRow("not Windows-1252") << QStringLiteral("\u0441\u043A\u0430\u043D.pdf") << int(NoSetup)
                                      << QStringLiteral("Attenzione: il nome \"");
    QTest::newRow("longer than the field") << QString(247, QLatin1Char('a')) + QStringLiteral(".pdf") << int(NoSetup)
                                           << QStringLiteral("Attenzione: il nome \"");
  }
  void scannedCopyFailuresKeepThePreviousName() {
    QFETCH(QString, name);
    QFETCH(int, setup);
    QFETCH(QString, starts);
    QTemporaryDir source;
    const QString picked = source.filePath(name);
    if (setup != NoSource) write(picked, "X");
    if (setup == FolderIsAFile) write(seams->folder.path(QStringLiteral("Documenti_Allegati")), "not a folder");
    if (setup == NameIsAFolder) QVERIFY(QDir().mkpath(attachments::folder() + name));
    set("txtCopia", QStringLiteral("precedente.pdf"));
    messages().answers = {true};
    pick(picked);
    QCOMPARE(text("txtCopia"), QStringLiteral("precedente.pdf"));
    QCOMPARE(messages().last().kind, MessageKind::Error);
    QVERIFY2(messages().lastText().startsWith(starts), qPrintable(messages().lastText()));
    if (starts.contains(QStringLiteral("copiare"))) // the system's reason follows
      QVERIFY(!messages().lastText().section(QStringLiteral("\r\n\r\n"), 1).trimmed().isEmpty());
    QVERIFY(!QFile::exists(documentArchive().fixedPath()));
  }

  // The duplicate: refused before the first save; then a new document with
  // the same description and no copy, no mark, no attachments.
  void duplicateHasItsOwnRules() {
    click("cmdDuplica");
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                                                   "che questa è stata inserita in archivio."));
    fillRequired();
    drive::type(card.get(), QStringLiteral("txtOggetto"), QStringLiteral("Sopralluogo cantiere"));
    set("txtDataDes", QStringLiteral("04/12/2026"));
    set("txtCopia", QStringLiteral("verbale.pdf"));
    w<QCheckBox>("chkDaCompletare")->setChecked(true);
    set("lblFile02", QStringLiteral("foto.jpg"));
    set("lblDesc02", QStringLiteral("Foto del cantiere"));
    click("cmdSalva");
    const QByteArray first = encode(stored(1));

    click("cmdDuplica");
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QCOMPARE(messages().lastText(), QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                                   "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio."));
    QCOMPARE(text("lblPosizione"), QString());
    QCOMPARE(text("txtCopia"), QString());
    QVERIFY(!w<QCheckBox>("chkDaCompletare")->isChecked());
    QCOMPARE(text("lblFile02"), QString());
    QCOMPARE(text("lblDesc02"), QString());
    QCOMPARE(text("txtOggetto"), QStringLiteral("Sopralluogo cantiere"));
    QCOMPARE(drive::focused(), QStringLiteral("txtDocumento"));
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QCOMPARE(encode(stored(1)), first);
    Record copy = stored(2);
    Record expected = stored(1);
    for (const char* cleared : {"Copia", "File02", "Desc02"}) expected.set(cleared, QString());
    expected.set("DaCompletare", QStringLiteral("No"));
    QCOMPARE(encode(copy), encode(expected));

    // an archive out of reach: a warning here, an error when saving
    click("cmdPrimo");
    const QString blocked = seams->folder.path(QStringLiteral("bloccato"));
    write(blocked, "");
    paths::setProgramFolder(blocked);
    click("cmdDuplica");
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), kAccess);
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Error);
    QCOMPARE(messages().lastText(), kAccess);
    paths::setProgramFolder(seams->folder.dir.path());
  }

  // The three attachments go through the shared screen with the tag "altri".
  void attachmentsThroughTheSharedScreen() {
    set("lblFile01", QStringLiteral("pianta.pdf"));
    set("lblDesc01", QStringLiteral("Pianta"));
    QString tag, loaded;
    const QString seen = drive::withModal([&] { click("cmdFile"); }, [&](QWidget* m) {
      tag = drive::text(m, QStringLiteral("lblMemory"));
      loaded = drive::text(m, QStringLiteral("txtFile01"));
      drive::type(m, QStringLiteral("txtDesc01"), QStringLiteral("Pianta piano terra"));
      drive::click(m, QStringLiteral("btnApplica"));
    });
    QCOMPARE(seen, QStringLiteral("TfrmAllegaCartella"));
    QCOMPARE(tag, QStringLiteral("altri"));
    QCOMPARE(loaded, QStringLiteral("pianta.pdf"));
    QCOMPARE(text("lblDesc01"), QStringLiteral("Pianta piano terra"));
    fillRequired();
    click("cmdSalva");
    QCOMPARE(stored(1)["Desc01"], QStringLiteral("Pianta piano terra"));
    QCOMPARE(stored(1)["File01"], QStringLiteral("pianta.pdf"));
  }
};

QTEST_MAIN(DocumentCardTest)
#include "test_documentcard.moc"
