#pragma once

#include "HeadlessTests.h"
#include "model/rendering/RenderResources.h"

#include <memory>

namespace pelorama::model {

// For a test program that uses the test framework's own main function: made before the first test, an
// Application named applicationName (unless another environment made one already) and then the render
// resources a program makes at start-up; after the last test the resources go first, before the
// application object.
template <typename Application>
class RenderResourcesEnvironment : public testsupport::ApplicationEnvironment<Application>
{
public:
    using testsupport::ApplicationEnvironment<Application>::ApplicationEnvironment;

    void SetUp() override
    {
        testsupport::ApplicationEnvironment<Application>::SetUp();
        m_resources = std::make_unique<RenderResources::Program>();
    }

    void TearDown() override
    {
        m_resources.reset();
        testsupport::ApplicationEnvironment<Application>::TearDown();
    }

private:
    std::unique_ptr<RenderResources::Program> m_resources;
};

} // namespace pelorama::model
