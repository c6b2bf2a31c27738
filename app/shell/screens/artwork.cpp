#include "artwork.h"

#include "common/screens/screenkit.h"

#include <QFontMetrics>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

static void loadShellResources() { Q_INIT_RESOURCE(shell); }

namespace artwork {

QPixmap picture(const QString& name, int side) {
  static const bool loaded = (loadShellResources(), true);
  Q_UNUSED(loaded);
  return screenkit::picture(QStringLiteral(":/shell/pictures/%1.svg").arg(name), QSize(side, side));
}

QPixmap captioned(const QString& name, int side, const QString& caption, const QWidget* fontOf, QColor colour) {
  const QFontMetrics fm(fontOf->font());
  const int w = qMax(side, fm.horizontalAdvance(caption)) + 8;
  QPixmap pm(w, side + fm.height() + 6);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.drawPixmap((w - side) / 2, 0, picture(name, side));
  p.setFont(fontOf->font());
  p.setPen(colour);
  p.drawText(QRect(0, side + 4, w, fm.height() + 2), Qt::AlignHCenter | Qt::AlignTop, caption);
  return pm;
}

QPixmap tileButton(const QString& text, const QWidget* fontOf) {
  QFont f = fontOf->font();
  f.setBold(true);
  const QFontMetrics fm(f);
  const int h = fm.height() + 14, arrow = h - 8;
  const int w = fm.horizontalAdvance(text) + arrow + 40;
  QPixmap pm(w, h + 2);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath pill;
  pill.addRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), h / 2.0, h / 2.0);
  p.fillPath(pill.translated(0, 1.5), QColor(0, 0, 0, 40));
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0x4a, 0x8a, 0xd6));
  g.setColorAt(1, QColor(0x1f, 0x55, 0x9a));
  p.fillPath(pill, g);
  p.setPen(Qt::white);
  p.setFont(f);
  p.drawText(QRect(16, 0, w - arrow - 24, h), Qt::AlignVCenter | Qt::AlignLeft, text);
  p.drawPixmap(w - arrow - 6, 4, picture(QStringLiteral("apri"), arrow));
  return pm;
}

QPixmap siteStrip(const QString& address, const QWidget* fontOf) {
  QFont f = fontOf->font();
  f.setPointSizeF(f.pointSizeF() * 1.1);
  const QFontMetrics fm(f);
  const QString text = QStringLiteral("Visita il sito di Velarion:  ") + address;
  const int h = 30, w = fm.horizontalAdvance(text) + h + 40;
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // a small globe
  const QRectF globe(8, 4, h - 8, h - 8);
  p.setPen(QPen(QColor(0x2f, 0x6d, 0xb5), 1.8));
  p.setBrush(QColor(0xdf, 0xec, 0xfb));
  p.drawEllipse(globe);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(globe.adjusted(globe.width() * 0.3, 0, -globe.width() * 0.3, 0));
  p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
  p.setFont(f);
  p.setPen(QColor(0x1f, 0x4f, 0x8f));
  p.drawText(QRect(h + 10, 0, w - h - 10, h), Qt::AlignVCenter | Qt::AlignLeft, text);
  return pm;
}

} // namespace artwork
