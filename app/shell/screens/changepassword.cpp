#include "changepassword.h"

#include "app/shell/password.h"
#include "app/shell/screens/artwork.h"
#include "archive/record.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kWrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString kUnconfirmed = QStringLiteral(
    "Attenzione: la nuova password non \u00E8 stata confermata correttamente. E' necessario reinserire entrambi i "
    "valori.");
const QString kDone = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeError = QStringLiteral(
    "Attenzione: si \u00E8 verificato un errore durante la procedura di modifica della password. Si consiglia di "
    "reinstallare il software.");
} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("TfrmCambiaPassword"));
  setWindowTitle(QStringLiteral(" Cambia password"));
  setFixedSize(460, 210);

  auto* logo = new QLabel(this);
  logo->setPixmap(artwork::picture(QStringLiteral("logo"), 64));
  logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(12);
  struct Field {
    QLineEdit** edit;
    const char* name;
    const char* frame;
    const char* caption;
  } fields[] = {
      {&old_, "txtPasswordOld", "effPasswordOld", "Vecchia password:"},
      {&new_, "txtPasswordNew", "effPasswordNew", "Nuova password:"},
      {&confirm_, "txtConferma", "effConferma", "Conferma nuova password:"},
  };
  int row = 0;
  for (const Field& f : fields) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(f.name));
    edit->setEchoMode(QLineEdit::Password);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOk);
    screenkit::addFocusFrame(edit, QLatin1String(f.frame));
    grid->addWidget(new QLabel(QString::fromUtf8(f.caption), this), row, 0);
    grid->addWidget(edit, row++, 1);
    *f.edit = edit;
  }
  screenkit::setEnterChain({old_, new_, confirm_});

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setEnabled(false);
  connect(ok_, &QPushButton::clicked, this, &TfrmCambiaPassword::change);
  auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
  close->setObjectName(QStringLiteral("cmdEsci"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* top = new QHBoxLayout;
  top->addWidget(logo);
  top->addSpacing(16);
  top->addLayout(grid, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(close);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(22, 20, 22, 16);
  all->addLayout(top);
  all->addStretch();
  all->addLayout(buttons);
  screenkit::makeButtonless(this);
}

void TfrmCambiaPassword::updateOk() {
  ok_->setEnabled(!fieldtext::trimmed(old_->text()).isEmpty() && !fieldtext::trimmed(new_->text()).isEmpty() &&
                  !fieldtext::trimmed(confirm_->text()).isEmpty());
}

bool TfrmCambiaPassword::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyRelease && (o == old_ || o == new_ || o == confirm_)) updateOk();
  return QWidget::eventFilter(o, e);
}

void TfrmCambiaPassword::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  screenkit::centre(this);
  old_->clear();
  new_->clear();
  confirm_->clear();
  old_->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::change() {
  const password::Stored stored = password::read();
  if (!stored.ok) {
    services::plain(kChangeError);
    return;
  }
  if (!password::matches(stored, old_->text())) {
    services::plain(kWrongOld);
    old_->clear();
    old_->setFocus(Qt::OtherFocusReason);
    return;
  }
  // new and confirmation compare exactly, case included
  if (fieldtext::trimmed(new_->text()) != fieldtext::trimmed(confirm_->text())) {
    services::plain(kUnconfirmed);
    new_->clear();
    confirm_->clear();
    new_->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (!password::write(new_->text())) {
    services::plain(kChangeError);
    return;
  }
  services::plain(kDone);
  close();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  // back to the log-in, which starts again from an empty password
  QWidget* login = screenkit::ScreenSet::find(QStringLiteral("TfrmPassword"));
  auto* edit = screenkit::control<QLineEdit>(login, QStringLiteral("txtPassword"));
  if (edit) edit->clear();
  screenkit::ScreenSet::show(QStringLiteral("TfrmPassword"), this);
  if (edit) edit->setFocus(Qt::OtherFocusReason);
}
