// Opening what the user asked for, on a desktop that cannot open it: every
// command that hands a file, a folder or an address to the desktop says so
// in a warning naming the file and its folder (or the address), and a file
// that is not there is named without asking the desktop at all. The screens
// are the program's own, made by start-up.
#include "app/shell/screens/startup.h"
#include "common/screens/casefolderscreen.h"
#include "common/screens/screenkit.h"
#include "screendriver.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

void write(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write("x");
}

QWidget* screen(const char* name) {
  QWidget* w = screenkit::ScreenSet::find(QLatin1String(name));
  if (!w) qFatal("no screen %s", name);
  return w;
}

// A persistent screen shown as its tile or year screen shows it.
QWidget* open(const char* name) {
  QWidget* w = screen(name);
  screenkit::ScreenSet::show(QLatin1String(name), screen("TfrmAvvio"));
  return w;
}

// Runs a command that opens a modal screen and, on it, clicks `control`.
void onModal(const std::function<void()>& command, const char* control) {
  drive::withModal(command, [control](QWidget* m) { drive::click(m, QLatin1String(control)); });
}

const QString kCannot = QStringLiteral("Attenzione: non \u00E8 stato possibile aprire ");
const QString kGap = QStringLiteral("\n\r\n\r");
const QString kNoProgram =
    QStringLiteral("Nel sistema non risulta installato un programma associato a questo tipo di file.");

QString fileMessage(const QString& name, const QString& folder, const QString& reason = kNoProgram) {
  return kCannot + QStringLiteral("il file \"%1\" della cartella \"%2\".").arg(name, QDir::toNativeSeparators(folder)) +
         kGap + reason;
}

} // namespace

class OpeningTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ScreenTestSeams> seams;
  std::unique_ptr<RecordingShell> shell;

  QString folder() const { return seams->folder.dir.path(); }

private slots:
  void init() {
    seams = std::make_unique<ScreenTestSeams>();
    shell = std::make_unique<RecordingShell>();
    shell->accepts = false; // no program is associated with anything
    startup::start()->hide();
    screen("TfrmAvvio")->show();
  }
  void cleanup() {
    startup::finish();
    shell.reset();
    seams.reset();
  }

  // Each command that opens something, with what it asks the desktop to
  // open and the warning it then shows.
  void everyOpenCommandTellsWhenNothingOpens() {
    write(seams->folder.path(QStringLiteral("Guida.pdf")));
    write(seams->folder.path(QStringLiteral("Documenti_Allegati/pianta.pdf")));
    const QString attached = seams->folder.path(QStringLiteral("Documenti_Allegati"));
    const QString web = QStringLiteral("https://www.velarion.it");
    const QString webMessage =
        kCannot + QStringLiteral("l'indirizzo \"https://www.velarion.it\".") + kGap +
        QStringLiteral("Nel sistema non risulta installato un programma per la navigazione in Internet.");
    auto mailMessage = [](const QString& address) {
      return kCannot + QStringLiteral("l'indirizzo di posta elettronica \"%1\".").arg(address) + kGap +
             QStringLiteral("Nel sistema non risulta installato un programma di posta elettronica.");
    };

    const struct Case {
      const char* command;
      std::function<void()> run;
      QString target;  // what the desktop is asked to open
      QString message; // what the user is told
    } cases[] = {
        {"Apri cartella",
         [] {
           drive::withModal([] { casefolder::showCaseFolder(screen("TfrmPratica"), 3); },
                            [](QWidget* m) {
                              drive::click(m, QStringLiteral("btnApriCartella"));
                              // the screen stays, the folder is there to try again
                              QVERIFY(m->isVisible());
                            });
         },
         seams->folder.path(QStringLiteral("Pratica_3")),
         kCannot + QStringLiteral("la cartella \"Pratica_3\" in \"%1\".").arg(QDir::toNativeSeparators(folder())) +
             kGap +
             QStringLiteral("Nel sistema non risulta installato un programma per visualizzare il contenuto delle "
                            "cartelle.")},
        {"Apri of an attachment slot",
         [] {
           QWidget* card = open("TfrmClienti");
           screenkit::setTextOf(screenkit::control(card, QStringLiteral("lblFile01")), QStringLiteral("pianta.pdf"));
           onModal([card] { drive::click(card, QStringLiteral("cmdFile")); }, "btnApri01");
         },
         seams->folder.path(QStringLiteral("Documenti_Allegati/pianta.pdf")),
         fileMessage(QStringLiteral("pianta.pdf"), attached)},
        {"the client card in PDF",
         [] { drive::click(open("TfrmClienti"), QStringLiteral("cmdPDF")); },
         seams->folder.path(QStringLiteral("Cliente.pdf")), fileMessage(QStringLiteral("Cliente.pdf"), folder())},
        {"the client export",
         [] {
           QWidget* card = open("TfrmClienti");
           onModal([card] { drive::click(card, QStringLiteral("cmdEsporta")); }, "cmdEsporta");
         },
         seams->folder.path(QStringLiteral("Clienti.xls")), fileMessage(QStringLiteral("Clienti.xls"), folder())},
        {"the project sheet in RTF",
         [this] {
           QWidget* card = screen("TfrmReferti");
           screenkit::setTextOf(screenkit::control(card, QStringLiteral("lblFile")),
                                seams->folder.path(QStringLiteral("2026.prg")));
           open("TfrmReferti");
           onModal([card] { drive::click(card, QStringLiteral("cmdStampa")); }, "btnStampa");
         },
         seams->folder.path(QStringLiteral("Scheda_Progetto.rtf")),
         fileMessage(QStringLiteral("Scheda_Progetto.rtf"), folder())},
        {"the PDF guide",
         [] {
           QWidget* menu = screen("TfrmAvvio");
           onModal([menu] { drive::click(menu, QStringLiteral("imgGuida")); }, "lnkWeb");
         },
         seams->folder.path(QStringLiteral("Guida.pdf")), fileMessage(QStringLiteral("Guida.pdf"), folder())},
        {"the maker's address",
         [] {
           QWidget* menu = screen("TfrmAvvio");
           onModal([menu] { drive::click(menu, QStringLiteral("imgInfo")); }, "imgEmail");
         },
         QStringLiteral("mailto:info@velarion.it?subject=Software%20Velarion&body=Salve%2C%20desidererei%20avere%20le%20"
                        "seguenti%20informazioni%20sul%20software%20in%20oggetto%3A"),
         mailMessage(QStringLiteral("info@velarion.it"))},
        {"the web page from the about screen",
         [] {
           QWidget* menu = screen("TfrmAvvio");
           onModal([menu] { drive::click(menu, QStringLiteral("imgCopyright")); }, "lnkWeb");
         },
         web, webMessage},
        {"the web page from the main menu", [] { drive::click(screen("TfrmAvvio"), QStringLiteral("imgSito")); }, web,
         webMessage},
        {"a client's e-mail",
         [] {
           QWidget* card = open("TfrmClienti");
           drive::type(card, QStringLiteral("txtEmail"), QStringLiteral("studio@esempio.it"));
           drive::click(card, QStringLiteral("btnEmail"));
         },
         QStringLiteral("mailto:studio@esempio.it"), mailMessage(QStringLiteral("studio@esempio.it"))},
        {"a payer's e-mail",
         [this] {
           QWidget* card = screen("TfrmMovimenti");
           screenkit::setTextOf(screenkit::control(card, QStringLiteral("lblFile")),
                                seams->folder.path(QStringLiteral("2026.eur")));
           open("TfrmMovimenti");
           drive::type(card, QStringLiteral("txtEmail"), QStringLiteral("cassa@esempio.it"));
           drive::click(card, QStringLiteral("sndEmail"));
         },
         QStringLiteral("mailto:cassa@esempio.it"), mailMessage(QStringLiteral("cassa@esempio.it"))},
    };
    for (const Case& c : cases) {
      shell->opened.clear();
      seams->messages.clear();
      c.run();
      QVERIFY2(!shell->opened.empty(), c.command);
      QCOMPARE(QDir::fromNativeSeparators(shell->opened.back()), c.target);
      QVERIFY2(seams->messages.last().kind == MessageKind::Warning, c.command);
      QCOMPARE(seams->messages.lastText(), c.message);
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != screen("TfrmAvvio")) w->hide();
      screen("TfrmAvvio")->show();
    }

    // a desktop that opens them says nothing
    shell->accepts = true;
    seams->messages.clear();
    onModal([] { drive::click(screen("TfrmAvvio"), QStringLiteral("imgGuida")); }, "lnkWeb");
    QCOMPARE(shell->opened.back(), seams->folder.path(QStringLiteral("Guida.pdf")));
    QVERIFY(seams->messages.shown.empty());
  }

  // A file that is not there is not handed to the desktop: the warning
  // names it and its folder.
  void aMissingFileIsNamedWithoutAskingTheDesktop() {
    shell->accepts = true;
    QWidget* menu = screen("TfrmAvvio");
    onModal([menu] { drive::click(menu, QStringLiteral("imgGuida")); }, "lnkWeb");
    QVERIFY(shell->opened.empty());
    QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
    QCOMPARE(seams->messages.lastText(), fileMessage(QStringLiteral("Guida.pdf"), folder(),
                                                     QStringLiteral("Il file non \u00E8 presente nella cartella.")));

    QWidget* card = open("TfrmClienti");
    screenkit::setTextOf(screenkit::control(card, QStringLiteral("lblFile02")), QStringLiteral("perso.dwg"));
    onModal([card] { drive::click(card, QStringLiteral("cmdFile")); }, "btnApri02");
    QVERIFY(shell->opened.empty());
    QCOMPARE(seams->messages.lastText(),
             fileMessage(QStringLiteral("perso.dwg"), seams->folder.path(QStringLiteral("Documenti_Allegati")),
                         QStringLiteral("Il file non \u00E8 presente nella cartella.")));
  }
};

QTEST_MAIN(OpeningTest)
#include "test_opening.moc"
