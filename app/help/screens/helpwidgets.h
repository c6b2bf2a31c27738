// Small pieces shared by the help and information screens: a label that
// reports clicks, the link behaviour and the product pictures.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QSize>

#include <functional>
#include <initializer_list>

namespace helpscreens {

// A label (text or picture) that reports mouse presses, releases and clicks.
class ClickLabel : public QLabel {
  Q_OBJECT
public:
  explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}

signals:
  void pressed();
  void released();
  void clicked();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  bool down_ = false;
};

QColor linkColour();        // dark blue
QColor linkPressedColour(); // orange, while the mouse button is held down

// Makes `link` behave as a link: dark blue and underlined, orange while the
// mouse button is held down on it or on one of `pictures`, and `open` runs
// on a click on any of them.
void bindLink(ClickLabel* link, std::initializer_list<ClickLabel*> pictures, std::function<void()> open);

// A picture of the screens' resources drawn at the given size.
QPixmap picture(const QString& name, QSize size);

// Centres a top-level window on the screen it is on, or on `over` if given.
void centre(QWidget* window, const QWidget* over = nullptr);

} // namespace helpscreens
