#include "startpanel.h"

#include "alarmsound.h"

#include "archive/archivio.h"
#include "common/dates.h"
#include "common/help.h"
#include "common/screens/gridscreen.h"
#include "common/screens/screenkit.h"
#include "common/services.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/reminders.h"
#include "deadlines/scadenza.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

static void loadDeadlinePictures() { Q_INIT_RESOURCE(deadlines_pictures); }

namespace {

QPixmap picture(const char* name, QSize size) {
  return screenkit::picture(QStringLiteral(":/deadlines/pictures/") + QLatin1String(name) + QStringLiteral(".svg"),
                            size);
}

// The panels of the start panel: light, with a rounded border, as the
// sections of the cards.
QFrame* panel(QWidget* parent) {
  auto* f = new QFrame(parent);
  f->setProperty("riquadro", true);
  return f;
}

QLabel* heading(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  l->setStyleSheet(QStringLiteral("color:#1f4f8f;"));
  l->setWordWrap(true);
  return l;
}

} // namespace

DeadlineStartPanel::DeadlineStartPanel(QWidget* screen, QLabel* statusLine,
                                       std::function<void(const QString& year)> open)
    : QWidget(screen), screen_(screen), open_(std::move(open)) {
  loadDeadlinePictures();
  setObjectName(QStringLiteral("panAvvio"));
  screenkit::clearHintOver(this, statusLine);

  // the heading: the application's picture and name, help and exit
  auto* head = new QHBoxLayout;
  auto* logo = new QLabel(this);
  logo->setPixmap(picture("scadenzario", QSize(64, 64)));
  auto* title = new QLabel(QStringLiteral("Scadenze e Appuntamenti"), this);
  QFont big = title->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.8);
  title->setFont(big);
  title->setStyleSheet(QStringLiteral("color:#1f4f8f;"));
  auto* guida = new screenkit::Picture(QStringLiteral("imgGuida"), QStringLiteral("Guida"), QStringLiteral("guida"),
                                       this);
  auto* esci =
      new screenkit::Picture(QStringLiteral("imgEsci"), QStringLiteral("Esci"), QStringLiteral("esci"), this);
  connect(guida, &screenkit::Picture::clicked, this, [this] { help::show(screen_, HelpTopic::Scadenzario); });
  connect(esci, &screenkit::Picture::clicked, screen_, &QWidget::close);
  head->addWidget(logo);
  head->addSpacing(10);
  head->addWidget(title, 1);
  head->addWidget(guida);
  head->addWidget(esci);

  // the year to open
  QFrame* year = panel(this);
  auto* yv = new QVBoxLayout(year);
  yv->setContentsMargins(16, 12, 16, 14);
  yv->setSpacing(10);
  yv->addWidget(heading(QStringLiteral("Accedi all'archivio annuale per inserire o modificare le scadenze."), year));
  auto* yearRow = new QHBoxLayout;
  txtAnno_ = screenkit::yearEdit(QStringLiteral("txtAnno"), year);
  screenkit::addFocusFrame(txtAnno_, QStringLiteral("effAnno"), year);
  btnApri_ = new QPushButton(QStringLiteral("Apri"), year);
  btnApri_->setObjectName(QStringLiteral("btnApri"));
  btnApri_->setAutoDefault(true); // Enter on it opens the year
  connect(btnApri_, &QPushButton::clicked, this, &DeadlineStartPanel::openYear);
  screenkit::onEnter(txtAnno_, [this] { btnApri_->setFocus(Qt::OtherFocusReason); });
  yearRow->addWidget(new QLabel(QStringLiteral("Anno:"), year));
  yearRow->addWidget(txtAnno_);
  yearRow->addSpacing(8);
  yearRow->addWidget(btnApri_);
  yearRow->addStretch(1);
  yv->addLayout(yearRow);
  yv->addWidget(new QLabel(QStringLiteral("Indicare l'anno solare e premere Apri."), year));

  // the banner of imminent deadlines
  QFrame* banner = panel(this);
  auto* bv = new QVBoxLayout(banner);
  bv->setContentsMargins(16, 12, 16, 14);
  bv->setSpacing(10);
  bv->addWidget(heading(QStringLiteral("Visualizza le scadenze imminenti."), banner));
  const QSize bannerSize(360, 76);
  imgPresenti_ = new QLabel(banner);
  imgPresenti_->setObjectName(QStringLiteral("imgPresenti"));
  imgPresenti_->setPixmap(picture("presenti", bannerSize));
  imgPresenti_->setAccessibleName(QStringLiteral("Ci sono scadenze"));
  imgAssenti_ = new QLabel(banner);
  imgAssenti_->setObjectName(QStringLiteral("imgAssenti"));
  imgAssenti_->setPixmap(picture("assenti", bannerSize));
  imgAssenti_->setAccessibleName(QStringLiteral("Non ci sono scadenze"));
  imgPresenti_->hide();
  bv->addWidget(imgPresenti_, 0, Qt::AlignLeft);
  bv->addWidget(imgAssenti_, 0, Qt::AlignLeft);
  auto* okRow = new QHBoxLayout;
  okRow->addWidget(new QLabel(QStringLiteral("Premere OK per ottenere l'elenco delle scadenze."), banner));
  btnOK_ = new QPushButton(QStringLiteral("OK"), banner);
  btnOK_->setObjectName(QStringLiteral("btnOK"));
  btnOK_->setEnabled(false);
  connect(btnOK_, &QPushButton::clicked, this, [this] { grids::GridScreen::open(imminentDeadlines(), screen_); });
  okRow->addSpacing(8);
  okRow->addWidget(btnOK_);
  okRow->addStretch(1);
  bv->addLayout(okRow);

  // the calendar and its two lists
  QFrame* days = panel(this);
  auto* dv = new QVBoxLayout(days);
  dv->setContentsMargins(16, 12, 16, 14);
  dv->setSpacing(10);
  calendar_ = new QCalendarWidget(days);
  calendar_->setObjectName(QStringLiteral("calAppuntamenti"));
  calendar_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
  calendar_->setSelectedDate(services::clock().today());
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setMinimumSize(360, 240);
  dv->addWidget(calendar_, 1);
  auto* lists = new QHBoxLayout;
  auto* giorno = new screenkit::Picture(QStringLiteral("btnGiorno"), picture("giorno", QSize(206, 44)), days);
  auto* mese = new screenkit::Picture(QStringLiteral("btnMese"), picture("mese", QSize(206, 44)), days);
  giorno->setAccessibleName(QStringLiteral("SCADENZE DEL GIORNO"));
  mese->setAccessibleName(QStringLiteral("SCADENZE DEL MESE"));
  connect(giorno, &screenkit::Picture::clicked, this,
          [this] { grids::GridScreen::open(deadlinesOfDay(), screen_, calendarDate()); });
  connect(mese, &screenkit::Picture::clicked, this,
          [this] { grids::GridScreen::open(deadlinesOfMonth(), screen_, calendarDate()); });
  lists->addStretch(1);
  lists->addWidget(giorno);
  lists->addSpacing(10);
  lists->addWidget(mese);
  lists->addStretch(1);
  dv->addLayout(lists);

  auto* left = new QVBoxLayout;
  left->setSpacing(12);
  left->addWidget(year);
  left->addWidget(banner);
  left->addStretch(1);
  auto* body = new QHBoxLayout;
  body->setSpacing(14);
  body->addLayout(left, 1);
  body->addWidget(days, 1);

  auto* content = new QVBoxLayout;
  content->setSpacing(14);
  content->addStretch(1);
  content->addLayout(head);
  content->addLayout(body);
  content->addStretch(2);
  // the panel keeps a reading width on wide screens
  auto* centred = new QHBoxLayout(this);
  centred->setContentsMargins(18, 12, 18, 12);
  auto* holder = new QWidget(this);
  holder->setMaximumWidth(1100);
  holder->setLayout(content);
  centred->addStretch(0);
  centred->addWidget(holder, 1);
  centred->addStretch(0);
  for (QWidget* bg : {static_cast<QWidget*>(holder), static_cast<QWidget*>(year), static_cast<QWidget*>(banner),
                      static_cast<QWidget*>(days)})
    screenkit::clearHintOver(bg, statusLine);
}


QDate DeadlineStartPanel::calendarDate() const { return calendar_->selectedDate(); }

QString DeadlineStartPanel::year() const { return txtAnno_->text(); }

void DeadlineStartPanel::focusYear() { txtAnno_->setFocus(Qt::OtherFocusReason); }

void DeadlineStartPanel::openYear() {
  if (screenkit::acceptsYear(txtAnno_)) open_(year());
}

void DeadlineStartPanel::enter() {
  txtAnno_->setText(deadline::yearText(services::clock().today().year()));
  focusYear();
  checkReminders();
}

void DeadlineStartPanel::checkReminders() {
  // the banner says only what this check finds
  imgPresenti_->hide();
  imgAssenti_->show();
  btnOK_->setEnabled(false);
  const reminders::Check found = reminders::check(services::clock().today());
  if (found.imminent > 0) {
    imgAssenti_->hide();
    imgPresenti_->show();
    btnOK_->setEnabled(true);
    alarmsound::sound().play(alarmsound::alarmFile());
  }
  if (found.failed) services::error(archiveAccessMessage());
}

