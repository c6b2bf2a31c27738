// Driving a screen as a user would, by the object names of its controls:
// typing (accented letters included), keys, clicks on commands and
// pictures, reading texts, and acting on the modal screen a command opens.
// Messages are read, and questions answered from a script, through
// RecordingMessages (support.h), or WindowedMessages where it matters that
// a message box takes the focus away from the screen.
#pragma once

#include "common/screens/screenkit.h"
#include "support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace drive {

// Shows a screen and waits until it is the active window, so that the focus
// moves (and leaves fields) as it does for the user.
inline bool show(QWidget* screen) {
  screen->show();
  QApplication::setActiveWindow(screen);
  return QTest::qWaitForWindowActive(screen);
}

// A control of a screen that must be there.
template <class T = QWidget>
T* find(QWidget* screen, const QString& name) {
  T* w = screen->findChild<T*>(name);
  if (!w) qFatal("no control %s on %s", qPrintable(name), qPrintable(screen->objectName()));
  return w;
}

// The focus into a control, then its text replaced by `text`, one key per
// character, as typing does (input rules and key filters apply).
inline void type(QWidget* screen, const QString& name, const QString& text) {
  QWidget* w = find(screen, name);
  w->setFocus(Qt::OtherFocusReason);
  if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) w = combo->lineEdit();
  if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
  if (auto* m = qobject_cast<QPlainTextEdit*>(w)) m->selectAll();
  QTest::keyClick(w, Qt::Key_Delete);
  for (QChar ch : text) {
    if (ch == QLatin1Char('\n'))
      QTest::keyClick(w, Qt::Key_Return);
    else // keyClicks refuses accented letters
      QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

inline void key(QWidget* screen, const QString& name, Qt::Key k) {
  QWidget* w = find(screen, name);
  w->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(w, k);
}

// The widget that has the focus; a test that types must have given it.
inline QWidget* focusWidget() {
  QWidget* w = QApplication::focusWidget();
  if (!w) qFatal("no widget has the focus");
  return w;
}

// A key pressed as a person presses it: to whatever has the focus.
inline void press(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(focusWidget(), k, modifiers);
}

// Typing as a person types: one key per character to whatever has the
// focus, from where the cursor stands, with nothing selected or deleted
// first (unlike type()). A line break is Enter. The test reaches the field
// as a person does, with Tab, Enter or a click.
inline void keys(const QString& text) {
  for (QChar ch : text) {
    if (ch == QLatin1Char('\n'))
      QTest::keyClick(focusWidget(), Qt::Key_Return);
    else
      QTest::sendKeyEvent(QTest::Click, focusWidget(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

// A click on a field, in the middle of it, as the mouse gives it: the focus
// and then the press and release.
inline void clickField(QWidget* screen, const QString& name) {
  QWidget* w = find(screen, name);
  QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// A click on a command picture, a button, a check box or an option button
// (on its box, which a wide check box does not have in its middle).
inline void click(QWidget* screen, const QString& name) {
  QWidget* w = find(screen, name);
  if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable())
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
  else
    QTest::mouseClick(w, Qt::LeftButton);
}

inline QString text(QWidget* screen, const QString& name) { return screenkit::textOf(find(screen, name)); }

inline QString focused() {
  QWidget* w = QApplication::focusWidget();
  return w ? w->objectName() : QString();
}

// Runs `trigger`; the first modal screen it opens is handed to `act` and
// then closed. Returns the object name of that screen (empty when none
// opened). The window that was active is active again afterwards, as the
// desktop makes it.
inline QString withModal(const std::function<void()>& trigger, const std::function<void(QWidget*)>& act = {}) {
  QPointer<QWidget> active = QApplication::activeWindow();
  QString seen;
  QTimer::singleShot(0, [&] {
    if (QWidget* m = QApplication::activeModalWidget()) {
      seen = m->objectName();
      if (act) act(m);
      if (m->isVisible()) m->close();
    }
  });
  trigger();
  QApplication::processEvents();
  if (active) QApplication::setActiveWindow(active);
  return seen;
}

// Messages recorded as RecordingMessages records them that, as the
// desktop's message boxes do, take the focus away from the screen while
// each is shown: a window of their own becomes the active window, then
// closes and gives the activation back.
class WindowedMessages : public RecordingMessages {
public:
  bool show(MessageKind kind, const QString& text) override {
    QPointer<QWidget> active = QApplication::activeWindow();
    {
      QWidget box;
      box.setObjectName(QStringLiteral("messaggio"));
      box.setWindowModality(Qt::ApplicationModal);
      auto* ok = new QPushButton(QStringLiteral("OK"), &box);
      box.show();
      QApplication::setActiveWindow(&box);
      ok->setFocus(Qt::ActiveWindowFocusReason);
      if (!QTest::qWaitForWindowActive(&box)) qWarning("the message window did not become active");
    }
    if (active) {
      QApplication::setActiveWindow(active);
      if (!QTest::qWaitForWindowActive(active)) qWarning("the screen did not become active again");
    }
    return RecordingMessages::show(kind, text);
  }
};

} // namespace drive
