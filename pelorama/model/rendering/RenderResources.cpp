#include "model/rendering/RenderResources.h"

namespace pelorama::model {

RenderResources::RenderResources(const RenderBudgets& budgets)
    : m_pictures(budgets.pictures)
    , m_canvasViewImages(budgets.canvasViewImages)
    , m_shadowBands(budgets.shadowBands)
    , m_textMasks(budgets.textMasks)
{}

RenderResources& RenderResources::shared()
{
    static RenderResources resources;
    return resources;
}

} // namespace pelorama::model
