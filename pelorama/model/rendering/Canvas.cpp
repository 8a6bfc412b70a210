#include "model/rendering/Canvas.h"

#include "model/entities/Drawable.h"

namespace pelorama::model {

Canvas::Canvas(graphics::Size size, const std::vector<Drawable*>& drawables)
    : m_size(size)
{
    m_entries.reserve(drawables.size());
    for (Drawable* drawable : drawables) {
        QObject* object = dynamic_cast<QObject*>(drawable);
        m_entries.push_back({drawable, object, object != nullptr});
    }
}

std::vector<Drawable*> Canvas::drawables() const
{
    std::vector<Drawable*> alive;
    alive.reserve(m_entries.size());
    for (const Entry& entry : m_entries) {
        if (!entry.isObject || entry.object)
            alive.push_back(entry.drawable);
    }
    return alive;
}

} // namespace pelorama::model
