#include "layouts.h"

#include "app/shell/screens/applications.h"

#include <algorithm>

// The layouts of every archive the registered modules keep, each once.
const std::vector<const RecordLayout*>& fuzzedLayouts() {
  static const std::vector<const RecordLayout*> all = [] {
    registerModules();
    std::vector<const RecordLayout*> layouts;
    for (const modules::Module* m : modules::all())
      for (const ArchiveDef& a : m->archives)
        if (std::find(layouts.begin(), layouts.end(), a.layout) == layouts.end()) layouts.push_back(a.layout);
    return layouts;
  }();
  return all;
}
