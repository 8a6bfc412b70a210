#include "canvas/DrawableObservers.h"

#include "model/entities/DocumentModel.h"
#include "model/entities/Drawable.h"
#include "model/rendering/Canvas.h"
#include "store/ManagedObject.h"
#include "tessaline/Shared/Observer.h"

namespace pelorama::canvas {

DrawableObservers::DrawableObservers(std::function<void(model::Drawable*)> changed)
    : m_changed(std::move(changed))
{}

DrawableObservers::~DrawableObservers() = default;

void DrawableObservers::observe(const model::Canvas* canvas)
{
    m_observers.clear();
    if (!canvas)
        return;
    for (model::Drawable* drawable : canvas->drawables()) {
        auto* object = dynamic_cast<store::ManagedObject*>(drawable);
        if (!object)
            continue;
        for (const QString& keyPath : model::pixelKeys(*object)) {
            m_observers.push_back(std::make_unique<tessaline::Observer>(
                object, keyPath, false, [this, drawable](const QVariant&) { m_changed(drawable); }));
        }
    }
}

} // namespace pelorama::canvas
