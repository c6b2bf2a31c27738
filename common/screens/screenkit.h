// The pieces every screen is made of: pictures and clickable labels, links,
// the status line with its hints, the yellow focus frames, the Enter chain,
// key filters, window centring, the process-wide formats and the registry
// of persistent screens.
#pragma once

#include <QColor>
#include <QKeySequence>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <vector>

class QLayout;
class QLineEdit;
class QComboBox;
class QPushButton;

namespace screenkit {

// Short date "dd/mm/yyyy" and the decimal comma, whatever the system says.
void applyFormats();

// The program's own light look, whatever the desktop's theme: the Fusion
// style and one light palette for the whole application (its tiles, focus
// frames and pictures are drawn for a light background). Set at start-up
// before any screen is made; set again whenever the desktop changes the
// application's palette while the program runs.
void applyLook();
// The palette of that look: every colour role of every colour group.
QPalette lookPalette();

// Installs the desktop message boxes, input box and shell opening as the
// seams' defaults, and the safe save as the way the report engine writes its
// PDF files.
void installDesktopSeams();

// The pictures of the working screens by name ("salva", "trova", "oggi",
// the section pictures "anagrafica", "fisco", ...), drawn from
// ":/screens/icons/<name>.svg" into a square of the given side. An unknown
// name gives an empty (transparent) square.
QPixmap icon(const QString& name, int size);
bool hasIcon(const QString& name);

// A picture of the program's resources (an SVG file such as
// ":/help/images/logo.svg") drawn at the given size; transparent when the
// file is missing.
QPixmap picture(const QString& resource, QSize size);

// A label (text or picture) that reports mouse presses, releases and
// clicks: a click is a press and a release of the left button on it.
class ClickLabel : public QLabel {
  Q_OBJECT
public:
  explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}
  // Acts as a click with the mouse does (keys that press a command).
  void click() {
    if (!isEnabled()) return;
    emit pressed();
    emit released();
    emit clicked();
  }
signals:
  void pressed();
  void released();
  void clicked();
protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
private:
  bool down_ = false;
};

// A picture that reacts to clicks: the command pictures (`cmd`), import and
// today pictures (`imp`) and the menu pictures (`img`). Disabled, it is
// drawn greyed and reports nothing; under the mouse it is outlined.
class Picture : public ClickLabel {
  Q_OBJECT
public:
  Picture(const QString& objectName, const QString& caption, const QString& icon, QWidget* parent = nullptr,
          int iconSize = 32);
  Picture(const QString& objectName, const QPixmap& pixmap, QWidget* parent = nullptr);
  void setEnabled(bool on);
protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void changeEvent(QEvent* e) override;
  // A picture hidden under the pointer (Esci closing its screen) gets no
  // leave event: it must not come back highlighted.
  void hideEvent(QHideEvent* e) override;
private:
  void restyle(bool hover);
};

// Links: dark blue and underlined, orange while the mouse button is held
// down on the link or on one of its pictures; `open` runs on a click on any
// of them.
QColor linkColour();
QColor linkPressedColour();
void bindLink(ClickLabel* link, std::initializer_list<ClickLabel*> pictures, std::function<void()> open);

// Centres a top-level window on the screen it is on, or on `over` if given.
void centre(QWidget* window, const QWidget* over = nullptr);

// A window without window buttons (log-in, password, help): no window
// manager can be told to draw a title bar without buttons, so it draws none
// and the window shows its caption in a band `panIntestazione` across its
// top, where dragging moves it, inside a thin border. Call it once the
// window has its layout and fixed size: the band is added above them.
void makeButtonless(QWidget* window);

// The small widgets the screens build by hand: a label that wraps its text,
// a label carrying a name, one carrying a name and hidden until needed, and
// a command button with its name and a width that holds its caption.
QLabel* wrappedLabel(const QString& text, QWidget* parent);
QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent);
QLabel* hiddenLabel(const QString& name, const QString& text, QWidget* parent);
QPushButton* commandButton(const QString& name, const QString& text, QWidget* parent, int minimumWidth = 100);

// The status line `panInfo` at the bottom of a working screen.
QLabel* makeStatusLine(QWidget* screen, const QString& initialText);

// The frame of the small screens reached from the main menu (year screens,
// menus of year boxes): `content` on the left, the help picture `imgGuida`
// above and the exit picture `imgEsci` below on the right, the status line
// at the bottom. `help` runs on a click on the help picture (empty disables
// it); the exit picture closes the screen. Returns the status line, with
// the hints of both pictures set and emptied over the screen's background.
QLabel* frameMenuScreen(QWidget* screen, QLayout* content, std::function<void()> help);

// Moving the mouse over a control shows its hint in the status line; over
// any of the background widgets the status line is emptied.
void setHint(QWidget* control, QLabel* statusLine, const QString& hint);
void clearHintOver(QWidget* background, QLabel* statusLine);

// A yellow frame `eff` + stem drawn behind a field, visible while the field
// has the focus. The frame follows the field's geometry. It is drawn on
// `surface`, an ancestor of the field (by default its parent): a field that
// shares a plain row widget with its buttons is framed on the panel behind
// the row, whose edges would otherwise cut the frame off.
QWidget* addFocusFrame(QWidget* field, const QString& frameName, QWidget* surface = nullptr);

// Presses a command (a picture or a button) as a click does; nothing when
// it is disabled or hidden.
void press(QWidget* command);
// The key presses the command from anywhere in its window, while the
// command is shown and enabled: of two commands with one key on panels that
// replace each other, the one on the panel shown takes it. With `allowed`,
// the key presses the command only when it says so.
void pressOnKey(QWidget* command, const QKeySequence& key, std::function<bool()> allowed = {});

// Enter in a field moves the focus to the next one; the last leads back to
// the first. Widgets that are not editable (buttons) may be targets.
void setEnterChain(const std::vector<QWidget*>& chain);
// Enter in a field runs an action instead (e.g. press a button).
void onEnter(QWidget* field, std::function<void()> action);

// Only digits 0-9 (and the characters of `also`, such as the decimal
// comma or the slash of a date) can be typed into the edit; a paste or a
// drop brings in only those characters of its text. Every key that writes
// nothing edits as in any edit: the arrows, Home and End (with Shift they
// select), Backspace, Delete, Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z. Esc
// goes on to the screen.
void digitsOnly(QWidget* edit, const QString& also = QString());

// The year field of the year menus and panels, `name` its object name: at
// most four characters, digits only whether typed or pasted, as wide as
// five digits.
QLineEdit* yearEdit(const QString& name, QWidget* parent);
// Its status-line hint: "Indicare l'anno solare con quattro cifre."
const QString& yearHint();
// Whether the year field holds a year of four digits (dates::isYearText);
// when it does not, the year warning is given and the focus goes back to it.
bool acceptsYear(QLineEdit* edit);
// The whole value is selected whenever the field takes the focus from
// within its window (Tab, Backtab, the Enter chain, a click, a shortcut),
// as in a spreadsheet cell: what is typed next replaces it. A click that
// drags a selection of its own keeps it.
void selectOnEntry(QLineEdit* edit);
// Puts the focus on a field as moving there does; a field that selects on
// entry selects its value also when it had the focus already (a save
// refused for that field puts the focus back there).
void focusOn(QWidget* field);
// Runs an action when the focus leaves a field.
void onFocusOut(QWidget* field, std::function<void()> action);
// Whether an event is the focus leaving a field for another field of its
// window, as the user moves on: not for another window (a message box, the
// calendar) or a menu, nor away from every field (a screen going away).
bool leftForAnotherField(const QEvent* e);
// Keeps the text trimmed and/or upper-cased at every change the user
// makes (A-Z and accented letters alike, each only where its capital is one
// Windows-1252 character, so the length never changes). A value put there
// by the program, a loaded record, stays as it is until the user edits it.
// Trimmed edits also take pasted or dropped text without its blanks, before
// the length limit cuts it.
void keepUpper(QLineEdit* edit, bool trim);
void keepUpper(QComboBox* combo, bool trim);
void keepTrimmed(QLineEdit* edit);
// Pasted or dropped text reaches the edit without its blanks.
void pasteWithoutBlanks(QLineEdit* edit);

// The persistent screens of the run, by object name. Satellites write their
// results into the controls of the screen named by their caller tag.
class ScreenSet {
public:
  static void add(QWidget* screen);
  static void remove(QWidget* screen);
  static QWidget* find(const QString& objectName);
  // Shows the named screen and hides `from` (when given).
  static void show(const QString& objectName, QWidget* from = nullptr);
};

// A control of a screen by object name (nullptr if missing).
template <class T = QWidget>
T* control(QWidget* screen, const QString& name) {
  return screen ? screen->findChild<T*>(name) : nullptr;
}

// The text of a control that holds text (edit, combo, memo, label; a check
// box or option button as "Sì"/"No"), and setting it (a flag that is
// neither "Sì" nor "No" leaves the button as it was). A text set into an
// edit shows its beginning.
QString textOf(QWidget* control);
void setTextOf(QWidget* control, const QString& text);

} // namespace screenkit
