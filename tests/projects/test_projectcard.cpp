// The project card through its screen: a new card, the five sections, the
// costs and the team count, texts saved as typed, the required fields, the
// Enter key, loading the finished mark, the duplicate and the failures.
#include "projectfixture.h"

#include "archive/archivio.h"
#include "projects/screens/projectcard.h"
#include "cardtest.h"
#include "screendriver.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <memory>

class ProjectCardTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<TfrmReferti> card;

  QWidget* driven() const override { return card.get(); }
  bool visible(const char* name) { return drive::find(card.get(), QLatin1String(name))->isVisible(); }
  QCheckBox* finished() { return drive::find<QCheckBox>(card.get(), QStringLiteral("chkTerminato")); }
  // The focus leaves a field, as a click elsewhere does.
  void leave() { drive::find(card.get(), QStringLiteral("txtNome"))->setFocus(Qt::OtherFocusReason); }
  void fillRequired() {
    card->form()->set("Nome", QStringLiteral("Villa"));
    card->form()->set("Codice", QStringLiteral("V-1"));
    card->form()->set("DataInizio", QStringLiteral("01/12/2026"));
    card->form()->set("DataScade", QStringLiteral("31/01/2026"));
    card->form()->set("Responsabile", QStringLiteral("Neri"));
  }
  void setFile(const QString& path) { drive::find<QLabel>(card.get(), QStringLiteral("lblFile"))->setText(path); }

private slots:
  void init() {
    seat();
    card = std::make_unique<TfrmReferti>();
    setFile(projectsPath());
    QVERIFY(drive::show(card.get()));
  }
  void cleanup() {
    card.reset();
    unseat();
  }

  void aNewCardAndItsFiveSections() {
    QCOMPARE(card->windowTitle(), QStringLiteral(" Velarion - Archivio progetti"));
    const std::pair<const char*, QString> defaults[] = {
        {"txtCostoPrev", "0,00"}, {"txtTotCosti", "0,00"}, {"txtTotMembri", "0"}, {"txtNome", ""},
        {"txtFasi", ""},          {"lblPosizione", ""},    {"lblFile01", ""}};
    for (const auto& [name, value] : defaults) QCOMPARE(text(name), value);
    QVERIFY(!finished()->isChecked());
    QCOMPARE(drive::focused(), QStringLiteral("txtNome"));

    const char* stems[] = {"Descrizione", "Partecipanti", "Materiali", "Registro", "Costi"};
    const char* focus[] = {"txtDescrizione", "txtMembri", "txtMateriali", "txtEspletate", "txtCosti"};
    QVERIFY(visible("panDescrizione") && visible("btnDescrizione_B") && !visible("btnDescrizione_A"));
    for (int s : {4, 1, 2, 3, 0}) {
      click(qPrintable(QStringLiteral("btn%1_A").arg(QLatin1String(stems[s]))));
      for (int o = 0; o < 5; ++o) {
        const QString stem = QLatin1String(stems[o]);
        QCOMPARE(visible(qPrintable(QStringLiteral("pan") + stem)), o == s);
        QCOMPARE(visible(qPrintable(QStringLiteral("btn%1_B").arg(stem))), o == s);
        QCOMPARE(visible(qPrintable(QStringLiteral("btn%1_A").arg(stem))), o != s);
      }
      QCOMPARE(drive::focused(), QLatin1String(focus[s]));
      QVERIFY(visible("txtNome") && visible("txtCodice") && visible("txtAmbito") && visible("txtAnnotazioni"));
    }

    // Nuovo empties the card to the same defaults, description section and name first
    type("txtCostoPrev", QStringLiteral("5"));
    type("txtTotMembri", QStringLiteral("3"));
    finished()->setChecked(true);
    click("btnCosti_A");
    click("cmdNuovo");
    QCOMPARE(text("txtCostoPrev"), QStringLiteral("0,00"));
    QCOMPARE(text("txtTotMembri"), QStringLiteral("0"));
    QVERIFY(!finished()->isChecked());
    QVERIFY(visible("panDescrizione") && !visible("panCosti"));
    QCOMPARE(drive::focused(), QStringLiteral("txtNome"));
  }

  void costsAreKeptToFourDecimalsWhenLeft() {
    struct Case {
      const char* typed;
      const char* left;
    } cases[] = {
        {"12", "12,00"},        {"12,5", "12,50"},      {"12,345", "12,345"}, {"1,23456", "1,2346"},
        {"1,23455", "1,2346"},  {"0,00005", "0,0001"},  {"0", "0,00"},        {"", "0,00"},
        {",5", "0,50"},         {"1,2,3", "0,00"},      {"1a2b,3", "12,30"}, // letters never reach the field
    };
    for (const char* field : {"txtCostoPrev", "txtTotCosti"})
      for (const Case& c : cases) {
        type(field, QString::fromUtf8(c.typed));
        leave();
        QCOMPARE(text(field), QString::fromUtf8(c.left));
      }
    // the field holds 12, the total paid takes 10 characters; neither keeps
    // more than 7 digits before the comma: such a cost stays as typed, with
    // a warning when it is left
    const std::pair<const char*, const char*> limits[] = {{"txtCostoPrev", "123456789012"},
                                                          {"txtTotCosti", "1234567890"}};
    for (const auto& [field, kept] : limits) {
      seams->messages.clear();
      type(field, QStringLiteral("123456789012345"));
      QCOMPARE(text(field), QLatin1String(kept));
      leave();
      QCOMPARE(text(field), QLatin1String(kept));
      QCOMPARE(seams->messages.shown.size(), size_t(1));
      QCOMPARE(seams->messages.lastText(), QStringLiteral("Attenzione: l'importo indicato \u00E8 troppo grande.\n\r\n\r"
                                                          "L'importo pu\u00F2 avere al massimo 7 cifre prima della virgola."));
      type(field, QStringLiteral("9999999,9"));
      leave();
      QCOMPARE(text(field), QStringLiteral("9999999,90"));
    }

    // the team count takes digits, and is 0 when left empty
    click("btnPartecipanti_A");
    type("txtTotMembri", QStringLiteral("1x2"));
    QCOMPARE(text("txtTotMembri"), QStringLiteral("12"));
    type("txtTotMembri", QString());
    leave();
    QCOMPARE(text("txtTotMembri"), QStringLiteral("0"));

    // a cost typed and saved without leaving the field is stored normalised
    fillRequired();
    type("txtCostoPrev", QStringLiteral("12,5"));
    click("cmdSalva");
    QCOMPARE(seams->messages.lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    const QByteArray stored = fileBytes(projectsPath());
    QCOMPARE(stored.mid(TRecProgetto().offsetOf("CostoPrev"), 6), QByteArray("12,50\0", 6));
  }

  // The estimated cost emptied and saved is refused; while the warning has
  // the focus the field stays empty, so a second Salva is refused again.
  void anEmptiedCostStaysEmptyAcrossItsWarning() {
    drive::WindowedMessages boxes;
    const QString missing = QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il costo "
                                           "totale preventivato del progetto.");
    fillRequired();
    // a click selects the cost, Delete empties it
    drive::clickField(card.get(), QStringLiteral("txtCostoPrev"));
    drive::press(Qt::Key_Delete);
    QCOMPARE(text("txtCostoPrev"), QString());
    for (int press = 0; press < 2; ++press) {
      click("cmdSalva");
      QCOMPARE(boxes.last().kind, MessageKind::Warning);
      QCOMPARE(boxes.lastText(), missing);
      QCOMPARE(text("txtCostoPrev"), QString());
      QCOMPARE(drive::focused(), QStringLiteral("txtCostoPrev"));
    }
    QVERIFY(!QFile::exists(projectsPath()));
    // typed there and saved
    drive::keys(QStringLiteral("1500"));
    click("cmdSalva");
    QCOMPARE(boxes.lastText(), QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
    QCOMPARE(fileBytes(projectsPath()).mid(TRecProgetto().offsetOf("CostoPrev"), 8), QByteArray("1500,00\0", 8));
  }

  void textsAreSavedAsTypedAndReloadTheSame() {
    fillRequired();
    type("txtNome", QStringLiteral("  Villa \u00E0 mare  "));
    type("txtFasi", QStringLiteral("Rilievo\nProgetto\n\nCantiere"));
    click("btnRegistro_A");
    const QString log = QString(11990, QLatin1Char('x')) + QStringLiteral(" fine");
    drive::find<QPlainTextEdit>(card.get(), QStringLiteral("txtEspletate"))->setPlainText(log);
    finished()->setChecked(true);
    click("cmdSalva");
    QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

    const QByteArray stored = fileBytes(projectsPath());
    QCOMPARE(stored.size(), TRecProgetto().size());
    const Record r = decode(TRecProgetto(), stored.constData());
    QCOMPARE(r["Nome"], QStringLiteral("  Villa \u00E0 mare  "));
    QCOMPARE(r["Fasi"], QStringLiteral("Rilievo\r\nProgetto\r\n\r\nCantiere"));
    QCOMPARE(r["Espletate"], log.left(10000));
    QCOMPARE(r["Terminato"], QStringLiteral("S\u00EC"));

    click("cmdNuovo");
    click("cmdUltimo");
    QCOMPARE(text("txtNome"), QStringLiteral("  Villa \u00E0 mare  "));
    QCOMPARE(drive::find<QPlainTextEdit>(card.get(), QStringLiteral("txtFasi"))->toPlainText(),
             QStringLiteral("Rilievo\nProgetto\n\nCantiere"));
    QVERIFY(finished()->isChecked());
    // saved again unchanged, the record stays byte for byte
    click("cmdSalva");
    QCOMPARE(seams->messages.lastText(),
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(fileBytes(projectsPath()), stored);
  }

  void requiredFieldsStopTheSaveAndShowTheirField() {
    click("btnCosti_A");
    click("cmdSalva");
    QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
    QCOMPARE(seams->messages.lastText(),
             QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il nome del progetto."));
    QCOMPARE(drive::focused(), QStringLiteral("txtNome"));
    fillRequired();
    card->form()->set("DataInizio", QStringLiteral("  "));
    click("btnCosti_A");
    click("cmdSalva");
    QCOMPARE(seams->messages.lastText(), QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare "
                                                        "la data di inizio del progetto."));
    QVERIFY(visible("panDescrizione") && !visible("panCosti"));
    QCOMPARE(drive::focused(), QStringLiteral("txtDataInizio"));
    QVERIFY(!QFile::exists(projectsPath()));
  }

  void enterMovesNowhere() {
    for (const char* name : {"txtNome", "txtCodice", "txtStato", "txtCostoPrev"}) {
      drive::key(card.get(), QLatin1String(name), Qt::Key_Return);
      QCOMPARE(drive::focused(), QLatin1String(name));
    }
    type("txtAnnotazioni", QStringLiteral("uno\ndue"));
    QCOMPARE(drive::focused(), QStringLiteral("txtAnnotazioni"));
    QCOMPARE(text("txtAnnotazioni"), QStringLiteral("uno\ndue"));
  }

  void loadingTheFinishedMarkAndTheAttachments() {
    appendProjects(projectsPath(), {encode(project({{"Terminato", QStringLiteral("S\u00EC")},
                                                    {"File01", QStringLiteral(" pianta.pdf ")},
                                                    {"Desc03", QStringLiteral("Rilievo  ")}})),
                                    encode(project({{"Terminato", QStringLiteral("xx")}})),
                                    encode(project({{"Terminato", QStringLiteral("No")}}))});
    click("cmdPrimo");
    QVERIFY(finished()->isChecked());
    QCOMPARE(text("lblFile01"), QStringLiteral("pianta.pdf"));
    QCOMPARE(text("lblDesc03"), QStringLiteral("Rilievo"));
    click("cmdAvanti"); // neither "Sì" nor "No": the box stays
    QVERIFY(finished()->isChecked());
    click("cmdAvanti");
    QVERIFY(!finished()->isChecked());
    click("cmdIndietro");
    QVERIFY(!finished()->isChecked());
  }

  void theDuplicateKeepsTheFinishedMarkAndLeavesTheArchive() {
    click("cmdDuplica");
    QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
    QCOMPARE(seams->messages.lastText(), QStringLiteral("Attenzione: la duplicazione di una scheda pu\u00F2 avvenire "
                                                        "soltanto dopo che questa \u00E8 stata inserita in archivio."));
    appendProjects(projectsPath(), {encode(project({{"Nome", QStringLiteral("Villa")},
                                                    {"Terminato", QStringLiteral("S\u00EC")},
                                                    {"File02", QStringLiteral("foto.jpg")},
                                                    {"Desc02", QStringLiteral("Foto")}}))});
    click("cmdPrimo");
    click("btnMateriali_A");
    // the archive is not touched: a folder that is gone does not matter
    setFile(QStringLiteral("/nessuna/cartella/2026.prg"));
    click("cmdDuplica");
    QCOMPARE(seams->messages.last().kind, MessageKind::Information);
    QCOMPARE(seams->messages.lastText(), QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                        "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                                        "scheda in archivio."));
    QVERIFY(finished()->isChecked());
    QCOMPARE(text("txtNome"), QStringLiteral("Villa"));
    QCOMPARE(text("lblFile02"), QString());
    QCOMPARE(text("lblDesc02"), QString());
    QCOMPARE(text("lblPosizione"), QString());
    QVERIFY(visible("panDescrizione") && !visible("panMateriali"));
    QCOMPARE(drive::focused(), QStringLiteral("txtNome"));
    QVERIFY(!QFile::exists(QStringLiteral("/nessuna/cartella/2026.prg")));
  }

  void anUnreachableArchiveIsPlainWhenSavingAnErrorWhenBrowsing() {
    setFile(QStringLiteral("/nessuna/cartella/2026.prg"));
    fillRequired();
    type("txtStato", QStringLiteral("Avviato"));
    click("cmdSalva");
    QCOMPARE(seams->messages.last().kind, MessageKind::Plain);
    QCOMPARE(seams->messages.lastText(), archiveAccessMessage());
    QCOMPARE(text("txtStato"), QStringLiteral("Avviato"));
    QCOMPARE(text("lblPosizione"), QString());
    for (const char* arrow : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
      seams->messages.clear();
      click(arrow);
      QCOMPARE(seams->messages.last().kind, MessageKind::Error);
      QCOMPARE(seams->messages.lastText(), archiveAccessMessage());
    }
    // an empty archive
    setFile(projectsPath());
    click("cmdPrimo");
    QCOMPARE(seams->messages.lastText(), QStringLiteral("L'archivio non contiene nessuna scheda."));
  }
};

QTEST_MAIN(ProjectCardTest)
#include "test_projectcard.moc"
