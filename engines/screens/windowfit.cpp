#include "windowfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace windowfit {

void fitOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // The frame the window manager draws is known once it has framed the
  // window; until then room is left for a title bar and thin borders.
  const QRect outer = window->frameGeometry(), inner = window->geometry();
  QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                 outer.bottom() - inner.bottom());
  if (!(window->windowFlags() & Qt::FramelessWindowHint))
    frame = QMargins(std::max(frame.left(), 4), std::max(frame.top(), 32), std::max(frame.right(), 4),
                     std::max(frame.bottom(), 4));
  const QSize room = area.marginsRemoved(frame).size();
  const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
  const QSize whole = size.grownBy(frame);
  // a window that fits stays where it was put
  if (size == window->size() && area.contains(QRect(outer.topLeft(), whole))) return;
  window->resize(size);
  const QPoint centre = outer.center();
  const int x = std::clamp(centre.x() - whole.width() / 2, area.left(),
                           std::max(area.left(), area.right() + 1 - whole.width()));
  const int y = std::clamp(centre.y() - whole.height() / 2, area.top(),
                           std::max(area.top(), area.bottom() + 1 - whole.height()));
  // a window's position is that of its frame
  window->move(x, y);
}

} // namespace windowfit
