#include "reportlayout.h"

#include <QDate>

#include <algorithm>

namespace report {

namespace {

// Small tolerance so that a line ending exactly on the page edge still fits.
constexpr double kEpsilon = 1e-6;

Element shifted(const Element& e, double dy, const QString& printDate) {
  Element p = e;
  p.rect.translate(0, dy);
  if (p.expandsDate) {
    p.text.replace(kDateField, printDate);
    p.expandsDate = false;
  }
  return p;
}

class Flow {
public:
  Flow(Pages& pages, double pageHeight, const QString& printDate)
      : pages_(pages), height_(pageHeight), printDate_(printDate) {
    pages_.pages.emplace_back();
  }

  Page& page() { return pages_.pages.back(); }
  std::vector<Element>& current() { return page().elements; }
  double y = 0;

  // The bands a list repeats on the pages its body breaks onto.
  std::vector<const Band*> headings;
  std::vector<const Band*> feet;
  double feetHeight() const {
    double h = 0;
    for (const Band* b : feet) h += b->height;
    return h;
  }

  // An element `dy` mm lower than its place.
  void place(const Element& e, double dy) { current().push_back(shifted(e, dy, printDate_)); }
  // A band's elements at the current height, which then moves below it.
  void placeBand(const Band& band) {
    for (const auto& e : band.elements) place(e, y);
    y += band.height;
  }
  // A new page; once a list body has begun, it opens with the headings.
  // Its elements are only those the headings and feet bring: a list of
  // many pages holds no more than that for each.
  void newPage() {
    pages_.pages.emplace_back();
    y = 0;
    if (!bodyBegun) return;
    size_t repeated = 0;
    for (const Band* b : headings) repeated += b->elements.size();
    for (const Band* b : feet) repeated += b->elements.size();
    current().reserve(repeated);
    for (const Band* h : headings) placeBand(*h);
  }
  // The body goes on on the next page: this one closes `gap` below its last
  // line with the page feet.
  void breakBody(double gap) {
    y += gap;
    for (const Band* f : feet) placeBand(*f);
    newPage();
  }
  // Starts a new page unless `h` more mm fit here (or the page is still empty).
  void ensureRoom(double h) {
    if (y > 0 && y + h > height_ + kEpsilon) newPage();
  }
  bool fits(double h) const { return y + h <= height_ + kEpsilon; }
  double height() const { return height_; }
  bool bodyBegun = false;

  // Line `line` of body `body` goes on the current page at `top`.
  void placeLine(int body, qsizetype line, double top) {
    auto& runs = page().runs;
    if (runs.empty() || runs.back().body != body || runs.back().first + runs.back().count != line)
      runs.push_back({body, line, 0, top});
    ++runs.back().count;
  }
  int addBody(const Element& holder) {
    pages_.bodies.push_back(holder);
    return int(pages_.bodies.size()) - 1;
  }

private:
  Pages& pages_;
  double height_;
  QString printDate_;
};

// A band whose body holds lines: the lines break across pages; the band's
// remaining height follows the last line. A page the lines leave closes
// with the page feet, as far below its last line as the band's own space
// below its text, and the next page opens with the headings.
void flowBreakingBand(const Band& band, const Element& holder, Flow& flow) {
  const double start = flow.y;
  for (const auto& e : band.elements)
    if (&e != &holder) flow.place(e, start);

  const double pitch = listLineMm();
  const qsizetype lines = holder.lines.size();
  const double textHeight = std::max(holder.rect.height(), pitch * double(lines));
  const double bandHeight = std::max(band.height, holder.rect.top() + textHeight);
  const double gap = std::max(0.0, band.height - holder.rect.top() - holder.rect.height());
  // the room a page keeps below its last line for its feet
  const double reserve = flow.feet.empty() ? 0.0 : gap + flow.feetHeight();

  const int body = flow.addBody(holder);
  flow.bodyBegun = true;
  flow.y = start + holder.rect.top();
  qsizetype onPage = 0;
  for (qsizetype i = 0; i < lines; ++i) {
    // a page too short for even one line and its feet still takes one
    if (!flow.fits(pitch + reserve) && onPage > 0) {
      flow.breakBody(gap);
      flow.y += holder.rect.top();
      onPage = 0;
    } else if (!flow.fits(pitch) && flow.feet.empty()) {
      flow.newPage();
      onPage = 0;
    }
    flow.placeLine(body, i, flow.y);
    flow.y += pitch;
    ++onPage;
  }
  // What the band holds below its lines (the text box's own spare height and
  // the band's extra) closes the band; it never starts a page of its own.
  const double used = holder.rect.top() + pitch * double(lines);
  flow.y = std::min(flow.y + (bandHeight - used), flow.height());
}

// The page fields of every page: its number and the count of pages.
void numberPages(Pages& pages) {
  const QString count = QString::number(pages.count());
  for (int i = 0; i < pages.count(); ++i)
    for (Element& e : pages.pages[size_t(i)].elements)
      if (e.expandsPage) {
        e.text.replace(kPagesField, count);
        e.text.replace(kPageField, QString::number(i + 1));
        e.expandsPage = false;
      }
}

} // namespace

const Element* Page::find(const QString& name) const {
  for (const auto& e : elements)
    if (e.name == name) return &e;
  return nullptr;
}

Element Pages::lineBox(const LineRun& run, qsizetype i) const {
  const Element& body = bodies[size_t(run.body)];
  Element l = body;
  l.holdsLines = false;
  l.lines.clear();
  l.text = body.lines.at(run.first + i).toString();
  l.rect = QRectF(body.rect.left(), run.top + listLineMm() * double(i), body.rect.width(), listLineMm());
  return l;
}

std::vector<Element> Pages::placed(int index, const QString& name) const {
  std::vector<Element> found;
  const Page& page = pages[size_t(index)];
  for (const auto& e : page.elements)
    if (e.name == name) found.push_back(e);
  for (const LineRun& run : page.runs)
    if (bodies[size_t(run.body)].name == name)
      for (qsizetype i = 0; i < run.count; ++i) found.push_back(lineBox(run, i));
  return found;
}

Pages prepare(const Report& report, const QString& printDate) {
  Pages pages;
  pages.reportName = report.name();
  pages.orientation = report.orientation();
  pages.paper = report.paperSize();
  pages.margins = report.margins();

  Flow flow(pages, report.printableSize().height(), printDate);
  for (const auto& e : report.elements()) {
    if (e.holdsLines) {
      // On the page itself the lines stay on the first page, however many.
      const int body = flow.addBody(e);
      for (qsizetype i = 0; i < e.lines.size(); ++i) flow.placeLine(body, i, e.rect.top() + listLineMm() * double(i));
    } else
      flow.place(e, 0);
  }

  // The bands with their date fields written once: the pages that repeat
  // them share the texts.
  std::vector<Band> bands = report.bands();
  for (Band& band : bands)
    for (Element& e : band.elements)
      if (e.expandsDate) e = shifted(e, 0, printDate);
  for (const auto& band : bands)
    if (band.repeat == Repeat::PageFoot) flow.feet.push_back(&band);
  for (const auto& band : bands) {
    const auto holder = std::find_if(band.elements.begin(), band.elements.end(),
                                     [](const Element& e) { return e.holdsLines; });
    if (holder != band.elements.end()) {
      flowBreakingBand(band, *holder, flow);
      continue;
    }
    if (band.repeat == Repeat::Heading) flow.headings.push_back(&band);
    flow.ensureRoom(band.height);
    flow.placeBand(band);
  }
  numberPages(pages);
  return pages;
}

Pages prepare(const Report& report) {
  return prepare(report, report.printDate().isEmpty() ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
                                                      : report.printDate());
}

} // namespace report
