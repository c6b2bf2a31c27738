#include "listscreen.h"

#include "binding.h"
#include "progress.h"
#include "recordview.h"
#include "screenkit.h"

#include "archive/archivio.h"
#include "archive/paths.h"
#include "common/reports.h"
#include "common/services.h"
#include "engines/screens/reportoutput.h"
#include "engines/screens/windowfit.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace lists {

namespace {

// The same line width as the lists have always had: wider than the screen,
// scrolled sideways.
constexpr int kLineWidth = 1600;

} // namespace

QString resolve(const ArchivePath& path) {
  if (!path.archive->isYearly()) return path.archive->fixedPath();
  auto* file = screenkit::control<QLabel>(screenkit::ScreenSet::find(path.yearScreen), QStringLiteral("lblFile"));
  return file ? fieldtext::trimmed(file->text()) : QString();
}

QListView* makeLineList(QWidget* parent, ListModel** model) {
  auto* list = new QListView(parent);
  list->setObjectName(QStringLiteral("lstRecords"));
  QFont mono(QStringLiteral("Courier New"), 12);
  mono.setStyleHint(QFont::TypeWriter);
  list->setFont(mono);
  QPalette p = list->palette();
  p.setColor(QPalette::Text, Qt::black);
  list->setPalette(p);
  list->setUniformItemSizes(true);
  list->setWordWrap(false);
  list->setTextElideMode(Qt::ElideNone);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  *model = new ListModel(list);
  (*model)->setRowSize(QSize(kLineWidth, QFontMetrics(mono).height() + 2));
  list->setModel(*model);
  return list;
}

// ---- the model ----

void ListModel::setEntries(ListRows entries) {
  beginResetModel();
  entries_ = std::move(entries);
  pages_.clear();
  endResetModel();
}

int ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(entries_.size()); }

QString ListModel::lineAt(size_t row) const {
  const size_t first = row - row % kPageRows;
  auto page = std::find_if(pages_.begin(), pages_.end(), [first](const Page& p) { return p.first == first; });
  if (page == pages_.end()) {
    if (pages_.size() == kPagesKept) pages_.pop_back();
    pages_.push_front({first, entries_.lines(first, kPageRows)});
  } else if (page != pages_.begin()) {
    std::rotate(pages_.begin(), page, page + 1);
  }
  return pages_.front().lines.line(row - first);
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= int(entries_.size())) return {};
  if (role == Qt::DisplayRole) return lineAt(size_t(index.row()));
  if (role == Qt::SizeHintRole && rowSize_.isValid()) return rowSize_;
  return {};
}

// ---- the screen ----

ListScreen::ListScreen(const ListDescription& description, QWidget* parent) : QDialog(parent), d_(description) {
  screenkit::applyFormats();
  setObjectName(d_.screen);
  setWindowTitle(d_.caption);
  setModal(true);
  resize(920, d_.isSearch() ? 640 : 560);

  lblMemory_ = screenkit::hiddenLabel(QStringLiteral("lblMemory"), {}, this);
  lblConta_ = screenkit::hiddenLabel(QStringLiteral("lblConta"), {}, this);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(10, 10, 10, 10);
  if (d_.isSearch()) grid->addWidget(panAvvio_ = buildCriteria(), 0, 0);
  grid->addWidget(panContainer_ = buildResults(), 0, 0);
  panContainer_->setVisible(!d_.isSearch());
  if (!d_.isSearch() && d_.fillWhenCreated) fill();
}

ListScreen::~ListScreen() {
  // The focus leaves while the focus frames still stand: a frame is lowered
  // behind its field and so would be destroyed before it.
  if (QWidget* f = focusWidget()) f->clearFocus();
}

QFrame* ListScreen::buildCriteria() {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("panAvvio"));
  panel->setFrameShape(QFrame::StyledPanel);
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(20, 16, 20, 16);
  v->setSpacing(6);
  v->addWidget(screenkit::wrappedLabel(
      QStringLiteral("Immettere nei campi prescelti una o pi\u00F9 parole consecutive presenti nelle "
                     "schede da trovare e premere il pulsante Cerca."),
      panel));
  v->addWidget(screenkit::wrappedLabel(QStringLiteral("Lasciare in bianco tutti gli altri campi."), panel));
  v->addWidget(screenkit::wrappedLabel(
      QStringLiteral("Per ogni ricerca \u00E8 possibile utilizzare uno o pi\u00F9 campi contemporaneamente."), panel));
  v->addSpacing(10);

  auto* form = new QGridLayout;
  form->setHorizontalSpacing(12);
  form->setVerticalSpacing(9);
  std::vector<QWidget*> chain;
  for (size_t i = 0; i < d_.criteria.size(); ++i) {
    const Criterion& c = d_.criteria[i];
    auto* caption = new QLabel(c.caption, panel);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(c.edit);
    edit->setMaxLength(d_.layout().field(d_.layout().require(c.field)).width);
    edit->setMinimumWidth(420);
    form->addWidget(caption, int(i), 0);
    form->addWidget(edit, int(i), 1);
    screenkit::addFocusFrame(edit, QStringLiteral("effCampo%1").arg(int(i) + 1, 2, 10, QLatin1Char('0')));
    criteria_.push_back(edit);
    chain.push_back(edit);
  }
  form->setColumnStretch(2, 1);
  v->addLayout(form);
  screenkit::setEnterChain(chain);
  v->addStretch(1);

  auto* buttons = new QHBoxLayout;
  lblAttendere_ = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panel);
  lblAttendere_->setObjectName(QStringLiteral("lblAttendere"));
  lblAttendere_->setStyleSheet(QStringLiteral("color:#B00000;font-weight:bold;"));
  lblAttendere_->hide();
  auto* cerca = screenkit::commandButton(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), panel);
  auto* annulla = screenkit::commandButton(QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), panel);
  buttons->addWidget(lblAttendere_);
  buttons->addStretch(1);
  buttons->addWidget(cerca);
  buttons->addWidget(annulla);
  v->addLayout(buttons);

  connect(cerca, &QPushButton::pressed, this, [this] {
    lblAttendere_->show();
    lblAttendere_->repaint();
  });
  connect(cerca, &QPushButton::clicked, this, &ListScreen::cerca);
  connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
  return panel;
}

QFrame* ListScreen::buildResults() {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("panContainer"));
  panel->setFrameShape(QFrame::StyledPanel);
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(12, 12, 12, 12);

  if (d_.isSearch()) {
    lblTrovate_ = new QLabel(QStringLiteral("Il presente elenco contiene 0 schede."), panel);
    lblTrovate_->setObjectName(QStringLiteral("lblTrovate"));
    v->addWidget(lblTrovate_);
  }

  list_ = makeLineList(panel, &model_);
  v->addWidget(list_, 1);
  // a double-click on a line, or Enter on the selected line, picks it
  connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& index) { pick(index.row()); });
  screenkit::onEnter(list_, [this] {
    const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
    if (!selected.isEmpty()) pick(selected.front().row());
  });

  v->addWidget(screenkit::wrappedLabel(
      QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."), panel));

  auto* find = new QGridLayout;
  find->addWidget(screenkit::wrappedLabel(
                      QStringLiteral("Immettere una o pi\u00F9 parole consecutive presenti nella scheda in elenco da "
                                     "cercare e premere il pulsante Trova."),
                      panel),
                  0, 0, 1, 2);
  txtTrova_ = new QLineEdit(panel);
  txtTrova_->setObjectName(QStringLiteral("txtTrova"));
  btnTrova_ = screenkit::commandButton(QStringLiteral("btnTrova"), QStringLiteral("Trova"), panel);
  find->addWidget(txtTrova_, 1, 0);
  find->addWidget(btnTrova_, 1, 1);
  find->addWidget(screenkit::wrappedLabel(
                      QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                     "fare di nuovo clic su Trova."),
                      panel),
                  2, 0, 1, 2);
  v->addLayout(find);
  screenkit::onEnter(txtTrova_, [this] { btnTrova_->setFocus(Qt::OtherFocusReason); });
  connect(btnTrova_, &QPushButton::clicked, this, &ListScreen::trova);

  auto* buttons = new QHBoxLayout;
  auto* stampaButton = screenkit::commandButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), panel);
  auto* chiudi = screenkit::commandButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), panel);
  buttons->addStretch(1);
  buttons->addWidget(stampaButton);
  buttons->addWidget(chiudi);
  v->addLayout(buttons);
  connect(stampaButton, &QPushButton::clicked, this, &ListScreen::stampa);
  connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
  return panel;
}

void ListScreen::setCallerTag(const QString& tag) { lblMemory_->setText(tag); }

QStringList ListScreen::lines() const { return entries().toStringList(); }

void ListScreen::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  windowfit::fitOnScreen(this);
  find_.forget();
  txtTrova_->clear();
  if (d_.isSearch()) {
    if (panAvvio_->isVisible() && !criteria_.empty()) criteria_.front()->setFocus(Qt::OtherFocusReason);
  } else {
    if (!d_.fillWhenCreated) fill();
    txtTrova_->setFocus(Qt::OtherFocusReason);
  }
}

void ListScreen::fill() {
  const screenkit::BusyCursor busy;
  model_->setEntries(summary(d_, resolve(d_.path)));
}

void ListScreen::cerca() {
  QStringList typed;
  int counted = 0;
  for (QLineEdit* e : criteria_) {
    typed.append(e->text());
    if (!fieldtext::trimmed(e->text()).isEmpty()) ++counted;
  }
  lblConta_->setText(QString::number(counted));
  ListRows found;
  try {
    const screenkit::BusyCursor busy;
    found = search(d_, resolve(d_.path), typed);
  } catch (const ArchiveError&) {
    lblAttendere_->hide();
    services::plain(archiveAccessMessage());
    return;
  }
  lblAttendere_->hide();
  showResults(std::move(found));
}

void ListScreen::showResults(ListRows entries) {
  model_->setEntries(std::move(entries));
  if (panAvvio_) panAvvio_->hide();
  panContainer_->show();
  if (lblTrovate_) lblTrovate_->setText(d_.countText(model_->rowCount()));
  txtTrova_->clear();
  if (model_->rowCount() == 0) {
    txtTrova_->setFocus(Qt::OtherFocusReason);
    return;
  }
  // what was found is ready to be picked with Enter
  list_->setCurrentIndex(model_->index(0));
  list_->setFocus(Qt::OtherFocusReason);
}

void ListScreen::trova() {
  const QModelIndex current = list_->currentIndex();
  const InListFind::Outcome o = find_.press(entries(), current.isValid() ? current.row() : -1, txtTrova_->text());
  if (o.emptyList) {
    services::plain(text::emptyListMessage());
    return;
  }
  const QModelIndex next = model_->index(o.selected);
  list_->setCurrentIndex(next);
  list_->scrollTo(next);
}

void ListScreen::stampa() {
  report::output().print(report::shownList(d_.printTitle, entries()), this);
}

void ListScreen::pick(int row) {
  const CallerTarget* target = targetFor(d_.targets, fieldtext::trimmed(lblMemory_->text()));
  QWidget* screen = target ? screenkit::ScreenSet::find(target->screen) : nullptr;
  if (screen && row >= 0 && row < int(entries().size())) {
    const RecordPosition position = entries().position(size_t(row));
    if (const std::optional<Record> record = readRecord(d_, resolve(d_.path), position)) {
      if (target->wholeRecord) {
        // a card loads the record as its own navigation does; a screen
        // that shows no record view gets the fields by their names
        if (RecordView* view = recordViewOf(screen)) {
          view->loadRecord(*record, position);
        } else {
          binding::load(screen, *record);
          screenkit::setTextOf(screenkit::control(screen, QStringLiteral("lblPosizione")), QString::number(position));
        }
      } else {
        binding::copy(screen, *record, target->copies);
      }
    }
  }
  accept();
}

void ListScreen::done(int result) {
  model_->setEntries({});
  if (lblAttendere_) lblAttendere_->hide();
  QDialog::done(result);
}


void ListScreen::open(const ListDescription& description, QWidget* parent, const QString& callerTag) {
  ListScreen screen(description, parent);
  screen.setCallerTag(callerTag);
  screen.exec();
}

} // namespace lists
