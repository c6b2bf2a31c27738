#include "reportdesktop.h"

#include "engines/reportpainter.h"
#include "engines/reportpdf.h"
#include "reportpreview.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLibraryInfo>
#include <QLocale>
#include <QPageRanges>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTranslator>

#include <algorithm>

namespace report {

namespace {

struct OutputSlot {
  DesktopOutput desktop;
  ReportOutput* installed = nullptr;
  std::function<QString()> printFolder;
};

OutputSlot& slot() {
  static OutputSlot s;
  return s;
}

void setUpPrinter(QPrinter& printer, const Pages& pages) {
  printer.setDocName(pages.reportName);
  printer.setCreator(QStringLiteral("Velarion"));
  // Full page: the painter places the template margins itself.
  printer.setFullPage(true);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), pages.orientation, QMarginsF(0, 0, 0, 0),
                                    QPageLayout::Millimeter));
}

} // namespace

void setPrintToFileFolder(std::function<QString()> folder) { slot().printFolder = std::move(folder); }

QString printToFileName(const Pages& pages) {
  const QString folder = slot().printFolder ? slot().printFolder() : QString();
  if (folder.isEmpty()) return QString();
  return QDir(folder).filePath(pages.reportName + QStringLiteral(".pdf"));
}

ReportOutput& output() { return slot().installed ? *slot().installed : slot().desktop; }
void setOutput(ReportOutput* o) { slot().installed = o; }

void installItalianTranslations() {
  static bool done = false;
  if (done || !QCoreApplication::instance()) return;
  done = true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

void printTo(QPrinter& printer, const Pages& pages) {
  if (pages.count() == 0) return;
  // The template decides the orientation, whatever the dialog left.
  printer.setFullPage(true);
  printer.setPageOrientation(pages.orientation);

  std::vector<int> order;
  const QPageRanges ranges = printer.pageRanges();
  for (int i = 0; i < pages.count(); ++i)
    if (ranges.isEmpty() || ranges.contains(i + 1)) order.push_back(i);
  if (order.empty()) return;
  if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(order.begin(), order.end());
  // When the printer cannot make copies itself, the pages are sent again.
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());

  QPainter painter;
  if (!painter.begin(&printer)) return;
  const double dotsPerMm = printer.resolution() / 25.4;
  bool first = true;
  for (int c = 0; c < copies; ++c) {
    for (int index : order) {
      if (!first) printer.newPage();
      first = false;
      paintPage(painter, pages, index, dotsPerMm);
    }
  }
  painter.end();
}

bool printWithDialog(const Pages& pages, QWidget* parent) {
  installItalianTranslations();
  QPrinter printer(QPrinter::HighResolution);
  setUpPrinter(printer, pages);
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setMinMax(1, std::max(1, pages.count()));
  // Qt's own field for the file of a print to file
  if (const QString file = printToFileName(pages); !file.isEmpty())
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) name->setText(file);
  if (dialog.exec() != QDialog::Accepted) return false;
  printTo(printer, pages);
  return true;
}

void DesktopOutput::print(const Report& report, QWidget* parent) {
  printWithDialog(prepare(report), parent ? parent : QApplication::activeWindow());
}

void DesktopOutput::preview(const Report& report, QWidget* parent) {
  installItalianTranslations();
  ReportPreview window(prepare(report), parent ? parent : QApplication::activeWindow());
  window.setWindowState(window.windowState() | Qt::WindowMaximized);
  window.exec();
}

bool DesktopOutput::exportPdf(const Report& report, const QString& file, QString* error) {
  return writePdf(prepare(report), file, error);
}

} // namespace report
