#pragma once

#include <QObject>
#include <QPointer>

namespace pelorama::canvas {

class CanvasView;
class FontManager;

// Links a canvas view to its window's font manager: the selected caption's font shows in the font panel
// when the caption is selected and when the view takes the focus, and a font chosen in the panel changes
// the selected caption while the view, or its caption editor, has the window's keyboard focus. A child
// of the view.
class CaptionFontLink : public QObject
{
    Q_OBJECT

public:
    CaptionFontLink(CanvasView& view, FontManager& fontManager);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelectedFont();
    void changeFont();

    CanvasView& m_view;
    QPointer<FontManager> m_fontManager;
};

} // namespace pelorama::canvas
