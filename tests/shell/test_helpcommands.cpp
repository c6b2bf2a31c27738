// Every help command of the program opens the help screen on its own topic.
#include "app/help/screens/helpscreens.h"
#include "cases/screens/casecard.h"
#include "clients/clientlists.h"
#include "cases/caselists.h"
#include "clients/screens/clientcard.h"
#include "common/screens/gridscreen.h"
#include "common/screens/screenkit.h"
#include "support.h"
#include "app/shell/screens/mainmenu.h"

#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

class HelpCommandsTest : public QObject {
  Q_OBJECT

  // Clicks a help command and returns the title the help screen showed.
  static QString helpTitleAfterClicking(QWidget* screen, const char* command) {
    QString title;
    QTimer::singleShot(0, [&title] {
      if (QWidget* help = QApplication::activeModalWidget()) {
        if (help->objectName() == QLatin1String("TfrmGuida"))
          title = screenkit::textOf(help->findChild<QWidget*>(QStringLiteral("lblTitolo")));
        help->close();
      }
    });
    QWidget* c = screen->findChild<QWidget*>(QLatin1String(command));
    if (!c) return QStringLiteral("<no %1>").arg(QLatin1String(command));
    QTest::mouseClick(c, Qt::LeftButton);
    return title;
  }

private slots:
  // the help commands show the program's help screen, as after start-up
  void initTestCase() { installHelpViewer(); }
  void everyHelpCommandOpensItsTopic() {
    TempProgramFolder folder;
    RecordingMessages messages;
    struct Case {
      std::function<std::unique_ptr<QWidget>()> make;
      const char* command;
      QString title;
    } cases[] = {
        {[] { return std::make_unique<TfrmAvvio>(); }, "imgGuida", QStringLiteral("Uno sguardo a Velarion.")},
        {[] { return std::make_unique<TfrmClienti>(); }, "cmdGuida", QStringLiteral("Applicazione Anagrafica Clienti.")},
        {[] { return std::make_unique<TfrmPratica>(); }, "cmdGuida", QStringLiteral("Applicazione Archivio Pratiche.")},
        {[] { return std::make_unique<grids::GridScreen>(clientExport()); }, "cmdGuida",
         QStringLiteral("Esportazione archivio clienti in Microsoft Excel.")},
        {[] { return std::make_unique<grids::GridScreen>(caseExport()); }, "cmdGuida",
         QStringLiteral("Esportazione archivio pratiche in Microsoft Excel.")},
    };
    for (const Case& c : cases) {
      std::unique_ptr<QWidget> screen = c.make();
      screen->show();
      QCOMPARE(helpTitleAfterClicking(screen.get(), c.command), c.title);
    }
  }
};

QTEST_MAIN(HelpCommandsTest)
#include "test_helpcommands.moc"
