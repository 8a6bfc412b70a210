// The render resources a program makes at start-up, for the tables whose rows show pictures: made before
// the first test, after the application object (made here when no other environment has made it yet),
// and gone after the last test, before the application object.
#include "model/rendering/RenderResources.h"
#include "tessaline/Tessaline/Application.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <memory>

namespace {

class RenderResourcesEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_application = std::make_unique<tessaline::Application>(m_argc, m_argv);
        m_resources = std::make_unique<pelorama::model::RenderResources::Program>();
    }

    void TearDown() override
    {
        m_resources.reset();
        m_application.reset();
    }

private:
    int m_argc = 1;
    char* m_argv[2] = {program_invocation_short_name, nullptr};
    std::unique_ptr<tessaline::Application> m_application;
    std::unique_ptr<pelorama::model::RenderResources::Program> m_resources;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new RenderResourcesEnvironment);

} // namespace
