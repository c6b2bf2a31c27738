// The seams between the program and the desktop: messages, the input box,
// the shell, the clock. Screens reach them through services::; tests put doubles there to
// answer questions, record what would be opened and set "today".
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

enum class MessageKind {
  Warning,     // OK and Cancel, the answer is ignored
  Error,       // OK and Cancel, the answer is ignored
  Information, // OK and Cancel, the answer is ignored
  Question,    // Yes and No
  Plain,       // OK only
};

// The answers of the question asked before unsaved edits would be lost.
enum class SaveAnswer {
  Save,    // "Salva"
  Discard, // "Non salvare"
  Cancel,  // "Annulla": nothing happens
};

class Messages {
public:
  virtual ~Messages() = default;
  // Shows a modal message; for a question, true means Yes.
  virtual bool show(MessageKind kind, const QString& text) = 0;
  // A question with the three answers "Salva", "Non salvare" and "Annulla"
  // (closing the window is "Annulla"). Without a dialog of its own it is
  // asked as a Yes/No question: Yes saves, No cancels.
  virtual SaveAnswer askSave(const QString& text) {
    return show(MessageKind::Question, text) ? SaveAnswer::Save : SaveAnswer::Cancel;
  }
};

class Shell {
public:
  virtual ~Shell() = default;
  // Asks the desktop to open a file, a folder, a web address or a "mailto:"
  // address with its associated program. False when the desktop did not
  // take it (no program is associated with it).
  virtual bool open(const QString& target) = 0;
};

class Inputs {
public:
  virtual ~Inputs() = default;
  // Asks for one line of text in a modal input box with a title, a prompt
  // and the text it starts with; nothing when the user cancels.
  virtual std::optional<QString> ask(const QString& title, const QString& prompt, const QString& initial) = 0;
};

class Clock {
public:
  virtual ~Clock() = default;
  virtual QDate today() const { return QDate::currentDate(); }
  virtual QTime now() const { return QTime::currentTime(); }
};

namespace services {

Messages& messages();
Shell& shell();
Inputs& inputs();
Clock& clock();
// Replace a seam (not owned); nullptr restores the default.
void setMessages(Messages* m);
void setShell(Shell* s);
void setInputs(Inputs* i);
void setClock(Clock* c);
// The desktop implementations, installed by the screens library at start-up.
void setDefaults(Messages* m, Shell* s, Inputs* i = nullptr);

inline void warning(const QString& text) { messages().show(MessageKind::Warning, text); }
inline void error(const QString& text) { messages().show(MessageKind::Error, text); }
inline void information(const QString& text) { messages().show(MessageKind::Information, text); }
inline void plain(const QString& text) { messages().show(MessageKind::Plain, text); }
inline bool ask(const QString& text) { return messages().show(MessageKind::Question, text); }
inline SaveAnswer askSave(const QString& text) { return messages().askSave(text); }
inline std::optional<QString> input(const QString& title, const QString& prompt, const QString& initial) {
  return inputs().ask(title, prompt, initial);
}

// Opens what the user asked for (a file, a folder, a web or "mailto:"
// address) through the shell and, when it cannot be opened, says so in a
// warning: a file or folder that is not there is not handed to the shell,
// and one the desktop does not take is named with the folder it is in. True
// when the desktop took it.
bool openOrTell(const QString& target);
// The warning of openOrTell: `missing` when the file or folder is not there.
QString cannotOpenMessage(const QString& target, bool missing);

// Today as dd/mm/yyyy and the time as hh:mm:ss.
QString todayText();
QString nowText();

} // namespace services
