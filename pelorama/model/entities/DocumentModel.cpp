#include "model/entities/DocumentModel.h"

#include "foundation/Fatal.h"
#include "model/attributes/AttributeTable.h"
#include "model/entities/Asset.h"
#include "model/entities/CompressedKeyedArchiveTransformer.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Gradient.h"
#include "model/entities/Image.h"
#include "model/entities/Language.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "store/EntityDescription.h"
#include "store/ManagedObjectClassRegistry.h"

namespace pelorama::model {

namespace {

// What the attribute tables do not say of an entity: whether stores written before it lack it, and its
// relationships (a screenshot's drawables in drawing order, each mapping on one screenshot; deleting a
// screenshot deletes its mappings, and each mapping its drawable).
struct EntityShape
{
    QString name;
    const AttributeTable& attributes;
    bool addedLater = false;
    std::vector<store::RelationshipDescription> relationships = {};
};

// The shape of T's entity; registers T as the class of its objects.
template <typename T>
EntityShape entityShape(bool addedLater = false,
                        std::vector<store::RelationshipDescription> relationships = {})
{
    store::ManagedObjectClassRegistry::registerClass<T>(entityName<T>());
    return {entityName<T>(), T::attributes(), addedLater, std::move(relationships)};
}

std::vector<EntityShape> entityShapes()
{
    const store::RelationshipDescription drawableMappings{.name = QStringLiteral("drawableMappings"),
                                                          .destinationEntityName =
                                                              entityName<DrawableMapping>(),
                                                          .inverseName = QStringLiteral("screenshot"),
                                                          .isToMany = true,
                                                          .isOrdered = true,
                                                          .deleteRule = store::DeleteRule::cascade};
    const store::RelationshipDescription screenshot{.name = QStringLiteral("screenshot"),
                                                    .destinationEntityName = entityName<Screenshot>(),
                                                    .inverseName = QStringLiteral("drawableMappings")};
    std::vector<EntityShape> shapes;
    shapes.push_back(entityShape<Screenshot>(false, {drawableMappings}));
    shapes.push_back(entityShape<DrawableMapping>(false, {screenshot}));
    shapes.push_back(entityShape<Image>());
    shapes.push_back(entityShape<TextRect>());
    shapes.push_back(entityShape<DeviceImage>());
    shapes.push_back(entityShape<Gradient>());
    shapes.push_back(entityShape<Asset>());
    shapes.push_back(entityShape<Language>(true));
    return shapes;
}

// The entity as its store keeps it: the attributes of its table's rows (computed keys are none), and its
// relationships.
store::ManagedObjectModel::EntityDeclaration declaration(const EntityShape& shape)
{
    store::ManagedObjectModel::EntityDeclaration entity;
    entity.name = shape.name;
    entity.isAddedLater = shape.addedLater;
    entity.relationships = shape.relationships;
    for (const AttributeRow& row : shape.attributes.rows()) {
        if (!row.isModelAttribute())
            continue;
        store::AttributeDescription attribute;
        attribute.name = row.key;
        attribute.type = row.storedType();
        attribute.valueTransformerName = row.valueTransformerName();
        attribute.isTransient = row.isTransient();
        attribute.isAddedLater = row.addedLater;
        attribute.isIndexed = row.indexed;
        entity.attributes.push_back(attribute);
    }
    return entity;
}

std::shared_ptr<const store::ManagedObjectModel> makeDocumentModel()
{
    CompressedKeyedArchiveTransformer::registerTransformer();
    std::vector<store::ManagedObjectModel::EntityDeclaration> entities;
    for (const EntityShape& shape : entityShapes())
        entities.push_back(declaration(shape));
    store::Result<std::shared_ptr<const store::ManagedObjectModel>> model =
        store::ManagedObjectModel::fromDeclarations(std::move(entities));
    if (!model)
        foundation::fatal(model.error().message());
    return *model;
}

} // namespace

std::shared_ptr<const store::ManagedObjectModel> documentModel()
{
    // Static initialisation runs once, also when the first calls come from several threads at once.
    static const std::shared_ptr<const store::ManagedObjectModel> model = makeDocumentModel();
    return model;
}

const AttributeTable* attributeTable(const QString& name)
{
    static const QHash<QString, const AttributeTable*> tables{
        {entityName<Screenshot>(), &Screenshot::attributes()},
        {entityName<DrawableMapping>(), &DrawableMapping::attributes()},
        {entityName<Image>(), &Image::attributes()},
        {entityName<TextRect>(), &TextRect::attributes()},
        {entityName<DeviceImage>(), &DeviceImage::attributes()},
        {entityName<Gradient>(), &Gradient::attributes()},
        {entityName<Asset>(), &Asset::attributes()},
        {entityName<Language>(), &Language::attributes()},
    };
    return tables.value(name);
}

QStringList pixelKeys(const QString& name)
{
    const AttributeTable* table = attributeTable(name);
    return table ? table->pixelKeys() : QStringList();
}

QStringList pixelKeys(const store::ManagedObject& object)
{
    return pixelKeys(object.entity().name());
}

} // namespace pelorama::model
