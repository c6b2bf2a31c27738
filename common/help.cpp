#include "help.h"

namespace help {

namespace {
Viewer& viewer() {
  static Viewer v;
  return v;
}
} // namespace

void setViewer(Viewer v) { viewer() = std::move(v); }
bool hasViewer() { return bool(viewer()); }

void show(QWidget* parent, HelpTopic topic) {
  if (viewer()) viewer()(parent, topic);
}

} // namespace help
