// Widget tests need an application object; the framework's own is made before the first test, unless one
// exists already. The widget tests of the libraries above the framework build this file into their
// programs too.
#include "tessaline/Tessaline/Application.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <memory>

namespace {

class WidgetTestApplication : public testing::Environment
{
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance()) {
            m_application = std::make_unique<tessaline::Application>(m_argc, m_argv);
        }
    }

    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    // The test program's own name, so that each program keeps its settings apart.
    char* m_argv[2] = {program_invocation_short_name, nullptr};
    std::unique_ptr<tessaline::Application> m_application;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new WidgetTestApplication);

} // namespace
