#include "tfrmavvio.h"

#include "app/help/help.h"
#include "app/shell/screens/applications.h"
#include "app/shell/screens/artwork.h"
#include "app/shell/screens/program.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <QVBoxLayout>

using screenkit::Picture;

namespace {

constexpr int kTileSide = 112;
constexpr QSize kTile(218, 226);
constexpr int kTilesPerRow = 5;

Picture* menuPicture(QWidget* menu, const char* name, const char* art, const QString& caption) {
  return new Picture(QLatin1String(name), artwork::captioned(QLatin1String(art), 44, caption, menu), menu);
}

} // namespace

TfrmAvvio::TfrmAvvio(QWidget* parent) : QWidget(parent, Qt::Window) {
  screenkit::applyFormats();
  setObjectName(QStringLiteral("TfrmAvvio"));
  setWindowTitle(QStringLiteral("Velarion"));
  setWindowState(Qt::WindowMaximized);

  // ---- top: information, the product, help ----
  auto* info = menuPicture(this, "imgInfo", "info", QStringLiteral("Informazioni"));
  auto* guide = menuPicture(this, "imgGuida", "guida", QStringLiteral("Guida"));
  const MenuCommands& commands = menuCommands();
  info->setEnabled(commands.info != nullptr);
  guide->setEnabled(commands.guide != nullptr);
  connect(info, &Picture::clicked, this, [this] {
    if (menuCommands().info) menuCommands().info(this);
  });
  connect(guide, &Picture::clicked, this, [this] {
    if (menuCommands().guide) menuCommands().guide(this);
  });

  auto* logo = new QLabel(this);
  logo->setPixmap(artwork::picture(QStringLiteral("logo"), 72));
  auto* product = new QLabel(QStringLiteral("Velarion"), this);
  QFont big = product->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 2.4);
  product->setFont(big);
  product->setStyleSheet(QStringLiteral("color:#1f4f8f;"));
  auto* subtitle = new QLabel(QStringLiteral("Gestione dello studio tecnico"), this);
  subtitle->setStyleSheet(QStringLiteral("color:#4a5a70;"));
  auto* names = new QVBoxLayout;
  names->setSpacing(0);
  names->addStretch();
  names->addWidget(product);
  names->addWidget(subtitle);
  names->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(info, 0, Qt::AlignTop);
  top->addStretch();
  top->addWidget(logo);
  top->addSpacing(12);
  top->addLayout(names);
  top->addStretch();
  top->addWidget(guide, 0, Qt::AlignTop);

  // ---- the tiles ----
  auto* tiles = new QGridLayout;
  tiles->setHorizontalSpacing(14);
  tiles->setVerticalSpacing(22);
  int index = 0;
  for (const Application& app : applications()) {
    auto* tile = new QFrame(this);
    tile->setFixedSize(kTile);
    tile->setObjectName(QStringLiteral("panTile%1").arg(index + 1));
    tile->setStyleSheet(QStringLiteral("#%1{background:rgba(255,255,255,215);border:1px solid #cfd9e6;"
                                       "border-radius:14px;}")
                            .arg(tile->objectName()));
    const QString screen = QLatin1String(app.screen);
    auto* picture = new Picture(QLatin1String(app.picture), artwork::picture(QLatin1String(app.art), kTileSide), tile);
    auto* title = new QLabel(QString::fromUtf8(app.title), tile);
    title->setObjectName(QStringLiteral("lblTitolo%1").arg(index + 1));
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.1);
    title->setFont(bold);
    auto* button = new Picture(QLatin1String(app.button), artwork::tileButton(QStringLiteral("Apri"), this), tile);
    connect(picture, &Picture::clicked, this, [this, screen] { openApplication(screen); });
    connect(button, &Picture::clicked, this, [this, screen] { openApplication(screen); });

    auto* column = new QVBoxLayout(tile);
    column->setContentsMargins(14, 14, 14, 12);
    column->setSpacing(6);
    column->addWidget(picture, 0, Qt::AlignHCenter);
    column->addWidget(title);
    column->addWidget(button, 0, Qt::AlignHCenter);
    tiles->addWidget(tile, index / kTilesPerRow, index % kTilesPerRow);
    ++index;
  }

  // ---- bottom: about, the web site, the way out ----
  auto* about = menuPicture(this, "imgCopyright", "copyright", QStringLiteral("Copyright"));
  about->setEnabled(commands.about != nullptr);
  connect(about, &Picture::clicked, this, [this] {
    if (menuCommands().about) menuCommands().about(this);
  });
  auto* site = new Picture(QStringLiteral("imgSito"), artwork::siteStrip(help::webAddressText(), this), this);
  site->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(site, &Picture::clicked, this, [] { services::shell().open(help::webAddress()); });
  auto* exit = menuPicture(this, "imgEsci", "esci", QStringLiteral("Esci"));
  connect(exit, &Picture::clicked, this, &QWidget::close);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(about, 0, Qt::AlignBottom);
  bottom->addSpacing(20);
  bottom->addWidget(site, 1, Qt::AlignBottom);
  bottom->addSpacing(20);
  bottom->addWidget(exit, 0, Qt::AlignBottom);

  auto* middle = new QHBoxLayout;
  middle->addStretch();
  middle->addLayout(tiles);
  middle->addStretch();

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(18, 12, 18, 10);
  all->addLayout(top);
  all->addStretch(1);
  all->addLayout(middle);
  all->addStretch(1);
  all->addLayout(bottom);

  refreshTiles();
}

void TfrmAvvio::refreshTiles() {
  for (const Application& app : applications()) {
    const bool present = screenkit::ScreenSet::find(QLatin1String(app.screen)) != nullptr;
    const QString hint = present ? QString() : QStringLiteral("Applicazione non disponibile.");
    for (const char* name : {app.picture, app.button}) {
      if (auto* p = findChild<Picture*>(QLatin1String(name))) {
        p->setEnabled(present);
        p->setToolTip(hint);
        if (QWidget* tile = p->parentWidget())
          for (QLabel* title : tile->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^lblTitolo"))))
            title->setEnabled(present);
      }
    }
  }
}

void TfrmAvvio::openApplication(const QString& screen) { screenkit::ScreenSet::show(screen, this); }

void TfrmAvvio::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (!e->spontaneous()) refreshTiles();
}

void TfrmAvvio::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  program::end();
}

void TfrmAvvio::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient g(0, 0, 0, height());
  g.setColorAt(0, QColor(0xee, 0xf3, 0xfa));
  g.setColorAt(1, QColor(0xc9, 0xd8, 0xec));
  p.fillRect(rect(), g);
  // the band at the bottom that holds the web site strip
  const int band = 64;
  p.fillRect(QRect(0, height() - band, width(), band), QColor(255, 255, 255, 150));
  p.setPen(QColor(0xb4, 0xc4, 0xda));
  p.drawLine(0, height() - band, width(), height() - band);
}
