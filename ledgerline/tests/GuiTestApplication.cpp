// Fonts and images need a GUI application, and the properties need nothing more: the program links no
// widgets. It is made before the first test, headless unless a platform was chosen.
#include <QGuiApplication>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>

namespace {

class GuiTestApplication : public testing::Environment
{
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!QCoreApplication::instance())
            m_application = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }

    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char* m_argv[2] = {program_invocation_short_name, nullptr};
    std::unique_ptr<QGuiApplication> m_application;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new GuiTestApplication);

} // namespace
