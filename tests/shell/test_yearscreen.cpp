// The year screens of the yearly archives against a small test card.
#include "app/shell/screens/applications.h"
#include "common/screens/screenkit.h"
#include "common/screens/yearscreen.h"
#include "support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using screenkit::control;

namespace {
const QString kFourDigits = QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");

// A card of a yearly archive as the year screen sees it.
struct TestCard : QWidget {
  explicit TestCard(const QString& name) {
    setObjectName(name);
    file = new QLabel(this);
    file->setObjectName(QStringLiteral("lblFile"));
    file->hide();
    screenkit::ScreenSet::add(this);
  }
  QLabel* file;
};
} // namespace

// The year screens of the yearly applications, by their archive.
namespace Archive {
const QString Protocollo = QStringLiteral("TfrmMenuProtocollo");
const QString Progetti = QStringLiteral("TfrmMenuReferti");
const QString Movimenti = QStringLiteral("TfrmMenuMovimenti");
} // namespace Archive

class YearScreenTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TempProgramFolder> folder;
  std::unique_ptr<RecordingMessages> messages;
  std::unique_ptr<FixedClock> clock;
  std::unique_ptr<QWidget> menu;
  std::unique_ptr<TestCard> card;
  std::unique_ptr<YearScreen> screen;

  QLineEdit* year() { return control<QLineEdit>(screen.get(), QStringLiteral("txtAnnoPreventivi")); }
  QString memory() { return control<QLabel>(screen.get(), QStringLiteral("lblMemory"))->text(); }
  void make(const QString& a) {
    const YearScreenDescription d = yearscreens::description(a);
    card = std::make_unique<TestCard>(d.card);
    screen = std::make_unique<YearScreen>(d);
    screenkit::ScreenSet::add(screen.get());
    screenkit::ScreenSet::show(d.screen, menu.get());
  }

private slots:
  void initTestCase() { registerModules(); }
  void init() {
    folder = std::make_unique<TempProgramFolder>();
    messages = std::make_unique<RecordingMessages>();
    clock = std::make_unique<FixedClock>(QDate(2026, 12, 10));
    menu = std::make_unique<QWidget>();
    menu->setObjectName(QStringLiteral("TfrmAvvio"));
    screenkit::ScreenSet::add(menu.get());
    menu->show();
  }
  void cleanup() {
    screen.reset();
    card.reset();
    menu.reset();
    clock.reset();
    messages.reset();
    folder.reset();
  }

  void opensTheCardOfTheYear_data() {
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("screenName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("archiveLabel");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("cardCaption");
    QTest::addColumn<QString>("keyWord");
    QTest::newRow("protocol") << Archive::Protocollo << "TfrmMenuProtocollo" << " Velarion - Protocollo Posta"
                              << "Archivio protocollo documenti:" << "1999.prt"
                              << " Velarion - Protocollo Posta anno 1999" << "protocollo";
    QTest::newRow("projects") << Archive::Progetti << "TfrmMenuReferti" << " Velarion - Archivio Progetti"
                              << "Archivio progetti:" << "1999.prg" << " Velarion - Archivio progetti anno 1999"
                              << "referti";
    QTest::newRow("movements") << Archive::Movimenti << "TfrmMenuMovimenti" << " Velarion - Entrate e Uscite"
                               << "Registro movimenti:" << "1999.eur" << " Velarion - Entrate e uscite anno 1999"
                               << "movimenti";
  }
  void opensTheCardOfTheYear() {
    QFETCH(QString, archive);
    QFETCH(QString, screenName);
    QFETCH(QString, caption);
    QFETCH(QString, archiveLabel);
    QFETCH(QString, file);
    QFETCH(QString, cardCaption);
    QFETCH(QString, keyWord);
    make(archive);
    QCOMPARE(screen->objectName(), screenName);
    QCOMPARE(screen->windowTitle(), caption);
    bool labelled = false;
    for (QLabel* l : screen->findChildren<QLabel*>()) labelled |= l->text() == archiveLabel;
    QVERIFY(labelled);
    QVERIFY(screen->isVisible());
    QVERIFY(!menu->isVisible());
    QCOMPARE(year()->text(), QStringLiteral("2026"));
    QCOMPARE(year()->maxLength(), 4);
    QCOMPARE(memory(), QStringLiteral("avvio"));
    QCOMPARE(screen->focusWidget(), year());

    year()->selectAll();
    QTest::keyClicks(year(), QStringLiteral("1999"));
    QTest::keyClick(year(), Qt::Key_Return);
    QCOMPARE(screen->focusWidget(), control<QPushButton>(screen.get(), QStringLiteral("btnApriPreventivi")));
    QTest::keyClick(screen->focusWidget(), Qt::Key_Return); // Enter presses "Apri"

    QVERIFY(messages->shown.empty());
    QCOMPARE(card->file->text(), folder->path(file));
    QCOMPARE(card->windowTitle(), cardCaption);
    QCOMPARE(memory(), keyWord);
    QVERIFY(card->isVisible());
    QVERIFY(!screen->isVisible());
    QVERIFY(!menu->isVisible());
    QVERIFY2(!QFile::exists(folder->path(file)), "the card creates the file at its first command");
  }

  void fourDigitsOrAWarning_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("three digits") << QStringLiteral("202");
    QTest::newRow("empty") << QString();
    QTest::newRow("not only digits") << QStringLiteral("19a9"); // pasted, past the key filter
  }
  void fourDigitsOrAWarning() {
    QFETCH(QString, text);
    make(Archive::Protocollo);
    card->file->setText(QStringLiteral("before"));
    year()->setText(text);
    QTest::mouseClick(control<QPushButton>(screen.get(), QStringLiteral("btnApriPreventivi")), Qt::LeftButton);
    QCOMPARE(messages->shown.size(), size_t(1));
    QCOMPARE(int(messages->last().kind), int(MessageKind::Warning));
    QCOMPARE(messages->lastText(), kFourDigits);
    QCOMPARE(screen->focusWidget(), year());
    QVERIFY(screen->isVisible());
    QVERIFY(!card->isVisible());
    QCOMPARE(card->file->text(), QStringLiteral("before"));
    QCOMPARE(memory(), QStringLiteral("avvio"));
  }

  void onlyDigitsReachTheEdit() {
    make(Archive::Movimenti);
    year()->clear();
    QTest::keyClicks(year(), QStringLiteral("2a0 b-2.4/"));
    QCOMPARE(year()->text(), QStringLiteral("2024"));
    QTest::keyClick(year(), Qt::Key_Backspace);
    QTest::keyClick(year(), Qt::Key_Left);
    QTest::keyClick(year(), '9');
    QCOMPARE(year()->text(), QStringLiteral("2092"));
  }

  // Leaving with the exit picture returns to the menu; coming back shows the
  // current year again.
  void exitReturnsToTheMenu() {
    make(Archive::Progetti);
    year()->setText(QStringLiteral("1980"));
    QTest::mouseClick(control<screenkit::Picture>(screen.get(), QStringLiteral("imgEsci")), Qt::LeftButton);
    QVERIFY(menu->isVisible());
    QVERIFY(!screen->isVisible());
    QVERIFY(!card->isVisible());
    QCOMPARE(card->file->text(), QString());
    screenkit::ScreenSet::show(screen->objectName(), menu.get());
    QCOMPARE(year()->text(), QStringLiteral("2026"));
    QCOMPARE(memory(), QStringLiteral("avvio"));
    // and the window's close button does the same
    screen->close();
    QVERIFY(menu->isVisible());
    // and so does Esc, from the year edit
    screenkit::ScreenSet::show(screen->objectName(), menu.get());
    QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    year()->setText(QStringLiteral("1980"));
    QTest::keyClick(year(), Qt::Key_Escape);
    QVERIFY(menu->isVisible());
    QVERIFY(!screen->isVisible());
    QVERIFY(!card->isVisible());
    QCOMPARE(memory(), QStringLiteral("avvio"));
  }

  void helpPictureFollowsItsHook() {
    YearScreenDescription d = yearscreens::description(Archive::Protocollo);
    {
      YearScreen without(d);
      QVERIFY(!control<screenkit::Picture>(&without, QStringLiteral("imgGuida"))->isEnabled());
    }
    QWidget* asked = nullptr;
    d.help = [&asked](QWidget* w) { asked = w; };
    YearScreen with(d);
    with.show();
    QTest::mouseClick(control<screenkit::Picture>(&with, QStringLiteral("imgGuida")), Qt::LeftButton);
    QCOMPARE(asked, &with);
  }
};

QTEST_MAIN(YearScreenTest)
#include "test_yearscreen.moc"
