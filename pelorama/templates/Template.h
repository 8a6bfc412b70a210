#pragma once

#include "graphics/Image.h"
#include "graphics/Size.h"
#include "store/StoreForward.h"
#include "templates/TemplateLayout.h"
#include "templates/Theme.h"

#include <QFuture>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariant>
#include <optional>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::templates {

// One layout bound to one theme: it builds a screenshot of the layout's name and size with the layout's
// drawables, styled by the theme. Templates of the catalogue live as long as the process.
//
// Key "previewImage": the picture of the template for the picker (a graphics::Image, or a null value
// until it is rendered). It is set from the thread that rendered it, and observers hear of it there.
class Template : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QVariant previewImage READ previewImageValue NOTIFY previewImageChanged)

public:
    Template(TemplateLayout layout, Theme theme);

    const QString& name() const { return m_layout.name; }
    // The canvas size of the screenshots it builds, in canvas points.
    graphics::Size size() const { return m_layout.size; }
    const TemplateLayout& layout() const { return m_layout; }
    const Theme& theme() const { return m_theme; }

    std::optional<graphics::Image> previewImage() const;
    void setPreviewImage(const std::optional<graphics::Image>& image);

    // Inserts a screenshot of the template's name and size with the theme's background into context,
    // adds the layout's drawables, and returns it. Nothing is saved. Runs on context's
    // queue.
    model::Screenshot& instantiateScreenshot(store::ManagedObjectContext& context) const;

    // Renders the preview image of every template of the catalogue on the render pool, into a store of
    // its own, and returns at once; the future finishes once every preview is set.
    static QFuture<void> renderPreviewImages();

signals:
    void previewImageChanged();

private:
    QVariant previewImageValue() const;

    TemplateLayout m_layout;
    Theme m_theme;
    mutable QMutex m_previewMutex; // previews are set from rendering threads
    std::optional<graphics::Image> m_previewImage;
};

} // namespace pelorama::templates
