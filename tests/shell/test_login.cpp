// The log-in and change-password screens, driven through their controls.
#include "app/shell/password.h"
#include "app/shell/screens/program.h"
#include "app/shell/screens/mainmenu.h"
#include "app/shell/screens/changepassword.h"
#include "app/shell/screens/login.h"
#include "common/screens/screenkit.h"
#include "faults.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <optional>

using screenkit::control;

namespace {

const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadError = QStringLiteral(
    "Attenzione: si \u00E8 verificato un errore durante la procedura di lettura della password. Si consiglia di "
    "reinstallare il software.");
const QString kWrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString kUnconfirmed = QStringLiteral(
    "Attenzione: la nuova password non \u00E8 stata confermata correttamente. E' necessario reinserire entrambi i "
    "valori.");
const QString kDone = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeError = QStringLiteral(
    "Attenzione: si \u00E8 verificato un errore durante la procedura di modifica della password. Si consiglia di "
    "reinstallare il software.");

void storeRaw(const QString& value) {
  QFile f(password::filePath());
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("[Accesso]\r\nValore=" + value.toLatin1() + "\r\n");
}

// Types into an edit as the user does (accented characters as key events).
void type(QLineEdit* edit, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 128)
      QTest::keyClick(edit, c.toLatin1());
    else
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

} // namespace

class LoginTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TempProgramFolder> folder;
  std::unique_ptr<RecordingMessages> messages;
  std::unique_ptr<TfrmPassword> login;
  std::unique_ptr<TfrmAvvio> menu;
  std::unique_ptr<TfrmCambiaPassword> change;
  int ends = 0;

  QLineEdit* edit(QWidget* screen, const char* name) { return control<QLineEdit>(screen, QLatin1String(name)); }
  QPushButton* button(QWidget* screen, const char* name) { return control<QPushButton>(screen, QLatin1String(name)); }

private slots:
  void init() {
    folder = std::make_unique<TempProgramFolder>();
    messages = std::make_unique<RecordingMessages>();
    ends = 0;
    program::setEnd([this] { ++ends; });
    login = std::make_unique<TfrmPassword>();
    menu = std::make_unique<TfrmAvvio>();
    change = std::make_unique<TfrmCambiaPassword>();
    for (QWidget* s : {static_cast<QWidget*>(login.get()), static_cast<QWidget*>(menu.get()),
                       static_cast<QWidget*>(change.get())})
      screenkit::ScreenSet::add(s);
    login->show();
  }
  void cleanup() {
    change.reset();
    menu.reset();
    login.reset();
    messages.reset();
    folder.reset();
    program::setEnd({});
  }

  void okFollowsTheTrimmedEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("nothing") << QString() << false;
    QTest::newRow("spaces only") << QStringLiteral("   ") << false;
    QTest::newRow("a letter") << QStringLiteral("a") << true;
    QTest::newRow("spaces around") << QStringLiteral("  a  ") << true;
  }
  void okFollowsTheTrimmedEntry() {
    QFETCH(QString, typed);
    QFETCH(bool, enabled);
    QLineEdit* txt = edit(login.get(), "txtPassword");
    QVERIFY(!button(login.get(), "cmdOK")->isEnabled());
    QCOMPARE(login->focusWidget(), txt);
    type(txt, typed);
    QCOMPARE(button(login.get(), "cmdOK")->isEnabled(), enabled);
    // Enter does nothing while there is nothing to check
    password::write(u"a");
    QTest::keyClick(txt, Qt::Key_Return);
    QCOMPARE(menu->isVisible(), enabled);
    QCOMPARE(messages->shown.size(), size_t(0));
    if (!enabled) QCOMPARE(txt->text(), typed);
    // and emptying the edit disables OK again
    txt->clear();
    QVERIFY(!button(login.get(), "cmdOK")->isEnabled());
  }

  void logIn_data() {
    QTest::addColumn<QString>("stored"); // raw value of the file, "-" for no file
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: the menu opens
    const QString velarion = scrambler::scramble(u"VELARION");
    QTest::newRow("right") << velarion << QStringLiteral("velarion") << QString();
    QTest::newRow("case of a-z") << velarion << QStringLiteral("VeLaRiOn") << QString();
    QTest::newRow("spaces around") << velarion << QStringLiteral("  velarion ") << QString();
    QTest::newRow("wrong") << velarion << QStringLiteral("velarion2") << kWrong;
    QTest::newRow("accents kept") << scrambler::scramble(u"CITT\u00E0") << QStringLiteral("citt\u00E0") << QString();
    QTest::newRow("accent case differs") << scrambler::scramble(u"CITT\u00E0") << QStringLiteral("citt\u00C0")
                                         << kWrong;
    QTest::newRow("odd length") << velarion + QLatin1Char('F') << QStringLiteral("velarion") << QString();
    QTest::newRow("no file") << QStringLiteral("-") << QStringLiteral("velarion") << kWrong;
    QTest::newRow("empty value") << QString() << QStringLiteral("velarion") << kWrong;
    QTest::newRow("not hexadecimal") << QStringLiteral("E3DF2GDD") << QStringLiteral("velarion") << kReadError;
  }
  void logIn() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    if (stored != QLatin1String("-")) storeRaw(stored);
    QLineEdit* txt = edit(login.get(), "txtPassword");
    type(txt, typed);
    QTest::mouseClick(button(login.get(), "cmdOK"), Qt::LeftButton);
    if (message.isEmpty()) {
      QCOMPARE(messages->shown.size(), size_t(0));
      QVERIFY(menu->isVisible());
      QVERIFY(!login->isVisible());
      return;
    }
    QCOMPARE(messages->shown.size(), size_t(1));
    QCOMPARE(int(messages->last().kind), int(MessageKind::Plain));
    QCOMPARE(messages->lastText(), message);
    QVERIFY(login->isVisible());
    QVERIFY(!menu->isVisible());
    // a wrong password empties the edit; a file that cannot be read keeps it
    if (message == kWrong) {
      QCOMPARE(txt->text(), QString());
      QCOMPARE(login->focusWidget(), txt);
    } else {
      QCOMPARE(txt->text(), typed);
    }
  }

  // The file is read at every attempt: a password changed elsewhere counts
  // at the next OK.
  void readAtEveryAttempt() {
    password::write(u"prima");
    QLineEdit* txt = edit(login.get(), "txtPassword");
    type(txt, QStringLiteral("seconda"));
    QTest::keyClick(txt, Qt::Key_Return);
    QCOMPARE(messages->lastText(), kWrong);
    password::write(u"seconda");
    type(txt, QStringLiteral("seconda"));
    QTest::keyClick(txt, Qt::Key_Return);
    QVERIFY(menu->isVisible());
  }

  void esciEndsTheProgram() {
    QTest::mouseClick(button(login.get(), "cmdEsci"), Qt::LeftButton);
    QCOMPARE(ends, 1);
  }

  void changeScreenStartsEmpty() {
    password::write(u"velarion");
    type(edit(login.get(), "txtPassword"), QStringLiteral("abc"));
    QTest::mouseClick(button(login.get(), "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(change->isVisible());
    QVERIFY(!login->isVisible());
    QCOMPARE(change->windowTitle(), QStringLiteral(" Cambia password"));
    type(edit(change.get(), "txtPasswordOld"), QStringLiteral("x"));
    change->hide();
    change->show();
    for (const char* name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
      QCOMPARE(edit(change.get(), name)->text(), QString());
    QCOMPARE(change->focusWidget(), edit(change.get(), "txtPasswordOld"));
    QVERIFY(!button(change.get(), "cmdOK")->isEnabled());
  }

  void changeOkNeedsAllThree_data() {
    QTest::addColumn<QString>("oldText");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("confirmText");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all three") << "a" << "b" << "c" << true;
    QTest::newRow("no old") << "" << "b" << "c" << false;
    QTest::newRow("old of spaces") << "  " << "b" << "c" << false;
    QTest::newRow("no new") << "a" << "" << "c" << false;
    QTest::newRow("no confirmation") << "a" << "b" << " " << false;
  }
  void changeOkNeedsAllThree() {
    QFETCH(QString, oldText);
    QFETCH(QString, newText);
    QFETCH(QString, confirmText);
    QFETCH(bool, enabled);
    screenkit::ScreenSet::show(QStringLiteral("TfrmCambiaPassword"), login.get());
    type(edit(change.get(), "txtPasswordOld"), oldText);
    type(edit(change.get(), "txtPasswordNew"), newText);
    type(edit(change.get(), "txtConferma"), confirmText);
    QCOMPARE(button(change.get(), "cmdOK")->isEnabled(), enabled);
  }

  void changeEnterChain() {
    screenkit::ScreenSet::show(QStringLiteral("TfrmCambiaPassword"), login.get());
    const char* chain[] = {"txtPasswordOld", "txtPasswordNew", "txtConferma", "txtPasswordOld"};
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(edit(change.get(), chain[i]), Qt::Key_Return);
      QCOMPARE(change->focusWidget(), edit(change.get(), chain[i + 1]));
    }
    QVERIFY(messages->shown.empty());
  }

  void changePassword_data() {
    QTest::addColumn<QString>("stored"); // raw value, "-" for no file
    QTest::addColumn<QString>("oldText");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("confirmText");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("emptied"); // edits emptied, comma-separated
    QTest::addColumn<QString>("focus");
    const QString velarion = scrambler::scramble(u"VELARION");
    QTest::newRow("wrong old") << velarion << "velarion1" << "nuova" << "nuova" << kWrongOld << "txtPasswordOld"
                               << "txtPasswordOld";
    QTest::newRow("no file") << "-" << "velarion" << "nuova" << "nuova" << kWrongOld << "txtPasswordOld"
                             << "txtPasswordOld";
    QTest::newRow("unconfirmed") << velarion << "velarion" << "nuova" << "nuovo" << kUnconfirmed
                                 << "txtPasswordNew,txtConferma" << "txtPasswordNew";
    QTest::newRow("confirmation differs in case") << velarion << "Velarion" << "Nuova" << "nuova" << kUnconfirmed
                                                  << "txtPasswordNew,txtConferma" << "txtPasswordNew";
    QTest::newRow("not hexadecimal") << "E3DFZZ" << "velarion" << "nuova" << "nuova" << kChangeError << ""
                                     << "";
  }
  void changePassword() {
    QFETCH(QString, stored);
    QFETCH(QString, oldText);
    QFETCH(QString, newText);
    QFETCH(QString, confirmText);
    QFETCH(QString, message);
    QFETCH(QString, emptied);
    QFETCH(QString, focus);
    if (stored != QLatin1String("-")) storeRaw(stored);
    const QByteArray before = [] {
      QFile f(password::filePath());
      return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    screenkit::ScreenSet::show(QStringLiteral("TfrmCambiaPassword"), login.get());
    const QStringList names{QStringLiteral("txtPasswordOld"), QStringLiteral("txtPasswordNew"),
                            QStringLiteral("txtConferma")};
    const QStringList typed{oldText, newText, confirmText};
    for (int i = 0; i < 3; ++i) type(edit(change.get(), qPrintable(names[i])), typed[i]);
    QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);

    QCOMPARE(messages->shown.size(), size_t(1));
    QCOMPARE(int(messages->last().kind), int(MessageKind::Plain));
    QCOMPARE(messages->lastText(), message);
    QVERIFY(change->isVisible());
    const QStringList empty = emptied.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < 3; ++i)
      QCOMPARE(edit(change.get(), qPrintable(names[i]))->text(), empty.contains(names[i]) ? QString() : typed[i]);
    if (!focus.isEmpty()) QCOMPARE(change->focusWidget(), edit(change.get(), qPrintable(focus)));
    QFile f(password::filePath());
    QCOMPARE(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(), before);
  }

  // A password file that cannot be written (full disk, a write cut short,
  // a read-only folder) is reported, and the old password still lets the
  // user in: the file is never left empty or cut.
  void changeThatCannotBeWrittenKeepsTheOldPassword_data() {
    QTest::addColumn<int>("limit"); // bytes a file may grow to; -1: read-only folder instead
    QTest::newRow("disk full") << 0;
    QTest::newRow("disk fills inside the file") << 12;
    QTest::newRow("read-only folder") << -1;
  }
  void changeThatCannotBeWrittenKeepsTheOldPassword() {
    QFETCH(int, limit);
    password::write(u"velarion");
    QFile file(password::filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QTest::mouseClick(button(login.get(), "btnCambiaPassword"), Qt::LeftButton);
    type(edit(change.get(), "txtPasswordOld"), QStringLiteral("velarion"));
    type(edit(change.get(), "txtPasswordNew"), QStringLiteral("nuova"));
    type(edit(change.get(), "txtConferma"), QStringLiteral("nuova"));
    {
      std::optional<FileSizeLimit> full;
      std::optional<ReadOnlyFolder> readOnly;
      if (limit >= 0) {
        full.emplace(rlim_t(limit));
      } else {
        readOnly.emplace(folder->dir.path());
        if (!readOnly->holds()) QSKIP("the folder cannot be made read-only here");
      }
      QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);
    }
    QCOMPARE(messages->shown.size(), size_t(1));
    QCOMPARE(int(messages->last().kind), int(MessageKind::Plain));
    QCOMPARE(messages->lastText(), kChangeError);
    QVERIFY(change->isVisible());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    file.close();
    QCOMPARE(QDir(folder->dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("unins000.dll")});

    // the old password still opens the program
    QTest::mouseClick(button(change.get(), "cmdEsci"), Qt::LeftButton);
    QVERIFY(login->isVisible());
    type(edit(login.get(), "txtPassword"), QStringLiteral("velarion"));
    QTest::keyClick(edit(login.get(), "txtPassword"), Qt::Key_Return);
    QVERIFY(menu->isVisible());
    QCOMPARE(messages->shown.size(), size_t(1));
  }

  void changeSucceedsAndLeadsBackToLogIn() {
    password::write(u"velarion");
    type(edit(login.get(), "txtPassword"), QStringLiteral("qualcosa"));
    QTest::mouseClick(button(login.get(), "btnCambiaPassword"), Qt::LeftButton);
    type(edit(change.get(), "txtPasswordOld"), QStringLiteral(" VELARION"));
    type(edit(change.get(), "txtPasswordNew"), QStringLiteral(" Nuova1 "));
    type(edit(change.get(), "txtConferma"), QStringLiteral("Nuova1"));
    QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);

    QCOMPARE(messages->lastText(), kDone);
    QFile f(password::filePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes, "[Accesso]\r\nValore=" + scrambler::scramble(u"NUOVA1").toLatin1() + "\r\n");
    QVERIFY(QRegularExpression(QStringLiteral("Valore=[0-9A-F]{12}\r\n$")).match(QString::fromLatin1(bytes)).hasMatch());

    // back on the log-in, empty and ready for the new password
    QVERIFY(!change->isVisible());
    QVERIFY(login->isVisible());
    QLineEdit* txt = edit(login.get(), "txtPassword");
    QCOMPARE(txt->text(), QString());
    QCOMPARE(login->focusWidget(), txt);
    type(txt, QStringLiteral("nuova1"));
    QTest::keyClick(txt, Qt::Key_Return);
    QVERIFY(menu->isVisible());
  }

  void chiudiLeadsBackToLogIn() {
    const QRect before = login->frameGeometry();
    QVERIFY((before.center() - login->screen()->availableGeometry().center()).manhattanLength() <= 2);
    type(edit(login.get(), "txtPassword"), QStringLiteral("abc"));
    QTest::mouseClick(button(login.get(), "btnCambiaPassword"), Qt::LeftButton);
    QTest::mouseClick(button(change.get(), "cmdEsci"), Qt::LeftButton);
    QVERIFY(!change->isVisible());
    QVERIFY(login->isVisible());
    QCOMPARE(edit(login.get(), "txtPassword")->text(), QString());
    QCOMPARE(login->focusWidget(), edit(login.get(), "txtPassword"));
    QVERIFY(!button(login.get(), "cmdOK")->isEnabled());
    QCOMPARE(ends, 0);
    // back where it stood, centred
    QCOMPARE(login->frameGeometry(), before);
  }

  void screensHaveNoWindowButtons() {
    for (QWidget* s : {static_cast<QWidget*>(login.get()), static_cast<QWidget*>(change.get())}) {
      QVERIFY(s->windowFlags() & Qt::CustomizeWindowHint);
      QVERIFY(!(s->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
      QCOMPARE(s->minimumSize(), s->maximumSize());
      // no window manager draws a title bar without its buttons: the screen
      // asks for none and shows its caption itself
      QVERIFY(!(s->windowFlags() & Qt::WindowTitleHint));
      auto* caption = control<QLabel>(s, QStringLiteral("panIntestazione"));
      QVERIFY(caption && caption->isVisibleTo(s));
      QCOMPARE(caption->text(), s->windowTitle().trimmed());
      QCOMPARE(caption->width(), s->width());
    }
    QCOMPARE(edit(login.get(), "txtPassword")->echoMode(), QLineEdit::Password);
    for (const char* name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
      QCOMPARE(edit(change.get(), name)->echoMode(), QLineEdit::Password);
  }
};

QTEST_MAIN(LoginTest)
#include "test_login.moc"
