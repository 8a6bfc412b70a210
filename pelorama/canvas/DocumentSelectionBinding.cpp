#include "canvas/DocumentSelectionBinding.h"

#include "canvas/CanvasView.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/Canvas.h"
#include "model/selection/DocumentSelection.h"

namespace pelorama::canvas {

DocumentSelectionBinding::DocumentSelectionBinding(CanvasView& view, model::DocumentSelection& selection)
    : QObject(&view)
    , m_view(view)
    , m_selection(&selection)
{
    connect(&selection, &model::DocumentSelection::screenshotsChanged, this,
            &DocumentSelectionBinding::showSelectedScreenshot);
    connect(&selection, &model::DocumentSelection::drawableChanged, this,
            &DocumentSelectionBinding::showSelectedDrawable);
    connect(&selection, &model::DocumentSelection::languageChanged, this, [this] {
        if (m_selection)
            m_view.setLanguage(m_selection->language());
    });
    connect(&view, &CanvasView::selectionChanged, this, [this] {
        if (m_selection)
            m_selection->setDrawable(m_view.selection());
    });
    view.setLanguage(selection.language());
    showSelectedScreenshot();
}

void DocumentSelectionBinding::showSelectedScreenshot()
{
    model::Screenshot* screenshot = m_selection ? m_selection->screenshot() : nullptr;
    m_view.setCanvas(screenshot ? std::make_shared<const model::Canvas>(screenshot->makeCanvas()) : nullptr);
}

void DocumentSelectionBinding::showSelectedDrawable()
{
    if (m_selection && m_selection->drawable() != m_view.selection())
        m_view.setSelection(m_selection->drawable());
}

} // namespace pelorama::canvas
