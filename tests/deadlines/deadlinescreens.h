// What the tests of the deadline screen stand on: the alarm recorded
// instead of played, a stand-in for the main menu, and picking an item of a
// pick list as the user does from its drop-down.
#pragma once

#include "deadlines/screens/alarmsound.h"

#include "common/modules.h"
#include "common/screens/screenkit.h"

#include <QComboBox>
#include <QtTest>

#include <vector>

class RecordingAlarm : public AlarmSound {
public:
  RecordingAlarm() { alarmsound::setSound(this); }
  ~RecordingAlarm() override { alarmsound::setSound(nullptr); }
  void play(const QString& file) override { played.push_back(file); }
  void stop() override { ++stops; }
  std::vector<QString> played;
  int stops = 0;
};

// The main menu the screen returns to.
struct MenuStandIn {
  QWidget menu;
  MenuStandIn() {
    menu.setObjectName(QStringLiteral("TfrmAvvio"));
    screenkit::ScreenSet::add(&menu);
    modules::setMainMenu(menu.objectName());
  }
  ~MenuStandIn() { screenkit::ScreenSet::remove(&menu); }
};

// Chooses an item of a pick list from its drop-down.
inline void pick(QWidget* screen, const char* name, const QString& item) {
  auto* combo = screen->findChild<QComboBox*>(QLatin1String(name));
  QVERIFY2(combo, name);
  const int index = combo->findText(item);
  QVERIFY2(index >= 0, qPrintable(item));
  combo->setFocus(Qt::OtherFocusReason);
  combo->setCurrentIndex(index);
}
