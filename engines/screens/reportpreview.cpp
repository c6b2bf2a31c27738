#include "reportpreview.h"

#include "engines/reportpainter.h"
#include "reportdesktop.h"
#include "windowfit.h"

#include <QAction>
#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QResizeEvent>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace report {

namespace {
constexpr double kZoomSteps[] = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 4.0;
constexpr int kPageGap = 16;
constexpr double kThumbnailDpi = 16;
} // namespace

// One page on screen, painted from the prepared elements at the current zoom.
class PageView : public QWidget {
public:
  PageView(const Pages& pages, int index, QWidget* parent) : QWidget(parent), pages_(pages), index_(index) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void setZoom(double zoom) {
    zoom_ = zoom;
    const double mm = dotsPerMm();
    setFixedSize(int(std::lround(pages_.paper.width() * mm)), int(std::lround(pages_.paper.height() * mm)));
    update();
  }
  int index() const { return index_; }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    paintPage(p, pages_, index_, dotsPerMm());
    p.setPen(QColor(0x90, 0x90, 0x90));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }

private:
  double dotsPerMm() const { return zoom_ * logicalDpiX() / 25.4; }
  const Pages& pages_;
  int index_;
  double zoom_ = 1.0;
};

ReportPreview::ReportPreview(Pages pages, QWidget* parent) : QDialog(parent), pages_(std::move(pages)) {
  setObjectName(QStringLiteral("TfrmAnteprima"));
  setWindowTitle(QStringLiteral(" Anteprima di stampa - ") + pages_.reportName);
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  resize(1000, 760);

  auto* toolbar = viewBar_ = new QToolBar(this);
  toolbar->setObjectName(QStringLiteral("tlbAnteprima"));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  pageBar_ = new QToolBar(this);
  pageBar_->setObjectName(QStringLiteral("tlbPagine"));
  pageBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);

  auto* print = addCommand(QStringLiteral("cmdStampa"), QStringLiteral("Stampa"),
                           QStringLiteral("Stampa il documento."), QKeySequence::Print);
  connect(print, &QAction::triggered, this, [this] { printWithDialog(pages_, this); });
  toolbar->addAction(print);
  toolbar->addSeparator();

  auto* in = addCommand(QStringLiteral("cmdZoomAvanti"), QStringLiteral("Zoom +"),
                        QStringLiteral("Ingrandisce la pagina."), QKeySequence::ZoomIn);
  connect(in, &QAction::triggered, this, &ReportPreview::zoomIn);
  auto* out = addCommand(QStringLiteral("cmdZoomIndietro"), QStringLiteral("Zoom \u2212"),
                         QStringLiteral("Riduce la pagina."), QKeySequence::ZoomOut);
  connect(out, &QAction::triggered, this, &ReportPreview::zoomOut);
  auto* whole = addCommand(QStringLiteral("cmdPaginaIntera"), QStringLiteral("Pagina intera"),
                           QStringLiteral("Mostra la pagina intera."), QKeySequence());
  connect(whole, &QAction::triggered, this, &ReportPreview::fitWholePage);
  auto* width = addCommand(QStringLiteral("cmdLarghezzaPagina"), QStringLiteral("Larghezza pagina"),
                           QStringLiteral("Adatta la pagina alla larghezza della finestra."), QKeySequence());
  connect(width, &QAction::triggered, this, &ReportPreview::fitPageWidth);
  zoomLabel_ = new QLabel(this);
  zoomLabel_->setObjectName(QStringLiteral("lblZoom"));
  zoomLabel_->setMinimumWidth(48);
  zoomLabel_->setAlignment(Qt::AlignCenter);
  toolbar->addActions({in, out});
  toolbar->addWidget(zoomLabel_);
  toolbar->addActions({whole, width});
  toolbar->addSeparator();

  fullScreen_ = addCommand(QStringLiteral("cmdSchermoIntero"), QStringLiteral("Schermo intero"),
                           QStringLiteral("Mostra l'anteprima a schermo intero."), QKeySequence(Qt::Key_F11));
  fullScreen_->setCheckable(true);
  connect(fullScreen_, &QAction::toggled, this, &ReportPreview::setFullScreen);
  auto* thumbs = addCommand(QStringLiteral("cmdMiniature"), QStringLiteral("Miniature"),
                            QStringLiteral("Mostra o nasconde le miniature delle pagine."), QKeySequence());
  thumbs->setCheckable(true);
  thumbs->setChecked(true);
  toolbar->addActions({fullScreen_, thumbs});

  auto* firstPage = addCommand(QStringLiteral("cmdPrimaPagina"), QStringLiteral("|<"),
                               QStringLiteral("Prima pagina."), QKeySequence(Qt::CTRL | Qt::Key_Home));
  connect(firstPage, &QAction::triggered, this, [this] { goToPage(0); });
  auto* previous = addCommand(QStringLiteral("cmdPaginaPrecedente"), QStringLiteral("<"),
                              QStringLiteral("Pagina precedente."), QKeySequence(Qt::Key_PageUp));
  connect(previous, &QAction::triggered, this, [this] { goToPage(current_ - 1); });
  auto* next = addCommand(QStringLiteral("cmdPaginaSuccessiva"), QStringLiteral(">"),
                          QStringLiteral("Pagina successiva."), QKeySequence(Qt::Key_PageDown));
  connect(next, &QAction::triggered, this, [this] { goToPage(current_ + 1); });
  auto* lastPage = addCommand(QStringLiteral("cmdUltimaPagina"), QStringLiteral(">|"),
                              QStringLiteral("Ultima pagina."), QKeySequence(Qt::CTRL | Qt::Key_End));
  connect(lastPage, &QAction::triggered, this, [this] { goToPage(pages_.count() - 1); });
  pageLabel_ = new QLabel(this);
  pageLabel_->setObjectName(QStringLiteral("lblPagina"));
  pageLabel_->setMinimumWidth(100);
  pageLabel_->setAlignment(Qt::AlignCenter);
  pageBar_->addActions({firstPage, previous});
  pageBar_->addWidget(pageLabel_);
  pageBar_->addActions({next, lastPage});
  pageBar_->addSeparator();

  auto* close = addCommand(QStringLiteral("cmdChiudi"), QStringLiteral("Chiudi"),
                           QStringLiteral("Chiude l'anteprima."), QKeySequence());
  connect(close, &QAction::triggered, this, &QDialog::accept);
  pageBar_->addAction(close);

  thumbnails_ = new QListWidget(this);
  thumbnails_->setObjectName(QStringLiteral("lstMiniature"));
  thumbnails_->setViewMode(QListView::IconMode);
  thumbnails_->setFlow(QListView::TopToBottom);
  thumbnails_->setWrapping(false);
  thumbnails_->setMovement(QListView::Static);
  thumbnails_->setSpacing(6);
  connect(thumbs, &QAction::toggled, thumbnails_, &QWidget::setVisible);
  connect(thumbnails_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row != current_) goToPage(row);
  });

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("scrPagine"));
  scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  scroll_->setBackgroundRole(QPalette::Dark);
  auto* sheet = new QWidget;
  auto* column = new QVBoxLayout(sheet);
  column->setSpacing(kPageGap);
  column->setContentsMargins(kPageGap, kPageGap, kPageGap, kPageGap);
  column->setSizeConstraint(QLayout::SetFixedSize);
  for (int i = 0; i < pages_.count(); ++i) {
    auto* view = new PageView(pages_, i, sheet);
    view->setObjectName(QStringLiteral("pag%1").arg(i + 1));
    views_.push_back(view);
    column->addWidget(view, 0, Qt::AlignHCenter);
  }
  scroll_->setWidget(sheet);
  connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, &ReportPreview::trackCurrentPage);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(thumbnails_);
  body->addWidget(scroll_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  bars_ = new QBoxLayout(QBoxLayout::LeftToRight);
  bars_->setContentsMargins(0, 0, 0, 0);
  bars_->setSpacing(0);
  bars_->addWidget(viewBar_);
  bars_->addWidget(pageBar_, 1);
  layout->addLayout(bars_);
  layout->addLayout(body, 1);

  fillThumbnails();
  setZoom(1.0);
  showCurrentPage();
}

QAction* ReportPreview::addCommand(const QString& name, const QString& text, const QString& hint,
                                   const QKeySequence& key) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  action->setToolTip(hint);
  action->setStatusTip(hint);
  if (!key.isEmpty()) action->setShortcut(key);
  addAction(action);
  return action;
}

QSizeF ReportPreview::paperPixels(double zoom) const {
  return pages_.paper * (zoom * logicalDpiX() / 25.4);
}

void ReportPreview::setZoom(double zoom) {
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  const int page = current_;
  for (auto* v : views_) v->setZoom(zoom_);
  if (scroll_->widget()) scroll_->widget()->adjustSize();
  zoomLabel_->setText(QStringLiteral("%1%").arg(std::lround(zoom_ * 100)));
  goToPage(page);
}

void ReportPreview::zoomIn() {
  for (double z : kZoomSteps)
    if (z > zoom_ + 1e-6) return setZoom(z);
  setZoom(kMaxZoom);
}

void ReportPreview::zoomOut() {
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
    if (*it < zoom_ - 1e-6) return setZoom(*it);
  setZoom(kZoomSteps[0]);
}

void ReportPreview::fitWholePage() {
  const QSize room = scroll_->viewport()->size() - QSize(2 * kPageGap, 2 * kPageGap);
  const QSizeF paper = paperPixels(1.0);
  setZoom(std::min(room.width() / paper.width(), room.height() / paper.height()));
}

void ReportPreview::fitPageWidth() {
  const int room = scroll_->viewport()->width() - 2 * kPageGap;
  setZoom(room / paperPixels(1.0).width());
}

void ReportPreview::goToPage(int index) {
  if (views_.empty()) return;
  index = std::clamp(index, 0, int(views_.size()) - 1);
  current_ = index;
  scroll_->verticalScrollBar()->setValue(views_[index]->y() - kPageGap);
  current_ = index;  // the scroll may have reported a neighbour
  showCurrentPage();
}

void ReportPreview::trackCurrentPage() {
  const int top = scroll_->verticalScrollBar()->value() + scroll_->viewport()->height() / 3;
  int found = 0;
  for (auto* v : views_)
    if (v->y() <= top) found = v->index();
  if (found != current_) {
    current_ = found;
    showCurrentPage();
  }
}

void ReportPreview::showCurrentPage() {
  pageLabel_->setText(QStringLiteral("Pagina %1 di %2").arg(current_ + 1).arg(std::max(1, pages_.count())));
  if (thumbnails_->currentRow() != current_) {
    const QSignalBlocker block(thumbnails_);
    thumbnails_->setCurrentRow(current_);
  }
}

void ReportPreview::fillThumbnails() {
  QSize iconSize;
  for (int i = 0; i < pages_.count(); ++i) {
    const QImage image = renderPage(pages_, i, kThumbnailDpi * devicePixelRatio());
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio());
    iconSize = iconSize.expandedTo(pixmap.deviceIndependentSize().toSize());
    QIcon icon(pixmap);
    icon.addPixmap(pixmap, QIcon::Selected);  // the page keeps its colours when chosen
    auto* item = new QListWidgetItem(icon, QString::number(i + 1), thumbnails_);
    item->setTextAlignment(Qt::AlignHCenter);
  }
  thumbnails_->setIconSize(iconSize);
  thumbnails_->setFixedWidth(iconSize.width() + 48);
}

void ReportPreview::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous() && !isFullScreen() && !isMaximized()) windowfit::fitOnScreen(this);
}

void ReportPreview::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  const bool oneRow = width() >= viewBar_->sizeHint().width() + pageBar_->sizeHint().width();
  bars_->setDirection(oneRow ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

void ReportPreview::setFullScreen(bool on) {
  if (on == isFullScreen()) return;
  if (on) {
    wasMaximized_ = isMaximized();
    showFullScreen();
  } else if (wasMaximized_) {
    showMaximized();
  } else {
    showNormal();
  }
  if (fullScreen_->isChecked() != on) fullScreen_->setChecked(on);
}

} // namespace report
