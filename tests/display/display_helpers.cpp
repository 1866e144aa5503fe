// Curves draw into pixmaps, which need a GUI application object for the whole run.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QCoreApplication::instance())
            m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "test_display";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);
} // namespace
