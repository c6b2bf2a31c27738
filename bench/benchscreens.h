// What the benchmarks that go through the program's screens share: the Qt
// application, offscreen unless a platform is named, with the benchmark's
// options read first and the program folder on the client archive asked for.
#pragma once

#include "benchdata.h"

#include "archive/paths.h"
#include "clients/clientlists.h"
#include "common/services.h"

#include <QApplication>

namespace benchdata {

class ScreenBenchApp {
public:
  ScreenBenchApp(int& argc, char** argv) : options_(argc, argv), app_(argc, argv) {
    paths::setProgramFolder(clientFolder());
  }

private:
  struct Start {
    Start(int& argc, char** argv) {
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      readOptions(argc, argv);
    }
  } options_;
  QApplication app_;
};

// The export's questions: "Esportare adesso?" Yes; "Aprire il file?" No.
// Any other message is a failure.
class ExportAnswers : public Messages {
public:
  bool show(MessageKind kind, const QString& text) override {
    if (kind != MessageKind::Question) std::abort();
    return text == clientExport().confirmQuestion;
  }
};

} // namespace benchdata
