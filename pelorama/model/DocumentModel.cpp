#include "model/DocumentModel.h"

#include "foundation/Fatal.h"
#include "model/Asset.h"
#include "model/AttributeTable.h"
#include "model/CompressedKeyedArchiveTransformer.h"
#include "model/DeviceImage.h"
#include "model/DrawableMapping.h"
#include "model/Gradient.h"
#include "model/Image.h"
#include "model/Screenshot.h"
#include "model/TextRect.h"
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
