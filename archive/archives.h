// An archive as the program knows it: the layout of its records and where
// its file lies, either a fixed name in the program folder or one file per
// calendar year named by the four-digit year and an extension. Cards, lists,
// exports and year screens all name their archive through one of these.
#pragma once

#include "layout.h"
#include "paths.h"

#include <QString>

struct ArchiveDef {
  const RecordLayout* layout = nullptr;
  QString fixedName; // the file's name; empty for a yearly archive
  QString extension; // after the year, for a yearly archive

  bool isYearly() const { return fixedName.isEmpty(); }
  int recordSize() const { return layout->size(); }
  // The file of a fixed archive.
  QString fixedPath() const { return paths::inProgramFolder(fixedName); }
  // The file of a year: the four characters of the year as given, then the extension.
  QString yearPath(const QString& year) const { return paths::yearly(year, extension); }
};
