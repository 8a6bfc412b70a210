#include "canvas/DetachedCanvas.h"

#include "model/Drawable.h"
#include "store/ManagedObject.h"

namespace pelorama::canvas {

namespace {

std::vector<std::unique_ptr<store::ManagedObject>> detachedCopies(const model::Canvas& canvas)
{
    std::vector<std::unique_ptr<store::ManagedObject>> copies;
    for (model::Drawable* drawable : canvas.drawables()) {
        if (const auto* object = dynamic_cast<const store::ManagedObject*>(drawable))
            copies.push_back(object->detachedCopy());
    }
    return copies;
}

std::vector<model::Drawable*> drawablesOf(const std::vector<std::unique_ptr<store::ManagedObject>>& copies)
{
    std::vector<model::Drawable*> drawables;
    for (const std::unique_ptr<store::ManagedObject>& copy : copies) {
        if (auto* drawable = dynamic_cast<model::Drawable*>(copy.get()))
            drawables.push_back(drawable);
    }
    return drawables;
}

} // namespace

DetachedCanvas::DetachedCanvas(const model::Canvas& canvas)
    : m_copies(detachedCopies(canvas))
    , m_canvas(canvas.size(), drawablesOf(m_copies))
{}

DetachedCanvas::~DetachedCanvas() = default;

} // namespace pelorama::canvas
