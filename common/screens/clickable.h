// Runs an action when a button or a picture command is clicked.
#pragma once

#include "common/screens/screenkit.h"

#include <QAbstractButton>

#include <functional>

namespace clickable {

// True when the widget is a button or a clickable label (a picture) and the
// action is connected.
inline bool onClick(QWidget* w, QObject* context, std::function<void()> action) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    QObject::connect(b, &QAbstractButton::clicked, context, [action] { action(); });
    return true;
  }
  if (auto* p = qobject_cast<screenkit::ClickLabel*>(w)) {
    QObject::connect(p, &screenkit::ClickLabel::clicked, context, [action] { action(); });
    return true;
  }
  return false;
}

} // namespace clickable
