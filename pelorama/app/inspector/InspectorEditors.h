#pragma once

#include "ledgerline/widgets/PropertyEditorRegistry.h"

#include <memory>

namespace pelorama::app {

// The inspector's editors: the table's own and the application's (stock gradient, angle, warning).
std::shared_ptr<const ledgerline::PropertyEditorRegistry> inspectorEditors();

} // namespace pelorama::app
