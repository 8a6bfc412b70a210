// Documents use timers and the event loop, the edit actions the clipboard; a QGuiApplication is made
// before the first test (headless: the test runner sets the offscreen platform).
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class DocumentTestApplication : public testing::Environment
{
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_application = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }

    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "DocumentTest";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_application;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new DocumentTestApplication);

} // namespace
