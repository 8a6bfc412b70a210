#include "templates/TemplateGroup.h"

namespace pelorama::templates {

TemplateGroup::TemplateGroup(QString name, std::vector<std::unique_ptr<Template>> templates)
    : m_name(std::move(name))
    , m_templates(std::move(templates))
{}

} // namespace pelorama::templates
