#include "model/entities/Screenshot.h"

#include "model/attributes/AttributeTable.h"
#include "model/attributes/StockGradientRow.h"
#include "model/context/ContextOperations.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/StockGradient.h"
#include "model/entities/ValidationError.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"
#include "tessaline/Shared/ColorComponents.h"

#include <limits>

namespace pelorama::model {

namespace {

const QString drawableMappingsKey = QStringLiteral("drawableMappings");
// The name counts a save's validation works out once for every screenshot it checks.
const QString nameCountsKey = QStringLiteral("Screenshot names");
using NameCounts = store::Result<QHash<QString, int>>;

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

// A new screenshot's solid colour: halfway between the colours of its gradient, the first stock one.
graphics::Color defaultSolidBackgroundColor()
{
    const StockGradient* first = StockGradient::all().front();
    return tessaline::interpolate(first->startColor(), first->endColor(), 0.5);
}

graphics::Color firstStockGradientEndColor()
{
    return StockGradient::all().front()->endColor();
}

graphics::Color firstStockGradientStartColor()
{
    return StockGradient::all().front()->startColor();
}

// The rows of the background colours: shown for one background type.
InspectorRow colourRow(const QString& group, const QString& label, BackgroundType shownFor)
{
    return {.kind = InspectorKind::colour,
            .group = group,
            .label = label,
            .initialValue = QVariant::fromValue(graphics::Color{1, 1, 1, 1}),
            .shownWhen = shownWhen(Screenshot::backgroundTypeAttribute, {shownFor})};
}

} // namespace

const AttributeTable& Screenshot::attributes()
{
    using enum BackgroundType;
    static const AttributeTable table({
        attributeRow(nameAttribute, {.insertion = QStringLiteral("New Screenshot"),
                                     .inspector = {{.kind = InspectorKind::text,
                                                    .group = "Design",
                                                    .label = "Name",
                                                    .groupIdentifier = "design",
                                                    .identifier = "name",
                                                    .initialValue = QStringLiteral("New design")}}}),
        attributeRow(orderAttribute),
        attributeRow(sizeAttribute),
        attributeRow(backgroundTypeAttribute,
                     {.insertion = gradient,
                      .changesPixels = true,
                      .inspector = {{.kind = InspectorKind::choice,
                                     .group = "Design",
                                     .label = "Background",
                                     .options = {{"Solid color", solid}, {"Gradient", gradient}}}}}),
        stockGradientRow<Screenshot>({gradientStartColorAttribute.key(), gradientEndColorAttribute.key()},
                                     {.kind = InspectorKind::stockGradient,
                                      .group = "Gradients",
                                      .shownWhen = shownWhen(backgroundTypeAttribute, {gradient})}),
        attributeRow(gradientEndColorAttribute, {.insertion = &firstStockGradientEndColor,
                                                 .changesPixels = true,
                                                 .inspector = {colourRow("Colors", "Top", gradient)}}),
        attributeRow(gradientStartColorAttribute, {.insertion = &firstStockGradientStartColor,
                                                   .changesPixels = true,
                                                   .inspector = {colourRow("Colors", "Bottom", gradient)}}),
        attributeRow(solidBackgroundColorAttribute,
                     {.insertion = &defaultSolidBackgroundColor,
                      .changesPixels = true,
                      .inspector = {colourRow("Background Color", "Background", solid)}}),
    });
    return table;
}

Screenshot::Screenshot()
    : Entity(attributes())
{}

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
    return StockGradient::matching(gradientStartColor(), gradientEndColor());
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
    return Canvas(size(), drawables);
}

store::Result<QHash<QString, int>> Screenshot::screenshotNameCounts() const
{
    // The names alone are read: a child context that pastes into a long document makes no screenshots of
    // the parent's.
    store::Result<QList<QVariant>> names =
        managedObjectContext()->fetchValues(fetchRequest(), nameAttribute.key());
    if (!names)
        return store::failure(names.error());
    QHash<QString, int> counts;
    for (const QVariant& stored : *names)
        ++counts[comparable(AttributeValue<QString>::read(stored).value_or(QString()))];
    return counts;
}

store::Result<void> Screenshot::validateName(const QVariant& proposedName) const
{
    store::ManagedObjectContext* context = managedObjectContext();
    if (!context || proposedName.typeId() != QMetaType::QString)
        return {};
    // A save checks every changed screenshot: the names are read once for all of them.
    const NameCounts counts =
        context->validationValue<NameCounts>(nameCountsKey, [this] { return screenshotNameCounts(); });
    if (!counts)
        return store::failure(counts.error());
    const QString proposed = comparable(proposedName.toString());
    const int others = counts->value(proposed) - (comparable(name()) == proposed ? 1 : 0);
    if (others > 0)
        return store::failure(
            ValidationError{QStringLiteral("The name of the screenshot must be unique")}.storeError());
    return {};
}

store::Result<void> Screenshot::validateProposedName()
{
    return validateProposedNames({this});
}

store::Result<void> Screenshot::validateProposedNames(const QList<Screenshot*>& screenshots)
{
    if (screenshots.isEmpty() || !screenshots.front()->managedObjectContext())
        return {};
    NameCounts counts = screenshots.front()->screenshotNameCounts();
    if (!counts)
        return store::failure(counts.error());
    // The names are taken in turn: none of the screenshots holds its name before its turn.
    for (const Screenshot* screenshot : screenshots)
        --(*counts)[comparable(screenshot->name())];
    for (Screenshot* screenshot : screenshots) {
        QString candidate = screenshot->name();
        while (counts->value(comparable(candidate)) > 0)
            candidate = nextCandidate(candidate);
        ++(*counts)[comparable(candidate)];
        screenshot->setName(candidate);
    }
    // The counts are the names as they now stand: the next save need not read them again.
    screenshots.front()->managedObjectContext()->keepValidationValue(nameCountsKey, std::move(counts));
    return {};
}

store::Result<void> Screenshot::validateValue(const QVariant& value, const QString& key)
{
    if (key == nameAttribute.key())
        return validateName(value);
    return Entity::validateValue(value, key);
}

DrawableSnapshot Screenshot::snapshot() const
{
    return BackgroundSnapshot::of(*this);
}

} // namespace pelorama::model
