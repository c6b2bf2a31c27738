// The calendar import, the attachment screen and the case folder screen,
// driven as the user drives them; modal screens are answered from a timer.
#include "app/shell/screens/applications.h"
#include "common/screens/attachscreen.h"
#include "common/screens/calendarscreen.h"
#include "common/screens/casefolderscreen.h"
#include "common/screens/screenkit.h"

#include "screendriver.h"
#include "support.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Runs `answer` on the next modal screen; `seen` tells whether one came.
class WhenModal {
public:
  explicit WhenModal(std::function<void(QWidget*)> answer) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) {
        timer_.start(); // not up yet
        return;
      }
      seen = modal->objectName();
      answer(modal);
    });
    timer_.start();
  }
  ~WhenModal() { timer_.stop(); }
  QString seen;

private:
  QTimer timer_;
};

void click(QWidget* screen, const char* name) {
  auto* b = screen->findChild<QPushButton*>(QLatin1String(name));
  QVERIFY2(b, name);
  b->click();
}

template <class T = QLineEdit>
T* find(QWidget* screen, const char* name) {
  return screen->findChild<T*>(QLatin1String(name));
}

// A card that owns attachments: six hidden labels, as every owner card has.
std::unique_ptr<QWidget> ownerCard(const QStringList& values = {}) {
  auto card = std::make_unique<QWidget>();
  card->setObjectName(QStringLiteral("TfrmClienti"));
  const char* names[] = {"lblFile01", "lblDesc01", "lblFile02", "lblDesc02", "lblFile03", "lblDesc03"};
  for (int i = 0; i < 6; ++i) {
    auto* l = new QLabel(values.value(i), card.get());
    l->setObjectName(QLatin1String(names[i]));
    l->hide();
  }
  return card;
}

QString label(QWidget* card, const char* name) { return card->findChild<QLabel*>(QLatin1String(name))->text(); }

void write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class DateScreens : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { registerModules(); }
  void cleanup() { attachscreen::setFilePicker({}); }

  void typedDateField();
  void calendarOnlyWhenAsked();
  void calendarImportsOnEnterAndDoubleClick();
  void calendarForACallerTag();
  void todayAndClearPictures();
  void attachmentSlotsLoadAndApply();
  void attachmentCopyAndOverwrite();
  void attachmentAnnullaKeepsCardAndCopy();
  void attachmentFailuresKeepThePreviousName();
  void enterInADescriptionBrowsesNothing();
  void caseFolder();
};

// A typed date field as a person types into it: digits and "/" only, the
// date shown as dd/mm/yyyy once the field is left for another, a day that
// does not exist refused with its message and kept as typed.
void DateScreens::typedDateField() {
  FixedClock clock(QDate(2028, 2, 10));
  RecordingMessages messages;
  QWidget card;
  auto* other = new QLineEdit(&card);
  auto* field = new QLineEdit(QStringLiteral("10/02/2028"), &card);
  field->setObjectName(QStringLiteral("txtDataReg"));
  auto* layout = new QVBoxLayout(&card);
  layout->addWidget(other);
  layout->addWidget(field);
  calendar::makeDateField(field, QStringLiteral("datareg"));
  QVERIFY(!field->isReadOnly());
  QCOMPARE(field->maxLength(), 10);
  QVERIFY(drive::show(&card));

  const QString refused = QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 necessario indicare una "
                                         "data valida nel formato gg/mm/aaaa.");
  const struct {
    const char* typed;
    const char* shown;
    bool refused;
  } cases[] = {
      {"31032027", "31/03/2027", false},   {"31/03/2027", "31/03/2027", false}, {"1/2/2026", "01/02/2026", false},
      {"31.03.2027", "31/03/2027", false}, // the points never reach the field
      {"3l/O3/2027x", "03/03/2027", false}, // nor do the letters
      {"31/03/27", "31/03/27", true},       // a two-digit year names no century
      {"31/02/2026", "31/02/2026", true},  {"29/02/2027", "29/02/2027", true},  {"3103202", "3103202", true},
      {"20/11/2026", "20/11/2026", false}, {"", "", false},
  };
  for (const auto& c : cases) {
    messages.clear();
    other->setFocus(Qt::OtherFocusReason);
    drive::press(Qt::Key_Tab); // Tab into the field selects the date there
    QCOMPARE(QApplication::focusWidget(), field);
    drive::press(Qt::Key_Delete);
    drive::keys(QString::fromUtf8(c.typed));
    drive::press(Qt::Key_Tab);
    QCOMPARE(field->text(), QString::fromUtf8(c.shown));
    QCOMPARE(QApplication::focusWidget(), other); // the focus goes on
    QCOMPARE(messages.shown.size(), size_t(c.refused ? 1 : 0));
    if (c.refused) {
      QCOMPARE(messages.last().kind, MessageKind::Plain);
      QCOMPARE(messages.lastText(), QStringLiteral("Attenzione: la data ") + QString::fromUtf8(c.shown) + refused);
    }
  }

  // typing over the date selected on entry replaces it, whatever the cursor
  field->setText(QStringLiteral("10/02/2028"));
  field->setCursorPosition(0);
  other->setFocus(Qt::OtherFocusReason);
  drive::press(Qt::Key_Tab);
  drive::keys(QStringLiteral("05032028"));
  QCOMPARE(field->text(), QStringLiteral("05032028"));
  // the focus going to another window leaves it as typed; leaving for a field shows it
  QWidget elsewhere;
  QVERIFY(drive::show(&elsewhere));
  QCOMPARE(field->text(), QStringLiteral("05032028"));
  QVERIFY(messages.shown.empty());
  QVERIFY(drive::show(&card));
  QCOMPARE(QApplication::focusWidget(), field);
  other->setFocus(Qt::OtherFocusReason);
  QCOMPARE(field->text(), QStringLiteral("05/03/2028"));

  // the usual editing keys: Home, Shift+End, Backspace, Enter opens nothing
  field->setFocus(Qt::OtherFocusReason);
  drive::press(Qt::Key_Home);
  drive::press(Qt::Key_End, Qt::ShiftModifier);
  QCOMPARE(field->selectedText(), QStringLiteral("05/03/2028"));
  drive::press(Qt::Key_Backspace);
  QCOMPARE(field->text(), QString());
  drive::keys(QStringLiteral("01/01/2028"));
  drive::press(Qt::Key_End);
  drive::press(Qt::Key_Backspace);
  QCOMPARE(field->text(), QStringLiteral("01/01/202"));
  {
    WhenModal modal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    drive::press(Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(modal.seen.isEmpty());
    QCOMPARE(field->text(), QStringLiteral("01/01/202"));
  }
}

// The calendar opens only when asked, with Alt+Down in the field or a click
// on its picture, on the day the field holds (today when it holds none);
// Importa writes the day chosen, Annulla and closing leave the field.
void DateScreens::calendarOnlyWhenAsked() {
  FixedClock clock(QDate(2028, 2, 10));
  RecordingMessages messages;
  QWidget card;
  auto* field = new QLineEdit(&card);
  field->setObjectName(QStringLiteral("txtDataReg"));
  auto* pick = new screenkit::Picture(QStringLiteral("calDataReg"), QString(), QStringLiteral("datario"), &card);
  auto* layout = new QHBoxLayout(&card);
  layout->addWidget(field);
  layout->addWidget(pick);
  calendar::makeDateField(field, QStringLiteral("datareg"));
  calendar::makePickButton(pick, field, QStringLiteral("datareg"));
  QVERIFY(drive::show(&card));
  field->setFocus();

  // Alt+Down on an empty field opens on today; choosing 29 February 2028 writes it as such
  {
    QDate shownDay;
    QString tag;
    WhenModal modal([&](QWidget* w) {
      auto* cal = static_cast<TfrmCalendario*>(w);
      shownDay = cal->selectedDate();
      tag = find<QLabel>(cal, "lblMemory")->text();
      QCOMPARE(cal->windowTitle(), QStringLiteral(" Importazione data"));
      find<QCalendarWidget>(cal, "calAppuntamenti")->setSelectedDate(QDate(2028, 2, 29));
      click(cal, "btnImportaData");
    });
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(modal.seen, QStringLiteral("TfrmCalendario"));
    QCOMPARE(shownDay, QDate(2028, 2, 10));
    QCOMPARE(tag, QStringLiteral("datareg"));
    QCOMPARE(field->text(), QStringLiteral("29/02/2028"));
    QCOMPARE(card.focusWidget(), field);
  }

  // the picture opens it on the day the field holds, typed in any form; Annulla keeps the date
  field->setText(QStringLiteral("05032027"));
  {
    QDate shownDay;
    WhenModal modal([&](QWidget* w) {
      shownDay = static_cast<TfrmCalendario*>(w)->selectedDate();
      find<QCalendarWidget>(w, "calAppuntamenti")->setSelectedDate(QDate(2028, 3, 1));
      click(w, "btnAnnulla");
    });
    QTest::mouseClick(pick, Qt::LeftButton);
    QCOMPARE(modal.seen, QStringLiteral("TfrmCalendario"));
    QCOMPARE(shownDay, QDate(2027, 3, 5));
    QCOMPARE(field->text(), QStringLiteral("05032027"));
    QCOMPARE(card.focusWidget(), field);
  }

  // a field that holds no day opens it on today; closing the window is Annulla too
  field->setText(QStringLiteral("31/02/2027"));
  {
    QDate shownDay;
    WhenModal modal([&](QWidget* w) {
      shownDay = static_cast<TfrmCalendario*>(w)->selectedDate();
      w->close();
    });
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(modal.seen, QStringLiteral("TfrmCalendario"));
    QCOMPARE(shownDay, QDate(2028, 2, 10));
    QCOMPARE(field->text(), QStringLiteral("31/02/2027"));
  }
  // opening and closing the calendar is no leaving of the field: nothing was refused
  QVERIFY(messages.shown.empty());

  // no other key opens it
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_A, Qt::Key_F2, Qt::Key_Down}) {
    WhenModal modal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    QTest::keyClick(field, key);
    QCoreApplication::processEvents();
    QVERIFY(modal.seen.isEmpty());
  }
}

// Enter or a double-click on a day imports it as Importa does; the day
// moved to with the arrows is the one imported.
void DateScreens::calendarImportsOnEnterAndDoubleClick() {
  FixedClock clock(QDate(2028, 2, 10));
  for (const bool doubleClick : {false, true}) {
    QWidget card;
    auto* field = new QLineEdit(&card);
    field->setObjectName(QStringLiteral("txtApertura"));
    calendar::makeDateField(field, QStringLiteral("apertura"));
    card.show();
    QApplication::setActiveWindow(&card);
    QVERIFY(QTest::qWaitForWindowActive(&card));
    bool closed = false;
    WhenModal modal([&](QWidget* w) {
      auto* view = w->findChild<QTableView*>();
      QVERIFY(view);
      QTest::keyClick(view, Qt::Key_Right); // to the 11th
      if (doubleClick) {
        const QPoint day = view->visualRect(view->currentIndex()).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, day);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, day);
      } else {
        QTest::keyClick(view, Qt::Key_Return);
      }
      closed = !w->isVisible();
      if (!closed) w->close();
    });
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(modal.seen, QStringLiteral("TfrmCalendario"));
    QVERIFY2(closed, doubleClick ? "double-click" : "Enter");
    QCOMPARE(field->text(), QStringLiteral("11/02/2028"));
  }
}

void DateScreens::calendarForACallerTag() {
  FixedClock clock(QDate(2026, 5, 4));
  QCOMPARE(int(calendar::callerTags().size()), 7);
  // a stand-in movement card registered under its name
  QWidget card;
  card.setObjectName(QStringLiteral("TfrmMovimenti"));
  auto* sca = new QLineEdit(&card);
  sca->setObjectName(QStringLiteral("txtDataSca"));
  screenkit::ScreenSet::add(&card);
  QCOMPARE(calendar::fieldForTag(QStringLiteral("movimenti_scadenza")), sca);
  QVERIFY(!calendar::fieldForTag(QStringLiteral("movimenti_data")));
  QVERIFY(!calendar::fieldForTag(QStringLiteral("sconosciuto")));

  WhenModal modal([](QWidget* w) { click(w, "btnImportaData"); });
  QVERIFY(calendar::importForTag(QStringLiteral("movimenti_scadenza")));
  QCOMPARE(sca->text(), QStringLiteral("04/05/2026"));

  // without a target, the screen writes into the field of its caller tag
  TfrmCalendario screen;
  screen.setCallerTag(QStringLiteral("movimenti_scadenza"));
  screen.setSelectedDate(QDate(2026, 12, 31));
  screen.importa();
  QCOMPARE(sca->text(), QStringLiteral("31/12/2026"));
  screenkit::ScreenSet::remove(&card);
}

void DateScreens::todayAndClearPictures() {
  FixedClock clock(QDate(2026, 7, 1));
  QWidget card;
  auto* date = new QLineEdit(QStringLiteral("12/1/26 circa"), &card);
  auto* today = new screenkit::Picture(QStringLiteral("impApertura"), QString(), QStringLiteral("oggi"), &card);
  auto* clear = new QPushButton(QStringLiteral("x"), &card);
  auto* status = new QLabel(&card);
  calendar::makeTodayButton(today, date, status);
  calendar::makeClearButton(clear, date, status);
  QTest::mouseClick(today, Qt::LeftButton);
  QCOMPARE(date->text(), QStringLiteral("01/07/2026"));
  clear->click();
  QCOMPARE(date->text(), QString());
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(today, &enter);
  QCOMPARE(status->text(), QStringLiteral("Inserisci la data corrente."));
  QCoreApplication::sendEvent(clear, &enter);
  QCOMPARE(status->text(), QStringLiteral("Cancella la data."));
}

void DateScreens::attachmentSlotsLoadAndApply() {
  TempProgramFolder program;
  RecordingMessages messages;
  RecordingShell shell;
  auto card = ownerCard({QStringLiteral("  pianta.pdf "), QStringLiteral(" Pianta "), QString(), QString(),
                         QStringLiteral("foto.jpg"), QStringLiteral("Foto")});
  TfrmAllegaCartella screen;
  QCOMPARE(screen.windowTitle(), QStringLiteral(" Allega file"));
  screen.setCallerTag(QStringLiteral("clienti"));
  screen.setOwner(card.get());
  screen.loadFrom(card.get());
  QCOMPARE(find(&screen, "txtFile01")->text(), QStringLiteral("pianta.pdf"));
  QCOMPARE(find(&screen, "txtDesc01")->text(), QStringLiteral("Pianta"));
  QVERIFY(find(&screen, "txtFile01")->isReadOnly());

  // Apri follows the slot's name
  QVERIFY(find<QPushButton>(&screen, "btnApri01")->isEnabled());
  QVERIFY(!find<QPushButton>(&screen, "btnApri02")->isEnabled());
  QVERIFY(find<QPushButton>(&screen, "btnApri03")->isEnabled());
  find(&screen, "txtFile02")->setText(QStringLiteral("   "));
  QVERIFY(!find<QPushButton>(&screen, "btnApri02")->isEnabled());

  // the stored copy is opened
  write(program.path(QStringLiteral("Documenti_Allegati/pianta.pdf")), "PDF");
  click(&screen, "btnApri01");
  QCOMPARE(shell.opened.size(), size_t(1));
  QCOMPARE(QDir::fromNativeSeparators(shell.opened[0]), program.path(QStringLiteral("Documenti_Allegati/pianta.pdf")));

  // clearing slot 3 empties the name only
  QTest::mouseClick(find<QWidget>(&screen, "imgCancella03"), Qt::LeftButton);
  QCOMPARE(find(&screen, "txtFile03")->text(), QString());
  QCOMPARE(find(&screen, "txtDesc03")->text(), QStringLiteral("Foto"));
  QVERIFY(!find<QPushButton>(&screen, "btnApri03")->isEnabled());

  find(&screen, "txtDesc02")->setText(QStringLiteral("  Nuova descrizione  "));
  click(&screen, "btnApplica");
  QCOMPARE(screen.result(), int(QDialog::Accepted));
  const QStringList expected{QStringLiteral("pianta.pdf"), QStringLiteral("Pianta"), QString(),
                             QStringLiteral("Nuova descrizione"), QString(), QStringLiteral("Foto")};
  const QStringList got{label(card.get(), "lblFile01"), label(card.get(), "lblDesc01"), label(card.get(), "lblFile02"),
                        label(card.get(), "lblDesc02"), label(card.get(), "lblFile03"), label(card.get(), "lblDesc03")};
  QCOMPARE(got, expected);

  // a stored name that leads outside the folder is never opened
  find(&screen, "txtFile02")->setText(QStringLiteral("..\\..\\Clienti.pro"));
  click(&screen, "btnApri02");
  QCOMPARE(shell.opened.size(), size_t(1));
  QCOMPARE(messages.last().kind, MessageKind::Warning);
}

void DateScreens::attachmentCopyAndOverwrite() {
  TempProgramFolder program;
  RecordingMessages messages;
  RecordingShell shell;
  QTemporaryDir elsewhere;
  const QString source = elsewhere.path() + QStringLiteral("/capitolato.odt");
  write(source, "NEW");
  QString offered;
  attachscreen::setFilePicker([&](QWidget*) { return offered; });

  TfrmAllegaCartella screen;
  auto* file = find(&screen, "txtFile01");
  auto* apri = find<QPushButton>(&screen, "btnApri01");
  QVERIFY(!apri->isEnabled());

  // a cancelled dialog changes nothing
  offered.clear();
  click(&screen, "btnSfoglia01");
  QCOMPARE(file->text(), QString());
  QVERIFY(!QFileInfo::exists(program.path(QStringLiteral("Documenti_Allegati"))));

  // the first attachment creates the folder; Apri becomes enabled
  offered = source;
  click(&screen, "btnSfoglia01");
  QCOMPARE(file->text(), QStringLiteral("capitolato.odt"));
  QVERIFY(apri->isEnabled());
  const QString stored = program.path(QStringLiteral("Documenti_Allegati/capitolato.odt"));
  QCOMPARE(read(stored), QByteArray("NEW"));
  QVERIFY(messages.shown.empty());

  // the same name again in slot 2: No keeps the stored copy and still records the name
  write(stored, "OLD");
  messages.answers = {false};
  click(&screen, "btnSfoglia02");
  QCOMPARE(messages.shown.size(), size_t(1));
  QCOMPARE(messages.last().kind, MessageKind::Question);
  QCOMPARE(find(&screen, "txtFile02")->text(), QStringLiteral("capitolato.odt"));
  QCOMPARE(read(stored), QByteArray("OLD"));

  // Yes replaces it
  messages.answers = {true};
  click(&screen, "btnSfoglia03");
  QCOMPARE(find(&screen, "txtFile03")->text(), QStringLiteral("capitolato.odt"));
  QCOMPARE(read(stored), QByteArray("NEW"));
  QCOMPARE(read(source), QByteArray("NEW"));
}

void DateScreens::attachmentAnnullaKeepsCardAndCopy() {
  TempProgramFolder program;
  RecordingMessages messages;
  QTemporaryDir elsewhere;
  const QString source = elsewhere.path() + QStringLiteral("/verbale.pdf");
  write(source, "V");
  attachscreen::setFilePicker([&](QWidget*) { return source; });
  const QStringList before{QStringLiteral("a.pdf"), QStringLiteral("A"), QString(), QString(), QString(), QString()};
  auto card = ownerCard(before);

  WhenModal modal([](QWidget* w) {
    QCOMPARE(find<QLabel>(w, "lblMemory")->text(), QStringLiteral("pratica"));
    QCOMPARE(find(w, "txtFile01")->text(), QStringLiteral("a.pdf"));
    click(w, "btnSfoglia02");
    QCOMPARE(find(w, "txtFile02")->text(), QStringLiteral("verbale.pdf"));
    click(w, "btnAnnulla");
  });
  attachscreen::showAttachments(card.get(), QStringLiteral("pratica"));
  QCOMPARE(modal.seen, QStringLiteral("TfrmAllegaCartella"));
  const QStringList after{label(card.get(), "lblFile01"), label(card.get(), "lblDesc01"), label(card.get(), "lblFile02"),
                          label(card.get(), "lblDesc02"), label(card.get(), "lblFile03"), label(card.get(), "lblDesc03")};
  QCOMPARE(after, before);
  QCOMPARE(read(program.path(QStringLiteral("Documenti_Allegati/verbale.pdf"))), QByteArray("V"));

  // and "Applica e chiudi" through the same road writes the slots back
  WhenModal apply([](QWidget* w) {
    click(w, "btnSfoglia02");
    click(w, "btnApplica");
  });
  attachscreen::showAttachments(card.get(), QStringLiteral("pratica"));
  QCOMPARE(label(card.get(), "lblFile02"), QStringLiteral("verbale.pdf"));
  QCOMPARE(label(card.get(), "lblFile01"), QStringLiteral("a.pdf"));
}

void DateScreens::attachmentFailuresKeepThePreviousName() {
  TempProgramFolder program;
  RecordingMessages messages;
  QTemporaryDir elsewhere;
  QString offered;
  attachscreen::setFilePicker([&](QWidget*) { return offered; });
  TfrmAllegaCartella screen;
  auto* file = find(&screen, "txtFile01");
  file->setText(QStringLiteral("precedente.pdf"));

  // a source that can no longer be read
  offered = elsewhere.path() + QStringLiteral("/sparito.pdf");
  click(&screen, "btnSfoglia01");
  QCOMPARE(file->text(), QStringLiteral("precedente.pdf"));
  QCOMPARE(messages.last().kind, MessageKind::Error);

  // a target that cannot be replaced
  QDir().mkpath(program.path(QStringLiteral("Documenti_Allegati/bloccato.pdf")));
  offered = elsewhere.path() + QStringLiteral("/bloccato.pdf");
  write(offered, "B");
  messages.clear();
  messages.answers = {true};
  click(&screen, "btnSfoglia01");
  QCOMPARE(file->text(), QStringLiteral("precedente.pdf"));
  QCOMPARE(messages.last().kind, MessageKind::Error);

  // a name that would lead outside the folder
  offered = elsewhere.path() + QStringLiteral("/..\\Clienti.pro");
  write(offered, "C");
  messages.clear();
  click(&screen, "btnSfoglia01");
  QCOMPARE(file->text(), QStringLiteral("precedente.pdf"));
  QCOMPARE(messages.last().kind, MessageKind::Error);
  QVERIFY(!QFileInfo::exists(program.path(QStringLiteral("Clienti.pro"))));
}

// Enter typed at the end of a description must not press a slot's button:
// the dialog would otherwise pick one of them as its default.
void DateScreens::enterInADescriptionBrowsesNothing() {
  TempProgramFolder program;
  RecordingMessages messages;
  RecordingShell shell;
  int picked = 0;
  attachscreen::setFilePicker([&](QWidget*) {
    ++picked;
    return QString();
  });
  auto card = ownerCard({QStringLiteral("pianta.pdf"), QStringLiteral("Pianta")});
  TfrmAllegaCartella screen;
  screen.setOwner(card.get());
  screen.loadFrom(card.get());
  screen.show();
  QVERIFY(QTest::qWaitForWindowExposed(&screen));
  for (const char* desc : {"txtDesc01", "txtDesc02", "txtDesc03"}) {
    QLineEdit* edit = find(&screen, desc);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("x"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(picked, 0);
    QVERIFY(shell.opened.empty());
    QVERIFY(screen.isVisible());
  }
  QCOMPARE(find(&screen, "txtFile01")->text(), QStringLiteral("pianta.pdf"));
}

void DateScreens::caseFolder() {
  TempProgramFolder program;
  RecordingMessages messages;
  RecordingShell shell;
  for (int press = 0; press < 2; ++press) {
    WhenModal modal([](QWidget* w) {
      QCOMPARE(w->windowTitle(), QStringLiteral(" Gestione cartella abbinata alla scheda corrente"));
      QCOMPARE(find<QLabel>(w, "lblMemory")->text(), QStringLiteral("7"));
      click(w, "btnApriCartella");
    });
    casefolder::showCaseFolder(nullptr, 7);
    QCOMPARE(modal.seen, QStringLiteral("TfrmCartella"));
  }
  QVERIFY(QFileInfo(program.path(QStringLiteral("Pratica_7"))).isDir());
  QCOMPARE(shell.opened.size(), size_t(2));
  QCOMPARE(QDir::fromNativeSeparators(shell.opened[1]), program.path(QStringLiteral("Pratica_7")));
  QVERIFY(messages.shown.empty());

  // Chiudi does nothing
  {
    WhenModal modal([](QWidget* w) { click(w, "btnChiudi"); });
    casefolder::showCaseFolder(nullptr, 8);
    QVERIFY(!QFileInfo::exists(program.path(QStringLiteral("Pratica_8"))));
  }

  // a folder that cannot be created: reported, not opened, the screen stays
  write(program.path(QStringLiteral("Pratica_9")), "in the way");
  TfrmCartella screen;
  screen.setPosition(9);
  screen.show();
  click(&screen, "btnApriCartella");
  QCOMPARE(messages.last().kind, MessageKind::Error);
  QCOMPARE(shell.opened.size(), size_t(2));
  QVERIFY(screen.isVisible());
}

QTEST_MAIN(DateScreens)
#include "test_date_screens.moc"
