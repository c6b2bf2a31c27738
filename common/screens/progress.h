// Long work done on the user-interface thread: a scan, an export, a print.
// While it runs the busy cursor shows; work of many steps also shows at
// once the progress dialog `TfrmAvanzamento` with the count done and
// "Annulla", and events are processed every little while so that the
// program keeps painting and answering (other windows take no input meanwhile).
//
//   LongWork work(this, QStringLiteral("Esportazione delle schede"), rows);
//   for (int r = 0; r < rows; ++r) {
//     if (!work.step(r)) break;  // "Annulla" pressed
//     ...
//   }
//   if (work.cancelled()) ...     // leave everything as it was
#pragma once

#include <QElapsedTimer>
#include <QString>

#include <functional>

class QProgressDialog;
class QWidget;

namespace screenkit {

// The busy cursor while it lives: short work such as a scan.
class BusyCursor {
public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

class LongWork {
public:
  // From this many steps on the work shows its progress dialog.
  static constexpr qint64 kDialogFrom = 5000;

  struct Options {
    QString unit = QStringLiteral("schede"); // what the steps count
    qint64 dialogFrom = kDialogFrom;         // the dialog shows from this many steps on
    bool cancellable = true;                 // the dialog offers "Annulla"
  };

  // `what`: the work, as the dialog names it; `total`: its steps (0 when
  // not known: busy cursor only).
  LongWork(QWidget* parent, const QString& what, qint64 total, const Options& options);
  LongWork(QWidget* parent, const QString& what, qint64 total) : LongWork(parent, what, total, Options()) {}
  ~LongWork();
  LongWork(const LongWork&) = delete;
  LongWork& operator=(const LongWork&) = delete;

  // `done` of the steps are done. Every little while shows the count and
  // processes events; false once "Annulla" has been pressed.
  bool step(qint64 done);
  bool cancelled() const { return cancelled_; }
  // How often events are processed, in ms (tests ask for every step: 0).
  static void setEventInterval(qint64 ms);
  bool showsDialog() const { return dialog_ != nullptr; }
  // step() as a function, for the loops of the logic.
  std::function<bool(qint64)> reporter() {
    return [this](qint64 done) { return step(done); };
  }

private:
  void show(qint64 done);

  BusyCursor busy_;
  QString what_;
  QString unit_;
  qint64 total_;
  QProgressDialog* dialog_ = nullptr;
  QElapsedTimer clock_;
  qint64 lastShownAt_ = 0; // ms on clock_
  bool cancelled_ = false;
};

// Every print of the report engine shows its progress this way, counted in
// pages; installed at start-up with the other desktop seams.
void installPrintProgress();

} // namespace screenkit
