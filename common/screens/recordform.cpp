#include "recordform.h"

#include "screenkit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

QString str(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// The focus style of the document card: light blue with a sky-blue border,
// yellow while the field has the focus.
QString colouredStyle(QWidget* field) {
  const QString type = QString::fromLatin1(field->metaObject()->className());
  return QStringLiteral("%1{background:#F0F8FF;border:1px solid #87CEEB;}%1:focus{background:#FFFF00;}").arg(type);
}

// A tab picture: the section's caption on a tab, raised when current.
QPixmap tabPixmap(const QString& caption, const QFont& font, bool current) {
  QFont f = font;
  f.setBold(current);
  const QFontMetrics m(f);
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  const QSize size(m.horizontalAdvance(caption) + 28, m.height() + 12);
  QPixmap pm(size * ratio);
  pm.setDevicePixelRatio(ratio);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath tab;
  tab.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() + 8), 6, 6);
  p.setClipRect(QRect(QPoint(0, 0), size));
  p.fillPath(tab, current ? QColor(0xF7, 0xF9, 0xFC) : QColor(0xDD, 0xE3, 0xEB));
  p.setPen(QColor(0xC3, 0xCE, 0xDB));
  p.drawPath(tab);
  p.setPen(current ? QColor(0x1F, 0x4F, 0x8F) : QColor(0x40, 0x40, 0x40));
  p.setFont(f);
  p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, caption);
  return pm;
}

// The frames of the sections: a light panel with a rounded border, the title
// in bold dark blue on the border line (the fields keep their own font).
const char* const kSheetStyle =
    "QGroupBox{background:#f7f9fc;border:1px solid #c3cedb;border-radius:6px;margin-top:9px;padding-top:4px;"
    "font-weight:bold;}"
    "QGroupBox::title{subcontrol-origin:margin;subcontrol-position:top left;left:12px;padding:0 4px;color:#1f4f8f;}"
    "QFrame[sezione=\"true\"]{background:#f7f9fc;border:1px solid #c3cedb;border-radius:0 6px 6px 6px;}";

} // namespace

RecordForm::RecordForm(const FormDescription& description, const RecordLayout& layout, QWidget* parent)
    : QWidget(parent), d_(description), layout_(&layout), byField_(size_t(layout.fieldCount()), nullptr) {
  setObjectName(QStringLiteral("panScheda"));
  setStyleSheet(QString::fromLatin1(kSheetStyle));
  backgrounds_.push_back(this);
  auto* sections = new QVBoxLayout(this);
  sections->setContentsMargins(0, 0, 6, 0);
  sections->setSpacing(6);

  std::vector<const CardSection*> tabbed;
  for (const CardSection& s : d_.sections)
    if (!s.tab.isEmpty()) tabbed.push_back(&s);
  bool tabsPlaced = false;
  for (const CardSection& s : d_.sections) {
    if (s.tab.isEmpty()) {
      sections->addWidget(makeFramed(s));
    } else if (!tabsPlaced) {
      sections->addWidget(makeTabs(tabbed), 1);
      tabsPlaced = true;
    }
  }
  if (!tabsPlaced) sections->addStretch(1);

  // Fields with no control on the screen travel in hidden labels.
  std::vector<int> bound(byField_.size(), 0);
  for (const auto& c : controls_)
    for (int f : c->fields()) ++bound[size_t(f)];
  for (int i = 0; i < layout.fieldCount(); ++i) {
    if (bound[size_t(i)]) continue;
    const std::string_view name = layout.field(i).name;
    QString label = QStringLiteral("lbl") + str(name);
    for (const HiddenField& h : d_.hidden)
      if (h.field == name) label = h.name;
    controls_.push_back(formkinds::hiddenLabel(this, i, label));
    byField_[size_t(i)] = controls_.back().get();
  }

  bindChains();
  bindTabOrder();
  if (!tabs_.empty()) openSection(0, false);
}

RecordForm::~RecordForm() {
  // The focus leaves while the focus frames still stand: a frame is lowered
  // behind its field and so would be destroyed before it.
  if (QWidget* f = focusWidget()) f->clearFocus();
}

QWidget* RecordForm::makeFramed(const CardSection& s) {
  auto* box = new QGroupBox(s.title);
  auto* h = new QHBoxLayout(box);
  h->setContentsMargins(8, 6, 8, 6);
  if (!s.icon.isEmpty()) {
    auto* picture = new QLabel(box);
    picture->setPixmap(screenkit::icon(s.icon, 40));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picture->setFixedWidth(52);
    h->addWidget(picture);
  }
  auto* grid = new QGridLayout;
  h->addLayout(grid, 1);
  fill(grid, s, box, box, false);
  backgrounds_.push_back(box);
  return box;
}

void RecordForm::fill(QGridLayout* grid, const CardSection& s, QWidget* surface, QWidget* outer, bool fillBelow) {
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(5);
  grids_.push_back({outer, grid, s.pairs, fillBelow, {}});
  Grid& g = grids_.back();
  int row = 0;
  for (const auto& items : s.rows) {
    int pair = 0;
    for (const CardItem& item : items) {
      place(item, g, row, pair, surface);
      pair += item.span;
    }
    ++row;
  }
  arrange(g, true);
}

void RecordForm::place(const CardItem& item, Grid& grid, int row, int pair, QWidget* surface) {
  formkinds::Built built = formkinds::factory(item.kind)({item, *layout_, surface});
  for (int f : built.control->fields())
    if (!byField_[size_t(f)]) byField_[size_t(f)] = built.control.get();
  for (auto& hint : built.hints) kindHints_.push_back(hint);

  QWidget* control = built.cell;
  QWidget* cell = built.cell;
  const bool narrow = built.narrow;
  if (!item.extras.empty() || !item.after.isEmpty()) {
    // A short field keeps its width and its buttons, pictures and trailing
    // text stand right beside it; a long one stretches up to them.
    auto* h = qobject_cast<QHBoxLayout*>(cell->layout());
    if (!h || cell == built.styled) {
      cell = new QWidget(surface);
      h = new QHBoxLayout(cell);
      h->setContentsMargins(0, 0, 0, 0);
      h->setSpacing(4);
      control->setParent(cell);
      h->addWidget(control, narrow ? 0 : 1);
    }
    for (const CardExtra& x : item.extras) {
      QWidget* b;
      if (!x.text.isEmpty()) {
        auto* button = new QPushButton(x.text, cell);
        button->setAutoDefault(false);
        button->setSizePolicy(QSizePolicy::Fixed, button->sizePolicy().verticalPolicy());
        if (!x.icon.isEmpty()) {
          button->setIcon(QIcon(screenkit::icon(x.icon, 16)));
          button->setIconSize(QSize(16, 16));
        }
        b = button;
      } else {
        b = new screenkit::Picture(x.name, QString(), x.icon, cell, 22);
      }
      b->setObjectName(x.name);
      if (!x.tabStop) b->setFocusPolicy(Qt::ClickFocus);
      b->setEnabled(false); // until a handler is bound
      h->addWidget(b);
    }
    if (!item.after.isEmpty()) h->addWidget(new QLabel(item.after, cell));
    if (narrow) h->addStretch(1);
  }
  if (built.styled && item.highlight) style(item, built.styled, surface);
  if (narrow && built.styled) {
    const int width = item.maxLength > 0 ? item.maxLength : layout_->field(layout_->require(item.field)).width;
    const int chars = qMax(width, 4) + 2;
    built.styled->setMaximumWidth(qMax(built.styled->minimumWidth(),
                                       built.styled->fontMetrics().horizontalAdvance(QLatin1Char('W')) * chars + 24));
  }
  QWidget* caption = nullptr;
  Qt::Alignment align;
  if (built.captioned) {
    auto* label = new QLabel(item.caption, surface);
    label->setBuddy(built.control->focusTarget());
    align = Qt::AlignRight | (item.kind == ControlKind::Memo ? Qt::AlignTop : Qt::AlignVCenter);
    caption = label;
  }
  grid.items.push_back({caption, cell, row, pair, item.span, align});
  controls_.push_back(std::move(built.control));
}

void RecordForm::arrange(Grid& g, bool wide) {
  QGridLayout* grid = g.grid;
  for (const Placed& p : g.items) {
    if (p.caption) grid->removeWidget(p.caption);
    grid->removeWidget(p.cell);
  }
  for (int c = 0; c < grid->columnCount(); ++c) grid->setColumnStretch(c, 0);
  for (int r = 0; r < grid->rowCount(); ++r) grid->setRowStretch(r, 0);
  int rows = 0;
  for (size_t i = 0; i < g.items.size(); ++i) {
    const Placed& p = g.items[i];
    const int row = wide ? p.row : int(i);
    const int col = wide ? 2 * p.pair : 0;
    const int span = wide ? 2 * p.span - 1 : 1;
    if (p.caption) grid->addWidget(p.caption, row, col, p.captionAlign);
    grid->addWidget(p.cell, row, col + 1, 1, span);
    rows = qMax(rows, row + 1);
  }
  for (int pair = 0; pair < (wide ? g.pairs : 1); ++pair) grid->setColumnStretch(2 * pair + 1, 1);
  if (g.fillBelow) grid->setRowStretch(rows, 1);
  g.wide = wide;
}

int RecordForm::availableWidth() const { return watched_ ? watched_->width() : width(); }

void RecordForm::fitTo(int width) {
  const QLayout* own = QWidget::layout();
  const QMargins m = own ? own->contentsMargins() : QMargins();
  const int room = width - m.left() - m.right();
  arrangeTabs(room);
  for (Grid& g : grids_) {
    if (g.pairs <= 1) continue;
    if (g.wide) g.wideWidth = g.outer->minimumSizeHint().width();
    const bool wide = g.wideWidth <= room;
    if (wide != g.wide) arrange(g, wide);
  }
}

void RecordForm::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // in a scroll area the form is as wide as its content needs: the room is
  // what the area shows
  QWidget* viewport = parentWidget();
  auto* area = viewport ? qobject_cast<QAbstractScrollArea*>(viewport->parentWidget()) : nullptr;
  QWidget* watch = area && area->viewport() == viewport ? viewport : nullptr;
  if (watch != watched_) {
    if (watched_) watched_->removeEventFilter(this);
    watched_ = watch;
    if (watched_) watched_->installEventFilter(this);
  }
  fitTo(availableWidth());
}

void RecordForm::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (!watched_) fitTo(width());
}

bool RecordForm::eventFilter(QObject* watched, QEvent* e) {
  if (watched == watched_ && e->type() == QEvent::Resize) fitTo(watched_->width());
  return QWidget::eventFilter(watched, e);
}

void RecordForm::style(const CardItem& item, QWidget* field, QWidget* surface) {
  if (d_.focusStyle == FocusStyle::Coloured) {
    field->setStyleSheet(colouredStyle(field));
    return;
  }
  // framed on the section, also when the field shares a row with its buttons
  screenkit::addFocusFrame(field, QStringLiteral("eff") + formkinds::controlName(item).mid(3), surface);
}

QWidget* RecordForm::makeTabs(const std::vector<const CardSection*>& tabbed) {
  auto* area = new QWidget;
  area->setObjectName(QStringLiteral("panSezioni"));
  auto* v = new QVBoxLayout(area);
  v->setContentsMargins(0, 4, 0, 0);
  v->setSpacing(0);
  auto* bar = new QGridLayout;
  bar->setContentsMargins(6, 0, 0, 0);
  bar->setSpacing(2);
  v->addLayout(bar);
  tabBar_ = bar;
  auto* stack = new QGridLayout;
  v->addLayout(stack, 1);
  for (const CardSection* s : tabbed) {
    auto* a = new screenkit::Picture(QStringLiteral("btn") + s->tab + QStringLiteral("_A"),
                                     tabPixmap(s->title, area->font(), false), area);
    auto* b = new screenkit::Picture(QStringLiteral("btn") + s->tab + QStringLiteral("_B"),
                                     tabPixmap(s->title, area->font(), true), area);
    b->setCursor(Qt::ArrowCursor);
    auto* panel = new QFrame(area);
    panel->setObjectName(QStringLiteral("pan") + s->tab);
    auto* frame = new QFrame(panel);
    frame->setProperty("sezione", true);
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(10, 10, 10, 10);
    fill(grid, *s, frame, frame, true);
    stack->addWidget(panel, 0, 0);
    const int index = int(tabs_.size());
    connect(a, &screenkit::Picture::clicked, this, [this, index] { openSection(index); });
    tabs_.push_back({s->tab, a, b, panel, s->focus});
    backgrounds_.push_back(frame);
  }
  arrangeTabs(std::numeric_limits<int>::max());
  backgrounds_.push_back(area);
  return area;
}

void RecordForm::arrangeTabs(int room) {
  if (!tabBar_ || tabs_.empty()) return;
  // the tabs in order, as many on a row as the width holds; a tab's two
  // pictures share its place, one of them shown
  const QMargins m = tabBar_->contentsMargins();
  std::vector<std::pair<int, int>> at; // row and column of each tab
  int row = 0, col = 0, used = m.left() + m.right(), columns = 0;
  for (const Tab& t : tabs_) {
    const int w = std::max(t.a->sizeHint().width(), t.b->sizeHint().width()) + tabBar_->horizontalSpacing();
    if (col > 0 && used + w > room) {
      ++row;
      col = 0;
      used = m.left() + m.right();
    }
    at.emplace_back(row, col);
    used += w;
    columns = std::max(columns, ++col);
  }
  if (tabRows_ == row + 1 && tabColumns_ == columns) return;
  for (const Tab& t : tabs_) {
    tabBar_->removeWidget(t.a);
    tabBar_->removeWidget(t.b);
  }
  for (int c = 0; c < tabBar_->columnCount(); ++c) tabBar_->setColumnStretch(c, 0);
  for (size_t i = 0; i < tabs_.size(); ++i) {
    tabBar_->addWidget(tabs_[i].a, at[i].first, at[i].second, Qt::AlignLeft | Qt::AlignBottom);
    tabBar_->addWidget(tabs_[i].b, at[i].first, at[i].second, Qt::AlignLeft | Qt::AlignBottom);
  }
  tabBar_->setColumnStretch(columns, 1);
  tabRows_ = row + 1;
  tabColumns_ = columns;
}

void RecordForm::openSection(int index, bool focus) {
  if (index < 0 || index >= int(tabs_.size())) return;
  current_ = index;
  for (int i = 0; i < int(tabs_.size()); ++i) {
    const bool on = i == index;
    tabs_[size_t(i)].panel->setVisible(on);
    tabs_[size_t(i)].a->setVisible(!on);
    tabs_[size_t(i)].b->setVisible(on);
  }
  if (focus && !tabs_[size_t(index)].focus.isEmpty())
    if (QWidget* w = findChild<QWidget*>(tabs_[size_t(index)].focus)) w->setFocus(Qt::OtherFocusReason);
}

void RecordForm::bindChains() {
  for (const EnterChain& chain : d_.enterChains) {
    std::vector<QWidget*> widgets;
    for (const QString& name : chain.fields)
      if (QWidget* w = findChild<QWidget*>(name)) widgets.push_back(w);
    const size_t n = widgets.size();
    for (size_t i = 0; i < n; ++i) {
      if (i + 1 == n && !chain.cyclic) break;
      // a memo starts a line on Enter
      bool owned = false;
      for (const auto& c : controls_)
        if (c->focusTarget() == widgets[i] && c->ownsEnter()) owned = true;
      if (owned) continue;
      QPointer<QWidget> target(widgets[(i + 1) % n]);
      screenkit::onEnter(widgets[i], [target] {
        if (target) target->setFocus(Qt::OtherFocusReason);
      });
    }
  }
}

void RecordForm::bindTabOrder() {
  QWidget* previous = nullptr;
  for (const QString& name : d_.tabOrder) {
    QWidget* next = findChild<QWidget*>(name);
    if (!next) continue;
    if (previous) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

FormControl* RecordForm::controlOf(std::string_view field) const {
  const int i = layout_->indexOf(field);
  return i < 0 ? nullptr : byField_[size_t(i)];
}

Record RecordForm::record() const {
  Record r(*layout_);
  for (int i = 0; i < layout_->fieldCount(); ++i) {
    const QString v = byField_[size_t(i)]->value(i);
    r.set(i, layout_->field(i).kind == FieldKind::Chars ? v : fieldtext::trimmed(v));
  }
  return r;
}

void RecordForm::load(const Record& record) {
  for (int i = 0; i < layout_->fieldCount(); ++i) byField_[size_t(i)]->setValue(i, record[i]);
}

void RecordForm::clear(std::span<const std::string_view> keep) {
  for (const auto& c : controls_) {
    bool kept = false;
    for (int f : c->fields())
      if (std::find(keep.begin(), keep.end(), layout_->field(f).name) != keep.end()) kept = true;
    if (!kept) c->clear();
  }
}

void RecordForm::set(std::string_view field, const QString& text) {
  if (FormControl* c = controlOf(field)) c->setValue(layout_->require(field), text);
}

QString RecordForm::text(std::string_view field) const {
  FormControl* c = controlOf(field);
  return c ? c->value(layout_->require(field)) : QString();
}

void RecordForm::prepareSave() {
  for (const auto& c : controls_) c->beforeSave();
}

QWidget* RecordForm::control(std::string_view field) const {
  FormControl* c = controlOf(field);
  return c ? c->focusTarget() : nullptr;
}

int RecordForm::bindings(std::string_view field) const {
  const int i = layout_->indexOf(field);
  int n = 0;
  for (const auto& c : controls_)
    for (int f : c->fields()) n += f == i;
  return n;
}

void RecordForm::focusField(std::string_view field) {
  QWidget* w = control(field);
  if (!w) return;
  // a field of a tabbed section shows its section first
  for (int i = 0; i < int(tabs_.size()); ++i)
    if (tabs_[size_t(i)].panel->isAncestorOf(w)) openSection(i, false);
  screenkit::focusOn(w);
}

QWidget* RecordForm::firstFocusWidget() const {
  QString name = d_.firstFocus;
  if (name.isEmpty() && !d_.enterChains.empty() && !d_.enterChains.front().fields.empty())
    name = d_.enterChains.front().fields.front();
  if (!name.isEmpty()) return findChild<QWidget*>(name);
  for (const auto& c : controls_)
    if (QWidget* w = c->focusTarget()) return w;
  return nullptr;
}

void RecordForm::focusFirst() {
  if (!tabs_.empty()) openSection(0, false);
  if (QWidget* w = firstFocusWidget()) w->setFocus(Qt::OtherFocusReason);
}

void RecordForm::setStatusLine(QLabel* line, bool withKindHints) {
  if (withKindHints)
    for (const auto& [name, hint] : kindHints_)
      if (QWidget* w = findChild<QWidget*>(name)) screenkit::setHint(w, line, hint);
  for (QWidget* bg : backgrounds_) screenkit::clearHintOver(bg, line);
}
