#include "TestDocument.h"

#include "foundation/Fatal.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"

const QString TestDocument::typeName = QStringLiteral("Test Document");
const QString TestDocument::appVersion = QStringLiteral("1.0");

std::shared_ptr<const store::ManagedObjectModel> TestDocument::model()
{
    static const auto loaded = store::ManagedObjectModel::fromJson(R"({"entities": [
        {"name": "Screenshot",
         "attributes": [{"name": "caption", "type": "string"}, {"name": "order", "type": "double"}],
         "relationships": [{"name": "asset", "destination": "Asset", "inverse": "screenshot",
                            "deleteRule": "cascade"}]},
        {"name": "Asset",
         "attributes": [{"name": "data", "type": "binary"}],
         "relationships": [{"name": "screenshot", "destination": "Screenshot", "inverse": "asset"}]}]})");
    return loaded.value();
}

std::shared_ptr<const store::ManagedObjectModel> TestDocument::otherModel()
{
    static const auto loaded = store::ManagedObjectModel::fromJson(R"({"entities": [
        {"name": "Note", "attributes": [{"name": "text", "type": "string"}]}]})");
    return loaded.value();
}

appkit::DocumentType TestDocument::documentType()
{
    appkit::DocumentType type;
    type.name = typeName;
    type.description = "Test Document";
    type.extensions = {"pelorama"};
    type.isPackage = true;
    type.makeDocument = [] {
        return std::make_unique<TestDocument>();
    };
    return type;
}

TestDocument::TestDocument()
    : ManagedDocument(model())
{
    setDocumentType(documentType());
}

void TestDocument::initializeNewDocument(const QString& type)
{
    ManagedDocument::initializeNewDocument(type);
    managedObjectContext()->processPendingChanges();
    undoStack()->clear();
    QVariantMap dictionary = m_metadata.dictionary();
    dictionary.insert("FileVersion", 1);
    dictionary.insert("AppVersion", appVersion);
    m_metadata.setDictionary(dictionary);
}

store::ManagedObject* TestDocument::addScreenshot(const QString& caption, double order,
                                                  const QByteArray& picture)
{
    store::ManagedObject* screenshot = managedObjectContext()->insertNewObject("Screenshot");
    screenshot->setValueForKey(caption, "caption");
    screenshot->setValueForKey(order, "order");
    if (!picture.isEmpty()) {
        store::ManagedObject* asset = managedObjectContext()->insertNewObject("Asset");
        asset->setValueForKey(picture, "data");
        screenshot->setRelatedObject(asset, "asset");
    }
    return screenshot;
}

QList<store::ManagedObject*> TestDocument::screenshots()
{
    store::FetchRequest request("Screenshot");
    request.sortDescriptors = {{"order", true}};
    auto fetched = managedObjectContext()->execute(request);
    if (!fetched)
        foundation::fatal("The screenshots could not be fetched: " + fetched.error().message());
    return *fetched;
}

QStringList TestDocument::captions()
{
    QStringList captions;
    for (store::ManagedObject* screenshot : screenshots())
        captions.append(screenshot->valueForKey("caption").toString());
    return captions;
}
