// The painting and PDF tests need fonts, hence a QGuiApplication for the
// whole run (offscreen, set by the test's environment).
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {
class GuiApplication : public ::testing::Environment {
public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_report";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) app_ = new QGuiApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

private:
  QGuiApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new GuiApplication);
} // namespace
