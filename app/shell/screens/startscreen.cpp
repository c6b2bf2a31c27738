#include "startscreen.h"

#include "common/modules.h"
#include "common/screens/screenkit.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace startscreen {

namespace {

const QString kDeadlines = QStringLiteral("TfrmScadenzario");

// Watches the main menu for its first showing, then goes.
class OpenOnMenu : public QObject {
public:
  explicit OpenOnMenu(QWidget* menu) : QObject(menu), menu_(menu) { menu->installEventFilter(this); }

protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == menu_ && e->type() == QEvent::Show) {
      menu_->removeEventFilter(this);
      QWidget* menu = menu_;
      QTimer::singleShot(0, menu, [menu] { screenkit::ScreenSet::show(kDeadlines, menu); });
      deleteLater();
    }
    return false;
  }

private:
  QWidget* menu_;
};

} // namespace

void arrange(const QStringList& arguments) {
  if (!arguments.contains(QLatin1String(kDeadlinesOption))) return;
  QWidget* menu = screenkit::ScreenSet::find(modules::mainMenu());
  if (menu && screenkit::ScreenSet::find(kDeadlines)) new OpenOnMenu(menu);
}

} // namespace startscreen
