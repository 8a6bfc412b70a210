// Documents use timers and the event loop, the edit actions the clipboard; a QGuiApplication is made
// before the first test (headless: the test runner sets the offscreen platform), with the render
// resources a program makes at start-up.
#include "model/rendering/RenderResources.h"

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
        m_resources = std::make_unique<pelorama::model::RenderResources::Program>();
    }

    void TearDown() override
    {
        m_resources.reset();
        m_application.reset();
    }

private:
    int m_argc = 1;
    char m_name[16] = "DocumentTest";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_application;
    std::unique_ptr<pelorama::model::RenderResources::Program> m_resources;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new DocumentTestApplication);

} // namespace
