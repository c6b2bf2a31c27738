#include "attachscreen.h"

#include "archive/record.h"
#include "common/attachments.h"
#include "common/screens/clickable.h"
#include "common/screens/screenkit.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace attachscreen {

namespace {

QString desktopPicker(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Selezionare il file da allegare:"));
  dialog.setObjectName(QStringLiteral("dlgFile"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QStringLiteral("Tutti i file (*.*)"));
  // "*.*" means every file here too, names without an extension included
  if (auto* model = dialog.findChild<QFileSystemModel*>()) model->setNameFilters({QStringLiteral("*")});
  if (dialog.exec() != QDialog::Accepted) return QString();
  return dialog.selectedFiles().value(0);
}

FilePicker& picker() {
  static FilePicker p;
  return p;
}

void setEnabledFromName(QWidget* open, const QString& name) {
  if (open) open->setEnabled(!fieldtext::trimmed(name).isEmpty());
}

} // namespace

std::vector<Owner> owners() {
  std::vector<Owner> list;
  for (const modules::Module* m : modules::all())
    if (m->attachments) list.push_back(*m->attachments);
  return list;
}

QWidget* ownerForTag(const QString& tag) {
  for (const Owner& o : owners())
    if (tag == QLatin1String(o.tag)) return screenkit::ScreenSet::find(QLatin1String(o.screen));
  return nullptr;
}

void setFilePicker(FilePicker p) { picker() = std::move(p); }

QString pickFile(QWidget* parent) { return picker() ? picker()(parent) : desktopPicker(parent); }

bool chooseAndAttach(QWidget* parent, QLineEdit* nameEdit) {
  const QString chosen = pickFile(parent);
  if (chosen.isEmpty()) return false;
  const attachments::AttachResult r = attachments::attach(chosen);
  if (r.outcome == attachments::Outcome::Failed) return false;
  nameEdit->setText(r.name);
  return true;
}

void bindFileSlot(QLineEdit* nameEdit, QWidget* browse, QWidget* open, QWidget* clear) {
  QPointer<QLineEdit> edit(nameEdit);
  if (browse)
    clickable::onClick(browse, nameEdit, [edit] {
      if (edit) chooseAndAttach(edit->window(), edit);
    });
  if (open) {
    clickable::onClick(open, nameEdit, [edit] {
      if (edit) attachments::openStored(edit->text());
    });
    QPointer<QWidget> button(open);
    QObject::connect(nameEdit, &QLineEdit::textChanged, nameEdit, [button](const QString& t) { setEnabledFromName(button, t); });
    setEnabledFromName(open, nameEdit->text());
  }
  if (clear)
    clickable::onClick(clear, nameEdit, [edit] {
      if (edit) edit->clear();
    });
}

} // namespace attachscreen

namespace {

QString slotName(const char* stem, int slot) { return QLatin1String(stem) + QStringLiteral("0%1").arg(slot); }

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TfrmAllegaCartella"));
  setWindowTitle(QStringLiteral(" Allega file"));
  setModal(true);

  memory_ = screenkit::hiddenLabel(QStringLiteral("lblMemory"), {}, this);

  auto* layout = new QVBoxLayout(this);
  for (int slot = 1; slot <= 3; ++slot) {
    auto* grid = new QGridLayout;
    const QString nth = QString::number(slot) + QStringLiteral("\u00B0");

    auto* fileCaption = new QLabel(QStringLiteral("Nome ") + nth + QStringLiteral(" file allegato:"), this);
    auto* file = new QLineEdit(this);
    file->setObjectName(slotName("txtFile", slot));
    file->setReadOnly(true);
    file->setMaxLength(250);
    file->setMinimumWidth(360);
    auto* browse = new QPushButton(QStringLiteral("Sfoglia..."), this);
    browse->setObjectName(slotName("btnSfoglia", slot));
    auto* open = new QPushButton(QStringLiteral("Apri"), this);
    open->setObjectName(slotName("btnApri", slot));
    // Enter in an edit of the screen presses none of the slot buttons
    for (QPushButton* b : {browse, open}) b->setAutoDefault(false);
    auto* clear = new screenkit::Picture(slotName("imgCancella", slot), QString(), QStringLiteral("cancella"), this, 20);
    clear->setToolTip(QString());

    auto* descCaption = new QLabel(QStringLiteral("Descrizione ") + nth + QStringLiteral(" file allegato:"), this);
    auto* desc = new QLineEdit(this);
    desc->setObjectName(slotName("txtDesc", slot));
    desc->setMaxLength(250);

    grid->addWidget(fileCaption, 0, 0, 1, 4);
    grid->addWidget(file, 1, 0);
    grid->addWidget(browse, 1, 1);
    grid->addWidget(open, 1, 2);
    grid->addWidget(clear, 1, 3);
    grid->addWidget(descCaption, 2, 0, 1, 4);
    grid->addWidget(desc, 3, 0, 1, 4);
    layout->addLayout(grid);
    if (slot < 3) layout->addSpacing(10);

    attachscreen::bindFileSlot(file, browse, open, clear);
  }

  auto* apply = new QPushButton(QStringLiteral("Applica e chiudi"), this);
  apply->setObjectName(QStringLiteral("btnApplica"));
  auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
  cancel->setObjectName(QStringLiteral("btnAnnulla"));
  for (QPushButton* b : {apply, cancel}) b->setAutoDefault(false);
  connect(apply, &QPushButton::clicked, this, &TfrmAllegaCartella::applica);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(apply);
  buttons->addWidget(cancel);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmAllegaCartella::setCallerTag(const QString& tag) { memory_->setText(tag); }
QString TfrmAllegaCartella::callerTag() const { return memory_->text(); }
void TfrmAllegaCartella::setOwner(QWidget* owner) { owner_ = owner; }

void TfrmAllegaCartella::loadFrom(QWidget* owner) {
  for (int i = 0; i < 3; ++i) {
    auto* file = screenkit::control<QLabel>(owner, QLatin1String(attachscreen::kFileLabels[i]));
    auto* desc = screenkit::control<QLabel>(owner, QLatin1String(attachscreen::kDescLabels[i]));
    screenkit::control<QLineEdit>(this, slotName("txtFile", i + 1))->setText(file ? fieldtext::trimmed(file->text()) : QString());
    screenkit::control<QLineEdit>(this, slotName("txtDesc", i + 1))->setText(desc ? fieldtext::trimmed(desc->text()) : QString());
  }
}

void TfrmAllegaCartella::applyTo(QWidget* owner) {
  for (int i = 0; i < 3; ++i) {
    if (auto* file = screenkit::control<QLabel>(owner, QLatin1String(attachscreen::kFileLabels[i])))
      file->setText(fieldtext::trimmed(screenkit::control<QLineEdit>(this, slotName("txtFile", i + 1))->text()));
    if (auto* desc = screenkit::control<QLabel>(owner, QLatin1String(attachscreen::kDescLabels[i])))
      desc->setText(fieldtext::trimmed(screenkit::control<QLineEdit>(this, slotName("txtDesc", i + 1))->text()));
  }
}

void TfrmAllegaCartella::applica() {
  QWidget* owner = owner_ ? owner_.data() : attachscreen::ownerForTag(fieldtext::trimmed(callerTag()));
  if (owner) applyTo(owner);
  accept();
}

namespace attachscreen {

void showAttachments(QWidget* ownerCard, const QString& callerTag) {
  TfrmAllegaCartella screen(ownerCard);
  screen.setCallerTag(callerTag);
  screen.setOwner(ownerCard);
  screen.loadFrom(ownerCard);
  screen.exec();
}

} // namespace attachscreen
