// The windows need an application object; the tests run on the offscreen platform.
#include <QApplication>

#include <gtest/gtest.h>

namespace {
class WidgetsAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "kv_widgets_tests";
        static char* argv[] = {name, nullptr};
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!QApplication::instance()) m_app = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QApplication* m_app = nullptr;
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new WidgetsAppEnvironment);
}  // namespace
