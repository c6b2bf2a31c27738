#include "services.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>

namespace {

// Until the screens library installs the desktop seams, messages go to the
// error stream and the shell opens nothing.
class StreamMessages : public Messages {
public:
  bool show(MessageKind, const QString& text) override {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return false;
  }
};
class NoShell : public Shell {
public:
  bool open(const QString&) override { return false; }
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

namespace {

// "mailto:" and web addresses have a scheme of two letters or more before
// their colon; anything else is a path (also "C:\...").
bool isAddress(const QString& target) {
  const int colon = target.indexOf(QLatin1Char(':'));
  return colon > 1 && !QFileInfo(target).isAbsolute();
}

const char* const kCannotOpen = "Attenzione: non \u00E8 stato possibile aprire ";

} // namespace

QString cannotOpenMessage(const QString& target, bool missing) {
  const QString head = QString::fromUtf8(kCannotOpen);
  const QString gap = QStringLiteral("\n\r\n\r");
  if (isAddress(target)) {
    const QUrl url(target, QUrl::TolerantMode);
    if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0)
      return head + QStringLiteral("l'indirizzo di posta elettronica \"") + url.path() + QStringLiteral("\".") + gap +
             QStringLiteral("Nel sistema non risulta installato un programma di posta elettronica.");
    return head + QStringLiteral("l'indirizzo \"") + target + QStringLiteral("\".") + gap +
           QStringLiteral("Nel sistema non risulta installato un programma per la navigazione in Internet.");
  }
  const QFileInfo at(QDir::cleanPath(QDir::fromNativeSeparators(target)));
  const QString name = at.fileName();
  const QString folder = QDir::toNativeSeparators(at.absolutePath());
  if (at.isDir())
    return head + QStringLiteral("la cartella \"") + name + QStringLiteral("\" in \"") + folder + QStringLiteral("\".") +
           gap +
           QStringLiteral("Nel sistema non risulta installato un programma per visualizzare il contenuto delle cartelle.");
  return head + QStringLiteral("il file \"") + name + QStringLiteral("\" della cartella \"") + folder +
         QStringLiteral("\".") + gap +
         (missing ? QStringLiteral("Il file non \u00E8 presente nella cartella.")
                  : QStringLiteral("Nel sistema non risulta installato un programma associato a questo tipo di file."));
}

bool openOrTell(const QString& target) {
  // a file or folder that is not there would only give the desktop's own
  // silence, or a message naming nothing
  const bool missing = !isAddress(target) && !QFileInfo::exists(QDir::fromNativeSeparators(target));
  if (!missing && shell().open(target)) return true;
  warning(cannotOpenMessage(target, missing));
  return false;
}

QString todayText() { return clock().today().toString(QStringLiteral("dd/MM/yyyy")); }
QString nowText() { return clock().now().toString(QStringLiteral("hh:mm:ss")); }

} // namespace services
