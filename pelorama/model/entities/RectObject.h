#pragma once

#include "graphics/Rect.h"

#include <QObject>

namespace pelorama::model {

// A rectangle boxed in an object, for key-value coding and bindings: "rect" (read and write), "width"
// and "height" of the standardised rectangle (never negative), and the stored "origin" and "size" (which
// may be negative).
class RectObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(graphics::Rect rect READ rect WRITE setRect NOTIFY rectChanged)
    Q_PROPERTY(double width READ width NOTIFY rectChanged)
    Q_PROPERTY(double height READ height NOTIFY rectChanged)
    Q_PROPERTY(graphics::Point origin READ origin NOTIFY rectChanged)
    Q_PROPERTY(graphics::Size size READ size NOTIFY rectChanged)

public:
    explicit RectObject(const graphics::Rect& rect = graphics::Rect::zero(), QObject* parent = nullptr);
    RectObject(double x, double y, double width, double height, QObject* parent = nullptr);
    RectObject(graphics::Point origin, graphics::Size size, QObject* parent = nullptr);

    graphics::Rect rect() const { return m_rect; }
    void setRect(const graphics::Rect& rect);
    double width() const { return m_rect.width(); }
    double height() const { return m_rect.height(); }
    graphics::Point origin() const { return m_rect.origin; }
    graphics::Size size() const { return m_rect.size; }

signals:
    void rectChanged();

private:
    graphics::Rect m_rect;
};

} // namespace pelorama::model
