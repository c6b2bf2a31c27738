// The help, information and about screens.
#include "app/help/screens/helpscreens.h"
#include "app/help/screens/helpwidgets.h"
#include "app/help/screens/guidescreen.h"
#include "app/help/screens/aboutscreen.h"
#include "app/help/screens/splashscreen.h"

#include "support.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

#include <functional>

namespace {

// Runs `check` on the modal screen once it is up, then closes it.
void whileModal(const std::function<void(QWidget*)>& check) {
  QTimer::singleShot(0, [check] {
    QWidget* modal = QApplication::activeModalWidget();
    check(modal);
    if (modal) {
      if (auto* close = modal->findChild<QPushButton*>(QStringLiteral("btnChiudi"))) close->click();
    }
  });
}

QColor textColour(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

// The guide that the installation puts in the program folder.
void supplyGuide(const TempProgramFolder& folder) {
  QFile guide(folder.path(QStringLiteral("Guida.pdf")));
  if (guide.open(QIODevice::WriteOnly)) guide.write("%PDF-1.4");
}

void saveShot(QWidget* w, const QString& name) {
  const QString dir = qEnvironmentVariable("VELARION_SCREENSHOTS");
  if (!dir.isEmpty()) w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class TestHelpScreens : public QObject {
  Q_OBJECT

private slots:
  void showHelpShowsTheTopic_data() {
    QTest::addColumn<HelpTopic>("topic");
    QTest::newRow("manual") << HelpTopic::Manuale;
    QTest::newRow("clients") << HelpTopic::Clienti;
    QTest::newRow("deadline export") << HelpTopic::EsportaScadenzario;
  }

  // A help command opens the screen modally with the topic's title and text,
  // which cannot be edited, and the link opens the PDF guide of the program
  // folder; closing destroys the screen.
  void showHelpShowsTheTopic() {
    QFETCH(HelpTopic, topic);
    RecordingShell shell;
    TempProgramFolder folder;
    supplyGuide(folder);
    const HelpPage page = helpPage(topic);

    QString caption, title, shown;
    QSize size;
    bool readOnly = false, buttonsHidden = false;
    whileModal([&](QWidget* modal) {
      auto* screen = qobject_cast<TfrmGuida*>(modal);
      if (!screen) return;
      caption = screen->windowTitle();
      size = screen->size();
      buttonsHidden = !(screen->windowFlags() & Qt::WindowCloseButtonHint) &&
                      !(screen->windowFlags() & Qt::WindowMinMaxButtonsHint);
      title = screen->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
      auto* txt = screen->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
      readOnly = txt->isReadOnly();
      shown = txt->toPlainText();
      QTest::mouseClick(screen->findChild<QLabel*>(QStringLiteral("lnkWeb")), Qt::LeftButton);
      if (topic == HelpTopic::Manuale) saveShot(screen, QStringLiteral("TfrmGuida"));
    });
    QWidget parent;
    showHelp(&parent, topic);

    QCOMPARE(caption, QStringLiteral(" Guida all'utilizzo del software"));
    QCOMPARE(size, QSize(676, 598));
    QVERIFY(buttonsHidden);
    QCOMPARE(title, page.title);
    QVERIFY(readOnly);
    QCOMPARE(shown, QString(page.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(shell.opened.size(), size_t(1));
    QCOMPARE(shell.opened.back(), folder.path(QStringLiteral("Guida.pdf")));
    QVERIFY(parent.findChildren<TfrmGuida*>().isEmpty());
  }

  void helpScreenStartsWithItsPlaceholder() {
    TfrmGuida screen;
    QCOMPARE(screen.findChild<QLabel*>(QStringLiteral("lblTitolo"))->text(), QStringLiteral("Argomento della guida."));
    QCOMPARE(screen.findChild<QLabel*>(QStringLiteral("lnkWeb"))->text(), QStringLiteral("Visualizza guida in formato PDF"));
    QVERIFY(screen.findChild<QLabel*>(QStringLiteral("imgPDF")));
    QCOMPARE(screen.findChild<QPushButton*>(QStringLiteral("btnChiudi"))->text(), QStringLiteral("Chiudi"));
  }

  // Dark blue, orange while the button is held down on the link or its
  // picture, dark blue again on release; a click on the picture opens the guide too.
  void linkColoursFollowTheMouseButton() {
    RecordingShell shell;
    TempProgramFolder folder;
    supplyGuide(folder);
    TfrmGuida screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    auto* link = screen.findChild<QLabel*>(QStringLiteral("lnkWeb"));
    auto* picture = screen.findChild<QLabel*>(QStringLiteral("imgPDF"));
    QCOMPARE(textColour(link), helpscreens::linkColour());
    for (QLabel* source : {link, picture}) {
      QTest::mousePress(source, Qt::LeftButton);
      QCOMPARE(textColour(link), helpscreens::linkPressedColour());
      QTest::mouseRelease(source, Qt::LeftButton);
      QCOMPARE(textColour(link), helpscreens::linkColour());
    }
    QCOMPARE(shell.opened, (std::vector<QString>{folder.path(QStringLiteral("Guida.pdf")), folder.path(QStringLiteral("Guida.pdf"))}));
  }

  // The maker's address opens a message with subject and first line filled in,
  // percent-encoded so that the mail program reads them back unchanged.
  void infoScreenWritesToTheMaker() {
    RecordingShell shell;
    QString caption;
    whileModal([&](QWidget* modal) {
      auto* screen = qobject_cast<TfrmInfo*>(modal);
      if (!screen) return;
      caption = screen->windowTitle();
      QTest::mouseClick(screen->findChild<QLabel*>(QStringLiteral("lnkWeb")), Qt::LeftButton);
      QTest::mouseClick(screen->findChild<QLabel*>(QStringLiteral("imgEmail")), Qt::LeftButton);
      saveShot(screen, QStringLiteral("TfrmInfo"));
    });
    showInfo(nullptr);

    QCOMPARE(caption, QStringLiteral(" Informazioni su Velarion"));
    QCOMPARE(shell.opened.size(), size_t(2));
    QCOMPARE(shell.opened[0], shell.opened[1]);
    const QString target = shell.opened[0];
    QCOMPARE(target, QStringLiteral("mailto:info@velarion.it?subject=Software%20Velarion&body=Salve%2C%20desidererei"
                                    "%20avere%20le%20seguenti%20informazioni%20sul%20software%20in%20oggetto%3A"));
    const QUrl url(target);
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(), QStringLiteral("info@velarion.it"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), QStringLiteral("Software Velarion"));
    QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
             QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
  }

  void aboutScreenOpensTheWebPage() {
    RecordingShell shell;
    QWidget menu;
    menu.resize(800, 600);
    menu.show();
    QPoint menuCentre, screenCentre;
    whileModal([&](QWidget* modal) {
      auto* screen = qobject_cast<TfrmSplash*>(modal);
      if (!screen) return;
      menuCentre = menu.frameGeometry().center();
      screenCentre = screen->frameGeometry().center();
      QTest::mouseClick(screen->findChild<QLabel*>(QStringLiteral("lnkWeb")), Qt::LeftButton);
      QTest::mouseClick(screen->findChild<QLabel*>(QStringLiteral("imgWeb")), Qt::LeftButton);
      saveShot(screen, QStringLiteral("TfrmSplash"));
    });
    showSplash(&menu);

    QCOMPARE(shell.opened, (std::vector<QString>{QStringLiteral("https://www.velarion.it"), QStringLiteral("https://www.velarion.it")}));
    QVERIFY((menuCentre - screenCentre).manhattanLength() <= 2);
  }
};

QTEST_MAIN(TestHelpScreens)
#include "test_help_screens.moc"
