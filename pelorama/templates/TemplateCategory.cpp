#include "templates/TemplateCategory.h"

#include "foundation/Fatal.h"
#include "templates/BuiltInTemplates.h"

#include <QCoreApplication>
#include <QThread>

namespace pelorama::templates {

namespace {

TemplateCategory makeCategory(const QString& name,
                              std::vector<std::unique_ptr<Template>> (*makeBaseTemplates)(const Theme&))
{
    const std::vector<Theme>& themes = Theme::all();
    if (themes.empty())
        foundation::fatal("The template catalogue needs at least one theme");
    return TemplateCategory(name, TemplateCategory::makeThemeGroups(makeBaseTemplates(themes.front())));
}

} // namespace

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
        std::vector<TemplateCategory> built;
        built.push_back(makeCategory(QStringLiteral("iPhone"), iPhoneTemplates));
        built.push_back(makeCategory(QStringLiteral("iPad"), iPadTemplates));
        built.push_back(makeCategory(QStringLiteral("Mac"), macTemplates));
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

std::vector<TemplateGroup>
TemplateCategory::makeThemeGroups(const std::vector<std::unique_ptr<Template>>& templates,
                                  const std::vector<Theme>& themes)
{
    std::vector<TemplateGroup> groups;
    for (const Theme& theme : themes)
        groups.push_back(makeThemeGroup(theme, templates));
    return groups;
}

TemplateGroup TemplateCategory::makeThemeGroup(const Theme& theme,
                                               const std::vector<std::unique_ptr<Template>>& templates)
{
    std::vector<std::unique_ptr<Template>> themed;
    themed.reserve(templates.size());
    for (const std::unique_ptr<Template>& base : templates)
        themed.push_back(
            std::make_unique<Template>(base->name(), base->size(), theme, base->buildCallback()));
    return TemplateGroup(theme.name, std::move(themed));
}

} // namespace pelorama::templates
