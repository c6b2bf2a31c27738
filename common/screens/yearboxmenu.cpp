#include "yearboxmenu.h"

#include "archive/paths.h"
#include "common/dates.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QString kAvvio = QStringLiteral("TfrmAvvio");
} // namespace

YearBoxMenu::YearBoxMenu(YearBoxMenuDescription description, QWidget* parent)
    : QWidget(parent, Qt::Window), d_(std::move(description)) {
  screenkit::applyFormats();
  setObjectName(d_.screen);
  setWindowTitle(d_.caption);

  auto* info = new QLabel(d_.info, this);
  info->setObjectName(QStringLiteral("lblInfo"));
  info->setWordWrap(true);

  std::vector<QFrame*> boxes;
  auto* text = new QVBoxLayout;
  text->setSpacing(10);
  text->addWidget(info);
  for (size_t i = 0; i < d_.boxes.size(); ++i) {
    const YearBox& b = d_.boxes[i];
    auto* box = new QFrame(this);
    box->setFrameShape(QFrame::StyledPanel);
    auto* heading = new QLabel(b.heading, box);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* yearCaption = new QLabel(QStringLiteral("Anno:"), box);
    auto* year = new QLineEdit(box);
    year->setObjectName(b.yearEdit);
    year->setMaxLength(4);
    year->setFixedWidth(70);
    year->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), year));
    screenkit::digitsOnly(year);
    screenkit::addFocusFrame(year, QStringLiteral("eff") + b.yearEdit.mid(3));
    years_.push_back(year);

    auto* button = new QPushButton(b.buttonText, box);
    button->setObjectName(b.button);
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, [this, i] { open(i); });
    screenkit::onEnter(year, [button] { button->setFocus(Qt::OtherFocusReason); });

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(12, 8, 12, 8);
    row->addWidget(heading, 1);
    row->addWidget(yearCaption);
    row->addSpacing(6);
    row->addWidget(year);
    row->addSpacing(12);
    row->addWidget(button);
    text->addWidget(box);
    boxes.push_back(box);
  }
  text->addStretch();

  file_ = new QLabel(this);
  file_->setObjectName(QStringLiteral("lblFile"));
  file_->hide();

  std::function<void()> help;
  if (d_.help) help = [this] { help::show(this, *d_.help); };
  QLabel* status = screenkit::frameMenuScreen(this, text, help);
  for (QFrame* box : boxes) screenkit::clearHintOver(box, status);
  setFixedSize(600, std::max(240, sizeHint().height() + 12));
}

void YearBoxMenu::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  screenkit::centre(this);
  const QString year = services::clock().today().toString(QStringLiteral("yyyy"));
  for (QLineEdit* edit : years_) edit->setText(year);
  if (!years_.empty()) years_.front()->setFocus(Qt::OtherFocusReason);
}

void YearBoxMenu::open(size_t index) {
  QLineEdit* edit = years_.at(index);
  const QString year = edit->text();
  if (!dates::isYearText(year)) {
    services::warning(QString::fromUtf8(dates::kYearWarning));
    edit->setFocus(Qt::OtherFocusReason);
    return;
  }
  const YearChoice choice{year, paths::yearly(year, d_.extension)};
  file_->setText(choice.file);
  if (d_.boxes[index].open) d_.boxes[index].open(this, choice);
}

void YearBoxMenu::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  screenkit::ScreenSet::show(kAvvio, this);
}
