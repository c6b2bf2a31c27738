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
  Flow(Pages& pages, double pageHeight) : pages_(pages), height_(pageHeight) { newPage(); }

  Page& page() { return pages_.pages.back(); }
  std::vector<Element>& current() { return page().elements; }
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
};

// A band whose body holds lines: the lines break across pages; the band's
// remaining height follows the last line.
void flowBreakingBand(const Band& band, const Element& holder, Flow& flow, const QString& printDate) {
  const double start = flow.y;
  for (const auto& e : band.elements)
    if (&e != &holder) flow.current().push_back(shifted(e, start, printDate));

  const double pitch = listLineMm();
  const qsizetype lines = holder.lines.size();
  const double textHeight = std::max(holder.rect.height(), pitch * double(lines));
  const double bandHeight = std::max(band.height, holder.rect.top() + textHeight);

  const int body = flow.addBody(holder);
  flow.y = start + holder.rect.top();
  for (qsizetype i = 0; i < lines; ++i) {
    if (!flow.fits(pitch)) flow.newPage();
    flow.placeLine(body, i, flow.y);
    flow.y += pitch;
  }
  // What the band holds below its lines (the text box's own spare height and
  // the band's extra) closes the band; it never starts a page of its own.
  const double used = holder.rect.top() + pitch * double(lines);
  flow.y = std::min(flow.y + (bandHeight - used), flow.height());
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

  Flow flow(pages, report.printableSize().height());
  for (const auto& e : report.elements()) {
    if (e.holdsLines) {
      // On the page itself the lines stay on the first page, however many.
      const int body = flow.addBody(e);
      for (qsizetype i = 0; i < e.lines.size(); ++i) flow.placeLine(body, i, e.rect.top() + listLineMm() * double(i));
    } else
      flow.current().push_back(shifted(e, 0, printDate));
  }

  for (const auto& band : report.bands()) {
    const auto holder = std::find_if(band.elements.begin(), band.elements.end(),
                                     [](const Element& e) { return e.holdsLines; });
    if (holder != band.elements.end()) {
      flowBreakingBand(band, *holder, flow, printDate);
      continue;
    }
    flow.ensureRoom(band.height);
    for (const auto& e : band.elements) flow.current().push_back(shifted(e, flow.y, printDate));
    flow.y += band.height;
  }
  return pages;
}

Pages prepare(const Report& report) {
  return prepare(report, report.printDate().isEmpty() ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
                                                      : report.printDate());
}

} // namespace report
