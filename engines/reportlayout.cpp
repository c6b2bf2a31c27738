#include "reportlayout.h"

#include <QDate>

#include <algorithm>

namespace report {

namespace {

// Small tolerance so that a line ending exactly on the page edge still fits.
constexpr double kEpsilon = 1e-6;

Element placed(const Element& e, double dy, const QString& printDate) {
  Element p = e;
  p.rect.translate(0, dy);
  if (p.expandsDate) {
    p.text.replace(kDateField, printDate);
    p.expandsDate = false;
  }
  return p;
}

// Line i of a line holder as a text box of its own, one line high, at `top`.
// The line shares its text with the holder. Its own list of lines is made
// empty by assignment: clear() on a shared list would give every line an
// empty list as large as the holder's, and a long list would need memory in
// the square of its length.
Element lineOf(const Element& holder, int i, double top) {
  Element l = holder;
  l.holdsLines = false;
  l.lines = QStringList();
  l.text = holder.lines[i];
  l.rect = QRectF(holder.rect.left(), top, holder.rect.width(), listLineMm());
  return l;
}

class Flow {
public:
  Flow(Pages& pages, double pageHeight) : pages_(pages), height_(pageHeight) { newPage(); }

  std::vector<Element>& current() { return pages_.pages.back().elements; }
  double y = 0;

  void newPage() {
    pages_.pages.emplace_back();
    y = 0;
  }
  // Starts a new page unless `h` more mm fit here (or the page is still empty).
  void ensureRoom(double h) {
    if (y > 0 && y + h > height_ + kEpsilon) newPage();
  }
  bool fits(double h) const { return y + h <= height_ + kEpsilon; }
  double height() const { return height_; }

private:
  Pages& pages_;
  double height_;
};

// A band whose body holds lines: the lines break across pages; the band's
// remaining height follows the last line.
void flowBreakingBand(const Band& band, const Element& holder, Flow& flow, const QString& printDate) {
  const double start = flow.y;
  for (const auto& e : band.elements)
    if (&e != &holder) flow.current().push_back(placed(e, start, printDate));

  const double pitch = listLineMm();
  const double textHeight = std::max(holder.rect.height(), pitch * holder.lines.size());
  const double bandHeight = std::max(band.height, holder.rect.top() + textHeight);

  flow.y = start + holder.rect.top();
  for (int i = 0; i < holder.lines.size(); ++i) {
    if (!flow.fits(pitch)) flow.newPage();
    flow.current().push_back(lineOf(holder, i, flow.y));
    flow.y += pitch;
  }
  // What the band holds below its lines (the text box's own spare height and
  // the band's extra) closes the band; it never starts a page of its own.
  const double used = holder.rect.top() + pitch * holder.lines.size();
  flow.y = std::min(flow.y + (bandHeight - used), flow.height());
}

} // namespace

const Element* Page::find(const QString& name) const {
  for (const auto& e : elements)
    if (e.name == name) return &e;
  return nullptr;
}

std::vector<const Element*> Page::findAll(const QString& name) const {
  std::vector<const Element*> found;
  for (const auto& e : elements)
    if (e.name == name) found.push_back(&e);
  return found;
}

Pages prepare(const Report& report, const QString& printDate) {
  Pages pages;
  pages.reportName = report.name();
  pages.orientation = report.orientation();
  pages.paper = report.paperSize();
  pages.margins = report.margins();

  Flow flow(pages, report.printableSize().height());
  for (const auto& e : report.elements()) {
    if (e.holdsLines) {
      for (int i = 0; i < e.lines.size(); ++i) flow.current().push_back(lineOf(e, i, e.rect.top() + listLineMm() * i));
    } else
      flow.current().push_back(placed(e, 0, printDate));
  }

  for (const auto& band : report.bands()) {
    const auto holder = std::find_if(band.elements.begin(), band.elements.end(),
                                     [](const Element& e) { return e.holdsLines; });
    if (holder != band.elements.end()) {
      flowBreakingBand(band, *holder, flow, printDate);
      continue;
    }
    flow.ensureRoom(band.height);
    for (const auto& e : band.elements) flow.current().push_back(placed(e, flow.y, printDate));
    flow.y += band.height;
  }
  return pages;
}

Pages prepare(const Report& report) {
  return prepare(report, report.printDate().isEmpty() ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
                                                      : report.printDate());
}

} // namespace report
