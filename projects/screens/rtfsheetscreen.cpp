#include "rtfsheetscreen.h"

#include "common/screens/cardeditor.h"
#include "common/screens/screenkit.h"
#include "projects/projectsheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The caller tags whose card has a sheet, and that card.
struct Sheet {
  const char* tag;
  const char* card;
};
constexpr Sheet kSheets[] = {{"referti", "TfrmReferti"}};

} // namespace

TfrmCreaRTF::TfrmCreaRTF(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TfrmCreaRTF"));
  setWindowTitle(QStringLiteral(" Esporta scheda in RTF"));
  setModal(true);

  memory_ = screenkit::hiddenLabel(QStringLiteral("lblMemory"), {}, this);

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("imgStampa"));
  picture->setPixmap(screenkit::icon(QStringLiteral("stampa"), 64));
  picture->setAlignment(Qt::AlignCenter);

  auto* write = new QPushButton(QStringLiteral("Esporta e stampa"), this);
  write->setObjectName(QStringLiteral("btnStampa"));
  auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
  cancel->setObjectName(QStringLiteral("btnAnnulla"));
  for (QPushButton* b : {write, cancel}) {
    b->setMinimumWidth(130);
    b->setAutoDefault(false);
  }
  connect(write, &QPushButton::clicked, this, &TfrmCreaRTF::stampa);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(write);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(16);
  layout->addWidget(picture);
  layout->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void TfrmCreaRTF::setCallerTag(const QString& tag) { memory_->setText(tag); }
QString TfrmCreaRTF::callerTag() const { return memory_->text(); }

void TfrmCreaRTF::stampa() {
  const QString tag = fieldtext::trimmed(memory_->text());
  for (const Sheet& s : kSheets)
    if (tag == QLatin1String(s.tag))
      if (auto* card = qobject_cast<CardEditor*>(screenkit::ScreenSet::find(QLatin1String(s.card))))
        projectsheet::exportSheet(card->recordFromScreen());
  accept();
}

void TfrmCreaRTF::open(QWidget* card, const QString& callerTag) {
  TfrmCreaRTF screen(card);
  screen.setCallerTag(callerTag);
  screenkit::centre(&screen, card);
  screen.exec();
}
