// What every test class of a card or of a screen stands on.
//
// The seams of one test: seat() gives it a program folder of its own, a
// fixed today, and records the messages (questions answered from their
// scripts), what the desktop is asked to open, the input boxes and the
// prints; unseat() drops them. A test class seats in init() and unseats in
// cleanup(), or seats once in the one test that needs it.
//
// The driver's adapters bound to the screen the class drives (driven()), by
// the object names of its controls: w, click, type, key, set, text, shown.
#pragma once

#include "screendriver.h"
#include "support.h"
#include "tests/engines/recordingreportoutput.h"

#include <QObject>

#include <memory>

class CardTest : public QObject {
protected:
  struct Seams {
    explicit Seams(QDate today) : clock(today) {}
    TempProgramFolder folder;
    RecordingMessages messages;
    FixedClock clock;
    RecordingShell shell;
    RecordingInputs inputs;
    RecordingReportOutput printed;
  };

  // Today is 10/12/2026 unless the test says otherwise.
  void seat(QDate today = QDate(2026, 12, 10)) {
    seams.reset();
    seams = std::make_unique<Seams>(today);
  }
  void unseat() { seams.reset(); }

  TempProgramFolder& folder() const { return seams->folder; }
  RecordingMessages& messages() const { return seams->messages; }
  FixedClock& clock() const { return seams->clock; }
  RecordingShell& shell() const { return seams->shell; }
  RecordingInputs& inputs() const { return seams->inputs; }
  RecordingReportOutput& printed() const { return seams->printed; }

  // The screen the adapters drive; a class that drives screens of its own
  // making passes them to the driver itself.
  virtual QWidget* driven() const { return nullptr; }

  template <class T = QWidget> T* w(const QString& name) const { return drive::find<T>(screen(), name); }
  template <class T = QWidget> T* w(const char* name) const { return w<T>(QLatin1String(name)); }
  void click(const char* name) const { drive::click(screen(), QLatin1String(name)); }
  void type(const char* name, const QString& text) const { drive::type(screen(), QLatin1String(name), text); }
  void key(const char* name, Qt::Key k) const { drive::key(screen(), QLatin1String(name), k); }
  void set(const char* name, const QString& text) const { screenkit::setTextOf(w(name), text); }
  QString text(const char* name) const { return drive::text(screen(), QLatin1String(name)); }
  bool shown(const char* name) const { return w(name)->isVisible(); }
  // The text of a control of another screen: one the driven screen opened,
  // or one the test made.
  QString text(QWidget* screen, const char* name) const { return drive::text(screen, QLatin1String(name)); }

  std::unique_ptr<Seams> seams;

private:
  QWidget* screen() const {
    QWidget* s = driven();
    if (!s) qFatal("no screen to drive");
    return s;
  }
};
