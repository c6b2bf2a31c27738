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

// How a one-line text box draws its text: its own size when the text fits,
// else (Fit::Shrink) the largest smaller size that holds it, down to
// kSmallestPointSize, and there the text ended with "…" when it still does
// not fit.
struct FittedLine {
  double pointSize;
  QString text;
};
FittedLine fitLine(const Element& e);
// The lines a wrapping text box (Fit::Wrap) draws, at least one, and the
// distance between them in mm.
QStringList wrappedLines(const Element& e);
double lineSpacingMm(const Element& e);

// The yellow folder icon of the cards, drawn into `rect` (device units).
void paintFolderIcon(QPainter& painter, const QRectF& rect);

// Page `index` on white paper as an image of `dpi` dots per inch.
QImage renderPage(const Pages& pages, int index, double dpi);

} // namespace report
