// Painting prepared pages on any paint device: a printer, a PDF writer or an
// image for the preview. Positions are converted from mm to device units
// here; the painter itself is never scaled, so point sizes stay true.
#pragma once

#include "reportlayout.h"

#include <QImage>

class QPainter;

namespace report {

// Paints page `index` with the paper's top-left corner at `origin` (device
// units) and `dotsPerMm` device units per mm. Does not fill the paper.
void paintPage(QPainter& painter, const Pages& pages, int index, double dotsPerMm, QPointF origin = {});

// The yellow folder icon of the cards, drawn into `rect` (device units).
void paintFolderIcon(QPainter& painter, const QRectF& rect);

// Page `index` on white paper as an image of `dpi` dots per inch.
QImage renderPage(const Pages& pages, int index, double dpi);

} // namespace report
