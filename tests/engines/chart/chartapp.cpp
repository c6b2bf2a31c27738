// The chart tests paint with fonts and create widgets, hence a QApplication
// for the whole run (offscreen, set by the test's environment).
#include <QApplication>

#include <gtest/gtest.h>

namespace {
class WidgetApplication : public ::testing::Environment {
public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_chart";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) app_ = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

private:
  QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new WidgetApplication);
} // namespace
