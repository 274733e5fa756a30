// The serial port needs an application object for its notifications.
#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {
class CoreAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "kv_link_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) m_app = new QCoreApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QCoreApplication* m_app = nullptr;
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new CoreAppEnvironment);
}  // namespace
