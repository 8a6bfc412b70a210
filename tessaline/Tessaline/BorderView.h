#pragma once

#include "graphics/Color.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QRectF>
#include <QWidget>

namespace tessaline {

// A view with a background colour and one-point borders that can be switched on each of its four edges.
// Left and right borders run the full height; top and bottom ones stop one point short of each side that
// has its own border. Frames are in the view's coordinates, y growing downwards.
class TESSALINE_WIDGETS_EXPORT BorderView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(graphics::Color backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY
                   backgroundColorChanged)
    Q_PROPERTY(graphics::Color borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(bool hasLeftBorder READ hasLeftBorder WRITE setHasLeftBorder NOTIFY bordersChanged)
    Q_PROPERTY(bool hasRightBorder READ hasRightBorder WRITE setHasRightBorder NOTIFY bordersChanged)
    Q_PROPERTY(bool hasTopBorder READ hasTopBorder WRITE setHasTopBorder NOTIFY bordersChanged)
    Q_PROPERTY(bool hasBottomBorder READ hasBottomBorder WRITE setHasBottomBorder NOTIFY bordersChanged)

public:
    // One edge's strip. A detached layer is not drawn and keeps its last frame.
    struct Layer
    {
        QRectF frame;
        graphics::Color backgroundColor;
        bool attached = false;
    };

    explicit BorderView(QWidget* parent = nullptr);

    const Layer& leftLayer() const { return m_left; }
    const Layer& rightLayer() const { return m_right; }
    const Layer& topLayer() const { return m_top; }
    const Layer& bottomLayer() const { return m_bottom; }

    // White at first.
    graphics::Color backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const graphics::Color& color);
    // Black at 25 % opacity at first; recolours all four layers, attached or not.
    graphics::Color borderColor() const { return m_borderColor; }
    void setBorderColor(const graphics::Color& color);

    bool hasLeftBorder() const { return m_hasLeftBorder; }
    void setHasLeftBorder(bool has);
    bool hasRightBorder() const { return m_hasRightBorder; }
    void setHasRightBorder(bool has);
    bool hasTopBorder() const { return m_hasTopBorder; }
    void setHasTopBorder(bool has);
    bool hasBottomBorder() const { return m_hasBottomBorder; }
    void setHasBottomBorder(bool has);

    // Attaches or detaches each layer after its flag.
    void updateLayerVisibility();

signals:
    void backgroundColorChanged();
    void borderColorChanged();
    void bordersChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void bordersDidChange();
    // Places the attached layers along their edges.
    void layoutLayers();

    Layer m_left;
    Layer m_right;
    Layer m_top;
    Layer m_bottom;
    graphics::Color m_backgroundColor{1, 1, 1, 1};
    graphics::Color m_borderColor{0, 0, 0, 0.25};
    bool m_hasLeftBorder = false;
    bool m_hasRightBorder = false;
    bool m_hasTopBorder = false;
    bool m_hasBottomBorder = false;
};

} // namespace tessaline
