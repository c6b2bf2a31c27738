// Preparing a report: a filled template becomes pages of placed elements.
// Positions stay in mm from the top-left corner of the printable area.
// Page objects print once on the first page; bands stack down the pages,
// the list body breaking line by line where a page ends. Qt Gui only.
#pragma once

#include "reporttemplate.h"

#include <vector>

namespace report {

struct Page {
  std::vector<Element> elements;
  // The first element of that name, or nullptr; all of them (list lines).
  const Element* find(const QString& name) const;
  std::vector<const Element*> findAll(const QString& name) const;
};

struct Pages {
  QString reportName;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  QSizeF paper;       // mm
  QMarginsF margins;  // mm
  std::vector<Page> pages;
  int count() const { return int(pages.size()); }
};

// The height of one list line, in mm.
inline double listLineMm() { return unitsToMm(kListLineUnits); }

// Lays the report out; printDate (dd/mm/yyyy) replaces the date field.
Pages prepare(const Report& report, const QString& printDate);
// The same with the report's own print date (the system's date when it has none).
Pages prepare(const Report& report);

} // namespace report
