// What a card does as its description says: messages and their kinds, the
// rules checked before a save, the duplicate policy, the card's own steps
// (never run when a command is refused), clearing on show, and the form
// with its navigator inside a screen of another shape.
#include "testcards.h"

#include "archive/archivio.h"
#include "common/screens/cardeditor.h"
#include "common/screens/listscreen.h"
#include "common/screens/screenkit.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>
#include <unistd.h>

namespace {

// A program folder that is a file: no archive can be opened inside it.
void blockProgramFolder(TempProgramFolder& folder) {
  QFile blocker(folder.path(QStringLiteral("bloccato")));
  if (blocker.open(QIODevice::WriteOnly)) blocker.close();
  paths::setProgramFolder(blocker.fileName());
}

// Fills what the test card needs to be saved.
void fillRequired(CardEditor& card) {
  drive::type(&card, QStringLiteral("txtNome"), QStringLiteral("Rossi"));
  card.form()->set("Giorno", QStringLiteral("05"));
  card.form()->set("Data", QStringLiteral("05/03/2026"));
}

// A screen of its own shape: a start panel and a card panel holding the
// form, its navigation bar and its status line, as the deadline screen is.
class PanelScreen : public QWidget {
public:
  PanelScreen() {
    setObjectName(QStringLiteral("TfrmPannello"));
    auto* v = new QVBoxLayout(this);
    auto* start = new QWidget(this);
    start->setObjectName(QStringLiteral("panAvvio"));
    start->hide();
    v->addWidget(start);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panContainer"));
    auto* p = new QVBoxLayout(panel);
    form = new RecordForm(strCard().form, TRecProva(), panel);
    auto* bar = new NavigationBar(panel);
    p->addWidget(form);
    p->addWidget(bar);
    status = screenkit::makeStatusLine(panel, QString());
    p->addWidget(status);
    v->addWidget(panel);
    navigator = new CardNavigator(form, strCard().archive, strCard().behaviour, bar->positionLabel(), this);
    bar->connectTo(navigator);
    form->setStatusLine(status);
    screenkit::ScreenSet::add(this);
  }
  ~PanelScreen() override { screenkit::ScreenSet::remove(this); }
  RecordForm* form;
  CardNavigator* navigator;
  QLabel* status;
};

} // namespace

class CardBehaviourTest : public CardTest {
  Q_OBJECT


  QString archive() const { return folder().path(QStringLiteral("Prova.pro")); }

private slots:
  void init() {
    seat();
  }
  void cleanup() { unseat(); }

  void messagesAndTheirKindsComeFromTheCard() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    fillRequired(card);
    card.salva();
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QCOMPARE(messages().lastText(), QStringLiteral("La scheda corrente è stata salvata in archivio."));
    card.salva();
    QCOMPARE(messages().lastText(), cardtext::savedChanges());
    blockProgramFolder(folder());
    card.duplica();
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), archiveAccessMessage());
    card.naviga(NavCommand::First);
    QCOMPARE(messages().last().kind, MessageKind::Error);
    QCOMPARE(messages().lastText(), archiveAccessMessage());

    CardEditor project(charCard());
    QVERIFY(drive::show(&project));
    drive::find<QLabel>(&project, QStringLiteral("lblFile"))->setText(folder().path(QStringLiteral("2026.prv")));
    project.form()->set("Nome", QStringLiteral("Ponte"));
    project.form()->set("Membri", QStringLiteral("Anna"));
    project.salva();
    QCOMPARE(messages().last().kind, MessageKind::Plain);
    QCOMPARE(messages().lastText(), archiveAccessMessage());
    QCOMPARE(project.form()->text("Nome"), QStringLiteral("Ponte")); // the card keeps what it shows
  }

  void rulesStopTheSaveAtTheFirstFailure() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    const struct {
      std::function<void()> fix;
      MessageKind kind;
      QString message;
      QString focus;
    } steps[] = {
        {[] {}, MessageKind::Warning, QStringLiteral("Manca il nome."), QStringLiteral("txtNome")},
        {[&] {
           drive::type(&card, QStringLiteral("txtNome"), QStringLiteral("Rossi"));
           card.form()->set("Giorno", QStringLiteral("5"));
         },
         MessageKind::Warning, QStringLiteral("Il giorno vuole due cifre."), QStringLiteral("txtGiorno")},
        {[&] {
           card.form()->set("Giorno", QStringLiteral("05"));
           card.form()->set("Data", QStringLiteral("31/04/2026"));
         },
         MessageKind::Plain, QStringLiteral("La data 31/04/2026 non esiste.\n\r\n\rIndicare una data valida."),
         QStringLiteral("txtData")},
    };
    for (const auto& s : steps) {
      s.fix();
      drive::find(&card, QStringLiteral("txtNote"))->setFocus();
      card.salva();
      QCOMPARE(messages().last().kind, s.kind);
      QCOMPARE(messages().lastText(), s.message);
      QCOMPARE(drive::focused(), s.focus);
    }
    QVERIFY(!QFile::exists(archive()));

    // a field in a section not shown: its section opens
    CardEditor project(charCard());
    QVERIFY(drive::show(&project));
    project.form()->set("Nome", QStringLiteral("Ponte"));
    drive::click(&project, QStringLiteral("btnCosti_A"));
    project.salva();
    QCOMPARE(messages().lastText(), QStringLiteral("Mancano i membri del team."));
    QVERIFY(drive::find(&project, QStringLiteral("panPartecipanti"))->isVisible());
    QCOMPARE(drive::focused(), QStringLiteral("txtMembri"));
  }

  void duplicateKeepsClearsAndSetsAsTheCardSays() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    card.duplica();
    QCOMPARE(messages().last().kind, MessageKind::Warning);
    QCOMPARE(messages().lastText(), cardtext::duplicateNew());
    fillRequired(card);
    drive::type(&card, QStringLiteral("txtNote"), QStringLiteral("da tenere"));
    drive::click(&card, QStringLiteral("chkSaldato"));
    drive::find<QLabel>(&card, QStringLiteral("lblFile01"))->setText(QStringLiteral("a.pdf"));
    drive::find<QLabel>(&card, QStringLiteral("lblDesc03"))->setText(QStringLiteral("descrizione"));
    card.salva();
    card.duplica();
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QCOMPARE(messages().lastText(), cardtext::duplicated());
    QCOMPARE(card.position(), std::nullopt);
    QCOMPARE(drive::text(&card, QStringLiteral("chkSaldato")), QStringLiteral("No"));
    QCOMPARE(drive::text(&card, QStringLiteral("txtData")), QStringLiteral("10/12/2026"));
    QCOMPARE(drive::text(&card, QStringLiteral("txtGiorno")), QString());
    QCOMPARE(drive::text(&card, QStringLiteral("lblFile01")), QString());
    QCOMPARE(drive::text(&card, QStringLiteral("lblDesc03")), QString());
    QCOMPARE(drive::text(&card, QStringLiteral("txtNote")), QStringLiteral("da tenere"));
    QCOMPARE(drive::text(&card, QStringLiteral("txtNome")), QStringLiteral("ROSSI"));
    QCOMPARE(drive::focused(), QStringLiteral("txtNome"));

    // a duplicate that leaves the archive alone does not even create it
    CardEditor project(charCard());
    QVERIFY(drive::show(&project));
    const QString file = folder().path(QStringLiteral("manca/2026.prv"));
    drive::find<QLabel>(&project, QStringLiteral("lblFile"))->setText(file);
    Record r(TRecProvaChar());
    r.set("Nome", QStringLiteral("Ponte"));
    r.set("Terminato", fieldtext::yes());
    r.set("File02", QStringLiteral("b.dwg"));
    project.loadRecord(r, 3);
    drive::click(&project, QStringLiteral("btnCosti_A"));
    project.duplica();
    QCOMPARE(messages().last().kind, MessageKind::Information);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(drive::text(&project, QStringLiteral("chkTerminato")), QStringLiteral("Sì"));
    QCOMPARE(drive::text(&project, QStringLiteral("lblFile02")), QString());
    QVERIFY(drive::find(&project, QStringLiteral("panDescrizione"))->isVisible());
    QCOMPARE(drive::focused(), QStringLiteral("txtNome"));
  }

  // A step a card adds to a command runs only when the command goes ahead:
  // a refused duplicate must not run a step that empties typed fields.
  void stepsNeverRunWhenTheCommandIsRefused() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    int beforeSave = 0, afterSave = 0, afterDuplicate = 0, beforeNew = 0, afterNew = 0, afterLoad = 0;
    card.after(CardAction::Duplicate, [&] {
      ++afterDuplicate;
      card.form()->set("Note", QString());
    });
    card.before(CardAction::Save, [&] { ++beforeSave; });
    card.after(CardAction::Save, [&] { ++afterSave; });
    card.before(CardAction::New, [&] { ++beforeNew; });
    card.after(CardAction::New, [&] { afterNew += drive::text(&card, QStringLiteral("txtData")).isEmpty() ? 0 : 1; });
    card.after(CardAction::Load, [&] { ++afterLoad; });

    drive::type(&card, QStringLiteral("txtNote"), QStringLiteral("scritto a mano"));
    card.duplica(); // refused: a new card
    QCOMPARE(afterDuplicate, 0);
    QCOMPARE(drive::text(&card, QStringLiteral("txtNote")), QStringLiteral("scritto a mano"));
    card.salva(); // refused: no name
    QCOMPARE(beforeSave + afterSave, 0);
    fillRequired(card);
    card.salva();
    QCOMPARE(beforeSave, 1);
    QCOMPARE(afterSave, 1);
    blockProgramFolder(folder());
    card.duplica(); // the archive cannot be reached: the card stays as it was
    QCOMPARE(afterDuplicate, 0);
    QCOMPARE(drive::text(&card, QStringLiteral("txtNote")), QStringLiteral("scritto a mano"));
    QCOMPARE(drive::text(&card, QStringLiteral("txtGiorno")), QStringLiteral("05"));
    QVERIFY(card.position() == 1);
    card.salva();
    QCOMPARE(afterSave, 1);
    paths::setProgramFolder(folder().dir.path());
    card.loadRecord(card.recordFromScreen(), 1);
    card.duplica();
    QCOMPARE(afterDuplicate, 1);
    QCOMPARE(drive::text(&card, QStringLiteral("txtNote")), QString());
    card.nuovo();
    QCOMPARE(beforeNew, 1);
    QCOMPARE(afterNew, 1); // after the new card's values
    card.naviga(NavCommand::First);
    QCOMPARE(afterLoad, 2);

    // a card's own handler replaces the shared one
    int own = 0;
    card.on(QStringLiteral("cmdNuovo"), [&] { ++own; });
    drive::click(&card, QStringLiteral("cmdNuovo"));
    QCOMPARE(own, 1);
    QCOMPARE(beforeNew, 1);
  }

  // A step on a new record just before it is appended sees the archive as
  // it is under the lock; what it changes is stored and shown, its sentence
  // follows the message. An overwrite or a refused save never runs it.
  void aStepBeforeAppendAdjustsWhatIsStored() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    int runs = 0;
    card.navigator()->beforeAppend([&](Record& r, const TArchivioSchede& archive) {
      ++runs;
      r.set("Note", QStringLiteral("n. %1").arg(archive.count() + 1));
      return archive.count() ? QStringLiteral("Numerata di nuovo.") : QString();
    });
    card.salva(); // refused: no name
    QCOMPARE(runs, 0);
    fillRequired(card);
    drive::type(&card, QStringLiteral("txtNote"), QStringLiteral("scritta"));
    card.salva();
    QCOMPARE(runs, 1);
    QCOMPARE(messages().lastText(), strCard().behaviour.inserted.text);
    QCOMPARE(drive::text(&card, QStringLiteral("txtNote")), QStringLiteral("n. 1"));
    card.salva(); // over its position
    QCOMPARE(runs, 1);
    card.nuovo();
    fillRequired(card);
    card.salva();
    QCOMPARE(runs, 2);
    QCOMPARE(messages().lastText(), strCard().behaviour.inserted.text + QStringLiteral("\r\n\r\nNumerata di nuovo."));
    QCOMPARE(drive::text(&card, QStringLiteral("txtNote")), QStringLiteral("n. 2"));
    card.naviga(NavCommand::First);
    QCOMPARE(drive::text(&card, QStringLiteral("txtNote")), QStringLiteral("n. 1"));
  }

  void showingClearsToTheDefaultsUnlessTheCardSaysOtherwise() {
    {
      CardEditor card(strCard());
      QVERIFY(drive::show(&card));
      QVERIFY(drive::find<QRadioButton>(&card, QStringLiteral("optEntrata"))->isChecked());
      QCOMPARE(drive::text(&card, QStringLiteral("txtImporto")), QStringLiteral("0,00"));
      QCOMPARE(drive::text(&card, QStringLiteral("txtData")), QString()); // Nuovo only
      drive::type(&card, QStringLiteral("txtNome"), QStringLiteral("Rossi"));
      drive::type(&card, QStringLiteral("txtNote"), QStringLiteral("resta"));
      card.hide();
      QVERIFY(drive::show(&card));
      QCOMPARE(drive::text(&card, QStringLiteral("txtNome")), QString());
      QCOMPARE(drive::text(&card, QStringLiteral("txtNote")), QStringLiteral("resta"));
      card.nuovo();
      QCOMPARE(drive::text(&card, QStringLiteral("txtData")), QStringLiteral("10/12/2026"));
    }
    CardDescription d = strCard();
    d.behaviour.clearOnShow = false;
    CardEditor card(d);
    QVERIFY(drive::show(&card));
    drive::type(&card, QStringLiteral("txtNome"), QStringLiteral("Rossi"));
    card.hide();
    QVERIFY(drive::show(&card));
    QCOMPARE(drive::text(&card, QStringLiteral("txtNome")), QStringLiteral("ROSSI"));
  }

  // An archive past 2^32 records (sparse: the records in between read as
  // zeros and take no room on disk): the card adds, shows and browses to
  // positions that do not fit 32 bits, and saving the card shown there
  // replaces that record instead of adding a copy.
  void positionsPastFourBillionRecords() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    fillRequired(card);
    card.salva();
    const RecordPosition far = (RecordPosition(1) << 32) + 1;
    const qint64 size = TRecProva().size();
    if (::truncate(QFile::encodeName(archive()).constData(), off_t(far * size)) != 0)
      QSKIP("the file system holds no sparse file this large");
    card.nuovo();
    fillRequired(card);
    drive::type(&card, QStringLiteral("txtNome"), QStringLiteral("Verdi"));
    card.salva();
    QCOMPARE(drive::text(&card, QStringLiteral("lblPosizione")), QString::number(far + 1));
    drive::type(&card, QStringLiteral("txtNome"), QStringLiteral("Neri"));
    card.salva();
    QCOMPARE(messages().lastText(), cardtext::savedChanges());
    QCOMPARE(QFileInfo(archive()).size(), (far + 1) * size);
    drive::click(&card, QStringLiteral("cmdPrimo"));
    QCOMPARE(drive::text(&card, QStringLiteral("txtNome")), QStringLiteral("ROSSI"));
    drive::click(&card, QStringLiteral("cmdUltimo"));
    QCOMPARE(drive::text(&card, QStringLiteral("lblPosizione")), QString::number(far + 1));
    QCOMPARE(drive::text(&card, QStringLiteral("txtNome")), QStringLiteral("NERI"));
  }

  // The form and its navigator inside a panel of a screen of another shape:
  // the arrows browse, and a list hands its pick to the screen through its
  // record view, found by the screen's name.
  void theFormWorksInsideAnyScreen() {
    PanelScreen screen;
    QVERIFY(drive::show(&screen));
    for (const char* name : {"Rossi", "Bianchi"}) {
      screen.navigator->newCard();
      drive::type(&screen, QStringLiteral("txtNome"), QLatin1String(name));
      screen.form->set("Giorno", QStringLiteral("05"));
      screen.navigator->save();
    }
    QCOMPARE(screen.navigator->position(), std::optional<RecordPosition>(2));
    drive::click(&screen, QStringLiteral("cmdPrimo"));
    QCOMPARE(drive::text(&screen, QStringLiteral("txtNome")), QStringLiteral("ROSSI"));
    QCOMPARE(drive::text(&screen, QStringLiteral("lblPosizione")), QStringLiteral("1"));
    QCOMPARE(recordViewOf(&screen), static_cast<RecordView*>(screen.navigator));

    static const lists::ListDescription list{
        .screen = QStringLiteral("TfrmTrovaProva"),
        .caption = QStringLiteral(" Trova"),
        .printTitle = QStringLiteral("Prova"),
        .path = lists::ArchivePath::of(strCard().archive),
        .criteria = {{QStringLiteral("txtNome"), QStringLiteral("Nome:"), "Nome"}},
        .condition = {},
        .line = {{QString(), "Nome", 0}},
        .targets = {{QStringLiteral("pannello"), QStringLiteral("TfrmPannello"), true, {}},
                    {QStringLiteral("nota"), QStringLiteral("TfrmPannello"), false, {{QStringLiteral("txtNote"), "Nome"}}}},
    };
    {
      lists::ListScreen s(list);
      s.setCallerTag(QStringLiteral("pannello"));
      s.cerca();
      QCOMPARE(s.lines(), QStringList({QStringLiteral("ROSSI"), QStringLiteral("BIANCHI")}));
      s.pick(1);
    }
    QCOMPARE(drive::text(&screen, QStringLiteral("txtNome")), QStringLiteral("BIANCHI"));
    QCOMPARE(screen.navigator->position(), std::optional<RecordPosition>(2));
    {
      lists::ListScreen s(list);
      s.setCallerTag(QStringLiteral("nota"));
      s.cerca();
      s.pick(0);
    }
    QCOMPARE(drive::text(&screen, QStringLiteral("txtNote")), QStringLiteral("ROSSI"));
    QCOMPARE(drive::text(&screen, QStringLiteral("txtNome")), QStringLiteral("BIANCHI"));

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(drive::find(&screen, QStringLiteral("btnSfoglia")), &enter);
    QCOMPARE(screen.status->text(), QStringLiteral("Seleziona il file da allegare alla scheda corrente."));
  }
};

QTEST_MAIN(CardBehaviourTest)
#include "test_cardbehaviour.moc"
