#include "model/Gradient.h"

#include "graphics/BitmapImageRep.h"
#include "ledgerline/ColorProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/Then.h"
#include "model/ContextOperations.h"
#include "model/GradientSwatch.h"
#include "model/StockGradient.h"
#include "model/StockGradientProperty.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

namespace {
const QString uniqueIdentifierKey = QStringLiteral("uniqueIdentifier");
const QString startColorKey = QStringLiteral("startColor");
const QString endColorKey = QStringLiteral("endColor");
const QString stockGradientKey = QStringLiteral("stockGradient");
} // namespace

Gradient::Gradient()
{
    addDependentKey(stockGradientKey, {startColorKey, endColorKey});
}

Gradient* Gradient::insertInto(store::ManagedObjectContext& context)
{
    return insertObject<Gradient>(context);
}

Gradient* Gradient::insertInto(store::ManagedObjectContext& context, const graphics::Color& startColor,
                               const graphics::Color& endColor)
{
    Gradient* gradient = insertInto(context);
    gradient->setUniqueIdentifier(makeUniqueIdentifier());
    gradient->setStartColor(startColor);
    gradient->setEndColor(endColor);
    return gradient;
}

store::FetchRequest Gradient::fetchRequest()
{
    return store::FetchRequest(entityName<Gradient>());
}

QString Gradient::uniqueIdentifier() const
{
    return stringValue(uniqueIdentifierKey);
}

void Gradient::setUniqueIdentifier(const QString& identifier)
{
    setAttributeValue(identifier, uniqueIdentifierKey);
}

std::optional<graphics::Color> Gradient::startColor() const
{
    return colorValue(startColorKey);
}

void Gradient::setStartColor(const std::optional<graphics::Color>& color)
{
    setColorValue(color, startColorKey);
}

std::optional<graphics::Color> Gradient::endColor() const
{
    return colorValue(endColorKey);
}

void Gradient::setEndColor(const std::optional<graphics::Color>& color)
{
    setColorValue(color, endColorKey);
}

const StockGradient* Gradient::stockGradient() const
{
    const std::optional<graphics::Color> start = startColor();
    const std::optional<graphics::Color> end = endColor();
    if (!start || !end)
        return nullptr;
    return StockGradient::matching(*start, *end);
}

void Gradient::setStockGradient(const StockGradient* gradient)
{
    if (!gradient)
        return;
    setStartColor(gradient->startColor());
    setEndColor(gradient->endColor());
}

std::optional<graphics::Gradient> Gradient::gradient() const
{
    const std::optional<graphics::Color> start = startColor();
    const std::optional<graphics::Color> end = endColor();
    if (!start || !end)
        return std::nullopt;
    return graphics::Gradient(*start, *end);
}

graphics::Image Gradient::renderPreview(graphics::Size size) const
{
    graphics::Image image(size);
    if (const std::optional<graphics::Gradient> fill = gradient()) {
        if (const std::optional<QImage> bitmap = renderGradientSwatch(*fill, size, 1))
            image.addRepresentation(graphics::BitmapImageRep(*bitmap));
    }
    return image;
}

std::unique_ptr<ledgerline::PropertyCollection> Gradient::makePropertyCollection()
{
    using ledgerline::then;
    const graphics::Color white{1, 1, 1, 1};
    auto collection = std::make_unique<ledgerline::PropertyCollection>();
    collection->addGroup(
        then(std::make_unique<ledgerline::PropertyGroup>(), [&](ledgerline::PropertyGroup& group) {
            group.setName(QStringLiteral("Gradients"));
            group.addProperty(then(std::make_unique<StockGradientProperty>(),
                                   [&](auto& row) { row.bind(this, stockGradientKey); }));
        }));
    collection->addGroup(
        then(std::make_unique<ledgerline::PropertyGroup>(), [&](ledgerline::PropertyGroup& group) {
            group.setName(QStringLiteral("Colors"));
            group.addProperty(then(std::make_unique<ledgerline::ColorProperty>(white), [&](auto& row) {
                row.setName(QStringLiteral("Top"));
                row.bind(this, endColorKey);
            }));
            group.addProperty(then(std::make_unique<ledgerline::ColorProperty>(white), [&](auto& row) {
                row.setName(QStringLiteral("Bottom"));
                row.bind(this, startColorKey);
            }));
        }));
    return collection;
}

bool Gradient::hasTypedKey(const QString& key) const
{
    return key == stockGradientKey;
}

QVariant Gradient::typedValueForKey(const QString&) const
{
    if (const StockGradient* gradient = stockGradient())
        return QVariant::fromValue(gradient);
    return QVariant();
}

void Gradient::setTypedValueForKey(const QVariant& value, const QString& key)
{
    if (value.isValid())
        setStockGradient(requireValue<const StockGradient*>(value, key));
    else
        emit valueChangedForKey(key); // none changes nothing, but a store is announced all the same
}

DrawableSnapshot Gradient::snapshot() const
{
    return GradientSnapshot::of(*this);
}

} // namespace pelorama::model
