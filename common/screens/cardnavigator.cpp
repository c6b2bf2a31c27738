#include "cardnavigator.h"

#include "recordform.h"
#include "screenkit.h"

#include "archive/archivio.h"
#include "common/validation.h"

#include <QHBoxLayout>
#include <QLabel>

RecordView* recordViewOf(QWidget* screen) {
  if (!screen) return nullptr;
  if (auto* view = dynamic_cast<RecordView*>(screen)) return view;
  return screen->findChild<CardNavigator*>();
}

CardNavigator::CardNavigator(RecordForm* form, const ArchiveDef& archive, const CardBehaviour& behaviour,
                             QLabel* positionLabel, QObject* parent)
    : QObject(parent), form_(form), archive_(archive), behaviour_(behaviour), position_(positionLabel),
      unchanged_(form->record()) {}

bool CardNavigator::hasUnsavedEdits() const { return differsAsStored(form_->record(), unchanged_); }

void CardNavigator::markUnchanged() { unchanged_ = form_->record(); }

QString CardNavigator::archivePath() const {
  if (!archive_.isYearly()) return archive_.fixedPath();
  return yearlyFile_ ? fieldtext::trimmed(yearlyFile_()) : QString();
}

std::optional<RecordPosition> CardNavigator::position() const {
  const QString t = fieldtext::trimmed(position_->text());
  bool ok = false;
  const RecordPosition n = t.toLongLong(&ok);
  if (t.isEmpty() || !ok) return std::nullopt;
  return n;
}

void CardNavigator::before(CardAction action, std::function<void()> step) { before_[action].push_back(std::move(step)); }
void CardNavigator::after(CardAction action, std::function<void()> step) { after_[action].push_back(std::move(step)); }

void CardNavigator::run(const std::map<CardAction, std::vector<std::function<void()>>>& steps, CardAction action) {
  const auto it = steps.find(action);
  if (it == steps.end()) return;
  for (const auto& step : it->second) step();
}

void CardNavigator::apply(const std::vector<FieldValue>& values) {
  for (const FieldValue& v : values) form_->set(v.field, v.text());
}

void CardNavigator::show(const CardMessage& m) { services::messages().show(m.kind, m.text); }

void CardNavigator::clearCard() {
  form_->clear(behaviour_.keptOnClear);
  apply(behaviour_.defaults);
  position_->clear();
  form_->focusFirst();
  markUnchanged();
}

void CardNavigator::newCard() {
  run(before_, CardAction::New);
  clearCard();
  apply(behaviour_.newDefaults);
  run(after_, CardAction::New);
  markUnchanged();
}

void CardNavigator::loadRecord(const Record& record, RecordPosition position) {
  run(before_, CardAction::Load);
  form_->load(record);
  position_->setText(QString::number(position));
  run(after_, CardAction::Load);
  markUnchanged();
}

void CardNavigator::save() {
  form_->prepareSave();
  Record record = form_->record();
  if (behaviour_.rules)
    if (const auto failure = behaviour_.rules->check(record)) {
      services::messages().show(failure->kind, failure->message);
      form_->focusField(failure->field);
      return;
    }
  run(before_, CardAction::Save);
  const std::optional<RecordPosition> pos = position();
  try {
    TArchivioSchede archive(archivePath(), archive_.recordSize());
    archive.open(TArchivioSchede::Access::Write);
    if (pos) {
      archive.overwrite(*pos, encode(record));
      archive.close();
      position_->setText(QString::number(*pos));
      run(after_, CardAction::Save);
      markUnchanged();
      show(behaviour_.savedChanges);
    } else {
      const Record typed = record;
      CardMessage message = behaviour_.inserted;
      for (const AppendStep& step : beforeAppend_)
        if (const QString note = step(record, archive); !note.isEmpty()) message.text += QStringLiteral("\r\n\r\n") + note;
      const RecordPosition added = archive.append(encode(record));
      // the card shows the new record as stored from now on, even if
      // closing fails
      position_->setText(QString::number(added));
      for (int i = 0; i < record.layout().fieldCount(); ++i)
        if (record[i] != typed[i]) form_->set(record.layout().field(i).name, record[i]);
      archive.close();
      run(after_, CardAction::Save);
      markUnchanged();
      show(message);
    }
  } catch (const ArchiveError&) {
    services::messages().show(behaviour_.saveFailure, archiveAccessMessage());
  }
}

void CardNavigator::duplicate() {
  if (!position()) {
    show(behaviour_.duplicateRefused);
    return;
  }
  // the archive is checked first: a duplicate it refuses leaves the card as it was
  if (behaviour_.duplicate.checkArchive) {
    try {
      TArchivioSchede archive(archivePath(), archive_.recordSize());
      archive.open(TArchivioSchede::Access::Read);
      archive.close();
    } catch (const ArchiveError&) {
      services::messages().show(behaviour_.duplicateFailure, archiveAccessMessage());
      return;
    }
  }
  run(before_, CardAction::Duplicate);
  apply(behaviour_.duplicate.reset);
  position_->clear();
  form_->focusFirst();
  run(after_, CardAction::Duplicate);
  show(behaviour_.duplicated);
}

void CardNavigator::navigate(NavCommand command) {
  try {
    TArchivioSchede archive(archivePath(), archive_.recordSize());
    archive.open(TArchivioSchede::Access::Read);
    const NavResult r = ::navigate(command, position(), archive.count());
    switch (r.action) {
    case NavResult::Load: {
      const QByteArray bytes = archive.read(r.load);
      archive.close();
      loadRecord(decode(*archive_.layout, bytes.constData()), r.load);
      break;
    }
    case NavResult::EmptyMessage:
      archive.close();
      if (r.clearPosition) position_->clear();
      show(behaviour_.emptyArchive);
      break;
    case NavResult::Nothing: archive.close(); break;
    }
  } catch (const ArchiveError&) {
    services::messages().show(behaviour_.browseFailure, archiveAccessMessage());
  }
}

// ---- the navigation bar ----

NavigationBar::NavigationBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("panNavigazione"));
  auto* nav = new QHBoxLayout(this);
  nav->setContentsMargins(0, 0, 0, 0);
  nav->setSpacing(2);
  const std::pair<const char*, const char*> arrows[] = {{"cmdPrimo", "primo"},
                                                        {"cmdIndietro", "indietro"},
                                                        {nullptr, nullptr},
                                                        {"cmdAvanti", "avanti"},
                                                        {"cmdUltimo", "ultimo"}};
  for (const auto& [name, icon] : arrows) {
    if (!name) {
      position_ = new QLabel(this);
      position_->setObjectName(QStringLiteral("lblPosizione"));
      position_->setAlignment(Qt::AlignCenter);
      position_->setMinimumWidth(60);
      position_->setFrameShape(QFrame::StyledPanel);
      QFont f = position_->font();
      f.setBold(true);
      position_->setFont(f);
      nav->addWidget(position_, 1);
      continue;
    }
    auto* p = new screenkit::Picture(QLatin1String(name), QString(), QLatin1String(icon), this, 24);
    p->setEnabled(false); // until connected
    nav->addWidget(p);
  }
}

void NavigationBar::connectTo(RecordView* view) {
  const std::pair<const char*, void (RecordView::*)()> arrows[] = {{"cmdPrimo", &RecordView::first},
                                                                   {"cmdIndietro", &RecordView::previous},
                                                                   {"cmdAvanti", &RecordView::next},
                                                                   {"cmdUltimo", &RecordView::last}};
  for (const auto& [name, command] : arrows) {
    auto* p = findChild<screenkit::Picture*>(QLatin1String(name));
    p->setEnabled(true);
    connect(p, &screenkit::Picture::clicked, this, [view, command = command] { (view->*command)(); });
  }
}
