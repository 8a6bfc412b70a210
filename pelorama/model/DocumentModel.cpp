#include "model/DocumentModel.h"

#include "foundation/Fatal.h"
#include "model/Asset.h"
#include "model/CompressedKeyedArchiveTransformer.h"
#include "model/DeviceImage.h"
#include "model/DrawableMapping.h"
#include "model/Gradient.h"
#include "model/Image.h"
#include "model/Screenshot.h"
#include "model/TextRect.h"
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

} // namespace pelorama::model
