#include "program.h"

#include <QCoreApplication>

namespace {
std::function<void()>& ending() {
  static std::function<void()> f;
  return f;
}
} // namespace

namespace program {

void end() {
  if (ending())
    ending()();
  else
    QCoreApplication::quit();
}

void setEnd(std::function<void()> f) { ending() = std::move(f); }

} // namespace program
