// The pictures of the shell, drawn from the SVG files of its resources.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

class QWidget;

namespace artwork {

// ":/shell/pictures/<name>.svg" drawn into a square of the given side.
QPixmap picture(const QString& name, int side);
// A picture with a caption under it.
QPixmap captioned(const QString& name, int side, const QString& caption, const QWidget* fontOf,
                  QColor colour = QColor(0x1e, 0x2b, 0x3c));
// The button under a menu tile.
QPixmap tileButton(const QString& text, const QWidget* fontOf);
// The strip across the bottom of the menu that leads to the web site.
QPixmap siteStrip(const QString& address, const QWidget* fontOf);

} // namespace artwork
