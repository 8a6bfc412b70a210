#include "model/RedrawKeys.h"

#include "model/Drawable.h"

namespace pelorama::model {

QStringList redrawKeys(const Drawable& drawable)
{
    return std::visit([](const auto& snapshot) { return std::decay_t<decltype(snapshot)>::sourceKeys(); },
                      drawable.snapshot());
}

} // namespace pelorama::model
