#include "model/DetachedCanvas.h"

#include "model/Drawable.h"
#include "store/ManagedObject.h"

namespace pelorama::model {

namespace {

std::vector<std::unique_ptr<store::ManagedObject>> detachedCopies(const Canvas& canvas)
{
    std::vector<std::unique_ptr<store::ManagedObject>> copies;
    for (Drawable* drawable : canvas.drawables()) {
        if (const auto* object = dynamic_cast<const store::ManagedObject*>(drawable))
            copies.push_back(object->detachedCopy());
    }
    return copies;
}

std::vector<Drawable*> drawablesOf(const std::vector<std::unique_ptr<store::ManagedObject>>& copies)
{
    std::vector<Drawable*> drawables;
    for (const std::unique_ptr<store::ManagedObject>& copy : copies) {
        if (auto* drawable = dynamic_cast<Drawable*>(copy.get()))
            drawables.push_back(drawable);
    }
    return drawables;
}

} // namespace

DetachedCanvas::DetachedCanvas(const Canvas& canvas)
    : m_copies(detachedCopies(canvas))
    , m_canvas(canvas.size(), drawablesOf(m_copies))
{}

DetachedCanvas::~DetachedCanvas() = default;

} // namespace pelorama::model
