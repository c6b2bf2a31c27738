#include "casefolderscreen.h"

#include "screenkit.h"

#include "archive/record.h"
#include "common/attachments.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TfrmCartella::TfrmCartella(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TfrmCartella"));
  setWindowTitle(QStringLiteral(" Gestione cartella abbinata alla scheda corrente"));
  setModal(true);

  memory_ = screenkit::hiddenLabel(QStringLiteral("lblMemory"), {}, this);

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("imgCartella"));
  picture->setPixmap(screenkit::icon(QStringLiteral("cartella"), 48));

  auto* open = new QPushButton(QStringLiteral("Apri cartella"), this);
  open->setObjectName(QStringLiteral("btnApriCartella"));
  auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
  close->setObjectName(QStringLiteral("btnChiudi"));
  for (QPushButton* b : {open, close}) b->setMinimumWidth(110);
  connect(open, &QPushButton::clicked, this, &TfrmCartella::apriCartella);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->addWidget(picture);
  layout->addStretch();
  layout->addWidget(open);
  layout->addWidget(close);
  setMinimumWidth(420);
}

void TfrmCartella::setPosition(RecordPosition position) { memory_->setText(QString::number(position)); }
QString TfrmCartella::memory() const { return memory_->text(); }

void TfrmCartella::apriCartella() {
  // the folder is bound to the record position, which never changes
  bool ok = false;
  const QString text = fieldtext::trimmed(memory_->text());
  const RecordPosition position = text.toLongLong(&ok);
  if (casefolder::open(ok ? position : 0)) accept();
}

namespace casefolder {

void showCaseFolder(QWidget* parent, RecordPosition position) {
  TfrmCartella screen(parent);
  screen.setPosition(position);
  screen.exec();
}

} // namespace casefolder
