// The help and information screens are made of the screen kit's pieces
// (clickable labels, links, window centring); only their pictures, the
// product's artwork, live here.
#pragma once

#include "common/screens/screenkit.h"

#include <QPixmap>
#include <QSize>

namespace helpscreens {

using screenkit::bindLink;
using screenkit::centre;
using screenkit::ClickLabel;
using screenkit::linkColour;
using screenkit::linkPressedColour;

// A picture of the help screens' artwork (":/help/images/<name>.svg").
QPixmap picture(const QString& name, QSize size);

} // namespace helpscreens
