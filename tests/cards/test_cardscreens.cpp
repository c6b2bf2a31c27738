// Every card screen of the program as its tile creates it: the keyboard
// reaches every command and each command's tooltip names its key, loaded
// fields show their beginning and short coded values whole, a card opened
// again starts with a fresh status line.
#include "app/shell/screens/applications.h"
#include "archive/archives.h"
#include "archive/archivio.h"
#include "common/grids.h"
#include "common/help.h"
#include "common/lists.h"
#include "common/screens/cardpanel.h"
#include "common/screens/cardnavigator.h"
#include "cardtest.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"
#include "tests/deadlines/deadlinescreens.h"
#include "tests/engines/recordingreportoutput.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QtTest>

Q_DECLARE_METATYPE(const Application*)

namespace {

// A value that fills a field of `width` characters with what coded values
// hold: capitals and digits.
QString fullValue(int width) {
  static const QString pattern = QStringLiteral("RSSMRA85T10A562SIT60X0542811101000000123456");
  QString out;
  while (out.size() < width) out += pattern;
  return out.left(width);
}

} // namespace

class CardScreensTest : public CardTest {
  Q_OBJECT

  RecordingAlarm alarm; // the deadline screen's alarm, recorded instead of played
  QWidget* host = nullptr;    // the screen that holds the card: the card, or the deadline screen
  CardPanel* card = nullptr;  // the card on it
  CardNavigator* navigator = nullptr;
  QWidget* created = nullptr; // what the tile opens (the card or its year screen)
  std::vector<HelpTopic> helpShown;

  // The real screen of the application, over a program folder of its own,
  // with `records` records in its archive (every field filled to its width).
  // A card on a panel of a screen of its own (the deadlines) is shown with
  // its year opened.
  void open(const Application& app, int records) {
    seat();
    created = app.create();
    const CardDescription& d = app.card();
    host = created->objectName() == d.screen ? created : screenkit::ScreenSet::find(d.screen);
    card = host->findChild<CardPanel*>();
    navigator = host->findChild<CardNavigator*>();
    if (auto* file = host->findChild<QLabel*>(QStringLiteral("lblFile")))
      file->setText(d.archive.yearPath(QStringLiteral("2026")));
    const RecordLayout& layout = *d.archive.layout;
    Record r(layout);
    for (int i = 0; i < layout.fieldCount(); ++i) r.set(i, fullValue(layout.field(i).width));
    seed::repeat(navigator->archivePath(), layout, r, records);
    enter();
  }

  // The card shown again, as its tile shows it (the deadline screen opens
  // the year on its start panel first).
  void enter() {
    QVERIFY(drive::show(host));
    if (host->findChild<QWidget*>(QStringLiteral("btnApri"))) drive::click(host, QStringLiteral("btnApri"));
  }

  QByteArray archiveBytes() const {
    QFile f(navigator->archivePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QString position() const { return card->positionLabel()->text().trimmed(); }

  // The key pressed where the focus is, as the user presses it.
  void press(QKeyCombination key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : host;
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
    QApplication::processEvents();
  }

  // A field the user types into: the keys must reach the commands from it.
  QWidget* firstField() const {
    const QString name = card->description().form.firstFocus;
    if (!name.isEmpty()) return card->findChild<QWidget*>(name);
    for (auto* e : card->form()->findChildren<QLineEdit*>())
      if (!e->isReadOnly() && e->isVisible()) return e;
    return nullptr;
  }

private slots:
  void initTestCase() {
    help::setViewer([this](QWidget*, HelpTopic topic) { helpShown.push_back(topic); });
  }
  void cleanup() {
    if (created && created != host) screenkit::ScreenSet::remove(created);
    if (host) screenkit::ScreenSet::remove(host);
    delete host;
    if (created != host) delete created;
    card = nullptr;
    host = nullptr;
    navigator = nullptr;
    created = nullptr;
    unseat();
    helpShown.clear();
  }

  void cards_data() {
    QTest::addColumn<const Application*>("app");
    for (const Application& app : applications())
      if (app.create && app.card) QTest::newRow(qPrintable(app.card().screen)) << &app;
  }

  // Ctrl+N, Ctrl+S, Ctrl+D, Ctrl+F, Ctrl+P, Page Up, Page Down, Ctrl+Home,
  // Ctrl+End, F1 and Esc press their commands, also from a memo, which
  // would otherwise take Page Up and Ctrl+Home itself; each command's
  // tooltip shows its hint and its key.
  void keysPressTheirCommands_data() { cards_data(); }
  void keysPressTheirCommands() {
    QFETCH(const Application*, app);
    open(*app, 3);

    QHash<QString, QString> hints;
    for (const auto& [name, hint] : CardPanel::sharedHints()) hints.insert(name, hint);
    for (const auto& [name, hint] : card->description().hints) hints.insert(name, hint);
    int commands = 0;
    for (const auto& [name, key] : commandKeys()) {
      QWidget* command = card->findChild<QWidget*>(name);
      if (!command) continue;
      ++commands;
      const QString tip = command->toolTip();
      QVERIFY2(tip.contains(key.toString(QKeySequence::NativeText)), qPrintable(name + QStringLiteral(": ") + tip));
      QVERIFY2(tip.startsWith(hints.value(name)), qPrintable(name + QStringLiteral(": ") + tip));
    }
    QVERIFY(commands >= 9);

    QWidget* field = firstField();
    QVERIFY(field);
    field->setFocus();
    press(Qt::CTRL | Qt::Key_End);
    QCOMPARE(position(), QStringLiteral("3"));
    press(Qt::Key_PageUp);
    QCOMPARE(position(), QStringLiteral("2"));
    press(Qt::CTRL | Qt::Key_Home);
    QCOMPARE(position(), QStringLiteral("1"));
    press(Qt::Key_PageDown);
    QCOMPARE(position(), QStringLiteral("2"));
    // from a memo, where the keys would move its text
    if (auto* memo = card->form()->findChild<QPlainTextEdit*>(); memo && memo->isEnabled()) {
      memo->setFocus();
      press(Qt::CTRL | Qt::Key_End);
      QCOMPARE(position(), QStringLiteral("3"));
      press(Qt::Key_PageUp);
      QCOMPARE(position(), QStringLiteral("2"));
      field->setFocus();
    }

    if (card->findChild<QWidget*>(QStringLiteral("cmdDuplica"))) {
      press(Qt::CTRL | Qt::Key_D);
      QCOMPARE(position(), QString()); // a new card with the fields kept
      press(Qt::CTRL | Qt::Key_Home);
    }
    press(Qt::CTRL | Qt::Key_N);
    QCOMPARE(position(), QString());
    QCOMPARE(card->statusLine()->text(), card->description().initialStatus);

    seams->messages.clear();
    press(Qt::CTRL | Qt::Key_S);
    QVERIFY(!seams->messages.shown.empty()); // saved, or told what is missing

    QVERIFY(!drive::withModal([this] { press(Qt::CTRL | Qt::Key_F); }).isEmpty());

    RecordingReportOutput printed;
    const QString printScreen = drive::withModal([this] { press(Qt::CTRL | Qt::Key_P); });
    QVERIFY(!printScreen.isEmpty() || !printed.calls.empty());

    QVERIFY(QApplication::activeWindow() == host);
    press(Qt::Key_F1);
    QCOMPARE(helpShown.size(), size_t(1));

    press(Qt::Key_Escape);
    QVERIFY(!host->isVisible());
  }

  // Esc leaves a card without unsaved edits at once: a new card, a card as
  // loaded, a card cleared by Nuovo. On a card with an edit it asks first:
  // "Annulla" stays with the edit and the focus where they were, "Non
  // salvare" leaves the archive as it was, "Salva" leaves only once the
  // card is saved. The deadline card, on a panel of its screen, does the same.
  void escAsksBeforeDroppingEdits_data() { cards_data(); }
  void escAsksBeforeDroppingEdits() {
    QFETCH(const Application*, app);
    open(*app, 2);
    RecordingMessages& messages = seams->messages;
    const QString question =
        QStringLiteral("La scheda corrente contiene modifiche non salvate.\n\r\n\rSalvare le modifiche prima di uscire?");
    const QByteArray stored = archiveBytes();
    // an edit the user types into the card's first text field
    QLineEdit* field = nullptr;
    for (auto* e : host->findChild<RecordForm*>()->findChildren<QLineEdit*>())
      if (e->isVisible() && e->isEnabled() && !e->isReadOnly() && !qobject_cast<QComboBox*>(e->parentWidget())) {
        field = e;
        break;
      }
    QVERIFY(field);
    auto edit = [&] {
      const QString before = field->text();
      drive::type(host, field->objectName(), QStringLiteral("Modifica 42"));
      QVERIFY2(field->text() != before, qPrintable(field->objectName()));
    };

    press(Qt::Key_Escape); // a new card
    QVERIFY(!host->isVisible());
    enter();
    press(Qt::CTRL | Qt::Key_Home); // a card as loaded
    QCOMPARE(navigator->position(), std::optional<RecordPosition>(1));
    press(Qt::Key_Escape);
    QVERIFY(!host->isVisible());
    enter();
    press(Qt::CTRL | Qt::Key_Home);
    edit();
    press(Qt::CTRL | Qt::Key_N); // the edit dropped by Nuovo on purpose
    press(Qt::Key_Escape);
    QVERIFY(!host->isVisible());
    QCOMPARE(messages.saveQuestions, 0);

    enter();
    press(Qt::CTRL | Qt::Key_Home);
    edit();
    const QString typed = field->text();
    messages.saveAnswers = {SaveAnswer::Cancel};
    press(Qt::Key_Escape);
    QCOMPARE(messages.saveQuestions, 1);
    QCOMPARE(messages.last().kind, MessageKind::Question);
    QCOMPARE(messages.lastText(), question);
    QVERIFY(host->isVisible());
    QCOMPARE(field->text(), typed);
    QCOMPARE(QApplication::focusWidget(), field);

    messages.saveAnswers = {SaveAnswer::Discard};
    press(Qt::Key_Escape);
    QCOMPARE(messages.saveQuestions, 2);
    QVERIFY(!host->isVisible());
    QCOMPARE(archiveBytes(), stored);

    // saved as Salva saves: left when the save is done, kept when refused
    enter();
    press(Qt::CTRL | Qt::Key_Home);
    edit();
    messages.saveAnswers = {SaveAnswer::Save};
    press(Qt::Key_Escape);
    QCOMPARE(messages.saveQuestions, 3);
    const bool saved = archiveBytes() != stored;
    qInfo("%s", saved ? "saved, then left" : "refused by the card's rules, kept");
    QCOMPARE(host->isVisible(), !saved);
    if (!saved) { // refused by the card's rules: the edit stays, and says why
      QCOMPARE(field->text(), typed);
      QVERIFY(messages.last().kind != MessageKind::Question && messages.last().kind != MessageKind::Information);
    }
  }

  // A loaded field shows its first characters, and a short coded value (a
  // tax code, a date, a postcode) shows whole.
  void loadedFieldsShowTheirBeginning_data() { cards_data(); }
  void loadedFieldsShowTheirBeginning() {
    QFETCH(const Application*, app);
    open(*app, 1);
    host->resize(1000, 700);
    // typed into first, so that the cursor stands at the end before loading
    for (auto* e : card->form()->findChildren<QLineEdit*>())
      if (!e->isReadOnly() && e->isVisible()) {
        e->setText(fullValue(e->maxLength()));
        e->end(false);
      }
    navigator->navigate(NavCommand::First);
    QCOMPARE(position(), QStringLiteral("1"));
    int seen = 0;
    for (auto* e : card->form()->findChildren<QLineEdit*>()) {
      if (!e->isVisible() || e->text().isEmpty()) continue;
      ++seen;
      QVERIFY2(e->cursorPosition() == 0, qPrintable(e->objectName() + QLatin1Char('/') +
                                                    e->parentWidget()->objectName()));
      if (e->maxLength() <= 16 && !e->isReadOnly()) {
        const int room = e->contentsRect().width() - e->textMargins().left() - e->textMargins().right() - 4;
        QVERIFY2(e->fontMetrics().horizontalAdvance(e->text()) <= room,
                 qPrintable(QStringLiteral("%1: \"%2\" in %3 px").arg(e->objectName(), e->text()).arg(room)));
      }
    }
    QVERIFY(seen > 3);
    for (auto* m : card->form()->findChildren<QPlainTextEdit*>())
      if (m->isVisible()) {
        QCOMPARE(m->textCursor().position(), 0);
        QCOMPARE(m->verticalScrollBar()->value(), 0);
      }
  }

  // Every screen or dialog a card's commands, buttons and pictures open
  // closes on Esc, whatever field has the focus in it (the digit-only
  // edits of the checks included).
  void escClosesEverySatellite_data() { cards_data(); }
  void escClosesEverySatellite() {
    QFETCH(const Application*, app);
    open(*app, 1);
    navigator->navigate(NavCommand::First);
    RecordingReportOutput printed;
    RecordingShell shell;
    QStringList opened, stayed;
    static const QRegularExpression commands(QStringLiteral("^(cmd|btn|imp)"));
    for (QWidget* w : card->findChildren<QWidget*>(commands)) {
      if (w->objectName() == QLatin1String("cmdEsci") || !w->isEnabled() || !w->isVisible()) continue;
      bool closed = false;
      const QString modal = drive::withModal([&] { drive::click(host, w->objectName()); },
                                             [&](QWidget* m) {
                                               QWidget* f = QApplication::focusWidget();
                                               QTest::keyClick(f && f->window() == m ? f : m, Qt::Key_Escape);
                                               QApplication::processEvents();
                                               closed = !m->isVisible();
                                             });
      if (!modal.isEmpty()) {
        opened << modal;
        if (!closed) stayed << w->objectName() + QStringLiteral(" -> ") + modal;
      }
      if (!host->isVisible()) QVERIFY(drive::show(host));
    }
    qInfo("%s", qPrintable(opened.join(QLatin1Char(' '))));
    QVERIFY(opened.size() >= 3);
    QVERIFY2(stayed.isEmpty(), qPrintable(stayed.join(QStringLiteral(", "))));
  }

  // What a card's description says its commands open is what they open:
  // each list, grid and print screen by its name, and the attachments.
  void declaredCommandsOpenTheirScreens_data() { cards_data(); }
  void declaredCommandsOpenTheirScreens() {
    QFETCH(const Application*, app);
    open(*app, 1);
    navigator->navigate(NavCommand::First);
    RecordingReportOutput printed;
    int declared = 0;
    for (const CardCommand& c : card->description().commands) {
      QString expected;
      if (c.list) expected = c.list->screen;
      else if (c.grid) expected = c.grid->screen;
      else if (c.printForm) expected = c.printForm->screen;
      else if (c.attachments) expected = QStringLiteral("TfrmAllegaCartella");
      else continue;
      ++declared;
      QCOMPARE(drive::withModal([&] { drive::click(host, c.name); }), expected);
      if (!host->isVisible()) QVERIFY(drive::show(host));
    }
    QVERIFY(declared >= 3);
  }

  // Filling the screen the tests run on (see the CMake file for the sizes),
  // a filled card shows every command whole and needs no sideways scrolling.
  // With VELARION_SHOTS set to a folder, each card is saved there to look at.
  void fitsTheScreen_data() { cards_data(); }
  void fitsTheScreen() {
    QFETCH(const Application*, app);
    open(*app, 1);
    navigator->navigate(NavCommand::First);
    const QRect available = host->screen()->availableGeometry();
    const QRect frame = host->frameGeometry(), inner = host->geometry();
    host->setGeometry(available.marginsRemoved(QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                                                        frame.right() - inner.right(),
                                                        frame.bottom() - inner.bottom())));
    QApplication::processEvents();
    // the picture first, so that a screen that does not fit can be seen
    const QString folder = qEnvironmentVariable("VELARION_SHOTS");
    if (!folder.isEmpty())
      host->grab().save(QStringLiteral("%1/%2_%3x%4@%5.png")
                            .arg(folder, host->objectName())
                            .arg(available.width())
                            .arg(available.height())
                            .arg(host->devicePixelRatioF()));
    QVERIFY2(host->width() >= host->minimumSizeHint().width(),
             qPrintable(QStringLiteral("needs %1 px, has %2").arg(host->minimumSizeHint().width()).arg(host->width())));
    static const QRegularExpression commands(QStringLiteral("^cmd"));
    for (QWidget* c : host->findChildren<QWidget*>(commands)) {
      if (!c->isVisibleTo(host)) continue;
      const QRect r(c->mapTo(host, QPoint(0, 0)), c->size());
      QVERIFY2(host->rect().contains(r), qPrintable(c->objectName()));
    }
    for (auto* area : host->findChildren<QAbstractScrollArea*>())
      if (area->isVisibleTo(host) && !qobject_cast<QPlainTextEdit*>(area))
        QVERIFY2(!area->horizontalScrollBar()->isVisible(), qPrintable(area->objectName()));
  }

  // Opened again after a hint changed the status line, the card starts
  // with the status line of a fresh card.
  void reopenedCardHasAFreshStatusLine_data() { cards_data(); }
  void reopenedCardHasAFreshStatusLine() {
    QFETCH(const Application*, app);
    open(*app, 1);
    card->statusLine()->setText(QStringLiteral("Salva la scheda corrente in archivio."));
    navigator->navigate(NavCommand::First);
    drive::click(host, QStringLiteral("cmdEsci"));
    QVERIFY(!host->isVisible());
    QVERIFY(drive::show(host));
    if (host->findChild<QWidget*>(QStringLiteral("panAvvio"))) drive::click(host, QStringLiteral("btnApri"));
    QCOMPARE(card->statusLine()->text(), card->description().initialStatus);
  }
};

QTEST_MAIN(CardScreensTest)
#include "test_cardscreens.moc"
