// Test doubles for the seams and a temporary program folder.
#pragma once

#include "archive/paths.h"
#include "common/services.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTime>

#include <deque>
#include <vector>

struct ShownMessage {
  MessageKind kind;
  QString text;
};

// Records every message; questions take their answers from a script
// (Yes when the script is empty). The question asked before unsaved edits
// are lost is recorded as a question and answered from a script of its own
// ("Annulla" when that script is empty).
class RecordingMessages : public Messages {
public:
  RecordingMessages() { services::setMessages(this); }
  ~RecordingMessages() override { services::setMessages(nullptr); }
  bool show(MessageKind kind, const QString& text) override {
    shown.push_back({kind, text});
    if (kind != MessageKind::Question || answers.empty()) return kind == MessageKind::Question;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  SaveAnswer askSave(const QString& text) override {
    shown.push_back({MessageKind::Question, text});
    ++saveQuestions;
    if (saveAnswers.empty()) return SaveAnswer::Cancel;
    const SaveAnswer a = saveAnswers.front();
    saveAnswers.pop_front();
    return a;
  }
  const ShownMessage& last() const {
    static const ShownMessage none{MessageKind::Plain, QStringLiteral("<no message>")};
    return shown.empty() ? none : shown.back();
  }
  QString lastText() const { return last().text; }
  void clear() {
    shown.clear();
    saveQuestions = 0;
  }
  std::vector<ShownMessage> shown;
  std::deque<bool> answers;
  std::deque<SaveAnswer> saveAnswers;
  int saveQuestions = 0;
};

// Records what the desktop is asked to open; with `accepts` false it answers
// as a desktop with no program for it does.
class RecordingShell : public Shell {
public:
  RecordingShell() { services::setShell(this); }
  ~RecordingShell() override { services::setShell(nullptr); }
  bool open(const QString& target) override {
    opened.push_back(target);
    return accepts;
  }
  std::vector<QString> opened;
  bool accepts = true;
};

// Answers the input boxes from a script (nothing stands for "Annulla"; an
// empty script cancels) and records what each box asked.
class RecordingInputs : public Inputs {
public:
  struct Asked {
    QString title, prompt, initial;
  };
  RecordingInputs() { services::setInputs(this); }
  ~RecordingInputs() override { services::setInputs(nullptr); }
  std::optional<QString> ask(const QString& title, const QString& prompt, const QString& initial) override {
    asked.push_back({title, prompt, initial});
    if (answers.empty()) return std::nullopt;
    std::optional<QString> a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<Asked> asked;
  std::deque<std::optional<QString>> answers;
};

class FixedClock : public Clock {
public:
  FixedClock(QDate d = QDate(2026, 12, 10), QTime t = QTime(9, 30, 15)) : day(d), time(t) { services::setClock(this); }
  ~FixedClock() override { services::setClock(nullptr); }
  QDate today() const override { return day; }
  QTime now() const override { return time; }
  QDate day;
  QTime time;
};

// A fresh program folder for one test.
class TempProgramFolder {
public:
  TempProgramFolder() { paths::setProgramFolder(dir.path()); }
  ~TempProgramFolder() { paths::setProgramFolder(QString()); }
  QString path(const QString& name) const { return paths::inProgramFolder(name); }
  QTemporaryDir dir;
};

// What a test of a screen usually stands on: a fresh program folder, the
// messages recorded, and a fixed today (10/12/2026).
struct ScreenTestSeams {
  TempProgramFolder folder;
  RecordingMessages messages;
  FixedClock clock;
};
