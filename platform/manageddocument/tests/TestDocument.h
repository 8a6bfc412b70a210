#pragma once

#include "manageddocument/ManagedDocument.h"
#include "manageddocument/PropertyListResource.h"

#include <QList>
#include <memory>

namespace store {
class ManagedObject;
class ManagedObjectModel;
} // namespace store

// A document shaped like the application's: screenshots with a caption and an order, each with an asset
// holding picture bytes, and the "Metadata" property list.
class TestDocument : public manageddocument::ManagedDocument
{
    Q_OBJECT

public:
    static const QString typeName;
    static const QString appVersion;
    static std::shared_ptr<const store::ManagedObjectModel> model();
    // Another model whose stores this document cannot open.
    static std::shared_ptr<const store::ManagedObjectModel> otherModel();
    static appkit::DocumentType documentType();

    TestDocument();

    manageddocument::PropertyListResource& metadata() { return m_metadata; }

    // Sets "FileVersion" 1 and "AppVersion" appVersion, with an empty undo stack.
    void initializeNewDocument(const QString& type) override;

    store::ManagedObject* addScreenshot(const QString& caption, double order, const QByteArray& picture = {});
    // Ordered by "order"; fatal when the fetch fails.
    QList<store::ManagedObject*> screenshots();
    QStringList captions();

protected:
    std::vector<manageddocument::PackageResource*> createResources() override { return {&m_metadata}; }

private:
    manageddocument::PropertyListResource m_metadata{"Metadata"};
};
