#pragma once

#include "templates/Template.h"

#include <memory>
#include <vector>

namespace pelorama::templates {

// The layouts of each category in their fixed order, as templates bound to theme; the catalogue makes
// one group of them per theme.
std::vector<std::unique_ptr<Template>> iPhoneTemplates(const Theme& theme);
std::vector<std::unique_ptr<Template>> iPadTemplates(const Theme& theme);
std::vector<std::unique_ptr<Template>> macTemplates(const Theme& theme);

} // namespace pelorama::templates
