// A character the archive cannot hold shows as the "?" it will be stored as
// the moment it is typed or pasted, with the reason in the status line; the
// saved record and the card agree.
#include "testcards.h"

#include "common/screens/cardeditor.h"
#include "common/screens/storabletext.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

class StorableTextTest : public CardTest {
  Q_OBJECT
private slots:
  void init() { seat(); }
  void cleanup() { unseat(); }

  void typedAndPastedCharactersShowAsStored() {
    const QString outside = QStringLiteral("\u03A9\u6F22\U0001F600"); // Omega, a Chinese character, an emoji
    struct Case {
      const char* what;
      const CardDescription& card;
      const char* field;
      bool paste;
    } cases[] = {{"typed in a trimmed edit", strCard(), "txtCodice", false},
                 {"pasted into a trimmed edit", strCard(), "txtCodice", true},
                 {"typed in an upper-case edit", strCard(), "txtNome", false},
                 {"pasted into a memo", charCard(), "txtFasi", true}};
    for (const Case& c : cases) {
      CardEditor card(c.card);
      QVERIFY(drive::show(&card));
      auto* status = drive::find<QLabel>(&card, QStringLiteral("panInfo"));
      QVERIFY(status);
      status->clear();
      QWidget* field = drive::find(&card, QLatin1String(c.field));
      drive::type(&card, QLatin1String(c.field), QStringLiteral("ab"));
      QVERIFY2(status->text().isEmpty(), c.what);
      if (c.paste) {
        QApplication::clipboard()->setText(outside + QStringLiteral("c"));
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      } else {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, outside, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("c"), Qt::NoModifier);
      }
      const QString shown = qobject_cast<QLineEdit*>(field) ? qobject_cast<QLineEdit*>(field)->text()
                                                            : qobject_cast<QPlainTextEdit*>(field)->toPlainText();
      QCOMPARE(shown.toUpper(), QStringLiteral("AB???C"));
      QCOMPARE(shown, storabletext::asStored(shown));
      QCOMPARE(status->text(), storabletext::replacedHint());
      // the cursor stays after what was typed or pasted
      if (auto* e = qobject_cast<QLineEdit*>(field)) QCOMPARE(e->cursorPosition(), 6);
      else QCOMPARE(qobject_cast<QPlainTextEdit*>(field)->textCursor().position(), 6);
    }
  }
};

QTEST_MAIN(StorableTextTest)
#include "test_storabletext.moc"
