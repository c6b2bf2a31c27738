// Where a filled report goes: the print dialog, the preview window or a PDF
// file. Screens fill a report template and call
//   report::output().print(r, this) / .preview(r, this) / .exportPdf(r, file, &error)
// Tests install a recording output with report::setOutput().
#pragma once

#include "engines/reporttemplate.h"

#include <QString>

class QWidget;

namespace report {

class ReportOutput {
public:
  virtual ~ReportOutput() = default;
  // Prepares the report, shows the print dialog (printer, pages, copies) and
  // prints; cancelling the dialog prints nothing.
  virtual void print(const Report& report, QWidget* parent = nullptr) = 0;
  // Prepares the report and shows it in the modal preview window (print,
  // zoom, full screen, thumbnails, page navigation, close).
  virtual void preview(const Report& report, QWidget* parent = nullptr) = 0;
  // Prepares the report and writes it to `file` without any dialog,
  // replacing an existing file. False with *error set when it cannot.
  virtual bool exportPdf(const Report& report, const QString& file, QString* error = nullptr) = 0;
};

// The output in use: the desktop one unless a test installed its own.
ReportOutput& output();
// Replace the output (not owned); nullptr restores the desktop one.
void setOutput(ReportOutput* output);

} // namespace report
