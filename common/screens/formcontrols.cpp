#include "formcontrols.h"

#include "attachscreen.h"
#include "calendarscreen.h"
#include "storabletext.h"
#include "screenkit.h"

#include "archive/record.h"
#include "common/dates.h"
#include "common/amounts.h"
#include "common/services.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace formkinds {

namespace {

QString str(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

int fieldIndex(const Build& b, std::string_view field) { return b.layout.require(field); }
int widthOf(const Build& b) { return b.layout.field(fieldIndex(b, b.item.field)).width; }
int maxLengthOf(const Build& b) { return b.item.maxLength > 0 ? b.item.maxLength : widthOf(b); }

// ---- the controls ----

// One field shown by a widget that holds text: edit, combo, label.
class TextControl : public FormControl {
public:
  TextControl(QWidget* widget, int field, bool focusable = true) : w_(widget), field_(field), focusable_(focusable) {}
  std::vector<int> fields() const override { return {field_}; }
  QWidget* focusTarget() const override { return focusable_ ? w_ : nullptr; }
  QString value(int) const override { return screenkit::textOf(w_); }
  void setValue(int, const QString& text) override { screenkit::setTextOf(w_, text); }
  void clear() override {
    if (auto* c = qobject_cast<QComboBox*>(w_)) {
      c->setCurrentIndex(-1);
      c->clearEditText();
    } else {
      screenkit::setTextOf(w_, QString());
    }
  }

protected:
  QWidget* w_;
  int field_;
  bool focusable_;
};

// A typed date: a save stores a date typed as ddmmyyyy or d/m/yyyy and never
// left as dd/mm/yyyy; one that names no day stays as typed, for the card's
// rules to refuse.
class DateControl : public TextControl {
public:
  using TextControl::TextControl;
  void beforeSave() override {
    auto* e = static_cast<QLineEdit*>(w_);
    const QString stored = dates::normaliseTyped(e->text());
    if (stored != e->text()) e->setText(stored);
  }
};

// Whether a typed amount fits the digits the item allows before the comma.
bool amountFits(const QString& typed, const CardItem& item) {
  return item.integerDigits <= 0 || money::fits(typed, item.decimals, item.integerDigits);
}

// An amount: a save normalises what was typed and never left, as leaving
// would; an empty amount becomes "0,00" or stays empty as the item says.
// An amount too large for the item stays as typed, for the card's rules to
// refuse.
class AmountControl : public TextControl {
public:
  AmountControl(QLineEdit* edit, int field, const CardItem& item) : TextControl(edit, field), item_(item) {}
  void beforeSave() override {
    auto* e = static_cast<QLineEdit*>(w_);
    QString stored = e->text();
    if (fieldtext::trimmed(stored).isEmpty()) {
      if (item_.amountSave == AmountSave::EmptyIsZero) stored = QStringLiteral("0,00");
    } else if (amountFits(stored, item_)) {
      stored = money::normalise(stored, item_.decimals);
    }
    if (stored != e->text()) e->setText(stored);
  }

private:
  CardItem item_;
};

// Leaving an amount for another field normalises it; one too large is kept
// as typed and the item's warning is shown. The focus going to another
// window (a message box) or a menu leaves the amount as it stands.
class AmountLeave : public QObject {
public:
  AmountLeave(QLineEdit* edit, const CardItem& item)
      : QObject(edit), edit_(edit), item_(item), kind_(edit->metaObject()) {
    edit->installEventFilter(this);
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o->metaObject() != kind_ || !screenkit::leftForAnotherField(e)) return false;
    if (amountFits(edit_->text(), item_)) {
      const QString normalised = money::normalise(edit_->text(), item_.decimals);
      if (normalised != edit_->text()) edit_->setText(normalised);
    } else if (!item_.tooLarge.isEmpty()) {
      services::warning(item_.tooLarge);
    }
    return false;
  }

private:
  QLineEdit* edit_;
  CardItem item_;
  const QMetaObject* kind_;
};

// Several lines kept with CR LF line breaks, as the archive stores them.
class MemoControl : public FormControl {
public:
  MemoControl(QPlainTextEdit* memo, int field) : memo_(memo), field_(field) {}
  std::vector<int> fields() const override { return {field_}; }
  QWidget* focusTarget() const override { return memo_; }
  QString value(int) const override {
    QString t = memo_->toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
  }
  void setValue(int, const QString& text) override {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo_->setPlainText(t);
  }
  void clear() override { memo_->clear(); }
  bool ownsEnter() const override { return true; }

private:
  QPlainTextEdit* memo_;
  int field_;
};

// A yes/no flag: "Sì" ticks the box, "No" clears it, anything else leaves it.
class CheckControl : public FormControl {
public:
  CheckControl(QCheckBox* box, int field) : box_(box), field_(field) {}
  std::vector<int> fields() const override { return {field_}; }
  QWidget* focusTarget() const override { return box_; }
  QString value(int) const override { return box_->isChecked() ? fieldtext::yes() : fieldtext::no(); }
  void setValue(int, const QString& text) override { screenkit::setTextOf(box_, text); }
  void clear() override { box_->setChecked(false); }

private:
  QCheckBox* box_;
  int field_;
};

// Sets an option button exactly, also unchecking the checked one of its
// group (which an exclusive group would refuse).
void setExactly(QRadioButton* b, bool on) {
  b->setAutoExclusive(false);
  b->setChecked(on);
  b->setAutoExclusive(true);
}

// Option buttons, each bound to a yes/no flag of its own.
class FlagOptionsControl : public FormControl {
public:
  void add(QRadioButton* b, int field) { buttons_.push_back({b, field}); }
  std::vector<int> fields() const override {
    std::vector<int> f;
    for (const auto& [b, field] : buttons_) f.push_back(field);
    return f;
  }
  QWidget* focusTarget() const override { return buttons_.empty() ? nullptr : buttons_.front().first; }
  QString value(int field) const override {
    for (const auto& [b, f] : buttons_)
      if (f == field) return b->isChecked() ? fieldtext::yes() : fieldtext::no();
    return QString();
  }
  void setValue(int field, const QString& text) override {
    const QString t = fieldtext::trimmed(text);
    if (t != fieldtext::yes() && t != fieldtext::no()) return;
    for (const auto& [b, f] : buttons_)
      if (f == field) setExactly(b, t == fieldtext::yes());
  }
  void clear() override {
    for (const auto& [b, f] : buttons_) setExactly(b, false);
  }

private:
  std::vector<std::pair<QRadioButton*, int>> buttons_;
};

// Option buttons bound together to one text field, a value per button.
class TextOptionsControl : public FormControl {
public:
  explicit TextOptionsControl(int field) : field_(field) {}
  void add(QRadioButton* b, const QString& value) { buttons_.push_back({b, value}); }
  std::vector<int> fields() const override { return {field_}; }
  QWidget* focusTarget() const override { return buttons_.empty() ? nullptr : buttons_.front().first; }
  QString value(int) const override {
    for (const auto& [b, v] : buttons_)
      if (b->isChecked()) return v;
    return QString();
  }
  void setValue(int, const QString& text) override {
    const QString t = fieldtext::trimmed(text);
    for (const auto& [b, v] : buttons_) setExactly(b, v == t);
  }
  void clear() override {
    for (const auto& [b, v] : buttons_) setExactly(b, false);
  }

private:
  int field_;
  std::vector<std::pair<QRadioButton*, QString>> buttons_;
};

// ---- helpers of the factories ----

void applyInput(QLineEdit* edit, Input input) {
  switch (input) {
  case Input::Free: break;
  case Input::Digits: screenkit::digitsOnly(edit); break;
  case Input::DigitsComma: screenkit::digitsOnly(edit, QStringLiteral(",")); break;
  case Input::Upper: screenkit::keepUpper(edit, false); break;
  case Input::Trimmed: screenkit::keepTrimmed(edit); break;
  case Input::UpperTrimmed: screenkit::keepUpper(edit, true); break;
  }
  // after the rules above, so it sees the text they leave
  storabletext::keepStorable(edit);
}

void applyInput(QComboBox* combo, Input input) {
  if (input == Input::Upper || input == Input::UpperTrimmed) screenkit::keepUpper(combo, input == Input::UpperTrimmed);
  if (QLineEdit* edit = combo->lineEdit()) storabletext::keepStorable(edit);
}

// A row widget holding a control and what stands beside it.
QWidget* row(QWidget* parent) {
  auto* r = new QWidget(parent);
  auto* h = new QHBoxLayout(r);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(4);
  return r;
}

QComboBox* makeCombo(const Build& b, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(controlName(b.item));
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(b.item.items);
  combo->setCurrentIndex(-1);
  const int length = maxLengthOf(b);
  combo->lineEdit()->setMaxLength(length);
  combo->setMaxVisibleItems(16);
  combo->setMinimumContentsLength(qMin(length, 6));
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return combo;
}

// A value of fixed form (digits, capitals, a date, an amount): the edit
// shows all of it.
bool isCoded(const CardItem& item) {
  if (item.kind == ControlKind::Date || item.kind == ControlKind::Amount) return true;
  switch (item.input) {
  case Input::Digits:
  case Input::DigitsComma:
  case Input::Upper:
  case Input::UpperTrimmed: return true;
  default: return false;
  }
}

// An edit never narrower than its content: a coded value whole (a tax code,
// an IBAN, a date), free text its first ten characters.
void keepContentVisible(QLineEdit* edit, const Build& b) {
  const bool coded = isCoded(b.item);
  const bool digits = b.item.kind == ControlKind::Date || b.item.kind == ControlKind::Amount ||
                      b.item.input == Input::Digits || b.item.input == Input::DigitsComma;
  const QChar glyph = digits ? QLatin1Char('0') : coded ? QLatin1Char('D') : QLatin1Char('x');
  const int chars = qMax(coded ? maxLengthOf(b) : qMin(maxLengthOf(b), 10), 4);
  const QFontMetrics m = edit->fontMetrics();
  // what the edit's frame and margins add to its text (its size hint holds 17 "x")
  const int frame = edit->sizeHint().width() - m.horizontalAdvance(QString(17, QLatin1Char('x')));
  edit->setMinimumWidth(m.horizontalAdvance(QString(chars, glyph)) + qMax(frame, 8));
}

QLineEdit* makeEdit(const Build& b, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(controlName(b.item));
  edit->setMaxLength(maxLengthOf(b));
  keepContentVisible(edit, b);
  return edit;
}

bool isNarrow(const Build& b) { return maxLengthOf(b) <= 16 || isCoded(b.item); }

// The keys of a pick list (pickListKeys).
class PickListFilter : public QObject {
public:
  PickListFilter(QComboBox* combo, Qt::CaseSensitivity cs) : QObject(combo), combo_(combo), cs_(cs) {
    combo->installEventFilter(this);
    combo->lineEdit()->installEventFilter(this);
    combo->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::FocusOut) {
      const Qt::MatchFlags match = cs_ == Qt::CaseSensitive ? Qt::MatchExactly | Qt::MatchCaseSensitive
                                                            : Qt::MatchFixedString;
      if (!combo_->view()->isVisible() && combo_->findText(combo_->currentText(), match) < 0)
        clear();
      return false;
    }
    if (e->type() != QEvent::KeyPress) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    switch (k->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete: clear(); return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_F4: return false;
    case Qt::Key_Down:
    case Qt::Key_Up: return !(k->modifiers() & Qt::AltModifier);
    default: return true;
    }
  }

private:
  void clear() {
    combo_->setCurrentIndex(-1);
    combo_->clearEditText();
  }
  QComboBox* combo_;
  Qt::CaseSensitivity cs_;
};

} // namespace

void pickListKeys(QComboBox* combo, Qt::CaseSensitivity cs) { new PickListFilter(combo, cs); }

namespace {

// ---- the factories, one per kind ----

Built makeEditItem(const Build& b) {
  QLineEdit* edit = makeEdit(b, b.parent);
  applyInput(edit, b.item.input);
  return {std::make_unique<TextControl>(edit, fieldIndex(b, b.item.field)), edit, edit, true, {}, isNarrow(b)};
}

Built makeComboItem(const Build& b) {
  QComboBox* combo = makeCombo(b, b.parent);
  applyInput(combo, b.item.input);
  return {std::make_unique<TextControl>(combo, fieldIndex(b, b.item.field)), combo, combo, true, {}, isNarrow(b)};
}

Built makeMemoItem(const Build& b) {
  auto* memo = new QPlainTextEdit(b.parent);
  memo->setObjectName(controlName(b.item));
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  memo->setTabChangesFocus(true);
  storabletext::keepStorable(memo);
  const int lines = qMax(1, b.item.lines);
  memo->setFixedHeight(memo->fontMetrics().lineSpacing() * lines + 2 * memo->frameWidth() + 8);
  return {std::make_unique<MemoControl>(memo, fieldIndex(b, b.item.field)), memo, memo, true};
}

Built makeOptionsItem(const Build& b) {
  QWidget* cell = row(b.parent);
  std::unique_ptr<FormControl> control;
  FlagOptionsControl* flags = nullptr;
  TextOptionsControl* text = nullptr;
  if (b.item.field.empty()) control.reset(flags = new FlagOptionsControl);
  else control.reset(text = new TextOptionsControl(fieldIndex(b, b.item.field)));
  for (const CardOption& o : b.item.options) {
    auto* button = new QRadioButton(o.caption, cell);
    button->setObjectName(o.name);
    cell->layout()->addWidget(button);
    if (flags) flags->add(button, b.layout.require(o.flag));
    else text->add(button, o.valueText());
  }
  static_cast<QHBoxLayout*>(cell->layout())->addStretch(1);
  return {std::move(control), cell, nullptr, !b.item.caption.isEmpty()};
}

Built makePickListItem(const Build& b) {
  QComboBox* combo = makeCombo(b, b.parent);
  pickListKeys(combo);
  return {std::make_unique<TextControl>(combo, fieldIndex(b, b.item.field)), combo, combo, true, {}, true};
}

Built makeDateItem(const Build& b) {
  // a date with a caller tag is also picked from the calendar, through its
  // picture `cal` + stem beside the field or Alt+Down in it
  const bool picked = !b.item.callerTag.isEmpty();
  QWidget* cell = picked || !b.item.clearName.isEmpty() ? row(b.parent) : nullptr;
  QLineEdit* edit = makeEdit(b, cell ? cell : b.parent);
  calendar::makeDateField(edit, b.item.callerTag);
  Built built{std::make_unique<DateControl>(edit, fieldIndex(b, b.item.field)), edit, edit, true, {}, true};
  if (picked) built.hints.push_back({edit->objectName(), QString::fromUtf8(calendar::kDateHint)});
  if (cell) {
    cell->layout()->addWidget(edit);
    built.cell = cell;
  }
  if (picked) {
    const QString name = QStringLiteral("cal") + edit->objectName().mid(3);
    auto* pick = new screenkit::Picture(name, QString(), QStringLiteral("datario"), cell, 22);
    cell->layout()->addWidget(pick);
    calendar::makePickButton(pick, edit, b.item.callerTag);
    built.hints.push_back({name, QString::fromUtf8(calendar::kPickHint)});
  }
  if (!b.item.clearName.isEmpty()) {
    auto* clear = new screenkit::Picture(b.item.clearName, QString(), QStringLiteral("cancella"), cell, 22);
    cell->layout()->addWidget(clear);
    calendar::makeClearButton(clear, edit);
    built.hints.push_back({b.item.clearName, QString::fromUtf8(calendar::kClearHint)});
  }
  if (cell) static_cast<QHBoxLayout*>(cell->layout())->addStretch(1);
  return built;
}

Built makeAmountItem(const Build& b) {
  QLineEdit* edit = makeEdit(b, b.parent);
  screenkit::digitsOnly(edit, QStringLiteral(","));
  screenkit::selectOnEntry(edit);
  new AmountLeave(edit, b.item);
  return {std::make_unique<AmountControl>(edit, fieldIndex(b, b.item.field), b.item), edit, edit, true, {}, true};
}

Built makeFileSlotItem(const Build& b) {
  QWidget* cell = row(b.parent);
  QLineEdit* edit = makeEdit(b, cell);
  edit->setReadOnly(true);
  auto* browse = new QPushButton(QStringLiteral("Sfoglia..."), cell);
  browse->setObjectName(QStringLiteral("btnSfoglia"));
  auto* open = new QPushButton(QStringLiteral("Apri"), cell);
  open->setObjectName(QStringLiteral("btnApri"));
  for (QPushButton* p : {browse, open}) p->setAutoDefault(false);
  auto* clear = new screenkit::Picture(b.item.clearName, QString(), QStringLiteral("cancella"), cell, 22);
  cell->layout()->addWidget(edit);
  cell->layout()->addWidget(browse);
  cell->layout()->addWidget(open);
  cell->layout()->addWidget(clear);
  attachscreen::bindFileSlot(edit, browse, open, clear);
  return {std::make_unique<TextControl>(edit, fieldIndex(b, b.item.field)),
          cell,
          edit,
          true,
          {{QStringLiteral("btnSfoglia"), QStringLiteral("Seleziona il file da allegare alla scheda corrente.")},
           {QStringLiteral("btnApri"), QStringLiteral("Apri il file allegato alla scheda corrente.")},
           {b.item.clearName, QStringLiteral("Cancella il percorso del file allegato alla scheda corrente.")}}};
}

Built makeCheckItem(const Build& b) {
  auto* box = new QCheckBox(b.item.caption, b.parent);
  box->setObjectName(controlName(b.item));
  return {std::make_unique<CheckControl>(box, fieldIndex(b, b.item.field)), box, nullptr, false};
}

Built makeLabelItem(const Build& b) {
  auto* label = new QLabel(b.parent);
  label->setObjectName(controlName(b.item));
  QFont f = label->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.6);
  label->setFont(f);
  return {std::make_unique<TextControl>(label, fieldIndex(b, b.item.field), false), label, nullptr, true};
}

struct KindRow {
  ControlKind kind;
  Factory make;
};

const KindRow kFactories[] = {
    {ControlKind::Edit, makeEditItem},         {ControlKind::Combo, makeComboItem},
    {ControlKind::Memo, makeMemoItem},         {ControlKind::Options, makeOptionsItem},
    {ControlKind::PickList, makePickListItem}, {ControlKind::Date, makeDateItem},
    {ControlKind::Amount, makeAmountItem},     {ControlKind::FileSlot, makeFileSlotItem},
    {ControlKind::Check, makeCheckItem},       {ControlKind::Label, makeLabelItem},
};

} // namespace

Factory factory(ControlKind kind) {
  for (const KindRow& k : kFactories)
    if (k.kind == kind) return k.make;
  return nullptr;
}

QString controlName(const CardItem& item) {
  if (!item.name.isEmpty()) return item.name;
  switch (item.kind) {
  case ControlKind::Check: return QStringLiteral("chk") + str(item.field);
  case ControlKind::Label: return QStringLiteral("lbl") + str(item.field);
  case ControlKind::Options: return QString();
  default: return QStringLiteral("txt") + str(item.field);
  }
}

std::unique_ptr<FormControl> hiddenLabel(QWidget* parent, int field, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->hide();
  return std::make_unique<TextControl>(label, field, false);
}

} // namespace formkinds
