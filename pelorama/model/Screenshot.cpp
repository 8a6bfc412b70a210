#include "model/Screenshot.h"

#include "ledgerline/ColorProperty.h"
#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/StringProperty.h"
#include "ledgerline/Then.h"
#include "model/ContextOperations.h"
#include "model/DrawableMapping.h"
#include "model/StockGradient.h"
#include "model/StockGradientProperty.h"
#include "model/ValidationError.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"
#include "tessaline/Shared/ColorComponents.h"
#include "tessaline/Shared/Observer.h"

#include <limits>

namespace pelorama::model {

namespace {

const QString nameKey = QStringLiteral("name");
const QString orderKey = QStringLiteral("order");
const QString sizeKey = QStringLiteral("size");
const QString backgroundTypeKey = QStringLiteral("backgroundType");
const QString solidBackgroundColorKey = QStringLiteral("solidBackgroundColor");
const QString gradientStartColorKey = QStringLiteral("gradientStartColor");
const QString gradientEndColorKey = QStringLiteral("gradientEndColor");
const QString drawableMappingsKey = QStringLiteral("drawableMappings");
const QString stockGradientKey = QStringLiteral("stockGradient");

// Names are equal when their characters are canonically equivalent.
QString comparable(const QString& name)
{
    return name.normalized(QString::NormalizationForm_D);
}

// The decimal integer a word spells (an optional sign and ASCII digits), when a 64-bit integer holds it.
std::optional<qint64> integerWord(const QString& word)
{
    qsizetype start = 0;
    if (word.startsWith('+') || word.startsWith('-'))
        start = 1;
    if (word.size() == start)
        return std::nullopt;
    for (qsizetype i = start; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9')
            return std::nullopt;
    }
    bool ok = false;
    const qint64 value = word.mid(word.startsWith('+') ? 1 : 0).toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString nextCandidate(const QString& candidate)
{
    QStringList words = candidate.split(' ');
    const std::optional<qint64> number = integerWord(words.last());
    // The largest integer cannot be raised; such a name is treated like one without a number.
    if (!number || *number == std::numeric_limits<qint64>::max())
        return candidate + QStringLiteral(" 2");
    words.last() = QString::number(*number + 1);
    return words.join(' ');
}

void setRowsHidden(const ledgerline::PropertyGroup& group, bool hidden)
{
    for (const std::unique_ptr<ledgerline::Property>& row : group.properties())
        row->setHidden(hidden);
}

// A new screenshot's solid colour: halfway between the colours of its gradient, the first stock one.
graphics::Color defaultSolidBackgroundColor()
{
    const StockGradient* first = StockGradient::all().front();
    return tessaline::interpolate(first->startColor(), first->endColor(), 0.5);
}

std::unique_ptr<ledgerline::PropertyGroup> namedGroup(const QString& name)
{
    auto group = std::make_unique<ledgerline::PropertyGroup>();
    group->setName(name);
    return group;
}

} // namespace

Screenshot::Screenshot()
{
    addDependentKey(stockGradientKey, {gradientStartColorKey, gradientEndColorKey});
}

Screenshot* Screenshot::insertInto(store::ManagedObjectContext& context)
{
    Screenshot* screenshot = insertObject<Screenshot>(context);
    screenshot->setName(QStringLiteral("New Screenshot"));
    screenshot->setBackgroundType(BackgroundType::gradient);
    const StockGradient* first = StockGradient::all().front();
    screenshot->setSolidBackgroundColor(defaultSolidBackgroundColor());
    screenshot->setGradientEndColor(first->endColor());
    screenshot->setGradientStartColor(first->startColor());
    return screenshot;
}

store::FetchRequest Screenshot::fetchRequest()
{
    return store::FetchRequest(entityName<Screenshot>());
}

QString Screenshot::name() const
{
    return stringValue(nameKey);
}

void Screenshot::setName(const QString& name)
{
    setAttributeValue(name, nameKey);
}

double Screenshot::order() const
{
    return doubleValue(orderKey);
}

void Screenshot::setOrder(double order)
{
    setAttributeValue(order, orderKey);
}

graphics::Size Screenshot::size() const
{
    return typedPrimitiveValue<graphics::Size>(sizeKey).value_or(graphics::Size{});
}

void Screenshot::setSize(graphics::Size size)
{
    setTypedPrimitiveValue(size, sizeKey);
}

BackgroundType Screenshot::backgroundType() const
{
    return typedPrimitiveValue<BackgroundType>(backgroundTypeKey).value_or(BackgroundType::solid);
}

void Screenshot::setBackgroundType(BackgroundType type)
{
    setTypedPrimitiveValue(type, backgroundTypeKey);
}

std::optional<graphics::Color> Screenshot::solidBackgroundColor() const
{
    return colorValue(solidBackgroundColorKey);
}

void Screenshot::setSolidBackgroundColor(const std::optional<graphics::Color>& color)
{
    setColorValue(color, solidBackgroundColorKey);
}

std::optional<graphics::Color> Screenshot::gradientStartColor() const
{
    return colorValue(gradientStartColorKey);
}

void Screenshot::setGradientStartColor(const std::optional<graphics::Color>& color)
{
    setColorValue(color, gradientStartColorKey);
}

std::optional<graphics::Color> Screenshot::gradientEndColor() const
{
    return colorValue(gradientEndColorKey);
}

void Screenshot::setGradientEndColor(const std::optional<graphics::Color>& color)
{
    setColorValue(color, gradientEndColorKey);
}

QList<DrawableMapping*> Screenshot::drawableMappings() const
{
    QList<DrawableMapping*> mappings;
    for (store::ManagedObject* object : relatedObjects(drawableMappingsKey)) {
        if (auto* mapping = dynamic_cast<DrawableMapping*>(object))
            mappings.append(mapping);
    }
    return mappings;
}

const StockGradient* Screenshot::stockGradient() const
{
    const std::optional<graphics::Color> start = gradientStartColor();
    const std::optional<graphics::Color> end = gradientEndColor();
    if (!start || !end)
        return nullptr;
    return StockGradient::matching(*start, *end);
}

void Screenshot::setStockGradient(const StockGradient* gradient)
{
    if (!gradient)
        return;
    setGradientStartColor(gradient->startColor());
    setGradientEndColor(gradient->endColor());
}

Canvas Screenshot::makeCanvas()
{
    std::vector<Drawable*> drawables{this};
    for (DrawableMapping* mapping : drawableMappings()) {
        if (Drawable* drawable = mapping->drawable())
            drawables.push_back(drawable);
    }
    return Canvas(size(), std::move(drawables));
}

store::Result<QStringList> Screenshot::otherScreenshotNames() const
{
    store::Result<QList<store::ManagedObject*>> screenshots = managedObjectContext()->execute(fetchRequest());
    if (!screenshots)
        return store::failure(screenshots.error());
    QStringList names;
    for (store::ManagedObject* object : *screenshots) {
        if (object == this)
            continue;
        if (auto* other = dynamic_cast<Screenshot*>(object))
            names.append(comparable(other->name()));
    }
    return names;
}

store::Result<void> Screenshot::validateName(const QVariant& proposedName) const
{
    if (!managedObjectContext() || proposedName.typeId() != QMetaType::QString)
        return {};
    const store::Result<QStringList> names = otherScreenshotNames();
    if (!names)
        return store::failure(names.error());
    if (names->contains(comparable(proposedName.toString())))
        return store::failure(
            ValidationError{QStringLiteral("The name of the screenshot must be unique")}.storeError());
    return {};
}

store::Result<void> Screenshot::validateProposedName()
{
    if (!managedObjectContext())
        return {};
    const store::Result<QStringList> names = otherScreenshotNames();
    if (!names)
        return store::failure(names.error());
    QString candidate = name();
    while (names->contains(comparable(candidate)))
        candidate = nextCandidate(candidate);
    setName(candidate);
    return {};
}

std::unique_ptr<ledgerline::PropertyCollection> Screenshot::makePropertyCollection()
{
    using ledgerline::then;
    const graphics::Color white{1, 1, 1, 1};
    auto collection = std::make_unique<ledgerline::PropertyCollection>();

    collection->addGroup(then(namedGroup(QStringLiteral("Design")), [&](ledgerline::PropertyGroup& design) {
        design.setIdentifier(QStringLiteral("design"));
        design.addProperty(
            then(std::make_unique<ledgerline::StringProperty>(QStringLiteral("New design")), [&](auto& row) {
                row.setName(QStringLiteral("Name"));
                row.setIdentifier(QStringLiteral("name"));
                row.bind(this, nameKey);
            }));
        design.addProperty(then(std::make_unique<ledgerline::EnumerationProperty>(), [&](auto& row) {
            row.setName(QStringLiteral("Background"));
            row.addOption(QStringLiteral("Solid color"), qint64(BackgroundType::solid));
            row.addOption(QStringLiteral("Gradient"), qint64(BackgroundType::gradient));
            row.bind(this, backgroundTypeKey);
            row.setValue(qint64(backgroundType()));
        }));
    }));

    auto gradients = then(namedGroup(QStringLiteral("Gradients")), [&](ledgerline::PropertyGroup& group) {
        group.addProperty(then(std::make_unique<StockGradientProperty>(),
                               [&](auto& row) { row.bind(this, stockGradientKey); }));
    });
    auto colors = then(namedGroup(QStringLiteral("Colors")), [&](ledgerline::PropertyGroup& group) {
        group.addProperty(then(std::make_unique<ledgerline::ColorProperty>(white), [&](auto& row) {
            row.setName(QStringLiteral("Top"));
            row.bind(this, gradientEndColorKey);
        }));
        group.addProperty(then(std::make_unique<ledgerline::ColorProperty>(white), [&](auto& row) {
            row.setName(QStringLiteral("Bottom"));
            row.bind(this, gradientStartColorKey);
        }));
    });
    auto background =
        then(namedGroup(QStringLiteral("Background Color")), [&](ledgerline::PropertyGroup& group) {
            group.addProperty(then(std::make_unique<ledgerline::ColorProperty>(white), [&](auto& row) {
                row.setName(QStringLiteral("Background"));
                row.bind(this, solidBackgroundColorKey);
            }));
        });

    // The groups live in the collection, which ends the observer before them.
    collection->keepObserver(std::make_unique<tessaline::Observer>(
        this, backgroundTypeKey,
        [gradients = gradients.get(), colors = colors.get(),
         background = background.get()](const QVariant& value) {
            const bool gradient = value.toLongLong() == qint64(BackgroundType::gradient);
            setRowsHidden(*gradients, !gradient);
            setRowsHidden(*colors, !gradient);
            setRowsHidden(*background, gradient);
        }));

    collection->addGroup(std::move(gradients));
    collection->addGroup(std::move(colors));
    collection->addGroup(std::move(background));
    return collection;
}

bool Screenshot::hasTypedKey(const QString& key) const
{
    return key == sizeKey || key == backgroundTypeKey || key == stockGradientKey;
}

QVariant Screenshot::typedValueForKey(const QString& key) const
{
    if (key == sizeKey)
        return QVariant::fromValue(size());
    if (key == backgroundTypeKey)
        return enumerationValueForKey<BackgroundType>(key);
    if (const StockGradient* gradient = stockGradient())
        return QVariant::fromValue(gradient);
    return QVariant();
}

void Screenshot::setTypedValueForKey(const QVariant& value, const QString& key)
{
    if (key == sizeKey)
        setSize(requireValue<graphics::Size>(value, key));
    else if (key == backgroundTypeKey)
        setEnumerationValueForKey(value, key);
    else if (value.isValid())
        setStockGradient(requireValue<const StockGradient*>(value, key));
    else
        emit valueChangedForKey(key); // none changes nothing, but a store is announced all the same
}

store::Result<void> Screenshot::validateValue(const QVariant& value, const QString& key)
{
    if (key == nameKey)
        return validateName(value);
    return Entity::validateValue(value, key);
}

DrawableSnapshot Screenshot::snapshot() const
{
    return BackgroundSnapshot::of(*this);
}

} // namespace pelorama::model
