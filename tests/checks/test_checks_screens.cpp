// The four check screens driven as a user would: type, press "Controlla",
// read the message shown.
#include "common/checks/screens/checks_screens.h"

#include "support.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(CheckKind)
Q_DECLARE_METATYPE(MessageKind)

namespace {

QPushButton* button(QWidget* screen, const char* name) {
  return screen->findChild<QPushButton*>(QString::fromUtf8(name));
}

// Types text with key presses; accented characters go as bare text events.
void type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 128)
      QTest::keyClicks(w, QString(c));
    else
      QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

const char* const kVatValidMilano = "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato "
                                    "dall'Ufficio IVA del Comune di Milano 1.";
const char* const kVatWrong = "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è quindi "
                              "possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.";
const char* const kVatLength = "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.";
const char* const kCardWrong = "Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi possibile fornire "
                               "informazioni relative al tipo di carta di credito.";

} // namespace

class TestCheckScreens : public QObject {
  Q_OBJECT
private slots:
  void layout_data();
  void layout();
  void typing_data();
  void typing();
  void check_data();
  void check();
  void enterMovesToControllaThenChecks();
  void chiudiClosesWithoutAnAnswer();
  void openersFillTheEditAndDestroyTheScreen_data();
  void openersFillTheEditAndDestroyTheScreen();
  void aLongNumericTaxCodeIsJudgedWhole();
  void renders();
};

void TestCheckScreens::layout_data() {
  QTest::addColumn<CheckKind>("kind");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("edit");
  QTest::addColumn<int>("maxLength");
  QTest::newRow("tax code") << CheckKind::TaxCode << "TfrmCodFisc"
                            << " Controllo codice fiscale"
                            << "Immettere il codice fiscale e premere il pulsante di controllo."
                            << "txtCodFisc" << 16;
  QTest::newRow("VAT") << CheckKind::VatNumber << "TfrmPartitaIva"
                       << " Controllo partita IVA"
                       << "Immettere il numero di partita IVA e premere il pulsante di controllo."
                       << "txtPartitaIva" << 11;
  QTest::newRow("card") << CheckKind::CardNumber << "TfrmCarta"
                        << " Controllo carta di credito"
                        << "Immettere il numero di carta di credito e premere il pulsante di controllo."
                        << "txtNumero" << 30;
  QTest::newRow("IBAN") << CheckKind::Iban << "TfrmIban"
                        << " Controllo IBAN"
                        << "Immettere l'IBAN e premere il pulsante di controllo."
                        << "txtIban" << 27;
}

void TestCheckScreens::layout() {
  QFETCH(CheckKind, kind);
  CheckScreen screen(kind);
  QTEST(screen.objectName(), "name");
  QTEST(screen.windowTitle(), "caption");
  auto* title = screen.findChild<QLabel*>(QStringLiteral("lblTitolo"));
  QVERIFY(title);
  QTEST(title->text(), "title");
  QFETCH(QString, edit);
  auto* e = screen.findChild<QLineEdit*>(edit);
  QVERIFY(e);
  QCOMPARE(e, screen.edit());
  QTEST(e->maxLength(), "maxLength");
  QVERIFY(button(&screen, "btnControlla"));
  QCOMPARE(button(&screen, "btnControlla")->text(), QStringLiteral("Controlla"));
  QVERIFY(button(&screen, "btnChiudi"));
  QCOMPARE(button(&screen, "btnChiudi")->text(), QStringLiteral("Chiudi"));
  // shown: the focus is in the edit
  screen.show();
  QVERIFY(QTest::qWaitForWindowActive(&screen));
  QCOMPARE(QApplication::focusWidget(), e);
}

void TestCheckScreens::typing_data() {
  QTest::addColumn<CheckKind>("kind");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::newRow("tax code upper-cased") << CheckKind::TaxCode << "rssmra85t10a562s"
                                        << "RSSMRA85T10A562S";
  // a blank typed is trailing until the next letter comes, so it goes
  QTest::newRow("tax code trimmed") << CheckKind::TaxCode << "  rss mra"
                                    << "RSSMRA";
  QTest::newRow("tax code a-z only") << CheckKind::TaxCode << "rss\u00E8"
                                     << "RSS\u00E8";
  QTest::newRow("tax code 16 at most") << CheckKind::TaxCode << "RSSMRA85T10A562SXYZ"
                                       << "RSSMRA85T10A562S";
  QTest::newRow("VAT digits only") << CheckKind::VatNumber << "07a72 0-4x10153"
                                   << "07720410153";
  QTest::newRow("VAT 11 at most") << CheckKind::VatNumber << "0772041015312"
                                  << "07720410153";
  QTest::newRow("card digits only") << CheckKind::CardNumber << "4111 1111-1111x1111"
                                    << "4111111111111111";
  QTest::newRow("card 30 at most") << CheckKind::CardNumber << "1234567890123456789012345678901234"
                                   << "123456789012345678901234567890";
  QTest::newRow("IBAN upper-cased and trimmed") << CheckKind::Iban << " it60 x054"
                                                << "IT60X054";
  QTest::newRow("IBAN 27 at most") << CheckKind::Iban << "IT60X0542811101000000123456789"
                                   << "IT60X0542811101000000123456";
}

void TestCheckScreens::typing() {
  QFETCH(CheckKind, kind);
  QFETCH(QString, typed);
  CheckScreen screen(kind);
  type(screen.edit(), typed);
  QTEST(screen.edit()->text(), "shown");
}

void TestCheckScreens::check_data() {
  QTest::addColumn<CheckKind>("kind");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("typed"); // typed with keys, or filled in by the opener
  QTest::addColumn<MessageKind>("messageKind");
  QTest::addColumn<QString>("message");
  QTest::addColumn<bool>("closes");
  QTest::addColumn<QString>("detail"); // the office or the card type found

  const auto W = MessageKind::Warning;
  const auto I = MessageKind::Information;
  QTest::newRow("tax code valid") << CheckKind::TaxCode << "RSSMRA85T10A562S" << true << I
                                  << "Il codice fiscale digitato è VALIDO." << true << "";
  QTest::newRow("tax code lower case, omocodia")
      << CheckKind::TaxCode << "bncgnntlaqmfnlrf" << true << I << "Il codice fiscale digitato è VALIDO." << true << "";
  QTest::newRow("tax code wrong") << CheckKind::TaxCode << "RSSMRA85T10A562T" << true << W
                                  << "Attenzione: il codice fiscale digitato è ERRATO." << true << "";
  QTest::newRow("tax code 15") << CheckKind::TaxCode << "RSSMRA85T10A562" << true << W
                               << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."
                               << false << "";
  QTest::newRow("VAT Milano 1") << CheckKind::VatNumber << "07720410153" << true << I << kVatValidMilano << true
                                << "Milano 1";
  QTest::newRow("VAT no office") << CheckKind::VatNumber << "10000001106" << true << I
                                 << "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato "
                                    "dall'Ufficio IVA del Comune di ."
                                 << true << "";
  QTest::newRow("VAT wrong digit") << CheckKind::VatNumber << "07720410154" << true << W << kVatWrong << true << "";
  QTest::newRow("VAT with a letter") << CheckKind::VatNumber << "0772041015A" << false << W << kVatWrong << true << "";
  QTest::newRow("VAT 10") << CheckKind::VatNumber << "0772041015" << true << W << kVatLength << false << "";
  QTest::newRow("card Amex") << CheckKind::CardNumber << "378282246310005" << true << I
                             << "Il numero di carta di credito 378282246310005 risulta valido.\r\n\r\nLa carta di "
                                "credito è del tipo American Express."
                             << true << "American Express";
  QTest::newRow("card JCB") << CheckKind::CardNumber << "3530111333300000" << true << I
                            << "Il numero di carta di credito 3530111333300000 risulta valido.\r\n\r\nLa carta di "
                               "credito è del tipo JCB."
                            << true << "JCB";
  QTest::newRow("card Visa, 21 digits") << CheckKind::CardNumber << "412345678901234567875" << true << I
                                        << "Il numero di carta di credito 412345678901234567875 risulta valido."
                                           "\r\n\r\nLa carta di credito è del tipo Visa."
                                        << true << "Visa";
  QTest::newRow("card Luhn-valid 2") << CheckKind::CardNumber << "2223003122003222" << true << W << kCardWrong << true
                                     << "";
  QTest::newRow("card wrong") << CheckKind::CardNumber << "5555555555554445" << true << W << kCardWrong << true << "";
  QTest::newRow("card empty") << CheckKind::CardNumber << "" << true << W
                              << "Attenzione: immettere il numero di carta di credito prima di premere il pulsante "
                                 "di controllo."
                              << false << "";
  QTest::newRow("IBAN valid, lower case")
      << CheckKind::Iban << "it60x0542811101000000123456" << true << I << "L'IBAN digitato è VALIDO." << true << "";
  QTest::newRow("IBAN one digit wrong") << CheckKind::Iban << "IT60X0542811101000000123457" << true << W
                                        << "Attenzione: l'IBAN digitato è ERRATO!" << true << "";
  QTest::newRow("IBAN foreign") << CheckKind::Iban << "DE89370400440532013000" << true << W
                                << "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici." << false
                                << "";
}

void TestCheckScreens::check() {
  QFETCH(CheckKind, kind);
  QFETCH(QString, text);
  QFETCH(bool, typed);
  QFETCH(bool, closes);
  RecordingMessages messages;
  CheckScreen screen(kind);
  screen.show();
  QVERIFY(QTest::qWaitForWindowActive(&screen));
  if (typed)
    type(screen.edit(), text);
  else
    screen.fill(text);
  QTest::mouseClick(button(&screen, "btnControlla"), Qt::LeftButton);

  QCOMPARE(messages.shown.size(), size_t(1));
  QTEST(messages.last().kind, "messageKind");
  QTEST(messages.last().text, "message");
  QCOMPARE(screen.isVisible(), !closes);
  if (closes)
    QCOMPARE(screen.result(), int(QDialog::Accepted));
  else
    QCOMPARE(QApplication::focusWidget(), screen.edit());
  const checks::Answer& a = screen.lastAnswer();
  QTEST(kind == CheckKind::CardNumber ? checks::cardTypeName(a.cardType) : a.office, "detail");
}

void TestCheckScreens::enterMovesToControllaThenChecks() {
  RecordingMessages messages;
  CheckScreen screen(CheckKind::VatNumber);
  screen.show();
  QVERIFY(QTest::qWaitForWindowActive(&screen));
  type(screen.edit(), QStringLiteral("07720410153"));
  QTest::keyClick(screen.edit(), Qt::Key_Return);
  QCOMPARE(QApplication::focusWidget(), button(&screen, "btnControlla"));
  QVERIFY(messages.shown.empty()); // Enter in the edit does not check yet
  QVERIFY(screen.isVisible());
  QTest::keyClick(button(&screen, "btnControlla"), Qt::Key_Return);
  QCOMPARE(messages.lastText(), QString::fromUtf8(kVatValidMilano));
  QVERIFY(!screen.isVisible());
}

void TestCheckScreens::chiudiClosesWithoutAnAnswer() {
  RecordingMessages messages;
  CheckScreen screen(CheckKind::Iban);
  screen.show();
  QVERIFY(QTest::qWaitForWindowActive(&screen));
  type(screen.edit(), QStringLiteral("IT60X0542811101000000123456"));
  QTest::mouseClick(button(&screen, "btnChiudi"), Qt::LeftButton);
  QVERIFY(!screen.isVisible());
  QCOMPARE(screen.result(), int(QDialog::Rejected));
  QVERIFY(messages.shown.empty());
}

// Runs an opener; while its screen is up, records what it holds and presses
// "Controlla". Returns the object name and the edit's text.
static QStringList openAndCheck(const std::function<void()>& opener) {
  QStringList seen;
  QPointer<QWidget> open;
  QTimer::singleShot(0, [&] {
    auto* screen = qobject_cast<CheckScreen*>(QApplication::activeModalWidget());
    if (!screen)
      return;
    open = screen;
    seen << screen->objectName() << screen->edit()->text();
    screen->check();
    if (screen->isVisible())
      screen->reject();
  });
  opener();
  QCoreApplication::processEvents();
  if (open)
    seen << QStringLiteral("not destroyed");
  return seen;
}

void TestCheckScreens::openersFillTheEditAndDestroyTheScreen_data() {
  QTest::addColumn<int>("opener");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("screen");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("message");
  enum { TaxField, Tax, Vat, Card, Iban };
  QTest::newRow("tax-code button, a person") << int(TaxField) << " rssmra85t10a562s "
                                             << "TfrmCodFisc"
                                             << "RSSMRA85T10A562S"
                                             << "Il codice fiscale digitato è VALIDO.";
  QTest::newRow("tax-code button, a company") << int(TaxField) << " 07720410153 "
                                              << "TfrmPartitaIva"
                                              << "07720410153" << kVatValidMilano;
  QTest::newRow("tax-code button, empty") << int(TaxField) << "  "
                                          << "TfrmCodFisc"
                                          << ""
                                          << "Attenzione: il codice fiscale deve essere composto da 16 caratteri "
                                             "alfanumerici.";
  QTest::newRow("tax code") << int(Tax) << "RSSMRA85T10A562T"
                            << "TfrmCodFisc"
                            << "RSSMRA85T10A562T"
                            << "Attenzione: il codice fiscale digitato è ERRATO.";
  QTest::newRow("VAT") << int(Vat) << "07720410153 "
                       << "TfrmPartitaIva"
                       << "07720410153" << kVatValidMilano;
  QTest::newRow("card") << int(Card) << "6011111111111117"
                        << "TfrmCarta"
                        << "6011111111111117"
                        << "Il numero di carta di credito 6011111111111117 risulta valido.\r\n\r\nLa carta di credito "
                           "è del tipo Discover.";
  QTest::newRow("IBAN") << int(Iban) << "IT60X0542811101000000123456"
                        << "TfrmIban"
                        << "IT60X0542811101000000123456"
                        << "L'IBAN digitato è VALIDO.";
}

void TestCheckScreens::openersFillTheEditAndDestroyTheScreen() {
  QFETCH(int, opener);
  QFETCH(QString, value);
  RecordingMessages messages;
  QWidget card;
  card.show();
  using Opener = void (*)(QWidget*, const QString&);
  const Opener openers[] = {showTaxCodeFieldCheck, showTaxCodeCheck, showVatCheck, showCardCheck, showIbanCheck};
  const QStringList seen = openAndCheck([&] { openers[opener](&card, value); });
  QFETCH(QString, screen);
  QFETCH(QString, shown);
  QCOMPARE(seen, QStringList({screen, shown}));
  QTEST(messages.lastText(), "message");
}

// A numeric tax code longer than a VAT number is shown whole in the VAT
// check, which then asks for 11 digits instead of judging its first eleven.
void TestCheckScreens::aLongNumericTaxCodeIsJudgedWhole() {
  RecordingMessages messages;
  QWidget card;
  card.show();
  const QStringList seen = openAndCheck([&] { showTaxCodeFieldCheck(&card, QStringLiteral("0772041015312345")); });
  QCOMPARE(seen, QStringList({QStringLiteral("TfrmPartitaIva"), QStringLiteral("0772041015312345")}));
  QCOMPARE(messages.lastText(), QString::fromUtf8(kVatLength));
}

void TestCheckScreens::renders() {
  const QString folder = qEnvironmentVariable("VELARION_SHOTS");
  struct Shot {
    CheckKind kind;
    const char* value;
  } shots[] = {{CheckKind::TaxCode, "RSSMRA85T10A562S"},
               {CheckKind::VatNumber, "07720410153"},
               {CheckKind::CardNumber, "378282246310005"},
               {CheckKind::Iban, "IT60X0542811101000000123456"}};
  for (const auto& s : shots) {
    CheckScreen screen(s.kind);
    screen.fill(QString::fromUtf8(s.value));
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    const QPixmap shot = screen.grab();
    QVERIFY(!shot.isNull());
    // every control lies inside the fixed window
    for (QWidget* child : screen.findChildren<QWidget*>())
      QVERIFY2(screen.rect().contains(child->geometry()), qPrintable(child->objectName()));
    if (!folder.isEmpty())
      QVERIFY(shot.save(QDir(folder).filePath(screen.objectName() + QStringLiteral(".png"))));
  }
}

QTEST_MAIN(TestCheckScreens)
#include "test_checks_screens.moc"
