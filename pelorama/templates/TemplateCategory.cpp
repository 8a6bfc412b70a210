#include "templates/TemplateCategory.h"

#include "foundation/Fatal.h"
#include "templates/BuiltInLayouts.h"

#include <QCoreApplication>
#include <QThread>

namespace pelorama::templates {

TemplateCategory::TemplateCategory(QString name, std::vector<TemplateGroup> templateGroups)
    : m_name(std::move(name))
    , m_templateGroups(std::move(templateGroups))
{}

std::vector<Template*> TemplateCategory::templates() const
{
    std::vector<Template*> result;
    for (const TemplateGroup& group : m_templateGroups) {
        for (const std::unique_ptr<Template>& item : group.templates())
            result.push_back(item.get());
    }
    return result;
}

const std::vector<TemplateCategory>& TemplateCategory::all()
{
    static const std::vector<TemplateCategory> categories = [] {
        std::vector<TemplateCategory> built = makeCatalogue(Theme::all());
        // The catalogue may be built on a worker thread; its templates belong with the application's
        // objects on the main thread.
        if (QCoreApplication* application = QCoreApplication::instance()) {
            for (const TemplateCategory& category : built) {
                for (Template* item : category.templates())
                    item->moveToThread(application->thread());
            }
        }
        return built;
    }();
    return categories;
}

const TemplateCategory& TemplateCategory::iPhone()
{
    return all()[0];
}

const TemplateCategory& TemplateCategory::iPad()
{
    return all()[1];
}

const TemplateCategory& TemplateCategory::mac()
{
    return all()[2];
}

std::vector<TemplateCategory> TemplateCategory::makeCatalogue(const std::vector<Theme>& themes)
{
    if (themes.empty())
        foundation::fatal("The template catalogue needs at least one theme");
    std::vector<TemplateCategory> categories;
    for (const char* name : {"iPhone", "iPad", "Mac"}) {
        std::vector<TemplateLayout> layouts;
        for (const TemplateLayout& layout : builtInLayouts()) {
            if (layout.category == name)
                layouts.push_back(layout);
        }
        categories.emplace_back(QString::fromLatin1(name), makeThemeGroups(layouts, themes));
    }
    return categories;
}

std::vector<TemplateGroup> TemplateCategory::makeThemeGroups(const std::vector<TemplateLayout>& layouts,
                                                             const std::vector<Theme>& themes)
{
    std::vector<TemplateGroup> groups;
    for (const Theme& theme : themes) {
        std::vector<std::unique_ptr<Template>> templates;
        templates.reserve(layouts.size());
        for (const TemplateLayout& layout : layouts)
            templates.push_back(std::make_unique<Template>(layout, theme));
        groups.emplace_back(theme.name, std::move(templates));
    }
    return groups;
}

} // namespace pelorama::templates
