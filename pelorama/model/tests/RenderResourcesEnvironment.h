#pragma once

#include "model/rendering/RenderResources.h"

#include <QByteArray>
#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace pelorama::model {

// For a test program that uses the test framework's own main function: made before the first test, an
// Application named applicationName (unless another environment made one already) and then the render
// resources a program makes at start-up; after the last test the resources go first, before the
// application object.
template <typename Application> class RenderResourcesEnvironment : public testing::Environment
{
public:
    explicit RenderResourcesEnvironment(const char* applicationName)
        : m_name(applicationName)
    {}

    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_application = std::make_unique<Application>(m_argc, m_argv);
        m_resources = std::make_unique<RenderResources::Program>();
    }

    void TearDown() override
    {
        m_resources.reset();
        m_application.reset();
    }

private:
    QByteArray m_name;
    int m_argc = 1;
    char* m_argv[2] = {m_name.data(), nullptr};
    std::unique_ptr<Application> m_application;
    std::unique_ptr<RenderResources::Program> m_resources;
};

} // namespace pelorama::model
