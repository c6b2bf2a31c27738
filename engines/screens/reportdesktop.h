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
// user cancels the dialog or stops the print (*error left empty), or when
// the print failed (*error says why).
bool printWithDialog(const Pages& pages, QWidget* parent, QString* error = nullptr);

// How a print to a PDF file reaches its file: the program hands in its safe
// save, which makes a temporary file beside the target (refusing a link, a
// folder or a read-only file in its place), lets `print` fill it by name,
// syncs it and renames it over the target. True when saved, else false with
// *reason set (empty when the print was stopped). Until one is installed a
// print goes to a temporary file beside the target and is renamed over it.
using PrintFiller = std::function<bool(const QString& temporary, QString* reason)>;
using PrintFileSaver = std::function<bool(const QString& file, const PrintFiller& print, QString* reason)>;
void setPrintFileSaver(PrintFileSaver saver);

// Who tells the user that a print failed (the program's messages); until
// one is installed a message box does.
using PrintFailureNotice = std::function<void(QWidget* parent, const QString& message)>;
void setPrintFailureNotice(PrintFailureNotice notice);
// The message of a print that failed, naming the file of a print to file.
QString printFailedMessage(const QString& file, const QString& reason);

// The folder the print dialog proposes for a print to file (the program
// gives its own folder); the file is named after the report, e.g.
// "Scheda informativa.pdf". Without one the dialog proposes its own.
void setPrintToFileFolder(std::function<QString()> folder);
QString printToFileName(const Pages& pages);

// Prints the pages on a printer already set up (by the dialog, or a PDF
// printer in tests), honouring its page range, copies and page order.
// `printed` hears of every page sent; when it says stop, no further page is
// sent and printTo returns false. A PDF file printed to is replaced only by
// a whole print, and never written in place. A print that fails (not one
// stopped) sets *error to the reason.
bool printTo(QPrinter& printer, const Pages& pages, const std::function<bool(int pages)>& printed = {},
             QString* error = nullptr);

// Loads Qt's own Italian texts (dialog buttons, the file and print
// dialogs) once, and the words of the print dialogs it lacks.
void installItalianTranslations();

} // namespace report
