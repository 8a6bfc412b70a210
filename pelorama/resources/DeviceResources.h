#pragma once

#include <QString>

// The pictures the application carries: the sealed device frames and the screen placeholders, drawn and
// sealed by tools/frameart at build time and compiled in as Qt resources under ":/images/".
namespace pelorama::resources {

// Makes the resources available; linking this library statically needs it. Cheap to call again.
void initialize();

// The resource path of the sealed frame picture named identifier.
QString deviceFramePath(const QString& identifier);

// The resource path of the same frame, sealed the same way, drawn small for template previews: they show
// devices a few hundred pixels tall at most, and decoding every full-size frame to draw it that small was
// most of what the first previews of a process cost.
QString deviceFramePreviewPath(const QString& identifier);

} // namespace pelorama::resources
