#include "storabletext.h"

#include "archive/cp1252.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace storabletext {

namespace {

void tell(QWidget* field) {
  if (auto* status = field->window()->findChild<QLabel*>(QStringLiteral("panInfo"))) status->setText(replacedHint());
}

} // namespace

QString asStored(const QString& text) { return cp1252::decode(cp1252::encode(text)); }

const QString& replacedHint() {
  static const QString s = QStringLiteral(
      "Alcuni caratteri non possono essere registrati nell'archivio e sono stati sostituiti con \"?\".");
  return s;
}

void keepStorable(QLineEdit* edit) {
  // at every change the user makes (typed, pasted, dropped), on the text
  // the field's other rules leave: connected after them, it reads the
  // field rather than the text the change began with
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] {
    const QString text = edit->text();
    const QString stored = asStored(text);
    if (stored == text) return;
    const int cursor = int(asStored(text.left(edit->cursorPosition())).size());
    edit->setText(stored);
    edit->setCursorPosition(qBound(0, cursor, int(stored.size())));
    tell(edit);
  });
}

void keepStorable(QPlainTextEdit* memo) {
  QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
    const QString text = memo->toPlainText();
    const QString stored = asStored(text);
    if (stored == text) return;
    QTextCursor c = memo->textCursor();
    const int cursor = int(asStored(text.left(c.position())).size());
    c.select(QTextCursor::Document);
    c.insertText(stored);
    c.setPosition(qBound(0, cursor, int(stored.size())));
    memo->setTextCursor(c);
    tell(memo);
  });
}

} // namespace storabletext
