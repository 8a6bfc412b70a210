#pragma once

#include "templates/TemplateGroup.h"

#include <QString>
#include <memory>
#include <vector>

namespace pelorama::templates {

// The built-in templates of one kind of device: one group per theme of Theme::all(), each holding the
// category's layouts in its fixed order, bound to that theme.
class TemplateCategory
{
public:
    TemplateCategory(QString name, std::vector<TemplateGroup> templateGroups);

    const QString& name() const { return m_name; }
    QString description() const { return m_name; }
    const std::vector<TemplateGroup>& templateGroups() const { return m_templateGroups; }
    // Every template of every group, in group order.
    std::vector<Template*> templates() const;

    // "iPhone" (7 layouts), "iPad" (5) and "Mac" (10), in this order. The catalogue is built once, on
    // first use from any thread, and lives as long as the process; iPhone(), iPad() and mac() are its
    // entries.
    static const std::vector<TemplateCategory>& all();
    static const TemplateCategory& iPhone();
    static const TemplateCategory& iPad();
    static const TemplateCategory& mac();

    // One group per theme, in their order, each with new templates of the given templates' names, sizes
    // and build callbacks in the given order, without preview images.
    static std::vector<TemplateGroup> makeThemeGroups(const std::vector<std::unique_ptr<Template>>& templates,
                                                      const std::vector<Theme>& themes = Theme::all());
    static TemplateGroup makeThemeGroup(const Theme& theme,
                                        const std::vector<std::unique_ptr<Template>>& templates);

private:
    QString m_name;
    std::vector<TemplateGroup> m_templateGroups;
};

} // namespace pelorama::templates
