// The protocol card driven as a user would: the proposed number and its
// year, the number taken again when another workstation stored a document
// meanwhile, the settings that are not a number, the checks before a save,
// the office and operator remembered, the mail type and digital copy
// shown, and the numbering screen.
#include "archive/archivio.h"
#include "common/screens/screenkit.h"
#include "protocol/protocollo.h"
#include "protocol/screens/numberingscreen.h"
#include "protocol/screens/protocolcard.h"
#include "cardtest.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

} // namespace

class ProtocolCardTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<TfrmProtocollo> card;

  QWidget* driven() const override { return card.get(); }

  QString archive(const char* year = "2026") { return seams->folder.path(QLatin1String(year) + QStringLiteral(".prt")); }
  QString ini() { return seams->folder.path(QStringLiteral("Quorbis.ini")); }

  // Opens the card on a year's archive, as the year screen does.
  void open(const char* year = "2026") {
    card->hide();
    drive::find<QLabel>(card.get(), QStringLiteral("lblFile"))->setText(archive(year));
    QVERIFY(drive::show(card.get()));
  }
  Record stored(int n, const char* year = "2026") {
    TArchivioSchede a(archive(year), TRecProtocollo().size());
    a.open(TArchivioSchede::Access::Read);
    return decode(TRecProtocollo(), a.read(n).constData());
  }
  int count(const char* year = "2026") { return int(QFileInfo(archive(year)).size() / TRecProtocollo().size()); }
  // A document stored by another workstation.
  void storedElsewhere(const char* number) {
    Record r(TRecProtocollo());
    r.set("Numero", QLatin1String(number));
    seed::append(archive(), TRecProtocollo(), {r});
  }
  // What a save needs besides the number.
  void fillRequired() {
    set("txtCategoria", QStringLiteral("Lettera"));
    set("txtOggetto", QStringLiteral("Richiesta"));
    click("optUscita");
  }

private slots:
  void init() {
    seat();
    card = std::make_unique<TfrmProtocollo>();
    open();
  }
  void cleanup() {
    card.reset();
    unseat();
  }

  void newProposesTheNextNumberAndToday() {
    QCOMPARE(text("txtNumero"), QString()); // no number until Nuovo
    QCOMPARE(text("txtDataReg"), QStringLiteral("10/12/2026"));
    QCOMPARE(drive::focused(), QStringLiteral("txtNumero"));
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("1"));
    QCOMPARE(text("txtDataReg"), QStringLiteral("10/12/2026"));
    QCOMPARE(drive::focused(), QStringLiteral("txtCategoria"));
    QVERIFY(QFile::exists(archive())); // the archive of the year is made by the first command
    click("cmdNuovo"); // twice without saving: the same number
    QCOMPARE(text("txtNumero"), QStringLiteral("1"));

    fillRequired();
    click("cmdSalva");
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("2"));
    QCOMPARE(text("lblPosizione"), QString());

    // a new start shifts the following proposals; stored numbers stay
    QVERIFY(protocolsettings::writeNumbering(QStringLiteral("120"), true));
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("121/2026"));
    QCOMPARE(stored(1)["Numero"], QStringLiteral("1"));
  }

  void theYearSuffixIsTheYearOfTheArchiveShown() {
    seams->clock.day = QDate(2027, 1, 15); // a letter of 2026 registered in January 2027
    QVERIFY(protocolsettings::writeNumbering(QString(), true));
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("1/2026"));
    QCOMPARE(text("txtDataReg"), QStringLiteral("15/01/2027"));
    open("2027");
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("1/2027"));
  }

  void aStartThatIsNotANumberIsNamedAndTheCardStaysEmpty() {
    writeFile(ini(), "[Numerazione Protocollo]\r\nInizio=12a\r\n");
    set("txtOggetto", QStringLiteral("scritto prima"));
    click("cmdNuovo");
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), protocoltext::startNotANumber());
    QVERIFY(messages().lastText().contains(QStringLiteral("\"Inizio\"")));
    QCOMPARE(text("txtNumero"), QString());
    QCOMPARE(text("txtOggetto"), QString());
    QCOMPARE(text("txtDataReg"), QStringLiteral("10/12/2026"));
  }

  void anArchiveThatCannotBeReachedKeepsTheCard() {
    drive::find<QLabel>(card.get(), QStringLiteral("lblFile"))->setText(seams->folder.path(QStringLiteral("no/2026.prt")));
    set("txtOggetto", QStringLiteral("resta"));
    click("cmdNuovo");
    QCOMPARE(messages().last().kind, MessageKind::Error);
    QCOMPARE(messages().lastText(), archiveAccessMessage());
    QCOMPARE(text("txtOggetto"), QStringLiteral("resta"));
  }

  void checksBeforeSavingInOrderWithTheirFocus() {
    const std::pair<const char*, const char*> steps[] = {
        {"txtNumero", "Attenzione: per salvare la scheda è necessario indicare il numero di protocollo del documento."},
        {"txtDataReg",
         "Attenzione: per salvare la scheda è necessario indicare la data di registrazione del documento."},
        {"txtCategoria", "Attenzione: per salvare la scheda è necessario indicare la categoria del documento."},
        {"txtOggetto", "Attenzione: per salvare la scheda è necessario indicare l'oggetto del documento."},
        {"optEntrata", "Attenzione: per salvare la scheda è necessario indicare la tipologia di posta (in entrata, in "
                       "uscita o interna)."},
    };
    drive::key(card.get(), QStringLiteral("txtDataReg"), Qt::Key_Backspace);
    for (const auto& [control, message] : steps) {
      click("cmdSalva");
      QCOMPARE(messages().last().kind, MessageKind::Warning);
      QCOMPARE(messages().lastText(), QString::fromUtf8(message));
      QCOMPARE(drive::focused(), QLatin1String(control));
      if (QLatin1String(control) == QLatin1String("optEntrata")) click("optInterna");
      else if (QLatin1String(control) == QLatin1String("txtDataReg")) set(control, QStringLiteral("01/02/2026"));
      else set(control, QStringLiteral(" 01/02/2026 "));
    }
    QCOMPARE(count(), 0);
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(stored(1)["Tipo"], QStringLiteral("Interna"));
    QCOMPARE(stored(1)["Numero"], QStringLiteral("01/02/2026"));
    set("txtNote", QStringLiteral("cambiata"));
    click("cmdSalva");
    QCOMPARE(messages().lastText(),
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(count(), 1);
    QCOMPARE(stored(1)["Note"], QStringLiteral("cambiata"));
  }

  // Two workstations on one shared folder: the proposal made by Nuovo is
  // taken again from the count at the moment of the save.
  void aProposalTakenMeanwhileIsRenumberedWhenStored() {
    QVERIFY(protocolsettings::writeNumbering(QStringLiteral("120"), true));
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("120/2026"));
    fillRequired();
    storedElsewhere("120/2026");
    click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio.\r\n\r\n"
                                                   "Il numero di protocollo 120/2026 è stato assegnato nel frattempo "
                                                   "ad un altro documento: la scheda è stata registrata con il numero "
                                                   "121/2026."));
    QCOMPARE(text("txtNumero"), QStringLiteral("121/2026"));
    QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    QCOMPARE(stored(2)["Numero"], QStringLiteral("121/2026"));

    // saved again over its position: the number stays whatever the count
    storedElsewhere("122/2026");
    click("cmdSalva");
    QCOMPARE(stored(2)["Numero"], QStringLiteral("121/2026"));

    // a proposal still free is stored as proposed, with the usual message
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("123/2026"));
    fillRequired();
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(stored(4)["Numero"], QStringLiteral("123/2026"));

    // a number typed by hand is stored as typed
    click("cmdNuovo");
    set("txtNumero", QStringLiteral("50/2026"));
    fillRequired();
    storedElsewhere("x");
    click("cmdSalva");
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(stored(6)["Numero"], QStringLiteral("50/2026"));
    QCOMPARE(text("txtNumero"), QStringLiteral("50/2026"));

    // a card loaded from the archive is no longer a proposal
    click("cmdNuovo");
    click("cmdPrimo");
    fillRequired();
    storedElsewhere("y");
    click("cmdSalva");
    QCOMPARE(stored(1)["Numero"], QStringLiteral("120/2026"));
    QCOMPARE(text("txtNumero"), QStringLiteral("120/2026"));
  }

  void officeAndOperatorAreRememberedWhenTheCardCloses() {
    writeFile(ini(), "[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Niccol\xF2\r\n");
    open();
    QCOMPARE(text("txtUfficio"), QStringLiteral("Segreteria"));
    QCOMPARE(text("txtOperatore"), QStringLiteral("Niccolò"));
    click("cmdNuovo"); // not cleared by Nuovo either
    QCOMPARE(text("txtUfficio"), QStringLiteral("Segreteria"));

    set("txtUfficio", QStringLiteral("  Ufficio tecnico "));
    set("txtOperatore", QString());
    click("cmdEsci");
    QVERIFY(!card->isVisible());
    QVERIFY(fileBytes(ini()).contains("Ufficio=Ufficio tecnico\r\nOperatore=\r\n"));
    QVERIFY(protocolsettings::readDesk());

    // a settings file that cannot be written is reported
    QVERIFY(QFile::remove(ini()));
    QVERIFY(QDir(seams->folder.dir.path()).mkdir(QStringLiteral("Quorbis.ini")));
    open();
    click("cmdEsci");
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), protocoltext::settingsUnreachable());
    // and Nuovo cannot propose a number without it
    open();
    click("cmdNuovo");
    QCOMPARE(messages().lastText(), protocoltext::settingsUnreachable());
  }

  void aStoredCardShowsItsTypeCopyAndAttachments() {
    Record r(TRecProtocollo());
    r.set("Numero", QStringLiteral("7"));
    r.set("Tipo", QStringLiteral("In uscita"));
    r.set("Copia", QStringLiteral("lettera.pdf"));
    r.set("File02", QStringLiteral("allegato.doc"));
    r.set("Desc02", QStringLiteral("Planimetria"));
    Record internal = r;
    internal.set("Tipo", QStringLiteral("Interna"));
    internal.set("Copia", QString());
    seed::append(archive(), TRecProtocollo(), {r, internal});
    click("optEntrata");
    QVERIFY(!drive::find<QPushButton>(card.get(), QStringLiteral("btnApri"))->isEnabled());
    click("cmdPrimo");
    QVERIFY(drive::find<QRadioButton>(card.get(), QStringLiteral("optUscita"))->isChecked());
    QVERIFY(!drive::find<QRadioButton>(card.get(), QStringLiteral("optEntrata"))->isChecked());
    QCOMPARE(text("txtCopia"), QStringLiteral("lettera.pdf"));
    QVERIFY(drive::find<QPushButton>(card.get(), QStringLiteral("btnApri"))->isEnabled());
    QCOMPARE(text("lblFile02"), QStringLiteral("allegato.doc"));
    QCOMPARE(text("lblDesc02"), QStringLiteral("Planimetria"));
    RecordingShell shell;
    QVERIFY(QDir().mkpath(seams->folder.path(QStringLiteral("Documenti_Allegati"))));
    writeFile(seams->folder.path(QStringLiteral("Documenti_Allegati/lettera.pdf")), "PDF");
    click("btnApri");
    QCOMPARE(shell.opened.back(), seams->folder.path(QStringLiteral("Documenti_Allegati/lettera.pdf")));
    click("imgCancella01");
    QCOMPARE(text("txtCopia"), QString());
    QVERIFY(!drive::find<QPushButton>(card.get(), QStringLiteral("btnApri"))->isEnabled());
    click("cmdAvanti");
    QVERIFY(drive::find<QRadioButton>(card.get(), QStringLiteral("optInterna"))->isChecked());
    QVERIFY(!drive::find<QRadioButton>(card.get(), QStringLiteral("optUscita"))->isChecked());
    // showing the card again clears it, type included
    open();
    for (const char* o : {"optEntrata", "optUscita", "optInterna"})
      QVERIFY(!drive::find<QRadioButton>(card.get(), QLatin1String(o))->isChecked());
    QCOMPARE(text("lblPosizione"), QString());
    QCOMPARE(text("lblFile02"), QString());
  }

  void hintsOfTheCard() {
    const std::pair<const char*, const char*> hints[] = {
        {"cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
        {"cmdEsci", "Esci da questa schermata di lavoro."},
        {"cmdNumerazione", "Imposta il numero iniziale per la numerazione del protocollo."},
        {"cmdRiepilogo", "Visualizza il riepilogo dei documenti protocollati in un intervallo di tempo."},
        {"txtDataReg", "Scrivi la data nel formato gg/mm/aaaa oppure premi Alt+Gi\u00F9 per sceglierla dal calendario."},
        {"calDataReg", "Scegli la data dal calendario."},
        {"imgCancella01", "Cancella il percorso del file allegato alla scheda corrente."},
    };
    for (const auto& [control, hint] : hints) {
      QWidget* w = drive::find(card.get(), QLatin1String(control));
      QEvent enter(QEvent::Enter);
      QApplication::sendEvent(w, &enter);
      QCOMPARE(text("panInfo"), QString::fromUtf8(hint));
    }
    for (const char* absent : {"cmdDuplica", "cmdAnteprima", "cmdPDF"})
      QVERIFY(!card->findChild<QWidget*>(QLatin1String(absent)));
  }

  void theNumberingScreenKeepsAWholeStart() {
    QString shown;
    // opened by the card: the settings, "1" for an empty start
    drive::withModal([&] { click("cmdNumerazione"); }, [&](QWidget* s) {
      shown = s->windowTitle();
      QVERIFY(drive::show(s));
      QCOMPARE(drive::text(s, QStringLiteral("txtInizio")), QStringLiteral("1"));
      QVERIFY(!drive::find<QCheckBox>(s, QStringLiteral("chkTipo"))->isChecked());
      QCOMPARE(drive::focused(), QStringLiteral("txtInizio"));
      drive::type(s, QStringLiteral("txtInizio"), QStringLiteral("12x34567"));
      QCOMPARE(drive::text(s, QStringLiteral("txtInizio")), QStringLiteral("12345")); // digits only, five at most
      drive::type(s, QStringLiteral("txtInizio"), QString());
      drive::key(s, QStringLiteral("txtInizio"), Qt::Key_Return); // Enter: on to "Applica e chiudi"
      QCOMPARE(drive::focused(), QStringLiteral("btnApplica"));
      QCOMPARE(drive::text(s, QStringLiteral("txtInizio")), QStringLiteral("1")); // left empty
      drive::type(s, QStringLiteral("txtInizio"), QStringLiteral("0120"));
      drive::click(s, QStringLiteral("chkTipo"));
      drive::click(s, QStringLiteral("btnApplica"));
      QVERIFY(!s->isVisible());
    });
    QCOMPARE(shown, QStringLiteral(" Impostazione inizio numerazione"));
    QVERIFY(fileBytes(ini()).contains("[Numerazione Protocollo]\r\nInizio=120\r\nIndicazione Anno Solare=S\xEC\r\n"));
    click("cmdNuovo");
    QCOMPARE(text("txtNumero"), QStringLiteral("120/2026"));

    // "Annulla" writes nothing
    drive::withModal([&] { click("cmdNumerazione"); }, [&](QWidget* s) {
      QCOMPARE(drive::text(s, QStringLiteral("txtInizio")), QStringLiteral("120"));
      QVERIFY(drive::find<QCheckBox>(s, QStringLiteral("chkTipo"))->isChecked());
      drive::type(s, QStringLiteral("txtInizio"), QStringLiteral("5"));
      drive::click(s, QStringLiteral("btnAnnulla"));
    });
    QCOMPARE(protocolsettings::readNumbering()->start, QStringLiteral("120"));

    // another caller tag: the screen neither reads nor writes the settings
    TfrmNumerazione other;
    other.setCallerTag(QStringLiteral("altro"));
    QVERIFY(drive::show(&other));
    QVERIFY(drive::text(&other, QStringLiteral("txtInizio")) != QStringLiteral("120"));
    QVERIFY(!drive::find<QCheckBox>(&other, QStringLiteral("chkTipo"))->isChecked());
    drive::type(&other, QStringLiteral("txtInizio"), QStringLiteral("7"));
    other.applica();
    QCOMPARE(protocolsettings::readNumbering()->start, QStringLiteral("120"));
  }
};

QTEST_MAIN(ProtocolCardTest)
#include "test_protocolcard.moc"
