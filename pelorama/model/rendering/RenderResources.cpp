#include "model/rendering/RenderResources.h"

#include "foundation/Fatal.h"
#include "model/rendering/RenderPool.h"

#include <atomic>

namespace pelorama::model {

namespace {

// Set once by the program's start-up, before any thread that renders, and cleared as it ends, once the
// pool's renders are done. Atomic: the threads that read it are Qt's pool threads, which Qt starts and
// waits for through locks of its own that race checkers do not see.
std::atomic<RenderResources*> programResources = nullptr;

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
    if (RenderResources* expected = nullptr;
        !programResources.compare_exchange_strong(expected, m_resources.get()))
        foundation::fatal(QStringLiteral("A program makes its render resources once."));
}

// Renders still under way on the pool draw from the resources until they end.
RenderResources::Program::~Program()
{
    renderPool().waitForDone();
    programResources.store(nullptr);
}

RenderResources& RenderResources::shared()
{
    RenderResources* resources = programResources.load(std::memory_order_acquire);
    if (!resources)
        foundation::fatal(QStringLiteral("The program made no render resources at start-up."));
    return *resources;
}

} // namespace pelorama::model
