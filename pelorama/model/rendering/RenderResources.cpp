#include "model/rendering/RenderResources.h"

#include "foundation/Fatal.h"
#include "model/rendering/RenderPool.h"

namespace pelorama::model {

namespace {

// Set once by the program's start-up, before any thread that renders, and cleared as it ends.
RenderResources* programResources = nullptr;

} // namespace

RenderResources::RenderResources(const RenderBudgets& budgets)
    : m_pictures(budgets.pictures)
    , m_canvasViewImages(budgets.canvasViewImages)
    , m_shadowBands(budgets.shadowBands)
    , m_textMasks(budgets.textMasks)
{
    m_soleRenderThread.setMaxThreadCount(1);
}

// The sole render thread's export ends before the caches it drew from go.
RenderResources::~RenderResources()
{
    m_soleRenderThread.waitForDone();
}

RenderResources::Program::Program(const RenderBudgets& budgets)
    : m_resources(std::make_unique<RenderResources>(budgets))
{
    if (programResources)
        foundation::fatal(QStringLiteral("A program makes its render resources once."));
    programResources = m_resources.get();
}

// Renders still under way on the pool draw from the resources until they end.
RenderResources::Program::~Program()
{
    renderPool().waitForDone();
    programResources = nullptr;
}

RenderResources& RenderResources::shared()
{
    if (!programResources)
        foundation::fatal(QStringLiteral("The program made no render resources at start-up."));
    return *programResources;
}

} // namespace pelorama::model
