#include "services.h"

#include <cstdio>

namespace {

// Until the screens library installs the desktop seams, messages go to the
// error stream and the shell does nothing.
class StreamMessages : public Messages {
public:
  bool show(MessageKind, const QString& text) override {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return false;
  }
};
class NoShell : public Shell {
public:
  void open(const QString&) override {}
};
// Without a desktop nobody answers: the input box counts as cancelled.
class NoInputs : public Inputs {
public:
  std::optional<QString> ask(const QString&, const QString&, const QString&) override { return std::nullopt; }
};

struct Seams {
  StreamMessages streamMessages;
  NoShell noShell;
  NoInputs noInputs;
  Clock systemClock;
  Messages* defaultMessages = &streamMessages;
  Shell* defaultShell = &noShell;
  Inputs* defaultInputs = &noInputs;
  Messages* messages = nullptr;
  Shell* shell = nullptr;
  Inputs* inputs = nullptr;
  Clock* clock = nullptr;
};

Seams& seams() {
  static Seams s;
  return s;
}

} // namespace

namespace services {

Messages& messages() { return seams().messages ? *seams().messages : *seams().defaultMessages; }
Shell& shell() { return seams().shell ? *seams().shell : *seams().defaultShell; }
Inputs& inputs() { return seams().inputs ? *seams().inputs : *seams().defaultInputs; }
Clock& clock() { return seams().clock ? *seams().clock : seams().systemClock; }
void setMessages(Messages* m) { seams().messages = m; }
void setShell(Shell* s) { seams().shell = s; }
void setInputs(Inputs* i) { seams().inputs = i; }
void setClock(Clock* c) { seams().clock = c; }
void setDefaults(Messages* m, Shell* s, Inputs* i) {
  if (m) seams().defaultMessages = m;
  if (s) seams().defaultShell = s;
  if (i) seams().defaultInputs = i;
}

QString todayText() { return clock().today().toString(QStringLiteral("dd/MM/yyyy")); }
QString nowText() { return clock().now().toString(QStringLiteral("hh:mm:ss")); }

} // namespace services
