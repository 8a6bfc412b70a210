#pragma once

#include "templates/TemplateLayout.h"

#include <vector>

namespace pelorama::templates {

// The layouts of the built-in templates: those of "iPhone", then "iPad", then "Mac", each category's in
// the order the picker shows them. A constant list, built on first use from any thread.
const std::vector<TemplateLayout>& builtInLayouts();

} // namespace pelorama::templates
