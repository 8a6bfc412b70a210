#include "TestObjects.h"

#include "ledgerline/core/ColorProperty.h"
#include "ledgerline/core/EnumerationProperty.h"
#include "ledgerline/core/FontProperty.h"
#include "ledgerline/core/ImageProperty.h"
#include "ledgerline/core/NumericProperty.h"
#include "ledgerline/core/StringProperty.h"
#include "ledgerline/core/Then.h"
#include "tessaline/Shared/Observer.h"

#include <QBuffer>
#include <QImage>
#include <QPointer>

using namespace ledgerline;

Shape::Shape()
    : Record({"name", "image", "shadowType", "shadowDepth", "shadowColor"})
{
    preset("name", QStringLiteral("Shape"));
    preset("shadowType", 0);
    preset("shadowDepth", 4.0);
    preset("shadowColor", QVariant::fromValue(graphics::Color{0, 0, 0, 0.5}));
}

std::unique_ptr<PropertyCollection> Shape::makePropertyCollection()
{
    auto collection = std::make_unique<PropertyCollection>();
    collection->addGroup(then(std::make_unique<PropertyGroup>(), [&](PropertyGroup& group) {
        group.setName("Shape");
        group.addProperty(then(std::make_unique<StringProperty>(), [&](StringProperty& name) {
            name.setName("Name");
            name.bind(this, "name");
        }));
        group.addProperty(then(std::make_unique<ImageProperty>(), [&](ImageProperty& image) {
            image.setName("Image");
            image.setImageDataHandler([shape = QPointer<Shape>(this)](const QByteArray& data) {
                if (shape) {
                    shape->storedImageData.append(data);
                }
            });
            image.bind(this, "image");
        }));
    }));

    auto shadow = std::make_unique<PropertyGroup>();
    shadow->setName("Shadow");
    auto& type =
        shadow->addProperty(then(std::make_unique<EnumerationProperty>(), [&](EnumerationProperty& row) {
            row.setName("Type");
            row.addOption("None", 0);
            row.addOption("Drop shadow", 1);
            row.addOption("Directional", 2);
            row.bind(this, "shadowType");
        }));
    auto& depth = shadow->addProperty(then(std::make_unique<NumericProperty>(1.0), [&](NumericProperty& row) {
        row.setName("Depth");
        row.bind(this, "shadowDepth");
    }));
    auto& color = shadow->addProperty(then(std::make_unique<ColorProperty>(), [&](ColorProperty& row) {
        row.setName("Color");
        row.bind(this, "shadowColor");
    }));
    collection->addGroup(std::move(shadow));

    // The rows live as long as the collection, and so does this observer, which outlives none of them.
    collection->keepObserver(std::make_unique<tessaline::Observer>(
        this, "shadowType", [this, &type, &depth, &color](const QVariant& value) {
            ++typeNotifications;
            const int kind = value.toInt();
            type.setHidden(false);
            depth.setHidden(kind != 2);
            color.setHidden(kind == 0);
        }));
    return collection;
}

Caption::Caption()
    : Record({"text", "font", "alignment", "size"})
{
    preset("text", QStringLiteral("First line\nSecond line"));
    preset("font", QVariant::fromValue(graphics::Font("AvenirNext-Regular", 50)));
    preset("alignment", 2u);
    preset("size", 20.0);
}

std::unique_ptr<PropertyCollection> Caption::makePropertyCollection()
{
    auto collection = std::make_unique<PropertyCollection>();
    collection->addGroup(then(std::make_unique<PropertyGroup>(), [&](PropertyGroup& group) {
        group.setName("Text");
        group.addProperty(then(std::make_unique<StringProperty>(), [&](StringProperty& text) {
            text.setName("Text");
            text.setTextStyle(StringProperty::multiLineText);
            text.setMaximumLength(100);
            text.bind(this, "text");
        }));
        group.addProperty(then(std::make_unique<FontProperty>(), [&](FontProperty& font) {
            font.setName("Font");
            font.bind(this, "font");
        }));
        group.addProperty(then(std::make_unique<EnumerationProperty>(), [&](EnumerationProperty& alignment) {
            alignment.setName("Horizontal Alignment");
            alignment.setDisplayStyle(EnumerationProperty::segmentedDisplay);
            alignment.addOption("Left", 0u);
            alignment.addOption("Center", 2u);
            alignment.addOption("Right", 1u);
            alignment.bind(this, "alignment");
        }));
        group.addProperty(then(std::make_unique<NumericProperty>(1.0), [&](NumericProperty& size) {
            size.setName("Size");
            size.setMinimumValue(0);
            size.setMaximumValue(100);
            size.bind(this, "size");
        }));
    }));
    return collection;
}

QByteArray pngData(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}
