// Printing the list of every client as the list screen does: "Cerca" with
// no criteria, then "Stampa", with a PDF file as the printer the print
// dialog would have offered (--to=printer, the default) or the PDF export
// of the report engine (--to=pdf). Prints how long each step took and the
// most memory the process held; run it under /usr/bin/time -v for a second
// opinion. Not a Google Benchmark: one print is one measurement.
#include "benchscreens.h"

#include "clients/clientlists.h"
#include "common/screens/listscreen.h"
#include "common/screens/progress.h"
#include "engines/reportlayout.h"
#include "engines/reportpdf.h"
#include "engines/screens/reportdesktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

namespace {

bool toPdfExport = false;
int pagesPrinted = 0;
QElapsedTimer sinceStampa; // from the click on "Stampa"
qint64 laidOutAfter = -1;  // ms from "Stampa" to the pages laid out
qint64 dialogAfter = -1;   // ms from "Stampa" to the progress dialog

// The print dialog answered at once: the pages go to a PDF file.
class PdfPrinting : public report::ReportOutput {
public:
  void print(const report::Report& r, QWidget*) override {
    const report::Pages pages = report::prepare(r);
    laidOutAfter = sinceStampa.elapsed();
    pagesPrinted = pages.count();
    const QString file = benchdata::clientFolder() + QStringLiteral("/Stampa.pdf");
    if (toPdfExport) {
      QString error;
      if (!report::writePdf(pages, file, &error)) std::abort();
      return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), pages.orientation, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
    // The progress the program shows for every print.
    screenkit::LongWork work(nullptr, QStringLiteral("Stampa"), pages.count(), {QStringLiteral("pagine"), 90, true});
    dialogAfter = work.showsDialog() ? sinceStampa.elapsed() : -1;
    report::printTo(printer, pages, [&work](int done) { return work.step(done); });
  }
  void preview(const report::Report&, QWidget*) override {}
  bool exportPdf(const report::Report&, const QString&, QString*) override { return false; }
};

} // namespace

int main(int argc, char** argv) {
  const benchdata::ScreenBenchApp app(argc, argv);
  for (int i = 1; i < argc; ++i)
    if (QByteArray(argv[i]) == "--to=pdf") toPdfExport = true;
  PdfPrinting output;
  report::setOutput(&output);

  const double before = benchdata::peakMegabytes();
  lists::ListScreen screen(clientSearchList());
  screen.show();
  QCoreApplication::processEvents();
  const double search = benchdata::seconds([&] { screen.findChild<QPushButton*>(QStringLiteral("btnCerca"))->click(); });
  const double listed = benchdata::peakMegabytes();
  sinceStampa.start();
  const double print =
      benchdata::seconds([&] { screen.findChild<QPushButton*>(QStringLiteral("btnStampa"))->click(); });
  std::printf("%zu lines, %d pages %s: search %.2f s, print %.2f s; peak memory %.0f MB (%.0f MB at start, %.0f MB "
              "with the list shown); pages laid out %lld ms after \"Stampa\", progress dialog %s\n",
              screen.entries().size(), pagesPrinted, toPdfExport ? "exported to PDF" : "printed to a PDF printer",
              search, print, benchdata::peakMegabytes(), before, listed, laidOutAfter,
              dialogAfter < 0 ? "not shown" : qPrintable(QStringLiteral("shown after %1 ms").arg(dialogAfter)));
  report::setOutput(nullptr);
  return 0;
}
