#include "checks_screens.h"

#include "common/screens/cardeditor.h"

#include "archive/record.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ScreenLook {
  CheckKind kind;
  const char* objectName;
  const char* caption;
  const char* title;
  const char* editName;
  int maxLength;
  bool digitKeysOnly;    // only 0-9 and the editing keys reach the edit
  bool keepTrimmedUpper; // trimmed and upper-cased (a-z only) after every change
  checks::Answer (*check)(const QString&);
};

const ScreenLook kLooks[] = {
    {CheckKind::TaxCode, "TfrmCodFisc", " Controllo codice fiscale",
     "Immettere il codice fiscale e premere il pulsante di controllo.", "txtCodFisc", 16, false, true,
     &checks::checkTaxCode},
    {CheckKind::VatNumber, "TfrmPartitaIva", " Controllo partita IVA",
     "Immettere il numero di partita IVA e premere il pulsante di controllo.", "txtPartitaIva", 11, true, false,
     &checks::checkVatNumber},
    {CheckKind::CardNumber, "TfrmCarta", " Controllo carta di credito",
     "Immettere il numero di carta di credito e premere il pulsante di controllo.", "txtNumero", 30, true, true,
     &checks::checkCardNumber},
    {CheckKind::Iban, "TfrmIban", " Controllo IBAN", "Immettere l'IBAN e premere il pulsante di controllo.", "txtIban",
     27, false, true, &checks::checkIban},
};

const ScreenLook& lookOf(CheckKind kind) {
  for (const ScreenLook& look : kLooks)
    if (look.kind == kind)
      return look;
  return kLooks[0];
}

void showCheck(CheckKind kind, QWidget* parent, const QString& value) {
  CheckScreen screen(kind, parent);
  screen.fill(value);
  screen.exec();
}

} // namespace

CheckScreen::CheckScreen(CheckKind kind, QWidget* parent) : QDialog(parent), kind_(kind) {
  const ScreenLook& look = lookOf(kind);
  setObjectName(QString::fromUtf8(look.objectName));
  setWindowTitle(QString::fromUtf8(look.caption));
  setModal(true);

  title_ = new QLabel(QString::fromUtf8(look.title), this);
  title_->setObjectName(QStringLiteral("lblTitolo"));
  title_->setWordWrap(true);

  edit_ = new QLineEdit(this);
  edit_->setObjectName(QString::fromUtf8(look.editName));
  maxLength_ = look.maxLength;
  edit_->setMaxLength(maxLength_);

  controlla_ = new QPushButton(QStringLiteral("Controlla"), this);
  controlla_->setObjectName(QStringLiteral("btnControlla"));
  chiudi_ = new QPushButton(QStringLiteral("Chiudi"), this);
  chiudi_->setObjectName(QStringLiteral("btnChiudi"));
  for (QPushButton* b : {controlla_, chiudi_}) {
    b->setAutoDefault(true);
    b->setDefault(false);
    b->setMinimumWidth(96);
  }

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("imgControllo"));
  picture->setPixmap(screenkit::icon(QStringLiteral("controlla"), 40));
  picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(controlla_);
  buttons->addWidget(chiudi_);

  auto* column = new QVBoxLayout;
  column->setSpacing(10);
  column->addWidget(title_);
  column->addWidget(edit_);
  column->addStretch(1);
  column->addLayout(buttons);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(14, 14, 14, 12);
  row->setSpacing(14);
  row->addWidget(picture);
  row->addLayout(column, 1);
  setFixedSize(520, 130);

  if (look.digitKeysOnly)
    screenkit::digitsOnly(edit_);
  if (look.keepTrimmedUpper) {
    QLineEdit* edit = edit_;
    if (!look.digitKeysOnly) screenkit::pasteWithoutBlanks(edit);
    connect(edit_, &QLineEdit::textChanged, this, [edit](const QString& text) {
      const QString t = fieldtext::trimmed(fieldtext::upperAZ(text));
      if (t == text)
        return;
      const int cursor = edit->cursorPosition();
      edit->setText(t);
      edit->setCursorPosition(qMin(cursor, int(t.size())));
    });
  }

  // Enter in the edit moves to "Controlla"; Enter there presses it.
  QPushButton* controlla = controlla_;
  screenkit::onEnter(edit_, [controlla] { controlla->setFocus(Qt::OtherFocusReason); });
  connect(controlla_, &QPushButton::clicked, this, &CheckScreen::check);
  connect(chiudi_, &QPushButton::clicked, this, &QDialog::reject);
}

void CheckScreen::fill(const QString& value) {
  const QString t = fieldtext::trimmed(value);
  edit_->setMaxLength(qMax(maxLength_, int(t.size())));
  edit_->setText(t);
}

void CheckScreen::check() {
  answer_ = lookOf(kind_).check(edit_->text());
  services::messages().show(answer_.kind(), answer_.message);
  if (answer_.closesScreen())
    accept();
  else
    edit_->setFocus(Qt::OtherFocusReason);
}

void CheckScreen::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  edit_->setFocus(Qt::OtherFocusReason);
}

void showTaxCodeCheck(QWidget* parent, const QString& value) { showCheck(CheckKind::TaxCode, parent, value); }
void showVatCheck(QWidget* parent, const QString& value) { showCheck(CheckKind::VatNumber, parent, value); }
void showCardCheck(QWidget* parent, const QString& value) { showCheck(CheckKind::CardNumber, parent, value); }
void showIbanCheck(QWidget* parent, const QString& value) { showCheck(CheckKind::Iban, parent, value); }

void showTaxCodeFieldCheck(QWidget* parent, const QString& taxCode) {
  const QString t = fieldtext::trimmed(taxCode);
  if (checks::taxCodeOpensVatCheck(t))
    showVatCheck(parent, t);
  else
    showTaxCodeCheck(parent, t);
}

void bindCheckButtons(CardEditor *card) {
  const struct {
    const char *button;
    const char *field;
    void (*open)(QWidget *, const QString &);
  } buttons[] = {{"btnCodFisc", "txtCodFisc", showTaxCodeFieldCheck},
                 {"btnPartitaIva", "txtPartitaIva", showVatCheck},
                 {"btnCarta", "txtCarta", showCardCheck},
                 {"btnIban", "txtIban", showIbanCheck},
                 {"chkCodFisc", "txtCodFisc", showTaxCodeFieldCheck},
                 {"chkIva", "txtPartitaIva", showVatCheck}};
  for (const auto &b : buttons) {
    auto *field = card->findChild<QLineEdit *>(QLatin1String(b.field));
    if (!card->findChild<QWidget *>(QLatin1String(b.button)) || !field) continue;
    const auto open = b.open;
    card->on(QLatin1String(b.button), [card, field, open] { open(card, fieldtext::trimmed(field->text())); });
  }
}
