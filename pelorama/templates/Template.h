#pragma once

#include "graphics/Image.h"
#include "graphics/Size.h"
#include "templates/Theme.h"

#include <QFuture>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace store {
class ManagedObjectContext;
} // namespace store

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::templates {

class Builder;

// One layout bound to one theme: it builds a screenshot of its size whose drawables its build callback
// adds through a Builder, styled by the theme. Templates of the catalogue live as long as the process.
//
// Key "previewImage": the picture of the template for the picker (a graphics::Image, or a null value
// until it is rendered). It is set from the thread that rendered it, and observers hear of it there.
class Template : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QVariant previewImage READ previewImageValue NOTIFY previewImageChanged)

public:
    using BuildCallback = std::function<void(Builder&)>;

    Template(QString name, graphics::Size size, Theme theme, BuildCallback buildCallback);

    const QString& name() const { return m_name; }
    // The canvas size of the screenshots it builds, in canvas points.
    graphics::Size size() const { return m_size; }
    const Theme& theme() const { return m_theme; }
    const BuildCallback& buildCallback() const { return m_buildCallback; }

    std::optional<graphics::Image> previewImage() const;
    void setPreviewImage(const std::optional<graphics::Image>& image);

    // Inserts a screenshot of the template's name and size with the theme's background into context,
    // lets the build callback add its drawables, and returns it. Nothing is saved. Runs on context's
    // queue.
    model::Screenshot& instantiateScreenshot(store::ManagedObjectContext& context) const;

    // Renders the preview image of every template of the catalogue in the background, into a store of
    // its own, and returns at once; the future finishes once every preview is set.
    static QFuture<void> renderPreviewImages();

signals:
    void previewImageChanged();

private:
    QVariant previewImageValue() const;

    QString m_name;
    graphics::Size m_size;
    Theme m_theme;
    BuildCallback m_buildCallback;
    mutable QMutex m_previewMutex; // previews are set from rendering threads
    std::optional<graphics::Image> m_previewImage;
};

} // namespace pelorama::templates
