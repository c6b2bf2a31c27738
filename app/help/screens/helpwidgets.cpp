#include "helpwidgets.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

static void registerHelpImages() {
  static const bool done = [] {
    Q_INIT_RESOURCE(help_images);
    return true;
  }();
  (void)done;
}

namespace helpscreens {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    down_ = true;
    emit pressed();
  }
  QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && down_) {
    down_ = false;
    emit released();
    if (rect().contains(event->position().toPoint())) emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

QColor linkColour() { return QColor(0x00, 0x00, 0x8B); }
QColor linkPressedColour() { return QColor(0xFF, 0xA5, 0x00); }

namespace {
void paintLink(QLabel* link, const QColor& colour) {
  QPalette palette = link->palette();
  palette.setColor(QPalette::WindowText, colour);
  link->setPalette(palette);
}
} // namespace

void bindLink(ClickLabel* link, std::initializer_list<ClickLabel*> pictures, std::function<void()> open) {
  QFont font = link->font();
  font.setUnderline(true);
  link->setFont(font);
  paintLink(link, linkColour());
  auto wire = [link, open](ClickLabel* source) {
    source->setCursor(Qt::PointingHandCursor);
    QObject::connect(source, &ClickLabel::pressed, link, [link] { paintLink(link, linkPressedColour()); });
    QObject::connect(source, &ClickLabel::released, link, [link] { paintLink(link, linkColour()); });
    QObject::connect(source, &ClickLabel::clicked, link, [open] { open(); });
  };
  wire(link);
  for (ClickLabel* p : pictures) wire(p);
}

QPixmap picture(const QString& name, QSize size) {
  registerHelpImages();
  QSvgRenderer renderer(QStringLiteral(":/help/images/") + name + QStringLiteral(".svg"));
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  if (renderer.isValid()) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
  }
  return QPixmap::fromImage(image);
}

void centre(QWidget* window, const QWidget* over) {
  QRect area;
  if (over && over->isVisible()) {
    area = over->window()->frameGeometry();
  } else {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    area = screen->availableGeometry();
  }
  const QSize size = window->frameGeometry().size();
  window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

} // namespace helpscreens
