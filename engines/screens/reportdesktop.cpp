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

namespace {

// The words of the print dialogs that Qt's Italian catalogue does not hold
// yet (its dialogs changed after the catalogue was made).
class PrintDialogWords : public QTranslator {
public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    static const struct {
      const char *context, *source, *italian;
    } words[] = {
        {"QPrintSettingsOutput", "Pages", "Pagine"},
        {"QPrintSettingsOutput", "Double Sided Printing", "Stampa fronte/retro"},
        {"QPrintSettingsOutput", "Off", "Disattivata"},
        {"QPrintSettingsOutput", "Long side binding", "Rilegatura sul lato lungo"},
        {"QPrintSettingsOutput", "Short side binding", "Rilegatura sul lato corto"},
        {"QPrintSettingsOutput",
         "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
         "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
         "Indicare pagine o intervalli separati da virgole; un intervallo \u00E8 formato da due numeri separati da un "
         "trattino. Ad esempio 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9."},
        {"QPrintPropertiesWidget", "Advanced", "Avanzate"},
        {"QPrintDialog", "Invalid Pages Definition", "Pagine indicate non valide"},
        {"QPrintDialog",
         "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define ranges and "
         "make sure ranges do not intersect with each other.",
         "%1 non \u00E8 scritto correttamente. Separare pagine e intervalli con ',', indicare gli intervalli con '-' "
         "e fare in modo che gli intervalli non si sovrappongano."},
        {"QPrintPropertiesDialog", "Page Setup Conflicts", "Impostazioni di pagina in conflitto"},
        {"QPrintPropertiesDialog", "There are conflicts in page setup options. Do you want to fix them?",
         "Alcune impostazioni di pagina sono in conflitto. Si desidera correggerle?"},
        {"QPrintPropertiesDialog", "Advanced Option Conflicts", "Opzioni avanzate in conflitto"},
        {"QPrintPropertiesDialog", "There are conflicts in some advanced options. Do you want to fix them?",
         "Alcune opzioni avanzate sono in conflitto. Si desidera correggerle?"},
    };
    for (const auto& w : words)
      if (qstrcmp(context, w.context) == 0 && qstrcmp(source, w.source) == 0) return QString::fromUtf8(w.italian);
    return QString();
  }
};

} // namespace

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
  // only the words Qt's own catalogue lacks
  QCoreApplication::installTranslator(new PrintDialogWords(QCoreApplication::instance()));
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
  // wide enough to read the whole file name of a print to file
  dialog.setMinimumWidth(std::max(dialog.minimumSizeHint().width(), 560));
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
