#include "mainmenu.h"

#include "app/help/help.h"
#include "app/shell/screens/applications.h"
#include "app/shell/screens/artwork.h"
#include "app/shell/screens/program.h"
#include "app/shell/screens/studiosearchscreen.h"
#include "common/screens/screenkit.h"
#include "common/services.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QShortcut>
#include <QShowEvent>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

using screenkit::Picture;

namespace {

// The tiles at their full size; they are drawn smaller where the screen
// is smaller (1024 x 768, or a scaled desktop), larger on a wide screen.
constexpr int kTileSide = 112;
constexpr QSize kTile(218, 226);
constexpr int kTilesPerRow = 5;
constexpr int kTileRows = 2;
constexpr int kColumnGap = 14;
constexpr int kRowGap = 22;
constexpr double kSmallest = 0.5;
constexpr double kLargest = 1.3;
constexpr double kTallest = 1.3; // how much taller than wide a tile may grow

// A tile of the menu: it takes the focus (Tab, Shift+Tab, the arrows) and
// shows it with a dark frame; Enter or Space presses its button as a click
// does. The arrows move to the tile beside, above or below in the grid.
class Tile : public QFrame {
public:
  Tile(int index, QWidget* parent) : QFrame(parent), index_(index) {
    setObjectName(QStringLiteral("panTile%1").arg(index + 1));
    // the focus frame is as wide as the plain border and the padding it
    // replaces: the tile's parts stay where they are
    setStyleSheet(QStringLiteral("#%1{background:rgba(255,255,255,215);border:1px solid #cfd9e6;border-radius:14px;"
                                 "padding:2px;}"
                                 "#%1:focus{background:#ffffff;border:3px solid #1f4f8f;padding:0px;}")
                      .arg(objectName()));
    setFocusPolicy(Qt::StrongFocus);
  }
  // The button under the picture, which Enter presses.
  void setButton(Picture* button) { button_ = button; }
  // Present applications take the focus; the others are passed over.
  void setPresent(bool present) {
    setFocusPolicy(present ? Qt::StrongFocus : Qt::NoFocus);
    if (!present && hasFocus()) focusNextChild();
  }

protected:
  void keyPressEvent(QKeyEvent* e) override {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: screenkit::press(button_); return;
    case Qt::Key_Left: moveBy(-1); return;
    case Qt::Key_Right: moveBy(1); return;
    case Qt::Key_Up: moveBy(-kTilesPerRow); return;
    case Qt::Key_Down: moveBy(kTilesPerRow); return;
    default: QFrame::keyPressEvent(e);
    }
  }

private:
  // To the tile `step` places on in reading order, passing over tiles that
  // take no focus; nowhere past the first or the last.
  void moveBy(int step) {
    const auto tiles = parentWidget()->findChildren<Tile*>(QString(), Qt::FindDirectChildrenOnly);
    for (int i = index_ + step; i >= 0 && i < int(tiles.size()); i += step)
      for (Tile* t : tiles)
        if (t->index_ == i && t->focusPolicy() != Qt::NoFocus) {
          t->setFocus(Qt::TabFocusReason);
          return;
        }
  }

  int index_;
  Picture* button_ = nullptr;
};

Picture* menuPicture(QWidget* menu, const char* name, const char* art, const QString& caption) {
  return new Picture(QLatin1String(name), artwork::captioned(QLatin1String(art), 44, caption, menu), menu);
}

// The ten tiles in two rows of five, scaled to the room the menu has and
// centred in it.
class TileArea : public QWidget {
public:
  explicit TileArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panApplicazioni"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  void add(QFrame* tile, Picture* picture, const QString& art) { tiles_.push_back({tile, picture, art}); }
  QSize sizeHint() const override { return gridSize(1.0); }
  QSize minimumSizeHint() const override { return gridSize(kSmallest); }

protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    arrange();
  }

private:
  struct Tile {
    QFrame* frame;
    Picture* picture;
    QString art;
    int side = 0; // the picture's side as drawn
  };

  static QSize gridSize(double scale) {
    return {int(std::lround((kTilesPerRow * kTile.width() + (kTilesPerRow - 1) * kColumnGap) * scale)),
            int(std::lround((kTileRows * kTile.height() + (kTileRows - 1) * kRowGap) * scale))};
  }

  void arrange() {
    const QSize full = gridSize(1.0);
    const double across = double(width()) / full.width(), down = double(height()) / full.height();
    const double scale = std::clamp(std::min(across, down), kSmallest, kLargest);
    // a narrow screen (1024 wide at 125 %) leaves height over: the tiles take
    // some of it, so that their pictures stay large enough to see
    const double tall = std::clamp(down, scale, scale * kTallest);
    const int w = int(kTile.width() * scale), h = int(kTile.height() * tall);
    const int gapX = int(kColumnGap * scale), gapY = int(kRowGap * scale);
    const QSize used(kTilesPerRow * w + (kTilesPerRow - 1) * gapX, kTileRows * h + (kTileRows - 1) * gapY);
    const QPoint origin(std::max(0, (width() - used.width()) / 2), std::max(0, (height() - used.height()) / 2));
    for (size_t i = 0; i < tiles_.size(); ++i) {
      const int column = int(i) % kTilesPerRow, row = int(i) / kTilesPerRow;
      Tile& t = tiles_[i];
      t.frame->setGeometry(origin.x() + column * (w + gapX), origin.y() + row * (h + gapY), w, h);
      // the picture takes what the title (two lines at most) and the button leave
      const QLayout* parts = t.frame->layout();
      const QMargins m = parts->contentsMargins();
      int rest = m.top() + m.bottom() + 2 * parts->spacing();
      for (QWidget* part : t.frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (part == t.picture) continue;
        const bool title = !qobject_cast<Picture*>(part);
        rest += title ? 2 * part->fontMetrics().lineSpacing() : part->sizeHint().height();
      }
      const int side = std::clamp(std::min(int(kTileSide * tall), h - rest), 24, w - m.left() - m.right());
      if (side != t.side) {
        t.picture->setPixmap(artwork::picture(t.art, side));
        t.side = side;
      }
    }
  }

  std::vector<Tile> tiles_;
};

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
  screenkit::pressOnKey(guide, QKeySequence(Qt::Key_F1));

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

  // the search of the whole studio: Ctrl+F reaches it, Enter searches
  auto* search = new QLineEdit(this);
  search->setObjectName(QStringLiteral("txtCerca"));
  search->setPlaceholderText(QStringLiteral("Cerca in tutti gli archivi (Ctrl+F)"));
  search->setToolTip(QStringLiteral("Cerca un nome, un indirizzo, un oggetto o un importo in tutti gli archivi dello "
                                    "studio."));
  search->setClearButtonEnabled(true);
  search->setMaxLength(250);
  search->setFocusPolicy(Qt::ClickFocus); // the tiles keep the Tab key to themselves
  search->setMinimumWidth(200);
  search->setMaximumWidth(320);
  search->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  connect(search, &QLineEdit::returnPressed, this, [this, search] { openSearch(search); });
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [search] {
    search->setFocus(Qt::ShortcutFocusReason);
    search->selectAll();
  });

  auto* top = new QHBoxLayout;
  top->addWidget(info, 0, Qt::AlignTop);
  top->addStretch();
  top->addWidget(logo);
  top->addSpacing(12);
  top->addLayout(names);
  top->addStretch();
  top->addWidget(search, 1, Qt::AlignVCenter);
  top->addSpacing(16);
  top->addWidget(guide, 0, Qt::AlignTop);

  // ---- the tiles ----
  auto* tiles = new TileArea(this);
  int index = 0;
  for (const Application& app : applications()) {
    auto* tile = new Tile(index, tiles);
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
    tile->setButton(button);

    auto* column = new QVBoxLayout(tile);
    column->setContentsMargins(14, 14, 14, 12);
    column->setSpacing(6);
    column->addWidget(picture, 0, Qt::AlignHCenter);
    column->addWidget(title);
    column->addWidget(button, 0, Qt::AlignHCenter);
    tiles->add(tile, picture, QLatin1String(app.art));
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
  connect(site, &Picture::clicked, this, [] { services::openOrTell(help::webAddress()); });
  auto* exit = menuPicture(this, "imgEsci", "esci", QStringLiteral("Esci"));
  connect(exit, &Picture::clicked, this, &QWidget::close);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(about, 0, Qt::AlignBottom);
  bottom->addSpacing(20);
  bottom->addWidget(site, 1, Qt::AlignBottom);
  bottom->addSpacing(20);
  bottom->addWidget(exit, 0, Qt::AlignBottom);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(18, 12, 18, 10);
  all->addLayout(top);
  all->addWidget(tiles, 1);
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
        if (QWidget* tile = p->parentWidget()) {
          for (QLabel* title : tile->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^lblTitolo"))))
            title->setEnabled(present);
          if (auto* t = dynamic_cast<Tile*>(tile)) t->setPresent(present);
        }
      }
    }
  }
}

void TfrmAvvio::openApplication(const QString& screen) {
  // the application takes the menu's place: the results of a search go with it
  if (results_) results_->close();
  screenkit::ScreenSet::show(screen, this);
}

void TfrmAvvio::openSearch(QLineEdit* box) {
  if (!studiosearch::Run::acceptable(box->text())) {
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())),
                       QStringLiteral("Scrivere almeno %1 caratteri da cercare.").arg(studiosearch::kShortest), box);
    return;
  }
  if (!results_) results_ = new TfrmCercaStudio(this);
  results_->search(box->text());
}

void TfrmAvvio::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;
  refreshTiles();
  // the keyboard starts on the first tile that opens something
  for (Tile* tile : findChild<QWidget*>(QStringLiteral("panApplicazioni"))->findChildren<Tile*>())
    if (tile->focusPolicy() != Qt::NoFocus) {
      tile->setFocus(Qt::OtherFocusReason);
      break;
    }
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
