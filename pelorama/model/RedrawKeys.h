#pragma once

#include <QStringList>

namespace pelorama::model {

class Drawable;

// The keys of drawable whose changes change its picture: the keys its snapshot reads (see the snapshot
// kinds' sourceKeys). The canvas view observes them.
QStringList redrawKeys(const Drawable& drawable);

} // namespace pelorama::model
