#include "numberingscreen.h"

#include "common/screens/screenkit.h"
#include "common/services.h"
#include "protocol/protocollo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString kProtocol = QStringLiteral("protocollo");
} // namespace

TfrmNumerazione::TfrmNumerazione(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TfrmNumerazione"));
  setWindowTitle(QStringLiteral(" Impostazione inizio numerazione"));
  setModal(true);

  memory_ = screenkit::hiddenLabel(QStringLiteral("lblMemory"), {}, this);

  auto* group = new QGroupBox(QStringLiteral(" Inizia numerazione da: "), this);
  group->setObjectName(QStringLiteral("grpInizio"));
  start_ = new QLineEdit(group);
  start_->setObjectName(QStringLiteral("txtInizio"));
  start_->setMaxLength(5);
  start_->setFixedWidth(start_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
  start_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), start_));
  screenkit::digitsOnly(start_);
  // the edit, not the screen: focus also leaves it while the screen is being destroyed
  screenkit::onFocusOut(start_, [edit = start_] { edit->setText(numbering::normalisedStart(edit->text())); });
  auto* inGroup = new QHBoxLayout(group);
  inGroup->setContentsMargins(12, 8, 12, 10);
  inGroup->addWidget(start_);
  inGroup->addStretch(1);

  suffix_ = new QCheckBox(QStringLiteral("Indica l'anno solare dopo il numero progressivo del documento"), this);
  suffix_->setObjectName(QStringLiteral("chkTipo"));

  auto* apply = new QPushButton(QStringLiteral("Applica e chiudi"), this);
  apply->setObjectName(QStringLiteral("btnApplica"));
  auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
  cancel->setObjectName(QStringLiteral("btnAnnulla"));
  for (QPushButton* b : {apply, cancel}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
  }
  screenkit::onEnter(start_, [apply] { apply->setFocus(Qt::OtherFocusReason); });
  connect(apply, &QPushButton::clicked, this, &TfrmNumerazione::applica);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(apply);
  buttons->addWidget(cancel);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(16, 14, 16, 12);
  v->setSpacing(12);
  v->addWidget(group);
  v->addWidget(suffix_);
  v->addLayout(buttons);
  setFixedSize(sizeHint());
}

void TfrmNumerazione::setCallerTag(const QString& tag) { memory_->setText(tag); }
bool TfrmNumerazione::forProtocol() const { return memory_->text() == kProtocol; }

void TfrmNumerazione::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous() || !forProtocol()) return;
  const std::optional<numbering::Settings> settings = protocolsettings::readNumbering();
  const QString start = settings ? settings->start : QString();
  start_->setText(start.isEmpty() ? QStringLiteral("1") : start);
  suffix_->setChecked(settings && settings->yearSuffix);
  start_->setFocus(Qt::OtherFocusReason);
  start_->selectAll();
}

void TfrmNumerazione::applica() {
  if (forProtocol()) {
    start_->setText(numbering::normalisedStart(start_->text()));
    if (!protocolsettings::writeNumbering(start_->text(), suffix_->isChecked())) {
      services::warning(protocoltext::settingsUnreachable());
      return;
    }
  }
  accept();
}

void TfrmNumerazione::open(QWidget* parent, const QString& callerTag) {
  TfrmNumerazione screen(parent);
  screen.setCallerTag(callerTag);
  screen.exec();
}
