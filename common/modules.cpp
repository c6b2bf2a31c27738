#include "modules.h"

#include <algorithm>

namespace modules {

namespace {

std::vector<const Module*>& registry() {
  static std::vector<const Module*> list;
  return list;
}

QString& mainMenuName() {
  static QString name;
  return name;
}

} // namespace

void add(const Module& module) {
  std::vector<const Module*>& list = registry();
  if (std::find(list.begin(), list.end(), &module) == list.end()) list.push_back(&module);
}

void remove(const Module& module) { std::erase(registry(), &module); }

std::span<const Module* const> all() { return registry(); }

const Module* opening(const QString& screen) {
  for (const Module* m : registry())
    if (screen == QLatin1String(m->tile.screen)) return m;
  return nullptr;
}

std::vector<lists::CallerTarget> receivers(Sender from) {
  std::vector<lists::CallerTarget> result;
  for (const Module* m : registry())
    for (const Receiver& r : m->receives)
      if (r.from == from) result.push_back(r.target);
  return result;
}

namespace {
// Added topics follow the program's own, well past the last of them.
constexpr int kFirstAddedTopic = 1000;
std::vector<AddedHelp>& addedTopics() {
  static std::vector<AddedHelp> pages;
  return pages;
}
} // namespace

HelpTopic addHelpTopic(const QString& title, const QStringList& paragraphs) {
  addedTopics().push_back({title, paragraphs});
  return HelpTopic(kFirstAddedTopic + int(addedTopics().size()) - 1);
}

const AddedHelp* addedHelp(HelpTopic topic) {
  const int n = int(topic) - kFirstAddedTopic;
  return n >= 0 && n < int(addedTopics().size()) ? &addedTopics()[size_t(n)] : nullptr;
}

QString mainMenu() { return mainMenuName(); }
void setMainMenu(const QString& screen) { mainMenuName() = screen; }

} // namespace modules
