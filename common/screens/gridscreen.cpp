#include "gridscreen.h"

#include "carddescription.h"
#include "listscreen.h"
#include "progress.h"
#include "screenkit.h"

#include "archive/archivio.h"
#include "archive/paths.h"
#include "common/dates.h"
#include "common/help.h"
#include "common/services.h"
#include "engines/screens/windowfit.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace grids {

// ---- the model ----

namespace {
// Rows read together for the screen, and how many such blocks are kept.
constexpr int kBlockRows = 64;
constexpr size_t kKeptBlocks = 8;
} // namespace

GridModel::GridModel(const GridDescription& description, QObject* parent)
    : QAbstractTableModel(parent), d_(description) {}

void GridModel::setTable(GridRows table) {
  beginResetModel();
  table_ = std::move(table);
  kept_.clear();
  endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.rows(); }
int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(d_.columns.size()) + 1;
}

const xls::ExportTable& GridModel::block(int row) const {
  const int first = row - row % kBlockRows;
  for (auto b = kept_.begin(); b != kept_.end(); ++b)
    if (b->first == first) {
      if (b + 1 != kept_.end()) std::rotate(b, b + 1, kept_.end());
      return kept_.back().cells;
    }
  if (kept_.size() >= kKeptBlocks) kept_.erase(kept_.begin());
  kept_.push_back({first, table_.cells(first, kBlockRows)});
  return kept_.back().cells;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= table_.rows()) return {};
  if (index.column() == 0) return QString::number(table_.number(index.row()));
  const xls::ExportTable& cells = block(index.row());
  const int column = index.column() - 1;
  if (column >= cells.columns()) return QString();
  return cells.text(index.row() % kBlockRows, column);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
    return QAbstractTableModel::headerData(section, orientation, role);
  if (section == 0) return QStringLiteral("N.");
  return d_.columns[size_t(section - 1)].gridHeader;
}

// ---- the screen ----

GridScreen::GridScreen(const GridDescription& description, QWidget* parent, QDate chosen)
    : QDialog(parent), d_(description), chosen_(chosen) {
  screenkit::applyFormats();
  setObjectName(d_.screen);
  setWindowTitle(d_.caption);
  setModal(true);
  resize(960, 600);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(8, 8, 8, 8);

  auto* bar = new QFrame(this);
  auto* h = new QHBoxLayout(bar);
  h->setContentsMargins(4, 4, 4, 4);
  auto* esportaCmd = new screenkit::Picture(QStringLiteral("cmdEsporta"), QStringLiteral("Esporta"),
                                            QStringLiteral("esporta"), bar);
  auto* guida = new screenkit::Picture(QStringLiteral("cmdGuida"), QStringLiteral("Guida"), QStringLiteral("guida"), bar);
  auto* esci = new screenkit::Picture(QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QStringLiteral("esci"), bar);
  guida->setEnabled(d_.helpTopic.has_value());
  h->addWidget(esportaCmd);
  h->addWidget(guida);
  h->addStretch(1);
  h->addWidget(esci);
  v->addWidget(bar);

  panInfo_ = screenkit::makeStatusLine(this, d_.status);
  if (d_.interval) v->addWidget(buildInterval(*d_.interval));

  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("grdRecords"));
  model_ = new GridModel(d_, grid_);
  grid_->setModel(model_);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setAlternatingRowColors(true);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid_->setColumnWidth(0, d_.numberWidth);
  const QFontMetrics header = grid_->horizontalHeader()->fontMetrics();
  for (size_t c = 0; c < d_.columns.size(); ++c) {
    const xls::ExportColumn& col = d_.columns[c];
    grid_->setColumnWidth(int(c) + 1, col.gridWidth > 0 ? col.gridWidth
                                                        : std::max(col.width * 3 / 5,
                                                                   header.horizontalAdvance(col.gridHeader) + 16));
  }
  v->addWidget(grid_, 1);
  v->addWidget(panInfo_);

  screenkit::setHint(esportaCmd, panInfo_, d_.exportHint);
  screenkit::setHint(guida, panInfo_, card::hints::contextHelp());
  screenkit::setHint(esci, panInfo_, QStringLiteral("Esci da questo ambiente di lavoro."));
  screenkit::clearHintOver(this, panInfo_);
  screenkit::clearHintOver(bar, panInfo_);

  connect(esportaCmd, &screenkit::Picture::clicked, this, &GridScreen::esporta);
  connect(guida, &screenkit::Picture::clicked, this, [this] {
    if (d_.helpTopic) help::show(this, *d_.helpTopic);
  });
  connect(esci, &screenkit::Picture::clicked, this, &QDialog::reject);
}

GridScreen::~GridScreen() {
  // The focus leaves while the focus frames still stand.
  if (QWidget* f = focusWidget()) f->clearFocus();
}

QWidget* GridScreen::buildInterval(const IntervalPanel& panel) {
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("panIntervallo"));
  auto* h = new QHBoxLayout(frame);
  h->setContentsMargins(10, 6, 10, 6);
  h->setSpacing(10);
  auto dateEdit = [&](const QString& name) {
    auto* e = new QLineEdit(frame);
    e->setObjectName(name);
    e->setMaxLength(10);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    screenkit::setHint(e, panInfo_, panel.dateHint);
    return e;
  };
  txtDataInizio_ = dateEdit(QStringLiteral("txtDataInizio"));
  txtDataFine_ = dateEdit(QStringLiteral("txtDataFine"));
  auto* trovaCmd =
      new screenkit::Picture(QStringLiteral("cmdTrova"), QStringLiteral("Trova"), QStringLiteral("trova"), frame);
  screenkit::setHint(trovaCmd, panInfo_, panel.findHint);
  h->addWidget(new QLabel(panel.startCaption, frame));
  h->addWidget(txtDataInizio_);
  h->addSpacing(12);
  h->addWidget(new QLabel(panel.endCaption, frame));
  h->addWidget(txtDataFine_);
  h->addSpacing(12);
  h->addWidget(trovaCmd);
  h->addStretch(1);
  screenkit::addFocusFrame(txtDataInizio_, QStringLiteral("effDataInizio"));
  screenkit::addFocusFrame(txtDataFine_, QStringLiteral("effDataFine"));
  screenkit::setEnterChain({txtDataInizio_, txtDataFine_});
  screenkit::clearHintOver(frame, panInfo_);
  connect(trovaCmd, &screenkit::Picture::clicked, this, &GridScreen::trova);
  return frame;
}

void GridScreen::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  windowfit::fitOnScreen(this);
  if (shown_) return;
  shown_ = true;
  if (!d_.interval) {
    fill();
    return;
  }
  txtDataInizio_->clear();
  txtDataFine_->setText(dates::todayText());
  txtDataInizio_->setFocus(Qt::OtherFocusReason);
}

std::vector<QString> GridScreen::archivePaths(const GridContext& context) const {
  if (!d_.archive.isYearly()) return {d_.archive.fixedPath()};
  if (d_.fileOfScreen.isEmpty()) return yearlyPaths(d_, context);
  return {lists::resolve(lists::ArchivePath::of(d_.archive, d_.fileOfScreen))};
}

void GridScreen::fill() {
  const GridContext context{dates::today(), chosen_, from_, to_};
  const std::vector<QString> paths = archivePaths(context);
  qint64 records = 0;
  for (const QString& path : paths) records += QFileInfo(path).size() / d_.archive.recordSize();
  Filled filled;
  {
    // A large archive shows how far the reading has come; it is not cancelled
    // half way, so the grid never shows part of what it was asked for.
    screenkit::LongWork work(this, QStringLiteral("Lettura delle schede"), records,
                             {QStringLiteral("schede"), screenkit::LongWork::kDialogFrom, false});
    filled = grids::fill(d_, paths, context, [&work](qint64 read) { work.step(read); });
    model_->setTable(std::move(filled.table));
  }
  unreadable_ = filled.outcome == Filled::Outcome::Failed;
  if (unreadable_) services::plain(archiveAccessMessage());
}

void GridScreen::trova() {
  if (!d_.interval) return;
  const IntervalCheck check = checkInterval(txtDataInizio_->text(), txtDataFine_->text());
  if (!check.ok()) {
    services::messages().show(check.kind, check.message);
    if (check.focus == IntervalCheck::Field::Start) txtDataInizio_->setFocus(Qt::OtherFocusReason);
    if (check.focus == IntervalCheck::Field::End) txtDataFine_->setFocus(Qt::OtherFocusReason);
    return;
  }
  from_ = check.from;
  to_ = check.to;
  fill();
}

void GridScreen::esporta() {
  // Rows read from an archive that failed are not the archive: writing them
  // would replace a good file with a partial one.
  if (unreadable_) {
    services::plain(archiveAccessMessage());
    return;
  }
  if (!services::ask(d_.confirmQuestion)) return;
  const QString path = paths::inProgramFolder(d_.file);
  bool saved = false, cancelled = false;
  QString reason;
  {
    // "Annulla" stops the writing; the file is then left as it was.
    screenkit::LongWork work(this, QStringLiteral("Esportazione delle schede"), table().rows());
    saved = xls::save(path, d_.worksheet, d_.columns, table(), &reason, work.reporter());
    cancelled = work.cancelled();
  }
  if (cancelled) return;
  if (!saved) {
    // the system's reason follows the message
    services::plain(reason.isEmpty() ? xls::text::failureMessage()
                                     : xls::text::failureMessage() + QStringLiteral("\n\r\n\r") + reason);
    return;
  }
  if (services::ask(d_.doneQuestion)) services::openOrTell(path);
}

void GridScreen::open(const GridDescription& description, QWidget* parent, QDate chosen) {
  GridScreen screen(description, parent, chosen);
  screen.exec();
}

} // namespace grids
