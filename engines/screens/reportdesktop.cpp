#include "reportdesktop.h"

#include "engines/reportpainter.h"
#include "engines/reportpdf.h"
#include "reportpreview.h"

#include <QApplication>
#include <QFileInfo>
#include <QDir>
#include <QLineEdit>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPageRanges>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace report {

namespace {

struct OutputSlot {
  DesktopOutput desktop;
  ReportOutput* installed = nullptr;
  PrintProgressMaker progress;
  std::function<QString()> printFolder;
  PrintFileSaver fileSaver;
  PrintFailureNotice failureNotice;
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
void setPrintProgress(PrintProgressMaker maker) { slot().progress = std::move(maker); }
void setPrintFileSaver(PrintFileSaver saver) { slot().fileSaver = std::move(saver); }
void setPrintFailureNotice(PrintFailureNotice notice) { slot().failureNotice = std::move(notice); }

QString printFailedMessage(const QString& file, const QString& reason) {
  const QString what = file.isEmpty()
                           ? QStringLiteral("Attenzione: la stampa non \u00E8 riuscita.")
                           : QStringLiteral("Attenzione: non \u00E8 stato possibile stampare sul file \"") +
                                 QDir::toNativeSeparators(file) +
                                 QStringLiteral("\"; il file che c'era \u00E8 rimasto com'era.");
  return what + QStringLiteral("\r\n\r\n") + reason;
}

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

namespace {
// The pages a print run sends, in order: the printer's range and page
// order, and the copies the printer cannot make itself sent again.
std::vector<int> sendOrder(const QPrinter& printer, const Pages& pages) {
  std::vector<int> order;
  const QPageRanges ranges = printer.pageRanges();
  for (int i = 0; i < pages.count(); ++i)
    if (ranges.isEmpty() || ranges.contains(i + 1)) order.push_back(i);
  if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(order.begin(), order.end());
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  std::vector<int> all;
  all.reserve(order.size() * size_t(copies));
  for (int c = 0; c < copies; ++c) all.insert(all.end(), order.begin(), order.end());
  return all;
}

// A print to a PDF file goes to a temporary file beside it, which takes the
// file's name only once the print is whole: a print stopped or failed half
// way leaves the file that was there before as it was.
class PdfFileAside {
public:
  explicit PdfFileAside(QPrinter& printer) : printer_(printer), target_(printer.outputFileName()) {
    if (printer.outputFormat() != QPrinter::PdfFormat || target_.isEmpty()) return;
    const QFileInfo info(target_);
    temp_.setFileTemplate(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp_.open()) {
      failed_ = true; // never printed straight into the file
      return;
    }
    temp_.close();
    temp_.setPermissions(info.exists() ? info.permissions()
                                       : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                                             QFile::ReadGroup | QFile::ReadOther);
    printer_.setOutputFileName(temp_.fileName());
    aside_ = true;
  }
  ~PdfFileAside() {
    if (aside_) printer_.setOutputFileName(target_);
  }
  PdfFileAside(const PdfFileAside&) = delete;
  PdfFileAside& operator=(const PdfFileAside&) = delete;

  // False when no temporary file could be made beside the file.
  bool ready() const { return !failed_; }

  // The print is whole: it takes the file's name (false when it cannot).
  // The PDF writer does not report a write that failed (a full disk), so
  // the file is taken only when it ends as a finished PDF ends, and only
  // once it is on the disk; the folder is synced after the rename.
  bool keep() {
    if (!aside_) return true;
    const QByteArray temp = QFile::encodeName(temp_.fileName());
    if (!finishedAndSynced(temp)) return false;
    if (std::rename(temp.constData(), QFile::encodeName(target_).constData()) != 0) return false;
    temp_.setAutoRemove(false);
    const int folder = ::open(QFile::encodeName(QFileInfo(target_).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
    return true;
  }

private:
  static bool finishedAndSynced(const QByteArray& name) {
    const int fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW);
    if (fd < 0) return false;
    bool ok = false;
    const off_t size = ::lseek(fd, 0, SEEK_END);
    char tail[32] = {};
    const off_t from = std::max<off_t>(0, size - off_t(sizeof tail));
    const ssize_t got = size > 0 ? ::pread(fd, tail, size_t(size - from), from) : 0;
    if (got > 0 && QByteArray(tail, int(got)).contains("%%EOF")) ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
  }

  QPrinter& printer_;
  const QString target_;
  QTemporaryFile temp_;
  bool aside_ = false;
  bool failed_ = false;
};

QString notWholeReason() {
  return QStringLiteral("La stampa non \u00E8 stata scritta per intero (disco pieno o errore di scrittura).");
}

// True when the file ends as a finished PDF ends: the PDF writer does not
// report a write that failed.
bool endsAsPdf(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly) || f.size() <= 0) return false;
  f.seek(std::max<qint64>(0, f.size() - 32));
  return f.read(32).contains("%%EOF");
}

// Paints the pages in order; false when the printer refuses or the user stops.
bool paintAll(QPrinter& printer, const Pages& pages, const std::vector<int>& order,
              const std::function<bool(int)>& printed, bool* stopped) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const double dotsPerMm = printer.resolution() / 25.4;
  int sent = 0;
  for (int index : order) {
    if (sent > 0) printer.newPage();
    paintPage(painter, pages, index, dotsPerMm);
    ++sent;
    if (printed && !printed(sent)) {
      // A printer keeps the pages sent so far (a PDF file is dropped with
      // its temporary file).
      printer.abort();
      painter.end();
      *stopped = true;
      return false;
    }
  }
  return painter.end();
}
} // namespace

bool printTo(QPrinter& printer, const Pages& pages, const std::function<bool(int)>& printed, QString* error) {
  // The template decides the orientation, whatever the dialog left.
  printer.setFullPage(true);
  printer.setPageOrientation(pages.orientation);
  const std::vector<int> order = sendOrder(printer, pages);
  if (order.empty()) return true;
  QString reason;
  bool stopped = false;
  const QString target = printer.outputFileName();
  bool ok = false;
  if (printer.outputFormat() == QPrinter::PdfFormat && !target.isEmpty() && slot().fileSaver) {
    ok = slot().fileSaver(
        target,
        [&](const QString& temporary, QString* why) {
          printer.setOutputFileName(temporary);
          const bool whole = paintAll(printer, pages, order, printed, &stopped) && endsAsPdf(temporary);
          printer.setOutputFileName(target);
          if (!whole && !stopped) *why = notWholeReason();
          return whole;
        },
        &reason);
  } else {
    PdfFileAside file(printer);
    if (!file.ready()) {
      reason = QStringLiteral("Non \u00E8 stato possibile creare il file temporaneo della stampa nella cartella del "
                              "file: la stampa non \u00E8 stata fatta.");
    } else {
      ok = paintAll(printer, pages, order, printed, &stopped) && file.keep();
      if (!ok && !stopped) reason = target.isEmpty() ? QStringLiteral("La stampante non ha accettato la stampa.")
                                                     : notWholeReason();
    }
  }
  if (!ok && !stopped && error) *error = reason;
  return ok;
}

bool printWithDialog(const Pages& pages, QWidget* parent, QString* error) {
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
  const auto& maker = slot().progress;
  const std::unique_ptr<PrintProgress> progress = maker ? maker(parent, int(sendOrder(printer, pages).size())) : nullptr;
  const bool printed = printTo(printer, pages, [&progress](int done) { return !progress || progress->printed(done); }, error);
  if (!printed && error && !error->isEmpty())
    *error = printFailedMessage(printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString(), *error);
  return printed;
}

void DesktopOutput::print(const Report& report, QWidget* parent) {
  QWidget* where = parent ? parent : QApplication::activeWindow();
  QString error;
  if (printWithDialog(prepare(report), where, &error) || error.isEmpty()) return;
  if (slot().failureNotice) slot().failureNotice(where, error);
  else QMessageBox::warning(where, QStringLiteral("Velarion"), error);
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
