// Preparing a report: a filled template becomes pages of placed elements.
// Positions stay in mm from the top-left corner of the printable area.
// Page objects print once on the first page; bands stack down the pages,
// the list body breaking line by line where a page ends. A page the body
// leaves closes with the page-foot bands and the next opens with the
// heading bands (Band::repeat); page fields are numbered last. The lines of a
// list body are not copied into the pages: a page holds runs of them, each
// a stretch of the body's lines printed one under the other, so a long list
// is laid out in memory in proportion to the pages, not to its lines.
// Qt Gui only.
#pragma once

#include "reporttemplate.h"

#include <vector>

namespace report {

// Lines first .. first + count - 1 of list body `body` (an index into
// Pages::bodies), the first of them at `top` mm, each a list line lower.
struct LineRun {
  int body = 0;
  qsizetype first = 0;
  qsizetype count = 0;
  double top = 0;
};

struct Page {
  std::vector<Element> elements;
  std::vector<LineRun> runs; // printed after the elements
  // The first element of that name, or nullptr (not the list lines).
  const Element* find(const QString& name) const;
};

struct Pages {
  QString reportName;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  QSizeF paper;       // mm
  QMarginsF margins;  // mm
  std::vector<Page> pages;
  // The list bodies whose lines the runs print (their lines shared with the report).
  std::vector<Element> bodies;
  int count() const { return int(pages.size()); }

  // Line `i` of a run as the text box it prints as.
  Element lineBox(const LineRun& run, qsizetype i) const;
  // The elements and list lines of that name on page `index`, in the order
  // they print, as text boxes.
  std::vector<Element> placed(int index, const QString& name) const;
};

// The height of one list line, in mm.
inline double listLineMm() { return unitsToMm(kListLineUnits); }

// Lays the report out; printDate (dd/mm/yyyy) replaces the date field.
Pages prepare(const Report& report, const QString& printDate);
// The same with the report's own print date (the system's date when it has none).
Pages prepare(const Report& report);

} // namespace report
