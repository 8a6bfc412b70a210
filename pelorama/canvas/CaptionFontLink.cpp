#include "canvas/CaptionFontLink.h"

#include "canvas/CanvasView.h"
#include "canvas/FontManager.h"
#include "model/entities/TextRect.h"

#include <QEvent>

namespace pelorama::canvas {

CaptionFontLink::CaptionFontLink(CanvasView& view, FontManager& fontManager)
    : QObject(&view)
    , m_view(view)
    , m_fontManager(&fontManager)
{
    connect(&view, &CanvasView::selectionChanged, this, &CaptionFontLink::showSelectedFont);
    connect(&fontManager, &FontManager::fontChosen, this, &CaptionFontLink::changeFont);
    view.installEventFilter(this);
}

bool CaptionFontLink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_view && event->type() == QEvent::FocusIn)
        showSelectedFont();
    return false;
}

void CaptionFontLink::showSelectedFont()
{
    if (auto* textRect = dynamic_cast<model::TextRect*>(m_view.selection()); textRect && m_fontManager)
        m_fontManager->setSelectedFont(textRect->font(), false);
}

void CaptionFontLink::changeFont()
{
    // Only while the user works in the view: the window's focus is the view or its editor.
    const QWidget* focus = m_view.window()->focusWidget();
    if (!focus || (focus != &m_view && !m_view.isAncestorOf(focus)))
        return;
    auto* textRect = dynamic_cast<model::TextRect*>(m_view.selection());
    if (textRect && m_fontManager)
        textRect->setFont(m_fontManager->convertFont(textRect->font()));
}

} // namespace pelorama::canvas
