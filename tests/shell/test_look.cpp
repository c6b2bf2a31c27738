// The program's own light look on a desktop with a dark theme: start-up
// sets it before any screen is made, and every text on every screen stands
// out from what is drawn behind it, as the screens are rendered.
#include "app/shell/screens/startup.h"
#include "clients/screens/clientsearch.h"
#include "common/screens/calendarscreen.h"
#include "common/screens/screenkit.h"
#include "charts/screens/chartscreen.h"
#include "cardtest.h"
#include "screendriver.h"
#include "support.h"
#include "tests/lists/clientfixture.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolTip>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// The palette a dark desktop theme gives the applications.
QPalette darkDesktop() {
  const std::pair<QPalette::ColorRole, QRgb> roles[] = {
      {QPalette::Window, 0x31363B},        {QPalette::WindowText, 0xEFF0F1},  {QPalette::Base, 0x232629},
      {QPalette::AlternateBase, 0x31363B}, {QPalette::Text, 0xEFF0F1},        {QPalette::Button, 0x31363B},
      {QPalette::ButtonText, 0xEFF0F1},    {QPalette::BrightText, 0xFFFFFF},  {QPalette::Light, 0x474D54},
      {QPalette::Midlight, 0x3A4045},      {QPalette::Mid, 0x2C3034},         {QPalette::Dark, 0x1B1E20},
      {QPalette::Shadow, 0x141618},        {QPalette::Highlight, 0x3DAEE9},   {QPalette::HighlightedText, 0xFCFCFC},
      {QPalette::ToolTipBase, 0x31363B},   {QPalette::ToolTipText, 0xEFF0F1}, {QPalette::Link, 0x1D99F3},
      {QPalette::LinkVisited, 0x9B59B6},   {QPalette::PlaceholderText, 0x9A9C9E}};
  QPalette p;
  for (auto [role, rgb] : roles)
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) p.setColor(group, role, QColor(rgb));
  return p;
}

// WCAG relative luminance and contrast ratio.
double luminance(const QColor& c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double contrast(const QColor& a, const QColor& b) {
  const double x = luminance(a), y = luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The part of a grabbed screen where a widget is drawn, in image pixels.
QRect pixels(const QImage& image, QWidget* screen, QWidget* w) {
  const qreal ratio = image.devicePixelRatio();
  const QRect r(w->mapTo(screen, QPoint(0, 0)), w->size());
  return QRect((QPointF(r.topLeft()) * ratio).toPoint(), (QSizeF(r.size()) * ratio).toSize()) & image.rect();
}

// The colour most pixels of the area have: what the text stands on. The
// frame of a control is left out, and shades of a gradient count as one
// (pixels are counted by their colour cut to 4 bits a channel, the result
// is the mean of the most common of them).
QColor dominant(const QImage& image, QRect area) {
  if (area.width() > 10 && area.height() > 10) area.adjust(3, 3, -3, -3);
  struct Bucket {
    int count = 0;
    long r = 0, g = 0, b = 0;
  };
  QHash<int, Bucket> buckets;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      Bucket& bucket = buckets[(qRed(p) >> 4) << 8 | (qGreen(p) >> 4) << 4 | qBlue(p) >> 4];
      ++bucket.count;
      bucket.r += qRed(p);
      bucket.g += qGreen(p);
      bucket.b += qBlue(p);
    }
  Bucket best;
  for (const Bucket& bucket : buckets)
    if (bucket.count > best.count) best = bucket;
  if (!best.count) return Qt::white;
  return QColor(int(best.r / best.count), int(best.g / best.count), int(best.b / best.count));
}

// The strongest contrast any pixel of the area has against the area's own
// background: the ink of a text drawn into a picture.
double inkContrast(const QImage& image, const QRect& area) {
  const QColor ground = dominant(image, area);
  double best = 1;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) best = std::max(best, contrast(image.pixelColor(x, y), ground));
  return best;
}

// The widgets of a screen that show a text of their own, each with the
// widget whose area holds it (the viewport of a list, a grid or a memo).
std::vector<std::pair<QWidget*, QWidget*>> texts(QWidget* screen) {
  std::vector<std::pair<QWidget*, QWidget*>> found;
  for (QWidget* w : screen->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(screen) || !w->isEnabled() || w->width() < 4 || w->height() < 4) continue;
    if (auto* l = qobject_cast<QLabel*>(w)) {
      if (!l->text().trimmed().isEmpty() && l->pixmap().isNull()) found.emplace_back(w, w);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      if (!b->text().trimmed().isEmpty()) found.emplace_back(w, w);
    } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) {
      found.emplace_back(w, w);
    } else if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
      if (area->viewport()->isVisibleTo(screen)) found.emplace_back(area->viewport(), area->viewport());
    }
  }
  return found;
}

// Every text of the screen whose colour does not stand out from what it is
// drawn on (WCAG: a contrast ratio of at least 4.5).
QStringList unreadable(QWidget* screen, const QString& name) {
  const QImage image = screen->grab().toImage();
  if (const QString folder = qEnvironmentVariable("VELARION_SHOTS"); !folder.isEmpty())
    image.save(QDir(folder).filePath(QStringLiteral("scuro-") + name + QStringLiteral(".png")));
  QStringList bad;
  for (const auto& [w, holder] : texts(screen)) {
    const QRect area = pixels(image, screen, holder);
    if (area.isEmpty()) continue;
    const QColor text = w->palette().color(QPalette::Active, w->foregroundRole());
    const QColor ground = dominant(image, area);
    const double ratio = contrast(text, ground);
    if (ratio < 4.5)
      bad << QStringLiteral("%1/%2 (%3): %4 on %5, %6")
                 .arg(name, w->objectName(), QLatin1String(w->metaObject()->className()), text.name(), ground.name())
                 .arg(ratio, 0, 'f', 2);
  }
  return bad;
}

QStringList shownUnreadable(QWidget* screen, const QString& name) {
  screen->show();
  QApplication::processEvents();
  const QStringList bad = unreadable(screen, name);
  screen->hide();
  return bad;
}

} // namespace

class LookTest : public CardTest {
  Q_OBJECT


private slots:
  void init() {
    seat();
    // the desktop's dark theme, as it is when the program starts
    QApplication::setPalette(darkDesktop());
    Record rossi = client({{"Cliente", QStringLiteral("Rossi Mario")}, {"Recapito", QStringLiteral("333 111")},
                           {"Occupazione", QStringLiteral("Ingegnere")}});
    rossi.setFlag("Ricontatta", true);
    appendClients({encode(rossi), encode(client({{"Cliente", QStringLiteral("Bianchi Luca")}}))});
    startup::start()->hide();
  }
  void cleanup() {
    startup::finish();
    unseat();
  }

  // Start-up sets the program's light palette and the Fusion style over the
  // desktop's dark theme, and sets them again when the desktop changes its
  // palette while the program runs.
  void startUpSetsTheProgramsOwnLook() {
    QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    const QPalette look = screenkit::lookPalette();
    QCOMPARE(QApplication::palette(), look);
    QVERIFY(luminance(look.color(QPalette::Window)) > 0.8);
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::WindowText, QPalette::Window},        {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button},        {QPalette::HighlightedText, QPalette::Highlight},
        {QPalette::ToolTipText, QPalette::ToolTipBase}, {QPalette::Link, QPalette::Base}};
    for (auto group : {QPalette::Active, QPalette::Inactive})
      for (auto [text, ground] : pairs)
        QVERIFY2(contrast(look.color(group, text), look.color(group, ground)) >= 4.5,
                 qPrintable(QString::number(text)));

    QWidget* card = screenkit::ScreenSet::find(QStringLiteral("TfrmClienti"));
    QApplication::setPalette(darkDesktop());
    QCOMPARE(QApplication::palette(), look);
    QCOMPARE(card->palette().color(QPalette::Base), look.color(QPalette::Base));
    QApplication::setPalette(darkDesktop(), "QLineEdit");
    QCOMPARE(QApplication::palette("QLineEdit"), look);
    // a new desktop theme gives the tooltips its own palette
    QCOMPARE(QToolTip::palette(), look);
    QToolTip::setPalette(darkDesktop());
    QEvent theme(QEvent::ThemeChange);
    QApplication::sendEvent(card, &theme);
    QCOMPARE(QToolTip::palette(), look);
  }

  // Every persistent screen of the program, and the satellites that show
  // lists, grids, the calendar, a chart and the help, rendered: every label,
  // edit, button and list reads clearly on what is behind it.
  void everyScreenReadsOnADarkDesktop() {
    QStringList bad;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (!w->objectName().isEmpty() && !w->isVisible() && w->objectName().startsWith(QLatin1String("Tfrm")))
        bad << shownUnreadable(w, w->objectName());

    QWidget* card = screenkit::ScreenSet::find(QStringLiteral("TfrmClienti"));
    drive::withModal([card] { showClientSearch(card, QStringLiteral("clienti")); },
                     [&bad](QWidget* m) {
                       drive::click(m, QStringLiteral("btnCerca"));
                       bad << unreadable(m, QStringLiteral("TfrmTrovaClienti"));
                     });
    drive::withModal([card] { showRecontactList(card); },
                     [&bad](QWidget* m) { bad << unreadable(m, QStringLiteral("TfrmRicontatta")); });
    drive::withModal([card] { showClientExport(card); },
                     [&bad](QWidget* m) { bad << unreadable(m, QStringLiteral("TfrmExpClienti")); });
    drive::withModal([card] { drive::click(card, QStringLiteral("cmdFile")); },
                     [&bad](QWidget* m) { bad << unreadable(m, QStringLiteral("TfrmAllegaCartella")); });
    QWidget* menu = screenkit::ScreenSet::find(QStringLiteral("TfrmAvvio"));
    for (const char* picture : {"imgGuida", "imgInfo", "imgCopyright"})
      drive::withModal([menu, picture] { drive::click(menu, QLatin1String(picture)); },
                       [&bad, picture](QWidget* m) { bad << unreadable(m, QLatin1String(picture)); });
    {
      TfrmCalendario calendar;
      bad << shownUnreadable(&calendar, QStringLiteral("TfrmCalendario"));
    }
    {
      TfrmStats chart(statsScreen(statistics::Chart::MonthlyIncome), seams->folder.path(QStringLiteral("2026.eur")),
                      QStringLiteral("2026"));
      bad << shownUnreadable(&chart, QStringLiteral("TfrmStatsEntrate"));
    }
    for (const QString& b : bad) qWarning("%s", qPrintable(b));
    QVERIFY2(bad.isEmpty(), qPrintable(QStringLiteral("%1 texts do not stand out").arg(bad.size())));
  }

  // The titles of the main menu's tiles, sampled from the rendered menu:
  // their letters stand out from the tile.
  void tileTitlesShowOnTheirTiles() {
    QWidget* menu = screenkit::ScreenSet::find(QStringLiteral("TfrmAvvio"));
    menu->resize(1366, 768);
    menu->show();
    QApplication::processEvents();
    const QImage image = menu->grab().toImage();
    for (int i = 1; i <= 10; ++i) {
      auto* title = menu->findChild<QLabel*>(QStringLiteral("lblTitolo%1").arg(i));
      QVERIFY(title && title->isVisible());
      const double ink = inkContrast(image, pixels(image, menu, title));
      QVERIFY2(ink >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(title->text()).arg(ink)));
    }
  }
};

QTEST_MAIN(LookTest)
#include "test_look.moc"
