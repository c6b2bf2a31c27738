// The list screens on the client members, with stand-in cards
// registered under the names the caller tags point at.
#include "app/shell/screens/applications.h"
#include "app/help/screens/helpscreens.h"
#include "clientfixture.h"
#include "cardtest.h"
#include "screendriver.h"
#include "tests/engines/recordingreportoutput.h"

#include "clients/clientlists.h"
#include "clients/screens/clientsearch.h"
#include "clients/screens/clientcard.h"
#include "common/screens/listscreen.h"
#include "common/screens/screenkit.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <memory>

using lists::ListScreen;

namespace {

// A screen with the named controls: `txt` edits, `chk` check boxes, `lbl` labels.
std::unique_ptr<QWidget> standIn(const QString& name, const QStringList& controls) {
  auto w = std::make_unique<QWidget>();
  w->setObjectName(name);
  for (const QString& c : controls) {
    QWidget* child = c.startsWith(QLatin1String("chk")) ? static_cast<QWidget*>(new QCheckBox(w.get()))
                     : c.startsWith(QLatin1String("lbl")) ? static_cast<QWidget*>(new QLabel(w.get()))
                                                          : static_cast<QWidget*>(new QLineEdit(w.get()));
    child->setObjectName(c);
  }
  screenkit::ScreenSet::add(w.get());
  return w;
}

template <class T = QWidget>
T* child(QWidget* screen, const char* name) {
  T* w = screen->findChild<T*>(QLatin1String(name));
  if (!w) qFatal("missing control %s", name);
  return w;
}

} // namespace

class ListScreens : public CardTest {
  Q_OBJECT

  std::unique_ptr<QWidget> clientCard, caseCard, movementCard;

  void pressEnter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

  void doubleClick(ListScreen& s, int row) {
    auto* list = child<QListView>(&s, "lstRecords");
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
  }

  // Cerca with the given criteria typed into their edits.
  void cerca(ListScreen& s, std::initializer_list<std::pair<const char*, const char*>> typed) {
    for (const auto& [edit, t] : typed) QTest::keyClicks(child<QLineEdit>(&s, edit), QLatin1String(t));
    QTest::mouseClick(child<QPushButton>(&s, "btnCerca"), Qt::LeftButton);
  }

private slots:
  // the help commands show the program's help screen, as after start-up
  void initTestCase() {
    registerModules();
    installHelpViewer();
  }
  void init() {
    seat();
    QStringList clientControls{QStringLiteral("lblPosizione")};
    for (int i = 0; i < TRecCliente().fieldCount(); ++i) {
      const QString f = QLatin1String(TRecCliente().field(i).name.data(), qsizetype(TRecCliente().field(i).name.size()));
      clientControls << (f == QLatin1String("Ricontatta") ? QStringLiteral("chk")
                         : f.startsWith(QLatin1String("File")) || f.startsWith(QLatin1String("Desc")) ? QStringLiteral("lbl")
                                                                                                   : QStringLiteral("txt")) +
                            f;
    }
    clientCard = standIn(QStringLiteral("TfrmClienti"), clientControls);
    caseCard = standIn(QStringLiteral("TfrmPratica"),
                       {"lblPosizione", "txtOggetto", "txtCliente", "txtRecapito", "txtIndirizzoRes", "txtComuneRes",
                        "txtProvRes", "txtCapRes", "txtCodFisc", "txtPartitaIva", "txtNote"});
    movementCard = standIn(QStringLiteral("TfrmMovimenti"),
                           {"lblPosizione", "txtPagatore", "txtRecapitoPag", "txtCodFisc", "txtPartitaIva", "txtEmail",
                            "txtBeneficiario", "txtRecapitoBen"});

    Record rossi = client({{"Cliente", QStringLiteral("Rossi Mario")}, {"Recapito", QStringLiteral("333 111")},
                           {"Occupazione", QStringLiteral("Ingegnere")}, {"IndirizzoRes", QStringLiteral("Via Po 1")},
                           {"ComuneRes", QStringLiteral("Forl\u00EC")}, {"ProvRes", QStringLiteral("FC")},
                           {"CapRes", QStringLiteral("47121")}, {"CodFisc", QStringLiteral("RSSMRA70A01D704X")},
                           {"PartitaIva", QStringLiteral("01234567890")}, {"Email", QStringLiteral("primo@example.it")},
                           {"File01", QStringLiteral("contratto.pdf")}});
    rossi.setFlag("Ricontatta", true);
    Record twin = rossi; // the same line, other data
    twin.set("Email", QStringLiteral("secondo@example.it"));
    twin.set("CodFisc", QStringLiteral("RSSMRA70A01D704Y"));
    twin.setFlag("Ricontatta", false);
    appendClients({encode(rossi),
                   encode(client({{"Cliente", QStringLiteral("Bianchi Luca")}, {"Occupazione", QStringLiteral("Geometra")}})),
                   encode(twin),
                   encode(client({{"Cliente", QStringLiteral("Grossi Anna")}, {"Occupazione", QStringLiteral("Ingegnere")}}))});
  }

  void cleanup() {
    clientCard.reset();
    caseCard.reset();
    movementCard.reset();
    unseat();
  }

  void searchWithSeveralCriteria() {
    ListScreen s(clientSearchList());
    s.setCallerTag(QStringLiteral("clienti"));
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QCOMPARE(s.objectName(), QStringLiteral("TfrmTrovaClienti"));
    QCOMPARE(s.windowTitle(), QStringLiteral(" Trova clienti in archivio"));
    QVERIFY(child(&s, "panAvvio")->isVisible());
    QVERIFY(!child(&s, "panContainer")->isVisible());
    QCOMPARE(text(&s, "lblTrovate"), QStringLiteral("Il presente elenco contiene 0 schede."));
    QCOMPARE(QApplication::focusWidget(), child(&s, "txtCliente"));
    // the Enter chain, and its focus frame
    pressEnter(child(&s, "txtCliente"));
    QCOMPARE(QApplication::focusWidget(), child(&s, "txtComuneRes"));
    QVERIFY(child(&s, "effCampo02")->isVisible());
    pressEnter(child(&s, "txtNote"));
    QCOMPARE(QApplication::focusWidget(), child(&s, "txtCliente"));

    cerca(s, {{"txtCliente", "ROSSI"}, {"txtOccupazione", "ingegnere"}, {"txtZona", "   "}});
    QVERIFY(!child(&s, "panAvvio")->isVisible());
    QVERIFY(child(&s, "panContainer")->isVisible());
    QVERIFY(!child(&s, "lblAttendere")->isVisible());
    QCOMPARE(text(&s, "lblTrovate"), QStringLiteral("Il presente riepilogo contiene 3 schede."));
    QCOMPARE(text(&s, "lblConta"), QStringLiteral("2"));
    QCOMPARE(s.lines().size(), 3);
    QVERIFY(s.lines()[2].startsWith(QStringLiteral("Grossi Anna")));
    // what was found is ready for Enter: the list has the focus, its first line selected
    auto* list = child<QListView>(&s, "lstRecords");
    QCOMPARE(QApplication::focusWidget(), list);
    QCOMPARE(list->selectionModel()->selectedRows(), QModelIndexList{list->model()->index(0, 0)});
    QVERIFY(child(&s, "btnStampa")->isEnabled());
  }

  void findInTheListWrapsAround() {
    ListScreen s(clientSearchList());
    s.show();
    QVERIFY(QTest::qWaitForWindowActive(&s));
    cerca(s, {});
    auto* list = child<QListView>(&s, "lstRecords");
    QTest::keyClicks(child(&s, "txtTrova"), QStringLiteral("rossi"));
    pressEnter(child(&s, "txtTrova"));
    QCOMPARE(QApplication::focusWidget(), child(&s, "btnTrova"));
    QList<int> rows;
    for (int i = 0; i < 4; ++i) {
      QTest::mouseClick(child<QPushButton>(&s, "btnTrova"), Qt::LeftButton);
      rows << list->currentIndex().row();
    }
    QCOMPARE(rows, (QList<int>{0, 2, 3, 0}));
    QVERIFY(messages().shown.empty());
  }

  void findOnAnEmptyListSaysSo() {
    ListScreen s(clientSearchList());
    s.show();
    cerca(s, {{"txtCliente", "nessuno"}});
    QCOMPARE(text(&s, "lblTrovate"), QStringLiteral("Il presente riepilogo contiene 0 schede."));
    QTest::keyClicks(child(&s, "txtTrova"), QStringLiteral("x"));
    QTest::mouseClick(child<QPushButton>(&s, "btnTrova"), Qt::LeftButton);
    QCOMPARE(messages().shown.size(), size_t(1));
    QCOMPARE(int(messages().last().kind), int(MessageKind::Plain));
    QCOMPARE(messages().lastText(), QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
  }

  void doubleClickLoadsTheClickedRecordIntoTheClientCard() {
    for (const int row : {0, 2}) { // two records with the same line
      ListScreen s(clientSearchList());
      s.setCallerTag(QStringLiteral("clienti"));
      s.show();
      cerca(s, {{"txtCliente", "rossi mario"}});
      QCOMPARE(s.lines().size(), 2);
      QCOMPARE(s.lines()[0], s.lines()[1]);
      doubleClick(s, row / 2);
      QCOMPARE(s.result(), int(QDialog::Accepted));
      QVERIFY(!s.isVisible());
      QCOMPARE(text(clientCard.get(), "lblPosizione"), QString::number(row + 1));
      QCOMPARE(text(clientCard.get(), "txtEmail"), row == 0 ? QStringLiteral("primo@example.it") : QStringLiteral("secondo@example.it"));
      QCOMPARE(child<QCheckBox>(clientCard.get(), "chkRicontatta")->isChecked(), row == 0);
      QCOMPARE(text(clientCard.get(), "txtComuneRes"), QStringLiteral("Forl\u00EC"));
      QCOMPARE(text(clientCard.get(), "lblFile01"), QStringLiteral("contratto.pdf"));
    }
  }

  // Enter on the selected line loads the record exactly as a double-click
  // on that line does (of two records with the same line, the later one);
  // Enter with no line selected loads nothing. A search that finds nothing
  // leaves the focus in the find edit.
  void enterLoadsTheSelectedLineAsADoubleClickDoes() {
    auto load = [&](bool byKey, int row, QStringList& shown) {
      for (QWidget* c : clientCard->findChildren<QLineEdit*>()) static_cast<QLineEdit*>(c)->clear();
      screenkit::setTextOf(child(clientCard.get(), "lblPosizione"), QString());
      ListScreen s(clientSearchList());
      s.setCallerTag(QStringLiteral("clienti"));
      QVERIFY(drive::show(&s));
      cerca(s, {{"txtOccupazione", "ingegnere"}});
      QCOMPARE(s.lines().size(), 3);
      if (byKey) {
        for (int i = 0; i < row; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), row % 2 ? Qt::Key_Enter : Qt::Key_Return);
      } else {
        doubleClick(s, row);
      }
      QCOMPARE(s.result(), int(QDialog::Accepted));
      for (const char* name : {"lblPosizione", "txtCliente", "txtEmail", "txtCodFisc", "txtOccupazione", "lblFile01"})
        shown << text(clientCard.get(), name);
    };
    for (int row : {0, 1, 2}) {
      QStringList byKey, byClick;
      load(true, row, byKey);
      load(false, row, byClick);
      QCOMPARE(byKey, byClick);
      QVERIFY(!byKey.front().isEmpty());
    }

    screenkit::setTextOf(child(clientCard.get(), "lblPosizione"), QString());
    ListScreen none(clientSearchList());
    QVERIFY(drive::show(&none));
    cerca(none, {{"txtCliente", "nessuno"}});
    QCOMPARE(QApplication::focusWidget(), child(&none, "txtTrova"));

    ListScreen s(clientSearchList());
    s.setCallerTag(QStringLiteral("clienti"));
    QVERIFY(drive::show(&s));
    cerca(s, {});
    auto* list = child<QListView>(&s, "lstRecords");
    list->selectionModel()->clearSelection();
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(s.isVisible());
    QCOMPARE(text(clientCard.get(), "lblPosizione"), QString());
  }

  void theClientCardLoadsThePickLikeItsOwnNavigation() {
    TfrmClienti card;
    screenkit::ScreenSet::add(&card);
    ListScreen s(clientSearchList());
    s.setCallerTag(QStringLiteral("clienti"));
    s.show();
    cerca(s, {{"txtCliente", "rossi mario"}});
    doubleClick(s, 1);
    QCOMPARE(card.position(), std::optional<RecordPosition>(3));
    QCOMPARE(text(&card, "txtEmail"), QStringLiteral("secondo@example.it"));
    QCOMPARE(text(&card, "txtCodFisc"), QStringLiteral("RSSMRA70A01D704Y"));
    QVERIFY(!child<QCheckBox>(&card, "chkRicontatta")->isChecked());
    screenkit::ScreenSet::remove(&card);
  }

  void doubleClickCopiesIntoTheCallersFields() {
    screenkit::setTextOf(child(caseCard.get(), "lblPosizione"), QStringLiteral("7"));
    screenkit::setTextOf(child(caseCard.get(), "txtOggetto"), QStringLiteral("Ampliamento"));
    screenkit::setTextOf(child(caseCard.get(), "txtNote"), QStringLiteral("resta"));
    screenkit::setTextOf(child(movementCard.get(), "lblPosizione"), QStringLiteral("4"));
    struct Case {
      const char* tag;
      QWidget* card;
      std::vector<std::pair<const char*, QString>> expected;
    };
    const std::vector<Case> cases = {
        {"pratica", caseCard.get(),
         {{"txtCliente", "Rossi Mario"}, {"txtRecapito", "333 111"}, {"txtIndirizzoRes", "Via Po 1"},
          {"txtComuneRes", "Forl\u00EC"}, {"txtProvRes", "FC"}, {"txtCapRes", "47121"},
          {"txtCodFisc", "RSSMRA70A01D704X"}, {"txtPartitaIva", "01234567890"},
          {"txtOggetto", "Ampliamento"}, {"txtNote", "resta"}, {"lblPosizione", "7"}}},
        {"movimenti_pagatore", movementCard.get(),
         {{"txtPagatore", "Rossi Mario"}, {"txtRecapitoPag", "333 111"}, {"txtCodFisc", "RSSMRA70A01D704X"},
          {"txtPartitaIva", "01234567890"}, {"txtEmail", "primo@example.it"}, {"txtBeneficiario", ""},
          {"lblPosizione", "4"}}},
        {"movimenti_beneficiario", movementCard.get(),
         {{"txtBeneficiario", "Rossi Mario"}, {"txtRecapitoBen", "333 111"}, {"lblPosizione", "4"}}},
    };
    for (const Case& c : cases) {
      ListScreen s(clientSearchList());
      s.setCallerTag(QLatin1String(c.tag));
      s.show();
      cerca(s, {{"txtCliente", "rossi"}});
      doubleClick(s, 0);
      QVERIFY(!s.isVisible());
      for (const auto& [control, value] : c.expected) QCOMPARE(text(c.card, control), value);
    }
    QVERIFY(text(clientCard.get(), "txtCliente").isEmpty()); // only the caller receives
  }

  void aTagWithoutReceiverLoadsNothing() {
    ListScreen s(clientSearchList());
    s.setCallerTag(QStringLiteral("scadenzario"));
    s.show();
    cerca(s, {});
    doubleClick(s, 0);
    QVERIFY(!s.isVisible());
    QVERIFY(text(clientCard.get(), "txtCliente").isEmpty());
    QVERIFY(text(caseCard.get(), "txtCliente").isEmpty());
  }

  void theRecontactSummaryFillsWhenShown() {
    ListScreen s(recontactList());
    QCOMPARE(s.entries().size(), size_t(0));
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QCOMPARE(s.windowTitle(), QStringLiteral(" Riepilogo clienti da ricontattare"));
    QVERIFY(!s.findChild<QWidget*>(QStringLiteral("panAvvio")));
    QVERIFY(!s.findChild<QWidget*>(QStringLiteral("lblTrovate")));
    QCOMPARE(s.lines().size(), 1);
    QCOMPARE(s.entries()[0].position, 1);
    QCOMPARE(QApplication::focusWidget(), child(&s, "txtTrova"));
    doubleClick(s, 0);
    QCOMPARE(text(clientCard.get(), "lblPosizione"), QStringLiteral("1"));
    QCOMPARE(text(clientCard.get(), "txtCliente"), QStringLiteral("Rossi Mario"));
  }

  void anUnreadableArchiveKeepsTheCriteria() {
    QFile::remove(clientsPath());
    QDir().mkdir(clientsPath());
    ListScreen s(clientSearchList());
    s.show();
    cerca(s, {{"txtCliente", "rossi"}});
    QCOMPARE(messages().shown.size(), size_t(1));
    QCOMPARE(int(messages().last().kind), int(MessageKind::Plain));
    QCOMPARE(messages().lastText(), archiveAccessMessage());
    QVERIFY(child(&s, "panAvvio")->isVisible());
    QVERIFY(!child(&s, "lblAttendere")->isVisible());
    QVERIFY(!QApplication::overrideCursor()); // the busy cursor went with the search
  }

  void printingTheShownLines() {
    RecordingReportOutput printed;
    ListScreen s(clientSearchList());
    s.show();
    cerca(s, {{"txtOccupazione", "ingegnere"}});
    QTest::mouseClick(child<QPushButton>(&s, "btnStampa"), Qt::LeftButton);
    QCOMPARE(int(printed.last().call), int(RecordingReportOutput::Call::Print));
    const report::Report& r = printed.last().report;
    QCOMPARE(r.text(QStringLiteral("txtTitolo")), QStringLiteral("Riepilogo Clienti"));
    QCOMPARE(r.text(QStringLiteral("txtRiepilogo")), s.lines().join(QLatin1Char('\n')));
    QCOMPARE(s.lines().size(), 3);
  }

  // A yearly list reads its lines from the year's file the screen named
  // when "Cerca" was pressed, also after another year is chosen.
  void aYearlyListKeepsTheYearItWasSearchedIn() {
    static const ArchiveDef yearly{&TRecCliente(), QString(), QStringLiteral(".cly")};
    static const lists::ListDescription d = [] {
      lists::ListDescription l = clientSearchList();
      l.screen = QStringLiteral("TfrmElencoAnnuale");
      l.path = lists::ArchivePath::of(yearly, QStringLiteral("TfrmAnnoScelto"));
      return l;
    }();
    const auto year = standIn(QStringLiteral("TfrmAnnoScelto"), {QStringLiteral("lblFile")});
    seed::append(yearly.yearPath(QStringLiteral("2025")), TRecCliente(),
                 {client({{"Cliente", QStringLiteral("Rossi del 2025")}}), client({{"Cliente", QStringLiteral("Bianchi del 2025")}})});
    seed::append(yearly.yearPath(QStringLiteral("2026")), TRecCliente(),
                 {client({{"Cliente", QStringLiteral("Verdi del 2026")}}), client({{"Cliente", QStringLiteral("Neri del 2026")}})});
    child<QLabel>(year.get(), "lblFile")->setText(yearly.yearPath(QStringLiteral("2025")));

    RecordingReportOutput printed;
    ListScreen s(d);
    s.show();
    cerca(s, {});
    const QStringList shown = s.lines();
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown[1].startsWith(QStringLiteral("Bianchi del 2025 ")));

    child<QLabel>(year.get(), "lblFile")->setText(yearly.yearPath(QStringLiteral("2026")));
    auto* list = child<QListView>(&s, "lstRecords");
    QCOMPARE(s.lines(), shown);
    QCOMPARE(list->model()->index(1, 0).data().toString(), shown[1]);
    QTest::keyClicks(child(&s, "txtTrova"), QStringLiteral("bianchi"));
    QTest::mouseClick(child<QPushButton>(&s, "btnTrova"), Qt::LeftButton);
    QCOMPARE(list->currentIndex().row(), 1);
    QTest::mouseClick(child<QPushButton>(&s, "btnStampa"), Qt::LeftButton);
    QCOMPARE(printed.last().report.text(QStringLiteral("txtRiepilogo")), shown.join(QLatin1Char('\n')));
  }

  // A list of many pages says on every page what it is and which page it
  // is: the title at the top, "Pagina N di M" in the footer beside the
  // print date, both on paper (the PDF's text) as laid out.
  void printingAListOfManyPages() {
    QStringList names;
    for (int i = 1; i <= 150; ++i) {
      names << QStringLiteral("Cliente %1").arg(i, 3, 10, QLatin1Char('0'));
      appendClients({encode(client({{"Cliente", names.back()}}))});
    }
    RecordingReportOutput printed;
    ListScreen s(clientSearchList());
    s.show();
    cerca(s, {});
    QCOMPARE(s.lines().size(), 154);
    QTest::mouseClick(child<QPushButton>(&s, "btnStampa"), Qt::LeftButton);
    const report::Pages& pages = printed.last().pages;
    const int count = pages.count();
    QVERIFY2(count >= 3, qPrintable(QString::number(count)));

    QStringList printedLines;
    for (int i = 0; i < count; ++i) {
      const QString page = QString::number(i + 1);
      const auto titles = pages.placed(i, QStringLiteral("txtTitolo"));
      QCOMPARE(titles.size(), size_t(1));
      QCOMPARE(titles[0].text, QStringLiteral("Riepilogo Clienti"));
      const auto numbers = pages.placed(i, QStringLiteral("txtNumeroPagina"));
      const auto dates = pages.placed(i, QStringLiteral("txtPagina"));
      QCOMPARE(numbers.size(), size_t(1));
      QCOMPARE(numbers[0].text, QStringLiteral("Pagina %1 di %2").arg(page).arg(count));
      QCOMPARE(dates.size(), size_t(1));
      QCOMPARE(dates[0].text, QStringLiteral("Stampa eseguita in data ") + services::todayText());
      // the lines of the page lie between its title and its footer
      const auto lines = pages.placed(i, QStringLiteral("txtRiepilogo"));
      QVERIFY(!lines.empty());
      QVERIFY(lines.front().rect.top() >= titles[0].rect.bottom());
      QVERIFY(lines.back().rect.bottom() <= numbers[0].rect.top());
      QVERIFY(numbers[0].rect.bottom() <= 190);
      for (const auto& l : lines) printedLines << l.text;
    }
    QCOMPARE(printedLines, s.lines());

    const QString pdf = folder().path(QStringLiteral("lista.pdf"));
    QVERIFY(report::writePdf(pages, pdf));
    if (const QString shots = qEnvironmentVariable("VELARION_SHOTS"); !shots.isEmpty()) {
      QFile::remove(QDir(shots).filePath(QStringLiteral("Riepilogo_Clienti.pdf")));
      QFile::copy(pdf, QDir(shots).filePath(QStringLiteral("Riepilogo_Clienti.pdf")));
    }
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext not installed");
    for (int i = 1; i <= count; ++i) {
      QProcess text;
      const QString page = QString::number(i);
      text.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-f"), page, QStringLiteral("-l"), page, pdf, QStringLiteral("-")});
      QVERIFY(text.waitForFinished(30000));
      const QString onPage = QString::fromUtf8(text.readAllStandardOutput());
      QVERIFY2(onPage.contains(QStringLiteral("Riepilogo Clienti")), qPrintable(onPage));
      QVERIFY2(onPage.contains(QStringLiteral("Pagina %1 di %2").arg(i).arg(count)), qPrintable(onPage));
    }
  }

  void theOpenersShowFreshModalScreens() {
    struct Seen {
      QString name, tag;
      bool modal = false;
    } seen;
    auto closeActive = [&seen] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w) return;
      seen.name = w->objectName();
      seen.modal = w->isModal();
      auto* memory = w->findChild<QLabel*>(QStringLiteral("lblMemory"));
      seen.tag = memory ? memory->text() : QString();
      qobject_cast<QDialog*>(w)->reject();
    };
    QTimer::singleShot(0, closeActive);
    showClientSearch(clientCard.get(), QStringLiteral("pratica"));
    QCOMPARE(seen.name, QStringLiteral("TfrmTrovaClienti"));
    QCOMPARE(seen.tag, QStringLiteral("pratica"));
    QVERIFY(seen.modal);
    QTimer::singleShot(0, closeActive);
    showRecontactList(clientCard.get());
    QCOMPARE(seen.name, QStringLiteral("TfrmRicontatta"));
    QTimer::singleShot(0, closeActive);
    showClientExport(clientCard.get());
    QCOMPARE(seen.name, QStringLiteral("TfrmExpClienti"));
    QVERIFY(!clientCard->findChild<QDialog*>()); // destroyed after use
  }

  // Pictures of the screens for a look, when a folder is named.
  void renderWhenAsked() {
    const QString dir = qEnvironmentVariable("VELARION_SHOTS");
    if (dir.isEmpty()) QSKIP("set VELARION_SHOTS to a folder to render the screens");
    ListScreen s(clientSearchList());
    s.show();
    QTest::keyClicks(child(&s, "txtCliente"), QStringLiteral("rossi"));
    s.grab().save(dir + QStringLiteral("/trovaclienti_criteri.png"));
    QTest::mouseClick(child<QPushButton>(&s, "btnCerca"), Qt::LeftButton);
    QTest::keyClicks(child(&s, "txtTrova"), QStringLiteral("mario"));
    QTest::mouseClick(child<QPushButton>(&s, "btnTrova"), Qt::LeftButton);
    s.grab().save(dir + QStringLiteral("/trovaclienti_risultati.png"));
  }
};

QTEST_MAIN(ListScreens)
#include "test_listscreens.moc"
