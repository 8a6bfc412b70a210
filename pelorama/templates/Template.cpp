#include "templates/Template.h"

#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"
#include "templates/Builder.h"
#include "templates/TemplateCategory.h"
#include "templates/TemplatePreviewRenderer.h"

namespace pelorama::templates {

Template::Template(TemplateLayout layout, Theme theme)
    : m_layout(std::move(layout))
    , m_theme(std::move(theme))
{}

std::optional<graphics::Image> Template::previewImage() const
{
    QMutexLocker lock(&m_previewMutex);
    return m_previewImage;
}

void Template::setPreviewImage(const std::optional<graphics::Image>& image)
{
    {
        QMutexLocker lock(&m_previewMutex);
        m_previewImage = image;
    }
    emit previewImageChanged();
}

QVariant Template::previewImageValue() const
{
    const std::optional<graphics::Image> image = previewImage();
    return image ? QVariant::fromValue(*image) : QVariant();
}

model::Screenshot& Template::instantiateScreenshot(store::ManagedObjectContext& context) const
{
    model::Screenshot& screenshot = *model::Screenshot::insertInto(context);
    Builder builder(context, screenshot, m_theme);
    screenshot.setSize(m_layout.size);
    screenshot.setName(m_layout.name);
    screenshot.setBackgroundType(m_theme.backgroundType);
    screenshot.setSolidBackgroundColor(m_theme.solidBackgroundColor);
    // An unknown gradient leaves the colours the screenshot was inserted with.
    if (const model::StockGradient* gradient =
            model::StockGradient::withIdentifier(m_theme.gradientIdentifier)) {
        screenshot.setGradientStartColor(gradient->startColor());
        screenshot.setGradientEndColor(gradient->endColor());
    }
    m_layout.build(builder);
    return screenshot;
}

QFuture<void> Template::renderPreviewImages()
{
    std::vector<Template*> templates;
    for (const TemplateCategory& category : TemplateCategory::all()) {
        const std::vector<Template*> ofCategory = category.templates();
        templates.insert(templates.end(), ofCategory.begin(), ofCategory.end());
    }
    return TemplatePreviewRenderer::render(std::move(templates));
}

} // namespace pelorama::templates
