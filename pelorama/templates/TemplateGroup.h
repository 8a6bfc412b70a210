#pragma once

#include "templates/Template.h"

#include <QString>
#include <memory>
#include <vector>

namespace pelorama::templates {

// The templates of one category in one theme; its name is the theme's.
class TemplateGroup
{
public:
    TemplateGroup(QString name, std::vector<std::unique_ptr<Template>> templates);

    const QString& name() const { return m_name; }
    const std::vector<std::unique_ptr<Template>>& templates() const { return m_templates; }

private:
    QString m_name;
    std::vector<std::unique_ptr<Template>> m_templates;
};

} // namespace pelorama::templates
