// Text fields show what the archive will hold: the archives store
// Windows-1252, so a character outside it (an emoji, a Chinese character,
// an Omega) becomes "?" the moment it is typed or pasted, and the status
// line of the screen says why. Nothing differs between the screen and the
// file after a save.
#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace storabletext {

// The text as the archive will give it back.
QString asStored(const QString& text);

// The hint the status line `panInfo` shows when characters were replaced.
const QString& replacedHint();

// Keeps the field's text storable at every change the user makes; for a
// line edit, connect it after the field's other rules.
void keepStorable(QLineEdit* edit);
void keepStorable(QPlainTextEdit* memo);

} // namespace storabletext
