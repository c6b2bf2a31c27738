// The picture names a card description uses that the picture set lacks.
#pragma once

#include "common/screens/cardeditor.h"
#include "common/screens/screenkit.h"

#include <QStringList>

inline QStringList missingPictures(const CardDescription& d) {
  QStringList missing;
  auto need = [&](const QString& where, const QString& name) {
    if (!screenkit::hasIcon(name)) missing << where + QLatin1Char('=') + name;
  };
  for (const CardSection& s : d.form.sections) {
    if (!s.icon.isEmpty()) need(s.title, s.icon); // a tabbed section has none
    for (const auto& row : s.rows)
      for (const CardItem& item : row)
        for (const CardExtra& x : item.extras)
          // a picture must be drawn; a captioned button may go without one
          if (x.text.isEmpty() || !x.icon.isEmpty()) need(x.name, x.icon);
  }
  for (const CardCommand& c : d.commands) need(c.name, c.icon);
  return missing;
}
