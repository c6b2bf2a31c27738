#include "yearscreen.h"

#include "archive/paths.h"
#include "common/help.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QCloseEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QString kAvvio = QStringLiteral("avvio");

} // namespace

namespace yearscreens {

YearScreenDescription description(const modules::Module& module) {
  if (!module.year) return {};
  const modules::YearRow& r = *module.year;
  QString extension;
  for (const ArchiveDef& a : module.archives)
    if (a.isYearly()) {
      extension = a.extension;
      break;
    }
  auto s = [](const char16_t* t) { return QString::fromUtf16(t); };
  return {QLatin1String(module.tile.screen), s(r.caption),        s(r.archiveLabel), s(r.explanation), extension,
          QLatin1String(r.card),             s(r.cardCaption),    QLatin1String(r.keyWord), {}};
}

YearScreenDescription description(const QString& yearScreen) {
  const modules::Module* m = modules::opening(yearScreen);
  return m ? description(*m) : YearScreenDescription{};
}

QWidget* yearScreen(const modules::Module& module) {
  YearScreenDescription d = description(module);
  // the year screen explains its application with the card's own help
  if (module.help) d.help = [topic = *module.help](QWidget* screen) { help::show(screen, topic); };
  return new YearScreen(d);
}

} // namespace yearscreens

YearScreen::YearScreen(YearScreenDescription description, QWidget* parent)
    : QWidget(parent, Qt::Window), d_(std::move(description)) {
  screenkit::applyFormats();
  setObjectName(d_.screen);
  setWindowTitle(d_.caption);
  setFixedSize(500, 210);

  auto* heading = new QLabel(d_.archiveLabel, this);
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.25);
  heading->setFont(bold);

  auto* explanation = new QLabel(d_.explanation, this);
  explanation->setWordWrap(true);

  auto* yearCaption = new QLabel(QStringLiteral("Anno:"), this);
  year_ = screenkit::yearEdit(QStringLiteral("txtAnnoPreventivi"), this);
  year_->setFixedWidth(70);
  screenkit::addFocusFrame(year_, QStringLiteral("effAnnoPreventivi"));

  open_ = new QPushButton(QStringLiteral("Apri"), this);
  open_->setObjectName(QStringLiteral("btnApriPreventivi"));
  open_->setAutoDefault(true);
  connect(open_, &QPushButton::clicked, this, &YearScreen::open);
  screenkit::onEnter(year_, [this] { open_->setFocus(Qt::OtherFocusReason); });

  memory_ = screenkit::hiddenLabel(QStringLiteral("lblMemory"), kAvvio, this);

  auto* yearRow = new QHBoxLayout;
  yearRow->addWidget(yearCaption);
  yearRow->addSpacing(6);
  yearRow->addWidget(year_);
  yearRow->addSpacing(12);
  yearRow->addWidget(open_);
  yearRow->addStretch();

  auto* text = new QVBoxLayout;
  text->addWidget(heading);
  text->addSpacing(6);
  text->addWidget(explanation);
  text->addSpacing(14);
  text->addLayout(yearRow);
  text->addStretch();

  std::function<void()> help;
  if (d_.help) help = [this] { d_.help(this); };
  QLabel* status = screenkit::frameMenuScreen(this, text, help);
  screenkit::setHint(open_, status, QStringLiteral("Apre l'archivio dell'anno indicato."));
  screenkit::setHint(year_, status, screenkit::yearHint());
}

void YearScreen::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (!e->spontaneous()) {
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    year_->setText(services::clock().today().toString(QStringLiteral("yyyy")));
    memory_->setText(kAvvio);
    year_->setFocus(Qt::OtherFocusReason);
  }
}

void YearScreen::open() {
  if (!screenkit::acceptsYear(year_)) return;
  const QString year = year_->text();
  QWidget* card = screenkit::ScreenSet::find(d_.card);
  if (!card) return;
  if (auto* file = screenkit::control<QLabel>(card, QStringLiteral("lblFile")))
    file->setText(paths::yearly(year, d_.extension));
  card->setWindowTitle(d_.cardCaption + year);
  memory_->setText(d_.keyWord);
  close();
}

void YearScreen::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  // the card when "Apri" chose a year, the main menu otherwise
  screenkit::ScreenSet::show(memory_->text() == d_.keyWord ? d_.card : modules::mainMenu(), this);
}
