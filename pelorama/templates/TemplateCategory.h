#pragma once

#include "templates/TemplateGroup.h"
#include "templates/TemplateLayout.h"
#include "templates/Theme.h"

#include <QString>
#include <memory>
#include <vector>

namespace pelorama::templates {

// The templates of one kind of device: one group per theme, each holding the category's layouts in
// their fixed order, bound to that theme.
class TemplateCategory
{
public:
    TemplateCategory(QString name, std::vector<TemplateGroup> templateGroups);

    const QString& name() const { return m_name; }
    QString description() const { return m_name; }
    const std::vector<TemplateGroup>& templateGroups() const { return m_templateGroups; }
    // Every template of every group, in group order.
    std::vector<Template*> templates() const;

    // The built-in catalogue: "iPhone" (7 layouts), "iPad" (5) and "Mac" (10), in this order, each in
    // the themes of Theme::all(). Built once, on first use from any thread, it lives as long as the
    // process; iPhone(), iPad() and mac() are its entries.
    static const std::vector<TemplateCategory>& all();
    static const TemplateCategory& iPhone();
    static const TemplateCategory& iPad();
    static const TemplateCategory& mac();

    // The built-in layouts in the given themes, categorised as all() is; new templates without previews.
    // The catalogue needs a theme: an empty list stops the process.
    static std::vector<TemplateCategory> makeCatalogue(const std::vector<Theme>& themes);
    // One group per theme, in their order, each with new templates of the layouts in their order.
    static std::vector<TemplateGroup> makeThemeGroups(const std::vector<TemplateLayout>& layouts,
                                                      const std::vector<Theme>& themes);

private:
    QString m_name;
    std::vector<TemplateGroup> m_templateGroups;
};

} // namespace pelorama::templates
