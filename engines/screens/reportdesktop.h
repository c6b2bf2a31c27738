// The desktop report output: Qt's print dialog in Italian, the preview
// window and the PDF writer.
#pragma once

#include "engines/reportlayout.h"
#include "reportoutput.h"

#include <functional>
#include <memory>

class QPrinter;

namespace report {

class DesktopOutput : public ReportOutput {
public:
  void print(const Report& report, QWidget* parent = nullptr) override;
  void preview(const Report& report, QWidget* parent = nullptr) override;
  bool exportPdf(const Report& report, const QString& file, QString* error = nullptr) override;
};

// A print tells how far it has come, page by page; what shows it (a busy
// cursor, a progress dialog) is the program's, made for each print by the
// maker installed with setPrintProgress().
class PrintProgress {
public:
  virtual ~PrintProgress() = default;
  // `pages` pages are printed; false stops the print.
  virtual bool printed(int pages) = 0;
};
using PrintProgressMaker = std::function<std::unique_ptr<PrintProgress>(QWidget* parent, int pages)>;
void setPrintProgress(PrintProgressMaker maker);

// Shows the print dialog for these pages and prints them; false when the
// user cancels the dialog or stops the print.
bool printWithDialog(const Pages& pages, QWidget* parent);

// The folder the print dialog proposes for a print to file (the program
// gives its own folder); the file is named after the report, e.g.
// "Scheda informativa.pdf". Without one the dialog proposes its own.
void setPrintToFileFolder(std::function<QString()> folder);
QString printToFileName(const Pages& pages);

// Prints the pages on a printer already set up (by the dialog, or a PDF
// printer in tests), honouring its page range, copies and page order.
// `printed` hears of every page sent; when it says stop, no further page is
// sent and printTo returns false. A PDF file printed to is replaced only by
// a whole print.
bool printTo(QPrinter& printer, const Pages& pages, const std::function<bool(int pages)>& printed = {});

// Loads Qt's own Italian texts (dialog buttons, the file and print
// dialogs) once, and the words of the print dialogs it lacks.
void installItalianTranslations();

} // namespace report
