#pragma once

namespace pelorama::app {

// Adds the application's own inspector editors (stock gradient, angle, warning) to the inspector's
// editor registry. Call once on the main thread before the inspector first shows an object; calling
// again changes nothing.
void registerInspectorEditors();

} // namespace pelorama::app
