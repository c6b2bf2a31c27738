#include "login.h"

#include "app/shell/password.h"
#include "app/shell/screens/artwork.h"
#include "app/shell/screens/program.h"
#include "archive/record.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadError = QStringLiteral(
    "Attenzione: si \u00E8 verificato un errore durante la procedura di lettura della password. Si consiglia di "
    "reinstallare il software.");
} // namespace

TfrmPassword::TfrmPassword(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("TfrmPassword"));
  setWindowTitle(QStringLiteral(" Velarion - Accesso al programma"));
  setFixedSize(460, 200);

  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("imgLogo"));
  logo->setPixmap(artwork::picture(QStringLiteral("logo"), 80));
  logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* product = new QLabel(QStringLiteral("Velarion"), this);
  QFont big = product->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.6);
  product->setFont(big);
  product->setStyleSheet(QStringLiteral("color:#1f4f8f;"));

  auto* prompt = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);

  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("txtPassword"));
  password_->setEchoMode(QLineEdit::Password);
  password_->installEventFilter(this);
  connect(password_, &QLineEdit::textChanged, this, &TfrmPassword::updateOk);
  screenkit::addFocusFrame(password_, QStringLiteral("effPassword"));

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setEnabled(false);
  connect(ok_, &QPushButton::clicked, this, &TfrmPassword::logIn);
  // Enter presses OK, but only when there is something to check
  screenkit::onEnter(password_, [this] {
    if (!fieldtext::trimmed(password_->text()).isEmpty()) ok_->click();
  });

  auto* exit = new QPushButton(QStringLiteral("Esci"), this);
  exit->setObjectName(QStringLiteral("cmdEsci"));
  connect(exit, &QPushButton::clicked, this, &QWidget::close);

  auto* change = new QPushButton(QStringLiteral("Cambia password"), this);
  change->setObjectName(QStringLiteral("btnCambiaPassword"));
  connect(change, &QPushButton::clicked, this,
          [this] { screenkit::ScreenSet::show(QStringLiteral("TfrmCambiaPassword"), this); });

  auto* text = new QVBoxLayout;
  text->setSpacing(8);
  text->addWidget(product);
  text->addWidget(prompt);
  text->addSpacing(4);
  text->addWidget(password_);
  text->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(logo);
  top->addSpacing(18);
  top->addLayout(text, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(change);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(exit);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(22, 20, 22, 16);
  all->addLayout(top, 1);
  all->addLayout(buttons);
  screenkit::makeButtonless(this);
}

void TfrmPassword::updateOk() { ok_->setEnabled(!fieldtext::trimmed(password_->text()).isEmpty()); }

bool TfrmPassword::eventFilter(QObject* o, QEvent* e) {
  if (o == password_ && e->type() == QEvent::KeyRelease) updateOk();
  return QWidget::eventFilter(o, e);
}

void TfrmPassword::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  screenkit::centre(this);
  password_->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::logIn() {
  // read at every attempt: the file may have changed since the last one
  const password::Stored stored = password::read();
  if (!stored.ok) {
    services::plain(kReadError);
    return;
  }
  if (password::matches(stored, password_->text())) {
    screenkit::ScreenSet::show(QStringLiteral("TfrmAvvio"), this);
    return;
  }
  services::plain(kWrong);
  password_->clear();
  password_->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  program::end();
}
