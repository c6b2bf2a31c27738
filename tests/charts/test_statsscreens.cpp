// The statistical charts as a new user meets them: the tile opens the menu
// of the three year boxes, each box opens its chart of the year's
// movements, bars and pie keep the points, and the chart is printed in the
// copies asked for (through a recording output, and once through the real
// print dialog to PDF).
#include "app/shell/screens/applications.h"
#include "common/help.h"
#include "common/screens/screenkit.h"
#include "engines/chart/screens/chartview.h"
#include "charts/screens/chartscreen.h"
#include "movementfixture.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"
#include "tests/engines/chart/screens/printtopdf.h"
#include "tests/engines/chart/screens/recordingchartoutput.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

using chart::ChartType;
using movementfixture::Movement;

namespace {

constexpr bool In = true, Out = false;

const char* const kMonths[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                               "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
const QRgb kMonthColours[] = {0xFFFF0000, 0xFF0000FF, 0xFFFFE4C4, 0xFFFF00FF, 0xFFC0DCC0, 0xFFFFFF00,
                              0xFF00FF00, 0xFFC0C0C0, 0xFFF0FBFF, 0xFF87CEEB, 0xFF800000, 0xFF008000};

// A year of movements in 2026.eur, with a movement of each neighbouring year.
void writeYear(const QString& file) {
  movementfixture::write(file, {
                                   {In, "10/03/2026", "100,40", true},
                                   {In, "28/03/2026", "0,20"},
                                   {In, "05/04/2026", "100,50"},
                                   {In, "09/05/2026", "100,49", true},
                                   {In, "15/01/2027", "250,00"},
                                   {In, "20/11/2026", "1500,00"},
                                   {Out, "12/02/2026", "80,50", true},
                                   {Out, "30/06/2026", "1200,00"},
                                   {Out, "31/12/2025", "19,99"},
                               });
}

std::vector<double> monthValues(std::initializer_list<std::pair<int, double>> set) {
  std::vector<double> v(12, 0);
  for (auto [month, value] : set) v[size_t(month - 1)] = value;
  return v;
}

std::vector<double> values(const chart::ChartDescription& c) {
  std::vector<double> v;
  for (const chart::ChartPoint& p : c.points) v.push_back(p.value);
  return v;
}

chart::ChartView* chartOf(QWidget* screen) { return drive::find<chart::ChartView>(screen, QStringLiteral("ChartStats")); }

bool showsLabel(QWidget* screen, const QString& text) {
  for (QLabel* l : screen->findChildren<QLabel*>())
    if (l->text() == text && l->isVisibleTo(screen)) return true;
  return false;
}

// Keeps the pictures of a screen in the folder VELARION_SHOTS names, if any.
void keepPicture(QWidget* screen, const QString& name) {
  const QString folder = qEnvironmentVariable("VELARION_SHOTS");
  if (!folder.isEmpty()) screen->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace

class StatsScreensTest : public CardTest {
  Q_OBJECT

  std::unique_ptr<QWidget> mainMenu;
  std::unique_ptr<QWidget> menu;
  std::vector<HelpTopic> helpAsked;

  // The chart a box of the menu opens for `year`, handed to `act` while it
  // is open; its object name.
  QString openChart(const char* edit, const char* button, const QString& year,
                    const std::function<void(QWidget*)>& act) {
    drive::type(menu.get(), QLatin1String(edit), year);
    return drive::withModal([&] { drive::click(menu.get(), QLatin1String(button)); }, act);
  }

private slots:
  void init() {
    seat();
    helpAsked.clear();
    help::setViewer([this](QWidget*, HelpTopic topic) { helpAsked.push_back(topic); });
    mainMenu = std::make_unique<QWidget>();
    mainMenu->setObjectName(QStringLiteral("TfrmAvvio"));
    screenkit::ScreenSet::add(mainMenu.get());
    mainMenu->show();
    // the tile "Grafici Statistici" of the main menu
    const Application* tile = nullptr;
    for (const Application& a : applications())
      if (qstrcmp(a.picture, "imgStatistiche") == 0) tile = &a;
    QVERIFY(tile && tile->create);
    menu.reset(tile->create());
    QCOMPARE(menu->objectName(), QLatin1String(tile->screen));
    screenkit::ScreenSet::add(menu.get());
    screenkit::ScreenSet::show(QStringLiteral("TfrmMenuStats"), mainMenu.get());
    QVERIFY(drive::show(menu.get()));
  }
  void cleanup() {
    menu.reset();
    mainMenu.reset();
    help::setViewer({});
    unseat();
  }

  void menuOfThreeYears() {
    QVERIFY(!mainMenu->isVisible());
    QCOMPARE(menu->windowTitle(), QStringLiteral(" Velarion - Grafici statistici"));
    QVERIFY(showsLabel(menu.get(), QStringLiteral("In questo ambiente \u00E8 possibile visualizzare grafici statistici "
                                                  "tridimensionali relativi alle entrate e uscite mensili e al "
                                                  "bilancio annuale.")));
    const char* boxes[][3] = {{"Entrate mensili:", "txtAnnoPreventivi", "btnApriPreventivi"},
                              {"Uscite mensili:", "txtAnnoNDC", "btnApriNDC"},
                              {"Bilancio annuale:", "txtAnnoDDT", "btnApriDDT"}};
    for (auto [heading, edit, button] : boxes) {
      QVERIFY2(showsLabel(menu.get(), QLatin1String(heading)), heading);
      QCOMPARE(drive::text(menu.get(), QLatin1String(edit)), QStringLiteral("2026"));
      QCOMPARE(drive::find<QLineEdit>(menu.get(), QLatin1String(edit))->maxLength(), 4);
      QCOMPARE(drive::find<QPushButton>(menu.get(), QLatin1String(button))->text(), QStringLiteral("Visualizza"));
    }
    QCOMPARE(drive::focused(), QStringLiteral("txtAnnoPreventivi"));
    keepPicture(menu.get(), QStringLiteral("TfrmMenuStats"));
    QVERIFY(!drive::find(menu.get(), QStringLiteral("lblFile"))->isVisibleTo(menu.get()));

    // letters never reach a year; Enter moves to the box's button
    drive::type(menu.get(), QStringLiteral("txtAnnoNDC"), QStringLiteral("20x25"));
    QCOMPARE(drive::text(menu.get(), QStringLiteral("txtAnnoNDC")), QStringLiteral("2025"));
    drive::key(menu.get(), QStringLiteral("txtAnnoNDC"), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("btnApriNDC"));

    // a year of fewer than four digits opens nothing
    const QString opened = openChart("txtAnnoDDT", "btnApriDDT", QStringLiteral("26"), {});
    QVERIFY(opened.isEmpty());
    QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
    QCOMPARE(seams->messages.lastText(), QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
    QCOMPARE(drive::focused(), QStringLiteral("txtAnnoDDT"));

    drive::click(menu.get(), QStringLiteral("imgGuida"));
    QCOMPARE(helpAsked, std::vector<HelpTopic>{HelpTopic::Statistiche});

    // Esci goes back to the main menu; the next visit starts from this year again
    drive::click(menu.get(), QStringLiteral("imgEsci"));
    QVERIFY(!menu->isVisible());
    QVERIFY(mainMenu->isVisible());
    screenkit::ScreenSet::show(QStringLiteral("TfrmMenuStats"), mainMenu.get());
    QCOMPARE(drive::text(menu.get(), QStringLiteral("txtAnnoDDT")), QStringLiteral("2026"));
  }

  void eachChartOfTheYear_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("titleLine");
    QTest::addColumn<QString>("explanation");
    QTest::addColumn<QString>("chartTitle");
    QTest::addColumn<QString>("legendTitle");
    QTest::addColumn<QStringList>("status"); // initial, btnBarre, btnTorta
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<std::vector<double>>("values");

    QStringList months, monthLabels;
    for (const char* m : kMonths) {
      months << QLatin1String(m);
      monthLabels << QStringLiteral("mem") + QLatin1String(m);
    }
    QTest::newRow("income")
        << "txtAnnoPreventivi" << "btnApriPreventivi" << "TfrmStatsEntrate"
        << " Velarion - Statistiche entrate mensili"
        << "Rappresentazione grafica delle entrate mensili dell'anno 2026."
        << "Il presente grafico statistico mostra le entrate relative a ciascun mese dell'anno in base ai movimenti "
           "registrati."
        << "Statistiche entrate mensili - anno 2026" << "Entrate mensili:"
        << QStringList{"Grafico statistico delle entrate mensili.",
                       "Visualizza le statistiche delle entrate mensili sotto forma di grafico a barre "
                       "tridimensionali.",
                       "Visualizza le statistiche delle entrate mensili sotto forma di grafico a torta "
                       "tridimensionale."}
        << monthLabels << months << monthValues({{3, 101}, {4, 101}, {5, 100}, {11, 1500}});
    QTest::newRow("expenses")
        << "txtAnnoNDC" << "btnApriNDC" << "TfrmStatsUscite" << " Velarion - Statistiche uscite mensili"
        << "Rappresentazione grafica delle uscite mensili dell'anno 2026."
        << "Il presente grafico statistico mostra le uscite relative a ciascun mese dell'anno in base ai movimenti "
           "registrati."
        << "Statistiche uscite mensili - anno 2026" << "Uscite mensili:"
        << QStringList{"Grafico statistico delle uscite mensili.",
                       "Visualizza le statistiche delle uscite mensili sotto forma di grafico a barre tridimensionali.",
                       "Visualizza le statistiche delle uscite mensili sotto forma di grafico a torta "
                       "tridimensionale."}
        << monthLabels << months << monthValues({{2, 81}, {6, 1200}});
    QTest::newRow("balance")
        << "txtAnnoDDT" << "btnApriDDT" << "TfrmStatsBilancio" << " Velarion - Statistiche bilancio annuale"
        << "Rappresentazione grafica del bilancio entrate e uscite dell'anno 2026."
        << "Il presente grafico statistico mostra il bilancio annuale delle entrate e uscite in base ai movimenti "
           "registrati."
        << "Bilancio entrate e uscite annuali - anno 2026" << "Bilancio annuale:"
        << QStringList{"Grafico statistico del bilancio annuale.",
                       "Visualizza il bilancio annuale sotto forma di grafico a barre tridimensionali.",
                       "Visualizza il bilancio annuale sotto forma di grafico a torta tridimensionale."}
        << QStringList{"memGuadagni", "memSpese"} << QStringList{"Entrate", "Uscite"}
        << std::vector<double>{2052, 1300};
  }
  void eachChartOfTheYear() {
    QFETCH(QString, edit);
    QFETCH(QString, button);
    QFETCH(QString, screen);
    QFETCH(QString, caption);
    QFETCH(QString, titleLine);
    QFETCH(QString, explanation);
    QFETCH(QString, chartTitle);
    QFETCH(QString, legendTitle);
    QFETCH(QStringList, status);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, names);
    QFETCH(std::vector<double>, values);
    writeYear(seams->folder.path(QStringLiteral("2026.eur")));
    RecordingChartOutput printed;

    const QString opened = openChart(qPrintable(edit), qPrintable(button), QStringLiteral("2026"), [&](QWidget* s) {
      QCOMPARE(s->windowTitle(), caption);
      QVERIFY(s->isModal());
      QCOMPARE(drive::text(s, QStringLiteral("lblTitolo")), titleLine);
      QVERIFY(showsLabel(s, explanation));
      QVERIFY(showsLabel(s, QStringLiteral("Servirsi dei pulsanti in calce per visualizzare il tipo di grafico "
                                           "desiderato e per mandarlo in stampa.")));
      QCOMPARE(drive::text(s, QStringLiteral("panInfo")), status[0]);

      // the values rounded to the euro, in the hidden labels and on the chart
      chart::ChartView* view = chartOf(s);
      const chart::ChartDescription& c = view->chart();
      QCOMPARE(c.points.size(), size_t(names.size()));
      QCOMPARE(::values(c), values);
      for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(c.points[size_t(i)].name, names[i]);
        QLabel* label = drive::find<QLabel>(s, labels[i]);
        QVERIFY(!label->isVisibleTo(s));
        QCOMPARE(label->text(), QString::number(values[size_t(i)]));
      }
      if (names.size() == 12)
        for (int i = 0; i < 12; ++i) QCOMPARE(c.points[size_t(i)].colour.rgba(), kMonthColours[i]);
      else
        QCOMPARE((std::vector<QRgb>{c.points[0].colour.rgba(), c.points[1].colour.rgba()}),
                 (std::vector<QRgb>{0xFF008000, 0xFFFF0000}));
      QCOMPARE(c.title.text, chartTitle);
      QCOMPARE(c.title.colour.rgba(), 0xFFD04498u);
      QCOMPARE(c.title.font.family(), QStringLiteral("Verdana"));
      QVERIFY(c.title.font.bold());
      QCOMPARE(c.title.font.pointSize(), 20);
      QCOMPARE(c.foot.text, QStringLiteral("Tutti gli importi sono arrotondati all'euro"));
      QCOMPARE(c.foot.colour.rgba(), 0xFF7294F9u);
      QVERIFY(c.foot.font.bold());
      QCOMPARE(c.foot.font.pointSize(), 11);
      QCOMPARE(c.legendTitle, legendTitle);
      QCOMPARE(c.legendPosition, chart::LegendPosition::Bottom);
      QVERIFY(c.valueMarks);
      QVERIFY(c.depth > 0);

      // bars first, then the pie and back, with the same points
      QCOMPARE(view->type(), ChartType::Bars3D);
      s->resize(1366, 768);
      keepPicture(s, screen + QStringLiteral("-barre-1366"));
      drive::click(s, QStringLiteral("btnTorta"));
      QCOMPARE(view->type(), ChartType::Pie3D);
      QCOMPARE(::values(view->chart()), values);
      keepPicture(s, screen + QStringLiteral("-torta-1366"));
      s->resize(1024, 768);
      keepPicture(s, screen + QStringLiteral("-torta-1024"));
      drive::click(s, QStringLiteral("btnBarre"));
      QCOMPARE(view->type(), ChartType::Bars3D);
      keepPicture(s, screen + QStringLiteral("-barre-1024"));

      // the status line follows the mouse
      const std::pair<const char*, QString> hints[] = {
          {"btnBarre", status[1]},
          {"btnTorta", status[2]},
          {"btnStampa", QStringLiteral("Stampa il grafico corrente.")},
          {"btnEsci", QStringLiteral("Esci da questo ambiente di lavoro.")},
          {"cmdGuida", QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
      };
      for (const auto& [control, hint] : hints) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(drive::find(s, QLatin1String(control)), &enter);
        QCOMPARE(drive::text(s, QStringLiteral("panInfo")), hint);
      }
      drive::click(s, QStringLiteral("cmdGuida"));
      QCOMPARE(helpAsked, std::vector<HelpTopic>{HelpTopic::Statistiche});

      // two copies of the pie
      drive::click(s, QStringLiteral("btnTorta"));
      inputs().answers = {QStringLiteral("2")};
      drive::click(s, QStringLiteral("btnStampa"));
      QCOMPARE(seams->messages.lastText(), QStringLiteral("Si vuole stampare il presente grafico statistico?"));
      QCOMPARE(printed.calls.size(), size_t(1));
      QCOMPARE(printed.calls[0].copies, 2);
      QCOMPARE(printed.calls[0].chart.type, ChartType::Pie3D);
      QCOMPARE(::values(printed.calls[0].chart), values);
      QCOMPARE(printed.calls[0].chart.title.text, chartTitle);

      drive::click(s, QStringLiteral("btnEsci"));
      QVERIFY(!s->isVisible());
    });
    QCOMPARE(opened, screen);
    QCOMPARE(drive::text(menu.get(), QStringLiteral("lblFile")), seams->folder.path(QStringLiteral("2026.eur")));
    QVERIFY(menu->isVisible());
  }

  // The answers to the question and to the copies box, and what is printed.
  void printAsksForTheCopies() {
    RecordingChartOutput printed;
    const QString tooMany = QStringLiteral("Attenzione: \u00E8 possibile stampare al massimo 999 copie del grafico.");
    const struct Case {
      bool yes;
      std::optional<QString> answer; // nothing: "Annulla"
      int copies;                    // 0: nothing printed
      QString message;               // the last message
    } cases[] = {
        {true, QStringLiteral("3"), 3, {}},
        {true, QStringLiteral("abc"), 1, {}},
        {true, QStringLiteral("2a"), 1, {}},
        {true, QString(), 1, {}},
        {true, QStringLiteral(" 4 "), 4, {}},
        {true, QStringLiteral("0"), 1, {}},
        {true, QStringLiteral("999"), 999, {}},
        {true, QStringLiteral("1000"), 0, tooMany},
        {true, QStringLiteral("99999999999999999999"), 0, tooMany},
        {true, std::nullopt, 0, {}},
        {false, QStringLiteral("2"), 0, {}},
    };
    openChart("txtAnnoDDT", "btnApriDDT", QStringLiteral("2026"), [&](QWidget* s) {
      for (const Case& c : cases) {
        printed.calls.clear();
        inputs().asked.clear();
        seams->messages.clear();
        seams->messages.answers = {c.yes};
        inputs().answers = {c.answer};
        drive::click(s, QStringLiteral("btnStampa"));
        const QString answer = c.answer.value_or(QStringLiteral("<Annulla>"));
        QCOMPARE(inputs().asked.size(), size_t(c.yes ? 1 : 0));
        if (c.yes) {
          QCOMPARE(inputs().asked[0].title, QStringLiteral("Numero copie da stampare"));
          QCOMPARE(inputs().asked[0].prompt, QStringLiteral("Copie:"));
          QCOMPARE(inputs().asked[0].initial, QStringLiteral("1"));
        }
        QVERIFY2(printed.calls.size() == (c.copies ? 1u : 0u), qPrintable(answer));
        if (c.copies) QCOMPARE(printed.calls[0].copies, c.copies);
        if (c.message.isEmpty()) {
          QCOMPARE(seams->messages.shown.size(), size_t(1)); // the question only
        } else {
          QCOMPARE(seams->messages.last().kind, MessageKind::Warning);
          QCOMPARE(seams->messages.lastText(), c.message);
        }
      }
      // the print dialog cancelled: nothing more is said
      printed.accept = false;
      seams->messages.clear();
      inputs().answers = {QStringLiteral("2")};
      drive::click(s, QStringLiteral("btnStampa"));
      QCOMPARE(printed.calls.size(), size_t(1));
      QCOMPARE(seams->messages.shown.size(), size_t(1));
    });
  }

  // An archive without income draws twelve bars of 0; an amount that cannot
  // be read leaves the chart without points; a year whose archive cannot be
  // opened says so.
  void archivesThatGiveNothing() {
    movementfixture::write(seams->folder.path(QStringLiteral("2025.eur")), {{Out, "10/03/2025", "80,00"}});
    openChart("txtAnnoPreventivi", "btnApriPreventivi", QStringLiteral("2025"), [&](QWidget* s) {
      QCOMPARE(::values(chartOf(s)->chart()), std::vector<double>(12, 0));
      QCOMPARE(drive::text(s, QStringLiteral("memMarzo")), QStringLiteral("0"));
    });

    movementfixture::write(seams->folder.path(QStringLiteral("2024.eur")),
                           {{In, "10/03/2024", "100,00"}, {In, "11/03/2024", "1x0,00"}, {Out, "10/04/2024", "5,00"}});
    openChart("txtAnnoPreventivi", "btnApriPreventivi", QStringLiteral("2024"), [&](QWidget* s) {
      QVERIFY(chartOf(s)->chart().points.empty());
      QCOMPARE(drive::text(s, QStringLiteral("memMarzo")), QStringLiteral("0"));
      QCOMPARE(drive::text(s, QStringLiteral("lblTitolo")),
               QStringLiteral("Rappresentazione grafica delle entrate mensili dell'anno 2024."));
    });
    openChart("txtAnnoDDT", "btnApriDDT", QStringLiteral("2024"),
              [&](QWidget* s) { QVERIFY(chartOf(s)->chart().points.empty()); });
    // the expenses do not read the income's amounts
    openChart("txtAnnoNDC", "btnApriNDC", QStringLiteral("2024"), [&](QWidget* s) {
      QCOMPARE(::values(chartOf(s)->chart()), monthValues({{4, 5}}));
    });
    QVERIFY(seams->messages.shown.empty());

    QVERIFY(QDir(seams->folder.dir.path()).mkdir(QStringLiteral("2023.eur")));
    openChart("txtAnnoNDC", "btnApriNDC", QStringLiteral("2023"),
              [&](QWidget* s) { QVERIFY(chartOf(s)->chart().points.empty()); });
    QCOMPARE(seams->messages.last().kind, MessageKind::Plain);
    QCOMPARE(seams->messages.lastText(), archiveAccessMessage());
  }

  // Two copies through the system print dialog, to a PDF file: two
  // landscape pages, each saying the chart's year.
  void printsThroughThePrintDialog() {
    writeYear(seams->folder.path(QStringLiteral("2026.eur")));
    const QString file = seams->folder.path(QStringLiteral("grafico.pdf"));
    PrintDialogToFile answer(file);
    openChart("txtAnnoPreventivi", "btnApriPreventivi", QStringLiteral("2026"), [&](QWidget* s) {
      inputs().answers = {QStringLiteral("2")};
      drive::click(s, QStringLiteral("btnStampa"));
    });
    if (!answer.toFile) QSKIP("the print dialog offers a real printer first");
    QCOMPARE(answer.copiesShown, 2);
    const PdfPages pages = pdfPages(file);
    QCOMPARE(pages.count, 2);
    QVERIFY(pages.landscape);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext not installed");
    for (int page : {1, 2}) {
      QProcess text;
      text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                               QString::number(page), file, QStringLiteral("-")});
      QVERIFY(text.waitForFinished(30000));
      const QString onPage = QString::fromUtf8(text.readAllStandardOutput());
      QVERIFY2(onPage.contains(QStringLiteral("Statistiche entrate mensili - anno 2026")), qPrintable(onPage));
    }
    if (const QString folder = qEnvironmentVariable("VELARION_SHOTS"); !folder.isEmpty()) {
      QFile::remove(QDir(folder).filePath(QStringLiteral("statistiche.pdf")));
      QFile::copy(file, QDir(folder).filePath(QStringLiteral("statistiche.pdf")));
    }
  }
};

QTEST_MAIN(StatsScreensTest)
#include "test_statsscreens.moc"
