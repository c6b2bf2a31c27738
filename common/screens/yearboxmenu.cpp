#include "yearboxmenu.h"

#include "screenkit.h"

#include "archive/paths.h"
#include "common/modules.h"
#include "common/services.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

YearBoxMenu::YearBoxMenu(YearBoxMenuDescription description, QWidget* parent)
    : QWidget(parent, Qt::Window), d_(std::move(description)) {
  screenkit::applyFormats();
  setObjectName(d_.screen);
  setWindowTitle(d_.caption);
  setFixedSize(int(d_.boxes.size()) * 220 + 130, 196);

  // hints wait for the status line the frame makes
  std::vector<std::pair<QWidget*, QString>> hints;
  std::vector<QFrame*> frames;

  auto* info = new QLabel(d_.info, this);
  info->setWordWrap(true);
  QFont bold = info->font();
  bold.setBold(true);

  auto* boxes = new QHBoxLayout;
  boxes->setSpacing(10);
  for (size_t i = 0; i < d_.boxes.size(); ++i) {
    const YearBox& b = d_.boxes[i];
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* heading = new QLabel(b.heading, frame);
    heading->setWordWrap(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    heading->setMinimumHeight(heading->fontMetrics().height() * 2 + 4);

    QLineEdit* year = screenkit::yearEdit(b.yearEdit, frame);
    hints.emplace_back(year, screenkit::yearHint());

    auto* button = new QPushButton(d_.buttonText, frame);
    button->setObjectName(b.button);
    button->setAutoDefault(true);
    if (!b.hint.isEmpty()) hints.emplace_back(button, b.hint);
    connect(button, &QPushButton::clicked, this, [this, i] { open(int(i)); });
    screenkit::onEnter(year, [button] { button->setFocus(Qt::OtherFocusReason); });

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Anno:"), frame));
    row->addWidget(year);
    row->addStretch(1);
    row->addWidget(button);
    auto* v = new QVBoxLayout(frame);
    v->setContentsMargins(10, 8, 10, 10);
    v->addWidget(heading);
    v->addStretch(1);
    v->addLayout(row);
    screenkit::addFocusFrame(year, QStringLiteral("eff") + b.yearEdit.mid(3), frame);
    frames.push_back(frame);
    boxes->addWidget(frame, 1);
    years_.push_back(year);
  }

  lblFile_ = screenkit::hiddenLabel(QStringLiteral("lblFile"), QStringLiteral("FilePath"), this);

  auto* text = new QVBoxLayout;
  text->addWidget(info);
  text->addSpacing(10);
  text->addLayout(boxes, 1);

  std::function<void()> help;
  if (d_.helpTopic) help = [this] { help::show(this, *d_.helpTopic); };
  QLabel* status = screenkit::frameMenuScreen(this, text, help);
  for (const auto& [control, hint] : hints) screenkit::setHint(control, status, hint);
  for (QFrame* frame : frames) screenkit::clearHintOver(frame, status);
}

void YearBoxMenu::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  const QString year = services::clock().today().toString(QStringLiteral("yyyy"));
  for (QLineEdit* y : years_) y->setText(year);
  if (!years_.empty()) years_.front()->setFocus(Qt::OtherFocusReason);
}

void YearBoxMenu::open(int box) {
  if (box < 0 || box >= int(years_.size())) return;
  QLineEdit* edit = years_[size_t(box)];
  if (!screenkit::acceptsYear(edit)) return;
  const QString year = edit->text();
  lblFile_->setText(paths::yearly(year, d_.extension));
  if (d_.boxes[size_t(box)].open) d_.boxes[size_t(box)].open(this, year);
}

void YearBoxMenu::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  screenkit::ScreenSet::show(modules::mainMenu(), this);
}
