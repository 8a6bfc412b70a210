#include "model/entities/RectObject.h"

namespace pelorama::model {

RectObject::RectObject(const graphics::Rect& rect, QObject* parent)
    : QObject(parent)
    , m_rect(rect)
{}

RectObject::RectObject(double x, double y, double width, double height, QObject* parent)
    : RectObject(graphics::Rect(x, y, width, height), parent)
{}

RectObject::RectObject(graphics::Point origin, graphics::Size size, QObject* parent)
    : RectObject(graphics::Rect(origin, size), parent)
{}

void RectObject::setRect(const graphics::Rect& rect)
{
    m_rect = rect;
    emit rectChanged();
}

} // namespace pelorama::model
