#include "exportscreen.h"

#include "listscreen.h"
#include "screenkit.h"

#include "archive/paths.h"
#include "common/help.h"
#include "common/services.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace xls {

// ---- the model ----

ExportModel::ExportModel(const ExportDescription& description, QObject* parent)
    : QAbstractTableModel(parent), d_(description), table_(int(description.columns.size())) {}

void ExportModel::setTable(ExportTable table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

int ExportModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.rows(); }
int ExportModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.columns() + 1; }

QVariant ExportModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  if (index.column() == 0) return QString::number(index.row() + 1);
  return table_.text(index.row(), index.column() - 1);
}

QVariant ExportModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return QAbstractTableModel::headerData(section, orientation, role);
  if (section == 0) return QStringLiteral("N.");
  return d_.columns[size_t(section - 1)].gridHeader;
}

// ---- the screen ----

ExportScreen::ExportScreen(const ExportDescription& description, QWidget* parent) : QDialog(parent), d_(description) {
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

  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("grdRecords"));
  model_ = new ExportModel(d_, grid_);
  grid_->setModel(model_);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid_->setColumnWidth(0, 50);
  const QFontMetrics header = grid_->horizontalHeader()->fontMetrics();
  for (size_t c = 0; c < d_.columns.size(); ++c)
    grid_->setColumnWidth(int(c) + 1, std::max(d_.columns[c].width * 3 / 5,
                                               header.horizontalAdvance(d_.columns[c].gridHeader) + 16));
  v->addWidget(grid_, 1);

  panInfo_ = screenkit::makeStatusLine(this, d_.status);
  v->addWidget(panInfo_);

  screenkit::setHint(esportaCmd, panInfo_, d_.exportHint);
  screenkit::setHint(guida, panInfo_, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
  screenkit::setHint(esci, panInfo_, QStringLiteral("Esci da questo ambiente di lavoro."));
  screenkit::clearHintOver(this, panInfo_);
  screenkit::clearHintOver(bar, panInfo_);

  connect(esportaCmd, &screenkit::Picture::clicked, this, &ExportScreen::esporta);
  connect(guida, &screenkit::Picture::clicked, this, [this] {
    if (d_.helpTopic) help::show(this, *d_.helpTopic);
  });
  connect(esci, &screenkit::Picture::clicked, this, &QDialog::reject);
}

void ExportScreen::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (filled_ || e->spontaneous()) return;
  filled_ = true;
  fill();
}

void ExportScreen::fill() { setTable(preview(d_, lists::resolve(d_.path))); }

void ExportScreen::setTable(ExportTable table) { model_->setTable(std::move(table)); }

void ExportScreen::esporta() {
  if (!services::ask(text::confirmQuestion())) return;
  const QString path = paths::inProgramFolder(d_.file);
  if (!save(path, d_.worksheet, d_.columns, table())) {
    services::plain(text::failureMessage());
    return;
  }
  if (services::ask(d_.doneQuestion)) services::shell().open(path);
}


void ExportScreen::open(const ExportDescription& description, QWidget* parent) {
  ExportScreen screen(description, parent);
  screen.exec();
}

} // namespace xls
