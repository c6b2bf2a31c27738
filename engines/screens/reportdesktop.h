// The desktop report output: Qt's print dialog in Italian, the preview
// window and the PDF writer.
#pragma once

#include "engines/reportlayout.h"
#include "reportoutput.h"

#include <functional>

class QPrinter;

namespace report {

class DesktopOutput : public ReportOutput {
public:
  void print(const Report& report, QWidget* parent = nullptr) override;
  void preview(const Report& report, QWidget* parent = nullptr) override;
  bool exportPdf(const Report& report, const QString& file, QString* error = nullptr) override;
};

// Shows the print dialog for these pages and prints them; false when the
// user cancels.
bool printWithDialog(const Pages& pages, QWidget* parent);

// The folder the print dialog proposes for a print to file (the program
// gives its own folder); the file is named after the report, e.g.
// "Scheda informativa.pdf". Without one the dialog proposes its own.
void setPrintToFileFolder(std::function<QString()> folder);
QString printToFileName(const Pages& pages);

// Prints the pages on a printer already set up (by the dialog, or a PDF
// printer in tests), honouring its page range, copies and page order.
void printTo(QPrinter& printer, const Pages& pages);

// Loads Qt's own Italian texts (dialog buttons, the file and print
// dialogs) once, and the words of the print dialogs it lacks.
void installItalianTranslations();

} // namespace report
