#include "progress.h"

#include "engines/screens/reportdesktop.h"

#include <QApplication>
#include <QLocale>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>

namespace screenkit {

namespace {
// How often the count is shown and events processed, in ms.
qint64 eventInterval = 40;
// The bar counts in steps of at most this many, whatever the total.
constexpr qint64 kBarSteps = 1000;
} // namespace

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

LongWork::LongWork(QWidget* parent, const QString& what, qint64 total, const Options& options)
    : what_(what), unit_(options.unit), total_(total) {
  clock_.start();
  if (total_ <= 0 || total_ < options.dialogFrom) return;
  dialog_ = new QProgressDialog(parent);
  dialog_->setObjectName(QStringLiteral("TfrmAvanzamento"));
  dialog_->setWindowTitle(QStringLiteral(" Velarion"));
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setMinimumDuration(0);
  dialog_->setMinimumWidth(380);
  if (options.cancellable) {
    auto* annulla = new QPushButton(QStringLiteral("Annulla"), dialog_);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    dialog_->setCancelButton(annulla);
  } else {
    dialog_->setCancelButton(nullptr);
  }
  dialog_->setRange(0, int(kBarSteps));
  // The dialog's own cursor stays an arrow, so "Annulla" can be aimed at.
  dialog_->setCursor(Qt::ArrowCursor);
  show(0);
  dialog_->show();
  QCoreApplication::processEvents();
}

LongWork::~LongWork() { delete dialog_; }

void LongWork::show(qint64 done) {
  const QLocale italian(QLocale::Italian, QLocale::Italy);
  dialog_->setLabelText(QStringLiteral("%1 in corso. Attendere...\n%2 %3 su %4")
                            .arg(what_, italian.toString(done), unit_, italian.toString(total_)));
  dialog_->setValue(int(total_ > 0 ? done * kBarSteps / total_ : 0));
}

void LongWork::setEventInterval(qint64 ms) { eventInterval = ms; }

bool LongWork::step(qint64 done) {
  if (dialog_ && dialog_->wasCanceled()) cancelled_ = true;
  if (cancelled_) return false;
  const qint64 now = clock_.elapsed();
  if (now - lastShownAt_ < eventInterval) return true;
  lastShownAt_ = now;
  if (dialog_) show(done);
  QCoreApplication::processEvents();
  if (dialog_ && dialog_->wasCanceled()) cancelled_ = true;
  return !cancelled_;
}

namespace {
// A print of more pages than this shows its dialog (about as many list lines
// as the records from which other work shows it).
constexpr qint64 kPrintDialogFrom = 90;

class PrintProgressShown : public report::PrintProgress {
public:
  PrintProgressShown(QWidget* parent, int pages)
      : work_(parent, QStringLiteral("Stampa"), pages, {QStringLiteral("pagine"), kPrintDialogFrom, true}) {}
  bool printed(int pages) override { return work_.step(pages); }

private:
  LongWork work_;
};
} // namespace

void installPrintProgress() {
  report::setPrintProgress(
      [](QWidget* parent, int pages) { return std::make_unique<PrintProgressShown>(parent, pages); });
}

} // namespace screenkit
