// Widget tests need a QApplication; it is made before the first test, unless one exists already.
#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class WidgetTestApplication : public testing::Environment
{
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }

    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "VistrelTest";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new WidgetTestApplication);

} // namespace
