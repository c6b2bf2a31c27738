// The preview window: the prepared pages one under the other, with print,
// zoom, full screen, thumbnails, page navigation and close.
#pragma once

#include "engines/reportlayout.h"

#include <QDialog>

#include <vector>

class QAction;
class QBoxLayout;
class QToolBar;
class QLabel;
class QListWidget;
class QScrollArea;

namespace report {

class PageView;

class ReportPreview : public QDialog {
  Q_OBJECT
public:
  explicit ReportPreview(Pages pages, QWidget* parent = nullptr);

  const Pages& pages() const { return pages_; }
  // 1 shows the paper at its real size on the screen.
  double zoom() const { return zoom_; }
  void setZoom(double zoom);
  void zoomIn();
  void zoomOut();
  void fitWholePage();
  void fitPageWidth();
  // 0-based page at the top of the view.
  int currentPage() const { return current_; }
  void goToPage(int index);
  void setFullScreen(bool on);

protected:
  void showEvent(QShowEvent* e) override;
  // The commands stand on one row where the window is wide enough, the
  // page commands on a row of their own under the others where it is not.
  void resizeEvent(QResizeEvent* e) override;

private:
  QAction* addCommand(const QString& name, const QString& text, const QString& hint, const QKeySequence& key);
  void trackCurrentPage();
  void showCurrentPage();
  void fillThumbnails();
  QSizeF paperPixels(double zoom) const;

  Pages pages_;
  double zoom_ = 1.0;
  int current_ = 0;
  bool wasMaximized_ = false;
  QScrollArea* scroll_ = nullptr;
  QListWidget* thumbnails_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QAction* fullScreen_ = nullptr;
  QToolBar* viewBar_ = nullptr;
  QToolBar* pageBar_ = nullptr;
  QBoxLayout* bars_ = nullptr;
  std::vector<PageView*> views_;
};

} // namespace report
