// Documents use timers and the event loop, and need nothing more: the program links no widgets. The
// application object is made before the first test.
#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class CoreTestApplication : public testing::Environment
{
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_application = std::make_unique<QCoreApplication>(m_argc, m_argv);
    }

    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "AppkitCoreTest";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_application;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new CoreTestApplication);

} // namespace
