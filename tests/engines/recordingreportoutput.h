// A report output for screen tests: records every print, preview and PDF
// export instead of showing a dialog. PDF exports still write the file
// unless writePdf is false (then pdfResult is returned).
//   RecordingReportOutput printed;  ...click cmdStampa...
//   QCOMPARE(printed.last().report.text("txtCampo01"), ...);
#pragma once

#include "archive/safefile.h"
#include "engines/reportlayout.h"
#include "engines/reportpdf.h"
#include "engines/screens/reportoutput.h"

#include <vector>

class RecordingReportOutput : public report::ReportOutput {
public:
  enum class Call { Print, Preview, Pdf };
  struct Entry {
    Call call;
    report::Report report;  // as filled by the screen
    report::Pages pages;    // as the engine lays it out
    QString file;           // PDF exports only
  };

  RecordingReportOutput() {
    report::setOutput(this);
    report::setFileSaver(safefile::saveTo); // as the program does at start-up
  }
  ~RecordingReportOutput() override { report::setOutput(nullptr); }

  void print(const report::Report& r, QWidget*) override { calls.push_back({Call::Print, r, report::prepare(r), {}}); }
  void preview(const report::Report& r, QWidget*) override {
    calls.push_back({Call::Preview, r, report::prepare(r), {}});
  }
  bool exportPdf(const report::Report& r, const QString& file, QString* error) override {
    calls.push_back({Call::Pdf, r, report::prepare(r), file});
    if (writePdf) return report::writePdf(calls.back().pages, file, error);
    if (!pdfResult && error) *error = pdfError;
    return pdfResult;
  }

  const Entry& last() const { return calls.back(); }
  bool empty() const { return calls.empty(); }

  std::vector<Entry> calls;
  bool writePdf = true;
  bool pdfResult = true;
  QString pdfError = QStringLiteral("Impossibile scrivere il file.");
};
