// The contract every card description meets, checked over every card the
// program registers in its table of applications, on the application's real
// screen (the deadline card on the deadline screen), and over the two test
// cards: a card that registers its description is covered.
#include "testcards.h"

#include "app/shell/screens/applications.h"
#include "common/screens/cardeditor.h"
#include "common/screens/screenkit.h"
#include "common/validation.h"
#include "support.h"
#include "tests/common/screens/cardpictures.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(const CardDescription*)
Q_DECLARE_METATYPE(const Application*)

namespace {

QString str(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// A field the user types into or picks: an edit that is not read-only, a
// combo, a memo.
bool editable(QWidget* w) {
  if (auto* e = qobject_cast<QLineEdit*>(w)) return !e->isReadOnly() && !qobject_cast<QComboBox*>(w->parentWidget());
  return qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

// The screen a card stands on: the application's own (the card, or the
// screen that holds its panel, made with what the tile opens), or a card
// editor of the description.
struct CardScreen {
  std::unique_ptr<QWidget> created, card;
  QWidget* host = nullptr;
  CardScreen(const CardDescription& d, const Application* app) : created(app ? app->create() : new CardEditor(d)) {
    host = created->objectName() == d.screen ? created.get() : screenkit::ScreenSet::find(d.screen);
    if (host != created.get()) {
      card.reset(host);
      screenkit::ScreenSet::remove(created.get());
    }
  }
};

// What is wrong with one card, one line per fault.
QStringList faults(const CardDescription& d, const Application* app = nullptr) {
  QStringList out;
  const RecordLayout& layout = *d.archive.layout;
  const CardScreen screen(d, app);
  const QWidget& card = *screen.host;
  const RecordForm* form = card.findChild<RecordForm*>();

  // names unique across the screen
  QSet<QString> names;
  for (QObject* o : card.findChildren<QObject*>()) {
    const QString n = o->objectName();
    if (n.isEmpty() || n.startsWith(QLatin1String("qt_")) || !o->isWidgetType()) continue;
    if (names.contains(n)) out << QStringLiteral("name used twice: ") + n;
    names.insert(n);
  }
  // every field bound to exactly one control or hidden label
  for (int i = 0; i < layout.fieldCount(); ++i)
    if (const int n = form->bindings(layout.field(i).name); n != 1)
      out << QStringLiteral("field %1 bound %2 times").arg(str(layout.field(i).name)).arg(n);

  auto exists = [&](const QString& name, const QString& where) {
    if (!card.findChild<QWidget*>(name)) out << where + QStringLiteral(" names a missing control: ") + name;
  };
  // Enter chains and tab order reach only existing controls, and every
  // editable field of the form when the card has them
  QSet<QString> chained, tabbed;
  for (const EnterChain& c : d.form.enterChains)
    for (const QString& n : c.fields) {
      exists(n, QStringLiteral("Enter chain"));
      chained.insert(n);
    }
  for (const QString& n : d.form.tabOrder) {
    exists(n, QStringLiteral("tab order"));
    tabbed.insert(n);
  }
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (!editable(w) || w->objectName().isEmpty()) continue;
    if (!d.form.enterChains.empty() && !chained.contains(w->objectName()))
      out << QStringLiteral("Enter chain misses ") + w->objectName();
    if (!d.form.tabOrder.empty() && !tabbed.contains(w->objectName()))
      out << QStringLiteral("tab order misses ") + w->objectName();
  }
  if (!d.form.firstFocus.isEmpty()) exists(d.form.firstFocus, QStringLiteral("first focus"));
  for (const CardSection& s : d.form.sections)
    if (!s.focus.isEmpty()) exists(s.focus, QStringLiteral("section ") + s.title);
  for (const HiddenField& h : d.form.hidden)
    if (layout.indexOf(h.field) < 0) out << QStringLiteral("hidden label of a missing field: ") + str(h.field);

  // rules name existing fields that can take the focus
  if (d.behaviour.rules)
    for (const validation::Rule& r : d.behaviour.rules->rules)
      if (layout.indexOf(r.field) < 0 || !form->control(r.field))
        out << QStringLiteral("rule on a field without a control: ") + str(r.field);
  // a typed date that names no day is refused at save
  for (const CardSection& s : d.form.sections)
    for (const auto& items : s.rows)
      for (const CardItem& item : items) {
        if (item.kind != ControlKind::Date) continue;
        Record r(layout);
        r.set(item.field, QStringLiteral("31/02/2026"));
        bool refused = false;
        if (d.behaviour.rules)
          for (const validation::Rule& rule : d.behaviour.rules->rules)
            refused |= rule.field == item.field && rule.test == validation::Rule::Test::Holds && rule.holds &&
                       !rule.holds(r);
        if (!refused) out << QStringLiteral("no rule refuses a day that does not exist in ") + str(item.field);
      }
  // values the card puts into fields name existing fields
  std::vector<FieldValue> values = d.behaviour.defaults;
  values.insert(values.end(), d.behaviour.newDefaults.begin(), d.behaviour.newDefaults.end());
  values.insert(values.end(), d.behaviour.duplicate.reset.begin(), d.behaviour.duplicate.reset.end());
  for (const FieldValue& v : values)
    if (layout.indexOf(v.field) < 0) out << QStringLiteral("value for a missing field: ") + str(v.field);
  for (std::string_view f : d.behaviour.keptOnClear)
    if (layout.indexOf(f) < 0) out << QStringLiteral("kept field missing: ") + str(f);

  // hints name existing controls; commands have their pictures
  for (const auto& [name, hint] : d.hints) exists(name, QStringLiteral("hint"));
  for (const QString& missing : missingPictures(d)) out << QStringLiteral("missing picture ") + missing;
  return out;
}

} // namespace

class CardContractTest : public QObject {
  Q_OBJECT

private slots:
  void everyCardMeetsTheContract_data() {
    QTest::addColumn<const CardDescription*>("card");
    QTest::addColumn<const Application*>("app");
    std::vector<std::pair<const CardDescription*, const Application*>> cards;
    for (const Application& app : applications())
      if (app.card) cards.push_back({&app.card(), app.create ? &app : nullptr});
    QVERIFY(cards.size() >= 2);
    cards.push_back({&strCard(), nullptr});
    cards.push_back({&charCard(), nullptr});
    QSet<QString> screens;
    for (const auto& [d, app] : cards) {
      QVERIFY2(!screens.contains(d->screen), qPrintable(d->screen));
      screens.insert(d->screen);
      QTest::newRow(qPrintable(d->screen)) << d << app;
    }
  }
  void everyCardMeetsTheContract() {
    TempProgramFolder folder;
    RecordingMessages messages;
    QFETCH(const CardDescription*, card);
    QFETCH(const Application*, app);
    const QStringList found = faults(*card, app);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("\n"))));
  }

  // The contract finds the faults it is there for.
  void theContractFindsFaults() {
    CardDescription d = strCard();
    d.form.sections.front().rows.front().push_back(card::edit("Nome", "Di nuovo:").named(QStringLiteral("txtNome2")));
    d.form.enterChains.front().fields.push_back(QStringLiteral("txtManca"));
    d.hints.push_back({QStringLiteral("cmdManca"), QStringLiteral("?")});
    d.behaviour.duplicate.reset.push_back({"Manca"});
    d.behaviour.rules = nullptr;
    const QStringList found = faults(d);
    QVERIFY2(found.contains(QStringLiteral("field Nome bound 2 times")), qPrintable(found.join(QLatin1Char('\n'))));
    QVERIFY(found.contains(QStringLiteral("Enter chain names a missing control: txtManca")));
    QVERIFY(found.contains(QStringLiteral("Enter chain misses txtNome2")));
    QVERIFY(found.contains(QStringLiteral("hint names a missing control: cmdManca")));
    QVERIFY(found.contains(QStringLiteral("value for a missing field: Manca")));
    QVERIFY(found.contains(QStringLiteral("no rule refuses a day that does not exist in Data")));
  }
};

QTEST_MAIN(CardContractTest)
#include "test_cardcontract.moc"
