// Every kind of card control: the bytes it saves into a str[N] and a
// char[N] record, what it shows when loaded, and the keys and pictures
// that go with it.
#include "testcards.h"

#include "archive/archivio.h"
#include "common/attachments.h"
#include "common/screens/attachscreen.h"
#include "common/screens/calendarscreen.h"
#include "common/screens/cardeditor.h"
#include "cardtest.h"
#include "screendriver.h"
#include "seed.h"
#include "support.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace {

QString field(std::string_view f) { return QString::fromLatin1(f.data(), qsizetype(f.size())); }

// The bytes of the last record of a file.
QByteArray lastRecord(const QString& path, int size) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray all = f.readAll();
  return all.right(size);
}

// What a row expects: the stored bytes of a field from its offset on (the
// length byte and the value of a str field; the text and its zero of a
// char field).
struct Stored {
  std::string_view field;
  QByteArray bytes;
};

struct Row {
  const char* what;
  std::function<void(QWidget* card)> act;
  std::vector<Stored> stored;
  // what the field's control shows once the record is loaded again
  std::vector<std::pair<const char*, QString>> shown = {};
};

} // namespace

class CardKindsTest : public CardTest {
  Q_OBJECT


  // Saves a fresh card after `act` and checks the stored bytes, then loads
  // the record back and checks what the controls show.
  void saveAndReload(CardEditor& card, const Row& row, const std::function<void()>& required) {
    card.nuovo();
    required();
    row.act(&card);
    messages().clear();
    card.salva();
    QVERIFY2(messages().last().kind == MessageKind::Information, qPrintable(QLatin1String(row.what) + messages().lastText()));
    const RecordLayout& l = *card.description().archive.layout;
    const QByteArray record = lastRecord(card.archivePath(), l.size());
    QCOMPARE(record.size(), l.size());
    for (const Stored& s : row.stored)
      QVERIFY2(record.mid(l.offsetOf(s.field), s.bytes.size()) == s.bytes,
               qPrintable(QStringLiteral("%1: %2 holds %3").arg(QLatin1String(row.what), field(s.field),
                                                                QString::fromLatin1(record.mid(l.offsetOf(s.field), s.bytes.size()).toHex(' ')))));
    card.nuovo();
    card.naviga(NavCommand::Last);
    for (const auto& [control, text] : row.shown)
      QVERIFY2(drive::text(&card, QLatin1String(control)) == text, qPrintable(QLatin1String(row.what)));
  }

  // A date picked from the calendar that Alt+Down opens in the field.
  void setDate(QWidget* card, const char* control, QDate day) {
    const QString seen = drive::withModal(
        [&] {
          QWidget* field = drive::find(card, QLatin1String(control));
          field->setFocus(Qt::OtherFocusReason);
          QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
        },
                                          [day](QWidget* m) {
                                            auto* cal = static_cast<TfrmCalendario*>(m);
                                            cal->setSelectedDate(day);
                                            cal->importa();
                                          });
    QCOMPARE(seen, QStringLiteral("TfrmCalendario"));
  }

private slots:
  void init() {
    seat();
  }
  void cleanup() { unseat(); }

  void strFieldsSaveTheirBytes() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    auto required = [&] {
      drive::type(&card, QStringLiteral("txtNome"), QStringLiteral("X"));
      card.form()->set("Giorno", QStringLiteral("05"));
    };
    const Row rows[] = {
        {"edit: trimmed, Windows-1252",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtCodice"), QStringLiteral("  àè€  ")); },
         {{"Codice", QByteArray("\x03\xC0\xC8\x80", 4)}}, {{"txtCodice", QStringLiteral("ÀÈ€")}}},
        {"edit kept upper-cased as typed",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtNome"), QStringLiteral(" rossi ")); },
         {{"Nome", QByteArray("\x05ROSSI")}}},
        {"flags from options: the checked one Sì, the other No",
         [](QWidget* c) { drive::click(c, QStringLiteral("optUscita")); },
         {{"Entrata", QByteArray("\x02No")}, {"Uscita", QByteArray("\x02S\xEC")}},
         {{"optUscita", QStringLiteral("Sì")}, {"optEntrata", QStringLiteral("No")}}},
        {"new card: the default option",
         [](QWidget*) {},
         {{"Entrata", QByteArray("\x02S\xEC")}, {"Uscita", QByteArray("\x02No")}, {"Tipo", QByteArray("\x00", 1)}}},
        {"a text from options",
         [](QWidget* c) { drive::click(c, QStringLiteral("optInterna")); },
         {{"Tipo", QByteArray("\x07Interna")}}, {{"optInterna", QStringLiteral("Sì")}}},
        {"pick list", [](QWidget* c) { drive::find<QComboBox>(c, QStringLiteral("txtMese"))->setCurrentIndex(2); },
         {{"Mese", QByteArray("\x05Marzo")}}, {{"txtMese", QStringLiteral("Marzo")}}},
        {"calendar date", [this](QWidget* c) { setDate(c, "txtData", QDate(2028, 2, 29)); },
         {{"Data", QByteArray("\x0a" "29/02/2028")}}, {{"txtData", QStringLiteral("29/02/2028")}}},
        {"date typed as ddmmyyyy and never left, saved as dd/mm/yyyy",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtData"), QStringLiteral("31032027")); },
         {{"Data", QByteArray("\x0a" "31/03/2027")}}, {{"txtData", QStringLiteral("31/03/2027")}}},
        {"amount of 2 decimals normalised by the save, signed total computed",
         [](QWidget* c) {
           drive::click(c, QStringLiteral("optUscita"));
           drive::type(c, QStringLiteral("txtImporto"), QStringLiteral("12,5"));
         },
         {{"Importo", QByteArray("\x05" "12,50")}, {"Totale", QByteArray("\x06-12,50")}},
         {{"txtImporto", QStringLiteral("12,50")}, {"txtTotale", QStringLiteral("-12,50")}}},
        {"amount of 4 decimals normalised when left",
         [](QWidget* c) {
           drive::type(c, QStringLiteral("txtCosto"), QStringLiteral("1,23456"));
           drive::find(c, QStringLiteral("txtNote"))->setFocus();
         },
         {{"Costo", QByteArray("\x06" "1,2346")}}},
        {"amount left empty saved as zero",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtCosto"), QString()); },
         {{"Costo", QByteArray("\x04" "0,00")}}},
        {"amount typed and never left normalised by the save",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtCosto"), QStringLiteral("0075,5")); },
         {{"Costo", QByteArray("\x05" "75,50")}}},
        {"file slot", [](QWidget* c) { drive::find<QLineEdit>(c, QStringLiteral("txtCopia"))->setText(QStringLiteral("copia è.pdf")); },
         {{"Copia", QByteArray("\x0b" "copia \xE8.pdf")}}, {{"txtCopia", QStringLiteral("copia è.pdf")}}},
        {"check box", [](QWidget* c) { drive::click(c, QStringLiteral("chkSaldato")); },
         {{"Saldato", QByteArray("\x02S\xEC")}}, {{"chkSaldato", QStringLiteral("Sì")}}},
        {"visible label", [](QWidget* c) { drive::find<QLabel>(c, QStringLiteral("lblAnno"))->setText(QStringLiteral(" 2026 ")); },
         {{"Anno", QByteArray("\x04" "2026")}}, {{"lblAnno", QStringLiteral("2026")}}},
        {"hidden attachment label",
         [](QWidget* c) { drive::find<QLabel>(c, QStringLiteral("lblDesc02"))->setText(QStringLiteral("pianta")); },
         {{"Desc02", QByteArray("\x06pianta")}}, {{"lblDesc02", QStringLiteral("pianta")}}},
    };
    for (const Row& row : rows) saveAndReload(card, row, required);
  }

  void charFieldsSaveTheirBytes() {
    CardEditor card(charCard());
    QVERIFY(drive::show(&card));
    drive::find<QLabel>(&card, QStringLiteral("lblFile"))->setText(folder().path(QStringLiteral("2026.prv")));
    auto required = [&] {
      card.form()->set("Nome", QStringLiteral("P"));
      card.form()->set("Membri", QStringLiteral("M"));
    };
    const QString longText(45, QLatin1Char('a'));
    const Row rows[] = {
        {"char edit stored as typed, blanks included",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtNome"), QStringLiteral("  Opera è  ")); },
         {{"Nome", QByteArray("  Opera \xE8  \0", 12)}}, {{"txtNome", QStringLiteral("  Opera è  ")}}},
        {"memo keeps CR LF",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtFasi"), QStringLiteral("riga 1\nriga 2")); },
         {{"Fasi", QByteArray("riga 1\r\nriga 2\0", 15)}}, {{"txtFasi", QStringLiteral("riga 1\nriga 2")}}},
        {"memo of any length cut to its field",
         [&longText](QWidget* c) { drive::find<QPlainTextEdit>(c, QStringLiteral("txtFasi"))->setPlainText(longText); },
         {{"Fasi", QByteArray(40, 'a') + QByteArray(1, '\0')}}},
        {"flag of char[2]", [](QWidget* c) { drive::click(c, QStringLiteral("chkTerminato")); },
         {{"Terminato", QByteArray("S\xEC\0", 3)}}, {{"chkTerminato", QStringLiteral("Sì")}}},
        {"new card defaults", [](QWidget*) {},
         {{"Terminato", QByteArray("No\0", 3)}, {"Costi", QByteArray("0,00\0", 5)}, {"TotMembri", QByteArray("0\0", 2)}}},
        {"amount typed and never left normalised by the save",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtCosti"), QStringLiteral("12")); },
         {{"Costi", QByteArray("12,00\0", 6)}}},
        {"amount left empty kept empty where the card allows it",
         [](QWidget* c) { drive::type(c, QStringLiteral("txtCosti"), QString()); },
         {{"Costi", QByteArray("\0", 1)}}},
        {"amount of 4 decimals taking fewer characters than its field",
         [](QWidget* c) {
           auto* costi = drive::find<QLineEdit>(c, QStringLiteral("txtCosti"));
           QCOMPARE(costi->maxLength(), 10);
           drive::type(c, QStringLiteral("txtCosti"), QStringLiteral("123,45678"));
           drive::find(c, QStringLiteral("txtNome"))->setFocus();
         },
         {{"Costi", QByteArray("123,4568\0", 9)}}},
        {"calendar date", [this](QWidget* c) { setDate(c, "txtDataInizio", QDate(2026, 3, 5)); },
         {{"DataInizio", QByteArray("05/03/2026\0", 11)}}},
        {"hidden label", [](QWidget* c) { drive::find<QLabel>(c, QStringLiteral("lblFile03"))->setText(QStringLiteral("f.pdf")); },
         {{"File03", QByteArray("f.pdf\0", 6)}}},
    };
    for (const Row& row : rows) saveAndReload(card, row, required);
  }

  // A record loaded and saved again unchanged is written back byte for byte.
  void loadedRecordsSaveBackByteExact_data() {
    QTest::addColumn<bool>("chars");
    QTest::newRow("str[N]") << false;
    QTest::newRow("char[N]") << true;
  }
  void loadedRecordsSaveBackByteExact() {
    QFETCH(bool, chars);
    const CardDescription& d = chars ? charCard() : strCard();
    const RecordLayout& l = *d.archive.layout;
    Record r(l);
    if (chars) {
      for (const char* f : {"Nome", "Codice", "TotMembri", "Costi"}) r.set(f, QStringLiteral("1"));
      r.set("DataInizio", QStringLiteral("05/03/2026"));
      r.set("Nome", QStringLiteral(" Ponte è "));
      r.set("Fasi", QStringLiteral("uno\r\ndue\r\n\r\ntre"));
      r.set("Membri", QStringLiteral("Anna\r\nLuca"));
      r.set("Terminato", fieldtext::yes());
      r.set("Costi", QStringLiteral("1,2346"));
      for (const char* f : {"File01", "File02", "File03", "Desc01", "Desc02", "Desc03"}) r.set(f, QLatin1String(f));
    } else {
      const std::pair<const char*, QString> values[] = {
          {"Entrata", QStringLiteral("No")},       {"Uscita", QStringLiteral("Sì")},
          {"Tipo", QStringLiteral("In uscita")},    {"Giorno", QStringLiteral("07")},
          {"Mese", QStringLiteral("Marzo")},        {"Data", QStringLiteral("07/03/2026")},
          {"Importo", QStringLiteral("80,00")},     {"Costo", QStringLiteral("0,125")},
          {"Copia", QStringLiteral("scansione à.pdf")}, {"Nome", QStringLiteral("ROSSI")},
          {"Codice", QStringLiteral("AB12")},       {"Numero", QStringLiteral("15")},
          {"Note", QStringLiteral("nota €")},       {"Saldato", QStringLiteral("Sì")},
          {"Anno", QStringLiteral("2026")},         {"Totale", QStringLiteral("-80,00")},
          {"File01", QStringLiteral("a.pdf")},      {"Desc03", QStringLiteral("descrizione")}};
      for (const auto& [f, v] : values) r.set(f, v);
    }
    const QByteArray original = encode(r);
    CardEditor card(d);
    QVERIFY(drive::show(&card));
    if (auto* file = card.findChild<QLabel*>(QStringLiteral("lblFile"))) file->setText(folder().path(QStringLiteral("2026.prv")));
    seed::append(card.archivePath(), l, {original});
    card.naviga(NavCommand::First);
    card.salva();
    QCOMPARE(messages().lastText(), cardtext::savedChanges());
    QFile f(card.archivePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().toHex(), original.toHex());
  }

  // Options and check boxes take "Sì" and "No" only; anything else leaves
  // them. Options bound to a text check the option of that text, none for
  // another text.
  void loadingFlagsAndOptions() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    Record r(TRecProva());
    r.set("Entrata", QStringLiteral("No"));
    r.set("Uscita", QStringLiteral("Sì"));
    r.set("Saldato", QStringLiteral("Sì"));
    r.set("Tipo", QStringLiteral("In entrata"));
    card.loadRecord(r, 1);
    QVERIFY(drive::find<QRadioButton>(&card, QStringLiteral("optUscita"))->isChecked());
    QVERIFY(!drive::find<QRadioButton>(&card, QStringLiteral("optEntrata"))->isChecked());
    QVERIFY(drive::find<QRadioButton>(&card, QStringLiteral("optArrivo"))->isChecked());
    r.set("Entrata", QStringLiteral("si"));
    r.set("Uscita", QString());
    r.set("Saldato", QStringLiteral("X"));
    r.set("Tipo", QStringLiteral("in entrata"));
    card.loadRecord(r, 2);
    QVERIFY(drive::find<QRadioButton>(&card, QStringLiteral("optUscita"))->isChecked());
    QVERIFY(drive::find<QCheckBox>(&card, QStringLiteral("chkSaldato"))->isChecked());
    for (const char* o : {"optArrivo", "optPartenza", "optInterna"})
      QVERIFY(!drive::find<QRadioButton>(&card, QLatin1String(o))->isChecked());
    QCOMPARE(card.recordFromScreen()["Tipo"], QString());
  }

  void pickListTakesOnlyItsItems() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    auto* mese = drive::find<QComboBox>(&card, QStringLiteral("txtMese"));
    mese->setCurrentIndex(1);
    drive::type(&card, QStringLiteral("txtMese"), QStringLiteral("Maggio")); // typing is blocked...
    QCOMPARE(mese->currentText(), QString());                             // ...and Delete empties
    mese->setCurrentIndex(1);
    QTest::keyClick(mese, Qt::Key_M);
    QCOMPARE(mese->currentText(), QStringLiteral("Febbraio"));
    QTest::keyClick(mese, Qt::Key_Left);
    QTest::keyClick(mese, Qt::Key_Backspace);
    QCOMPARE(mese->currentText(), QString());
    // a loaded text that is not an item is emptied when the field is left
    card.form()->set("Mese", QStringLiteral("marzo"));
    mese->setFocus();
    drive::find(&card, QStringLiteral("txtNote"))->setFocus();
    QCOMPARE(mese->currentText(), QString());
    card.form()->set("Mese", QStringLiteral("Marzo"));
    mese->setFocus();
    drive::find(&card, QStringLiteral("txtNote"))->setFocus();
    QCOMPARE(mese->currentText(), QStringLiteral("Marzo"));
  }

  // A date is typed, and picked from the calendar only when asked: its
  // picture `cal` + stem or Alt+Down, on the day the field holds; the clear
  // picture empties it.
  void typedDateWithItsCalendarAndClearPictures() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    auto* data = drive::find<QLineEdit>(&card, QStringLiteral("txtData"));
    QVERIFY(!data->isReadOnly());
    QCOMPARE(data->maxLength(), 10);
    card.form()->set("Data", QStringLiteral("01/01/2020"));
    QString tag;
    QDate shown;
    auto look = [&](QWidget* m) {
      tag = static_cast<TfrmCalendario*>(m)->callerTag();
      shown = static_cast<TfrmCalendario*>(m)->selectedDate();
    };
    QCOMPARE(drive::withModal([&] { drive::click(&card, QStringLiteral("calData")); }, look),
             QStringLiteral("TfrmCalendario"));
    QCOMPARE(tag, QStringLiteral("prova_data"));
    QCOMPARE(shown, QDate(2020, 1, 1));
    QCOMPARE(data->text(), QStringLiteral("01/01/2020")); // cancelled
    QCOMPARE(drive::focused(), QStringLiteral("txtData"));
    QCOMPARE(drive::withModal([&] { drive::press(Qt::Key_Down, Qt::AltModifier); }, look),
             QStringLiteral("TfrmCalendario"));
    // Enter, Ctrl+A and Delete are an edit's own keys
    QCOMPARE(drive::withModal([&] { drive::key(&card, QStringLiteral("txtData"), Qt::Key_Return); }), QString());
    QCOMPARE(data->text(), QStringLiteral("01/01/2020"));
    drive::press(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(drive::withModal([&] { drive::press(Qt::Key_Delete); }), QString());
    QCOMPARE(data->text(), QString());
    data->setText(QStringLiteral("01/01/2020"));
    drive::click(&card, QStringLiteral("impData"));
    QCOMPARE(data->text(), QString());

    QEvent enter(QEvent::Enter);
    const std::pair<const char*, const char*> hints[] = {
        {"txtData", "Scrivi la data nel formato gg/mm/aaaa oppure premi Alt+Gi\u00F9 per sceglierla dal calendario."},
        {"calData", "Scegli la data dal calendario."},
        {"impData", "Cancella la data."}};
    for (const auto& [control, hint] : hints) {
      QApplication::sendEvent(drive::find(&card, QLatin1String(control)), &enter);
      QCOMPARE(drive::text(&card, QStringLiteral("panInfo")), QString::fromUtf8(hint));
    }
  }

  // An amount is a spreadsheet cell: entered by Enter, Tab or a click its
  // value is selected and what is typed replaces it; the usual editing keys
  // work; a paste brings in only digits and commas.
  void amountsAreTypedOverAndEditedAsAnyEdit() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    auto* importo = drive::find<QLineEdit>(&card, QStringLiteral("txtImporto"));
    auto* costo = drive::find<QLineEdit>(&card, QStringLiteral("txtCosto"));
    card.form()->set("Importo", QStringLiteral("0,00"));
    card.form()->set("Costo", QStringLiteral("75,00"));
    // Enter from the notes into the amount, then the keys, then Enter on
    drive::key(&card, QStringLiteral("txtNote"), Qt::Key_Return);
    QCOMPARE(drive::focused(), QStringLiteral("txtImporto"));
    drive::keys(QStringLiteral("1500\n"));
    QCOMPARE(importo->text(), QStringLiteral("1500,00"));
    QCOMPARE(drive::focused(), QStringLiteral("txtCosto"));
    drive::keys(QStringLiteral("12"));
    QCOMPARE(costo->text(), QStringLiteral("12"));
    // Backtab back, and a click
    drive::press(Qt::Key_Backtab);
    QCOMPARE(importo->selectedText(), QStringLiteral("1500,00"));
    QCOMPARE(costo->text(), QStringLiteral("12,00"));
    drive::find(&card, QStringLiteral("txtNome"))->setFocus(Qt::OtherFocusReason);
    drive::clickField(&card, QStringLiteral("txtImporto"));
    QCOMPARE(drive::focused(), QStringLiteral("txtImporto"));
    QCOMPARE(importo->selectedText(), QStringLiteral("1500,00"));
    drive::keys(QStringLiteral("3"));
    QCOMPARE(importo->text(), QStringLiteral("3"));

    // the editing keys: Home, End, Shift+Home, Shift+arrows, Ctrl+A, copy, cut, paste, undo
    importo->setText(QStringLiteral("1234,50"));
    drive::press(Qt::Key_Home);
    drive::keys(QStringLiteral("9"));
    QCOMPARE(importo->text(), QStringLiteral("91234,50"));
    drive::press(Qt::Key_End);
    drive::press(Qt::Key_Left, Qt::ShiftModifier);
    drive::press(Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(importo->selectedText(), QStringLiteral("50"));
    drive::press(Qt::Key_Left);
    drive::press(Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(importo->selectedText(), QStringLiteral("91234"));
    drive::press(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(importo->selectedText(), QStringLiteral("91234,50"));
    drive::press(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("91234,50"));
    drive::press(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(importo->text(), QString());
    drive::press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(importo->text(), QStringLiteral("91234,50"));
    QGuiApplication::clipboard()->setText(QStringLiteral(" € 1.250,5 euro"));
    drive::press(Qt::Key_A, Qt::ControlModifier);
    drive::press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(importo->text(), QStringLiteral("1250,5"));
    drive::press(Qt::Key_Tab);
    QCOMPARE(importo->text(), QStringLiteral("1250,50"));
  }

  // The focus going to another window (a message box) is no leaving: the
  // amount stays as typed until the user moves on to another field.
  void amountsAreNormalisedOnlyWhenLeftForAField() {
    CardEditor card(charCard());
    QVERIFY(drive::show(&card));
    drive::click(&card, QStringLiteral("btnCosti_A"));
    drive::type(&card, QStringLiteral("txtCosti"), QStringLiteral("7"));
    QWidget elsewhere;
    QVERIFY(drive::show(&elsewhere));
    QCOMPARE(drive::text(&card, QStringLiteral("txtCosti")), QStringLiteral("7"));
    QVERIFY(drive::show(&card));
    QCOMPARE(drive::focused(), QStringLiteral("txtCosti"));
    QCOMPARE(drive::text(&card, QStringLiteral("txtCosti")), QStringLiteral("7"));
    drive::press(Qt::Key_Tab);
    QCOMPARE(drive::text(&card, QStringLiteral("txtCosti")), QStringLiteral("7,00"));
  }

  void amountsTakeDigitsAndTheCommaAndNormaliseWhenLeft() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    const struct {
      const char* control;
      const char* typed;
      const char* shown;
    } cases[] = {
        {"txtImporto", "1.234,5a", "1234,50"}, // only digits and commas reach it
        {"txtImporto", "12,345", "12,35"},     // rounded half up on the typed digits
        {"txtImporto", "0,125", "0,13"},
        {"txtImporto", "1,2,3", "0,00"},
        {"txtImporto", "", "0,00"},
        {"txtCosto", "12", "12,00"},
        {"txtCosto", "0,12346", "0,1235"},
        {"txtCosto", ",5", "0,50"},
    };
    for (const auto& c : cases) {
      drive::type(&card, QLatin1String(c.control), QLatin1String(c.typed));
      drive::find(&card, QStringLiteral("txtNote"))->setFocus();
      QCOMPARE(drive::text(&card, QLatin1String(c.control)), QLatin1String(c.shown));
    }
    QCOMPARE(drive::find<QLineEdit>(&card, QStringLiteral("txtImporto"))->maxLength(), 15);
    QCOMPARE(drive::find<QLineEdit>(&card, QStringLiteral("txtCosto"))->maxLength(), 10);
  }

  // An amount with a limit of digits before the comma is kept as typed, not
  // normalised, when it would not fit; leaving it for another field warns.
  void amountsBeyondTheirDigitsAreKeptAndWarned() {
    RecordingMessages messages;
    CardDescription d = strCard();
    CardItem& importo = d.form.sections[0].rows[3][0];
    importo = importo.atMost(3, QStringLiteral("Importo troppo grande.")).followedBy("euro al massimo");
    CardEditor card(d);
    QVERIFY(drive::show(&card));
    const struct {
      const char* typed;
      const char* shown;
      bool warned;
    } cases[] = {{"999,994", "999,99", false}, {"999,995", "999,995", true}, {"1234", "1234", true}, {"", "0,00", false}};
    for (const auto& c : cases) {
      messages.clear();
      drive::type(&card, QStringLiteral("txtImporto"), QLatin1String(c.typed));
      QTest::keyClick(drive::find(&card, QStringLiteral("txtImporto")), Qt::Key_Tab);
      QCOMPARE(drive::text(&card, QStringLiteral("txtImporto")), QLatin1String(c.shown));
      QCOMPARE(messages.shown.size(), size_t(c.warned ? 1 : 0));
      if (c.warned) QCOMPARE(messages.last().kind, MessageKind::Warning);
    }
    // a save keeps it too, for the card's rules to refuse
    drive::type(&card, QStringLiteral("txtImporto"), QStringLiteral("1234"));
    card.form()->prepareSave();
    QCOMPARE(drive::text(&card, QStringLiteral("txtImporto")), QStringLiteral("1234"));
    bool shown = false;
    for (QLabel* l : card.findChildren<QLabel*>()) shown |= l->text() == QStringLiteral("euro al massimo");
    QVERIFY(shown);
  }

  void fileSlotCopiesOpensAndClears() {
    RecordingShell shell;
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    auto* copia = drive::find<QLineEdit>(&card, QStringLiteral("txtCopia"));
    auto* apri = drive::find(&card, QStringLiteral("btnApri"));
    QVERIFY(copia->isReadOnly());
    QVERIFY(!apri->isEnabled());
    QTemporaryDir source;
    const QString picked = source.filePath(QStringLiteral("pianta è.pdf"));
    {
      QFile f(picked);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("PDF");
    }
    attachscreen::setFilePicker([picked](QWidget*) { return picked; });
    drive::click(&card, QStringLiteral("btnSfoglia"));
    attachscreen::setFilePicker({});
    QCOMPARE(copia->text(), QStringLiteral("pianta è.pdf"));
    QVERIFY(QFile::exists(attachments::folder() + QStringLiteral("pianta è.pdf")));
    QVERIFY(apri->isEnabled());
    drive::click(&card, QStringLiteral("btnApri"));
    QCOMPARE(shell.opened.size(), size_t(1));
    QVERIFY(shell.opened.back().endsWith(QStringLiteral("pianta è.pdf")));
    drive::click(&card, QStringLiteral("btnCancella"));
    QCOMPARE(copia->text(), QString());
    QVERIFY(!apri->isEnabled());
    QVERIFY(QFile::exists(attachments::folder() + QStringLiteral("pianta è.pdf"))); // never deleted
    copia->setText(QStringLiteral("   "));
    QVERIFY(!apri->isEnabled());
  }

  void tabbedSectionsOpenOneAtATime() {
    CardEditor card(charCard());
    QVERIFY(drive::show(&card));
    auto visible = [&](const char* name) { return drive::find(&card, QLatin1String(name))->isVisible(); };
    QVERIFY(visible("panDescrizione") && !visible("panPartecipanti") && !visible("panCosti"));
    QVERIFY(visible("btnDescrizione_B") && !visible("btnDescrizione_A"));
    QVERIFY(visible("btnPartecipanti_A") && !visible("btnPartecipanti_B"));
    QVERIFY(visible("txtNome")); // above the sections
    drive::click(&card, QStringLiteral("btnCosti_A"));
    QVERIFY(visible("panCosti") && !visible("panDescrizione"));
    QVERIFY(visible("btnCosti_B") && !visible("btnCosti_A") && visible("btnDescrizione_A"));
    QCOMPARE(drive::focused(), QStringLiteral("txtCosti"));
    QVERIFY(visible("txtNome"));
    // Nuovo comes back to the first section with the focus on the name
    card.nuovo();
    QVERIFY(visible("panDescrizione") && !visible("panCosti"));
    QCOMPARE(drive::focused(), QStringLiteral("txtNome"));
    // memos: Enter starts a line, Tab leaves
    drive::type(&card, QStringLiteral("txtFasi"), QStringLiteral("a\nb"));
    QCOMPARE(drive::text(&card, QStringLiteral("txtFasi")), QStringLiteral("a\nb"));
    QTest::keyClick(drive::find(&card, QStringLiteral("txtFasi")), Qt::Key_Tab);
    QVERIFY(drive::focused() != QStringLiteral("txtFasi"));
  }

  // The coloured focus: light blue with a sky-blue border, yellow while
  // the field has the focus; the file name has neither.
  void colouredFocus() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    QVERIFY(QTest::qWaitForWindowExposed(&card));
    auto inside = [&](const char* name) {
      QWidget* w = drive::find(&card, QLatin1String(name));
      return w->grab().toImage().pixelColor(w->width() - 4, w->height() / 2);
    };
    drive::find(&card, QStringLiteral("txtNote"))->setFocus();
    QApplication::processEvents();
    QCOMPARE(inside("txtNome"), QColor(0xF0, 0xF8, 0xFF));
    QCOMPARE(inside("txtNote"), QColor(0xFF, 0xFF, 0x00));
    QWidget* nome = drive::find(&card, QStringLiteral("txtNome"));
    QCOMPARE(nome->grab().toImage().pixelColor(0, nome->height() / 2), QColor(0x87, 0xCE, 0xEB));
    QVERIFY(inside("txtCopia") != QColor(0xF0, 0xF8, 0xFF));
    QVERIFY(!card.findChild<QWidget*>(QStringLiteral("effNome"))); // no frames on a coloured card
  }

  void enterChains() {
    CardEditor card(strCard());
    QVERIFY(drive::show(&card));
    auto enterIn = [&](const char* name) { drive::key(&card, QLatin1String(name), Qt::Key_Return); };
    enterIn("txtGiorno"); // a pick list passes Enter on to its chain
    QCOMPARE(drive::focused(), QStringLiteral("txtMese"));
    enterIn("txtNome");
    QCOMPARE(drive::focused(), QStringLiteral("txtCodice"));
    enterIn("txtNumero");
    QCOMPARE(drive::focused(), QStringLiteral("txtData"));
    // Enter in a date moves on as in any field: at the end of an open chain it stays
    QCOMPARE(drive::withModal([&] { enterIn("txtData"); }), QString());
    QCOMPARE(drive::focused(), QStringLiteral("txtData"));
    // a cyclic chain leads from the last field back to the first
    enterIn("txtCosto");
    QCOMPARE(drive::focused(), QStringLiteral("txtNote"));
  }
};

QTEST_MAIN(CardKindsTest)
#include "test_cardkinds.moc"
