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

// The resource lives in a static library; naming its initialiser keeps the linker from dropping it.
static void initializeDocumentModelResource()
{
    Q_INIT_RESOURCE(DocumentModel);
}

namespace pelorama::model {

namespace {

template <typename T> void registerEntityClass()
{
    store::ManagedObjectClassRegistry::registerClass<T>(entityName<T>());
}

std::shared_ptr<const store::ManagedObjectModel> loadDocumentModel()
{
    initializeDocumentModelResource();
    CompressedKeyedArchiveTransformer::registerTransformer();
    registerEntityClass<Screenshot>();
    registerEntityClass<DrawableMapping>();
    registerEntityClass<Image>();
    registerEntityClass<TextRect>();
    registerEntityClass<DeviceImage>();
    registerEntityClass<Gradient>();
    registerEntityClass<Asset>();
    registerEntityClass<Language>();
    store::Result<std::shared_ptr<const store::ManagedObjectModel>> model =
        store::ManagedObjectModel::fromResource(QStringLiteral("Document"));
    if (!model)
        foundation::fatal(model.error().message());
    return *model;
}

} // namespace

std::shared_ptr<const store::ManagedObjectModel> documentModel()
{
    // Static initialisation runs once, also when the first calls come from several threads at once.
    static const std::shared_ptr<const store::ManagedObjectModel> model = loadDocumentModel();
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
