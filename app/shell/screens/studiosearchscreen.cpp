#include "studiosearchscreen.h"

#include "common/lists.h"
#include "common/screens/binding.h"
#include "common/screens/recordview.h"
#include "common/screens/screenkit.h"
#include "common/services.h"
#include "engines/screens/windowfit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

using studiosearch::Hit;
using studiosearch::Run;
using studiosearch::Shown;

namespace {

// How long the search reads before the screen shows what it found.
constexpr auto kSlice = std::chrono::milliseconds(30);
// The rows whose texts are kept once read.
constexpr int kShownRows = 400;
// The internal id of a group row; a hit row carries its group's row plus one.
constexpr quintptr kGroupRow = 0;

QString countText(size_t n) {
  return n == 1 ? QStringLiteral("1 scheda") : QStringLiteral("%1 schede").arg(qulonglong(n));
}

// The found text of a hit with its match on a coloured ground.
class MatchDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QVariant match = index.data(StudioSearchModel::MatchRole);
    if (!match.isValid()) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    QWidget* view = const_cast<QWidget*>(option.widget);
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, view);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, view).adjusted(3, 0, -3, 0);
    const QPoint m = match.toPoint();
    const QFontMetrics fm(opt.font);
    const QString before = text.left(m.x()), found = text.mid(m.x(), m.y()), after = text.mid(m.x() + m.y());
    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor ink = selected ? opt.palette.color(QPalette::HighlightedText) : opt.palette.color(QPalette::Text);
    int x = area.left();
    painter->setPen(ink);
    painter->drawText(QRect(x, area.top(), area.right() - x, area.height()), Qt::AlignVCenter | Qt::AlignLeft, before);
    x += fm.horizontalAdvance(before);
    const int w = fm.horizontalAdvance(found);
    painter->fillRect(QRect(x, area.top() + 1, w, area.height() - 2), QColor(0xff, 0xd8, 0x4d));
    painter->setPen(Qt::black);
    painter->drawText(QRect(x, area.top(), w + 1, area.height()), Qt::AlignVCenter | Qt::AlignLeft, found);
    x += w;
    painter->setPen(ink);
    if (x < area.right())
      painter->drawText(QRect(x, area.top(), area.right() - x, area.height()), Qt::AlignVCenter | Qt::AlignLeft,
                        fm.elidedText(after, Qt::ElideRight, area.right() - x));
    painter->restore();
  }
};

} // namespace

// ---- the model ----

StudioSearchModel::StudioSearchModel(QObject* parent) : QAbstractItemModel(parent), shown_(kShownRows) {}

void StudioSearchModel::reset(const Run* run) {
  beginResetModel();
  run_ = run;
  known_.clear();
  shown_.clear();
  endResetModel();
}

void StudioSearchModel::catchUp() {
  if (!run_) return;
  const std::vector<studiosearch::Group>& groups = run_->groups();
  // the group read last may have grown
  if (!known_.empty()) {
    const size_t g = known_.size() - 1;
    const size_t now = groups[g].count;
    if (now > known_[g]) {
      const QModelIndex parent = index(int(g), 0);
      beginInsertRows(parent, int(known_[g]), int(now) - 1);
      known_[g] = now;
      endInsertRows();
    }
    emit dataChanged(index(int(g), 0), index(int(g), 1));
  }
  if (groups.size() > known_.size()) {
    beginInsertRows(QModelIndex(), int(known_.size()), int(groups.size()) - 1);
    for (size_t g = known_.size(); g < groups.size(); ++g) known_.push_back(groups[g].count);
    endInsertRows();
  }
}

const Hit* StudioSearchModel::hitAt(const QModelIndex& index) const {
  if (!run_ || !index.isValid() || index.internalId() == kGroupRow) return nullptr;
  const studiosearch::Group& group = run_->groups()[index.internalId() - 1];
  return &run_->hits()[group.first + size_t(index.row())];
}

QModelIndex StudioSearchModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column < 0 || column > 1) return {};
  if (!parent.isValid()) return row < int(known_.size()) ? createIndex(row, column, kGroupRow) : QModelIndex();
  if (parent.internalId() != kGroupRow || row >= int(known_[size_t(parent.row())])) return {};
  return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex StudioSearchModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || child.internalId() == kGroupRow) return {};
  return createIndex(int(child.internalId() - 1), 0, kGroupRow);
}

int StudioSearchModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return int(known_.size());
  if (parent.internalId() != kGroupRow || parent.column() != 0) return 0;
  return int(known_[size_t(parent.row())]);
}

int StudioSearchModel::columnCount(const QModelIndex&) const { return 2; }

QString StudioSearchModel::groupTitle(size_t g) const {
  const studiosearch::Group& group = run_->groups()[g];
  const studiosearch::Source& source = run_->sources()[group.source];
  QString title = QString::fromUtf8(source.module->tile.title);
  if (!source.year.isEmpty()) title += QLatin1Char(' ') + source.year;
  if (known_[g] > 0) title += QStringLiteral(" (") + countText(known_[g]) + QLatin1Char(')');
  if (!group.unreadable) return title;
  const QString unreadable = studiosearch::unreadableText(source.fileName());
  return known_[g] > 0 ? title + QStringLiteral(" \u2013 ") + unreadable : unreadable;
}

const Shown* StudioSearchModel::shown(size_t hit) const {
  if (Shown* s = shown_.object(hit)) return s;
  const Hit& h = run_->hits()[hit];
  std::optional<Shown> s = studiosearch::show(run_->sources()[h.source()], h, run_->needle());
  if (!s) return nullptr;
  auto* kept = new Shown(std::move(*s));
  shown_.insert(hit, kept);
  return kept;
}

QVariant StudioSearchModel::data(const QModelIndex& index, int role) const {
  if (!run_ || !index.isValid()) return {};
  if (index.internalId() == kGroupRow) {
    const size_t g = size_t(index.row());
    if (index.column() != 0) return {};
    if (role == Qt::DisplayRole) return groupTitle(g);
    if (role == Qt::FontRole) {
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    if (role == Qt::ForegroundRole && run_->groups()[g].unreadable) return QColor(0xa0, 0x10, 0x10);
    if (role == Qt::ToolTipRole && run_->groups()[g].unreadable)
      return QString::fromUtf8(run_->sources()[run_->groups()[g].source].module->tile.title);
    return {};
  }
  if (role != Qt::DisplayRole && role != MatchRole && role != Qt::FontRole && role != Qt::ToolTipRole) return {};
  const studiosearch::Group& group = run_->groups()[index.internalId() - 1];
  const Shown* s = shown(group.first + size_t(index.row()));
  if (role == Qt::FontRole) {
    if (index.column() != 0) return {};
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    return mono;
  }
  if (!s) return role == Qt::DisplayRole && index.column() == 0 ? QStringLiteral("(scheda non leggibile)") : QVariant();
  const QString found = s->caption + QStringLiteral(": ") + s->text;
  if (index.column() == 0) return role == Qt::DisplayRole || role == Qt::ToolTipRole ? s->headline : QVariant();
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return found;
  if (role == MatchRole && s->matchStart >= 0)
    return QPoint(int(s->caption.size() + 2 + s->matchStart), int(s->matchLength));
  return {};
}

QVariant StudioSearchModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 0 ? QStringLiteral("Scheda") : QStringLiteral("Trovato in");
}

// ---- the screen ----

TfrmCercaStudio::TfrmCercaStudio(QWidget* parent) : QWidget(parent, Qt::Window) {
  screenkit::applyFormats();
  setObjectName(QStringLiteral("TfrmCercaStudio"));
  setWindowTitle(QStringLiteral(" Velarion - Cerca in tutto lo studio"));
  resize(1000, 660);

  auto* caption = new QLabel(QStringLiteral("Cerca in tutti gli archivi:"), this);
  txtCerca_ = new QLineEdit(this);
  txtCerca_->setObjectName(QStringLiteral("txtCerca"));
  txtCerca_->setMaxLength(250);
  txtCerca_->setClearButtonEnabled(true);
  btnCerca_ = screenkit::commandButton(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), this);
  connect(btnCerca_, &QPushButton::clicked, this, &TfrmCercaStudio::start);
  connect(txtCerca_, &QLineEdit::returnPressed, this, &TfrmCercaStudio::start);

  lblRiepilogo_ = screenkit::namedLabel(QStringLiteral("lblRiepilogo"), QString(), this);

  model_ = new StudioSearchModel(this);
  lstRisultati_ = new QTreeView(this);
  lstRisultati_->setObjectName(QStringLiteral("lstRisultati"));
  lstRisultati_->setModel(model_);
  lstRisultati_->setItemDelegateForColumn(1, new MatchDelegate(lstRisultati_));
  lstRisultati_->setUniformRowHeights(true);
  lstRisultati_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstRisultati_->setSelectionMode(QAbstractItemView::SingleSelection);
  lstRisultati_->setExpandsOnDoubleClick(false);
  lstRisultati_->setAllColumnsShowFocus(true);
  lstRisultati_->setTextElideMode(Qt::ElideRight);
  lstRisultati_->header()->setStretchLastSection(true);
  lstRisultati_->setColumnWidth(0, 560);
  lstRisultati_->installEventFilter(this);
  connect(lstRisultati_, &QTreeView::doubleClicked, this, &TfrmCercaStudio::open);
  // every group shows its results as they come in, and the first result is
  // ready for Enter
  connect(model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent, int first, int last) {
    if (!parent.isValid())
      for (int row = first; row <= last; ++row) lstRisultati_->expand(model_->index(row, 0));
    if (lstRisultati_->currentIndex().isValid()) return;
    for (int g = 0; g < model_->rowCount(); ++g)
      if (model_->rowCount(model_->index(g, 0)) > 0) {
        lstRisultati_->setCurrentIndex(model_->index(0, 0, model_->index(g, 0)));
        break;
      }
  });

  panAvanzamento_ = new QWidget(this);
  panAvanzamento_->setObjectName(QStringLiteral("panAvanzamento"));
  progress_ = new QProgressBar(panAvanzamento_);
  progress_->setRange(0, 1000);
  progress_->setTextVisible(false);
  progress_->setFixedWidth(180);
  lblAvanzamento_ = screenkit::namedLabel(QStringLiteral("lblAvanzamento"), QString(), panAvanzamento_);
  btnAnnulla_ = screenkit::commandButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), panAvanzamento_);
  connect(btnAnnulla_, &QPushButton::clicked, this, &TfrmCercaStudio::stop);
  auto* progressRow = new QHBoxLayout(panAvanzamento_);
  progressRow->setContentsMargins(0, 0, 0, 0);
  progressRow->addWidget(progress_);
  progressRow->addSpacing(8);
  progressRow->addWidget(lblAvanzamento_, 1);
  progressRow->addWidget(btnAnnulla_);
  panAvanzamento_->hide();

  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(caption);
  searchRow->addWidget(txtCerca_, 1);
  searchRow->addWidget(btnCerca_);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(10, 10, 10, 8);
  all->addLayout(searchRow);
  all->addWidget(lblRiepilogo_);
  all->addWidget(lstRisultati_, 1);
  all->addWidget(panAvanzamento_);

  timer_ = new QTimer(this);
  timer_->setSingleShot(true);
  timer_->setInterval(0);
  connect(timer_, &QTimer::timeout, this, &TfrmCercaStudio::slice);
}

TfrmCercaStudio::~TfrmCercaStudio() {
  if (busyCursor_) QApplication::restoreOverrideCursor();
}

void TfrmCercaStudio::search(const QString& text) {
  txtCerca_->setText(text.trimmed());
  if (!isVisible()) show();
  raise();
  activateWindow();
  start();
}

bool TfrmCercaStudio::running() const { return run_ && !run_->finished() && timer_->isActive(); }

void TfrmCercaStudio::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  windowfit::fitOnScreen(this);
}

void TfrmCercaStudio::start() {
  timer_->stop();
  model_->reset(nullptr);
  run_.reset();
  if (!Run::acceptable(txtCerca_->text())) {
    panAvanzamento_->hide();
    lblRiepilogo_->setText(QStringLiteral("Scrivere almeno %1 caratteri da cercare.").arg(studiosearch::kShortest));
    txtCerca_->setFocus(Qt::OtherFocusReason);
    return;
  }
  run_ = std::make_unique<Run>(txtCerca_->text());
  model_->reset(run_.get());
  lblRiepilogo_->setText(QStringLiteral("Ricerca di \u201C%1\u201D in corso\u2026").arg(txtCerca_->text().trimmed()));
  progress_->setValue(0);
  lblAvanzamento_->clear();
  panAvanzamento_->show();
  if (!busyCursor_) QApplication::setOverrideCursor(Qt::BusyCursor);
  busyCursor_ = true;
  lstRisultati_->setFocus(Qt::OtherFocusReason);
  // the slices run from the event loop, which shows each one's results
  timer_->start();
}

void TfrmCercaStudio::slice() {
  if (!run_) return;
  const bool more = run_->step(kSlice);
  model_->catchUp();
  if (!more) {
    finish(false);
    return;
  }
  progress_->setValue(int(run_->progress() * 1000));
  if (const studiosearch::Source* s = run_->reading())
    lblAvanzamento_->setText(QStringLiteral("Lettura di ") + s->fileName() + QStringLiteral("\u2026"));
  timer_->start();
}

void TfrmCercaStudio::stop() {
  if (!run_ || !timer_->isActive()) return;
  timer_->stop();
  finish(true);
}

void TfrmCercaStudio::finish(bool stopped) {
  panAvanzamento_->hide();
  if (busyCursor_) QApplication::restoreOverrideCursor();
  busyCursor_ = false;
  size_t found = run_->hits().size(), groups = 0;
  for (const studiosearch::Group& g : run_->groups()) groups += g.count > 0 ? 1 : 0;
  QString text = found == 0 ? QStringLiteral("Nessuna scheda contiene \u201C%1\u201D.").arg(txtCerca_->text().trimmed())
                            : QStringLiteral("Trovate ") + countText(found) +
                                  QStringLiteral(" in %1 %2.")
                                      .arg(groups)
                                      .arg(groups == 1 ? QStringLiteral("archivio") : QStringLiteral("archivi"));
  if (found == 1) text = QStringLiteral("Trovata 1 scheda in 1 archivio.");
  if (stopped) text = QStringLiteral("Ricerca interrotta. ") + text;
  lblRiepilogo_->setText(text);
}

void TfrmCercaStudio::closeEvent(QCloseEvent* e) {
  stop();
  QWidget::closeEvent(e);
}

void TfrmCercaStudio::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    if (running())
      stop();
    else
      close();
    return;
  }
  QWidget::keyPressEvent(e);
}

bool TfrmCercaStudio::eventFilter(QObject* watched, QEvent* e) {
  if (watched == lstRisultati_ && e->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      open(lstRisultati_->currentIndex());
      return true;
    }
  }
  // the card opened from a result has closed: back to the results
  if (watched == openedCard_ && e->type() == QEvent::Hide && !e->spontaneous()) {
    openedCard_->removeEventFilter(this);
    openedCard_.clear();
    QTimer::singleShot(0, this, [this] {
      show();
      raise();
      activateWindow();
      lstRisultati_->setFocus(Qt::OtherFocusReason);
    });
  }
  return QWidget::eventFilter(watched, e);
}

void TfrmCercaStudio::open(const QModelIndex& index) {
  const Hit* hit = model_->hitAt(index);
  if (!hit) return;
  // the card is the user's now: what was found so far stays
  stop();
  const studiosearch::Source& source = run_->sources()[hit->source()];
  const lists::ListDescription& list = source.searched->list();
  const lists::CallerTarget* target = nullptr;
  for (const lists::CallerTarget& t : list.targets)
    if (t.wholeRecord) {
      target = &t;
      break;
    }
  QWidget* screen = target ? screenkit::ScreenSet::find(target->screen) : nullptr;
  if (!screen) return;
  const std::optional<Record> record = lists::readRecord(list, source.path, hit->position());
  if (!record) {
    services::warning(archiveAccessMessage());
    return;
  }
  // the year's archive, as the year screen names it
  const modules::Searched& searched = *source.searched;
  if (!source.year.isEmpty() && !searched.openYear) {
    if (auto* file = screenkit::control<QLabel>(screen, QStringLiteral("lblFile"))) file->setText(source.path);
    if (source.module->year) screen->setWindowTitle(QString::fromUtf16(source.module->year->cardCaption) + source.year);
  }
  // the card's window is shown in place of the menu and of the results
  QWidget* from = parentWidget() ? parentWidget()->window() : nullptr;
  screenkit::ScreenSet::show(target->screen, from);
  if (!source.year.isEmpty() && searched.openYear) searched.openYear(screen, source.year);
  // the card loads the record as its own list hands it over
  if (RecordView* view = recordViewOf(screen)) {
    view->loadRecord(*record, hit->position());
  } else {
    binding::load(screen, *record);
    screenkit::setTextOf(screenkit::control(screen, QStringLiteral("lblPosizione")), QString::number(hit->position()));
  }
  openedCard_ = screen;
  screen->installEventFilter(this);
  hide();
}
