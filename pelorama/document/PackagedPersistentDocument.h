#pragma once

#include "manageddocument/PackageContents.h"
#include "manageddocument/PackageResource.h"
#include "manageddocument/PersistentDocument.h"

#include <optional>
#include <vector>

namespace pelorama::document {

// A persistent document kept as a package of its own making: a folder holding the store as the file
// "Database" and one file per package resource beside it. The store follows the document when its
// place changes; reverting removes the store before the document is read again. A package holding a
// link, a named pipe, a socket or a device anywhere inside is refused.
//
// Resource files are written each through a temporary file and a rename, and the live store file is
// never copied or replaced. Save As builds the whole new package beside its destination (the store
// migrated into it, the resources, the unsaved changes) and moves it into place in one step.
class PackagedPersistentDocument : public manageddocument::PersistentDocument
{
    Q_OBJECT
    Q_PROPERTY(QString storeFilename READ storeFilename CONSTANT)

public:
    explicit PackagedPersistentDocument(std::shared_ptr<const store::ManagedObjectModel> model,
                                        QObject* parent = nullptr);

    // The name of the store file inside the package.
    QString storeFilename() const { return QStringLiteral("Database"); }
    // packagePath with storeFilename appended, whether or not anything is there.
    QString storePathFor(const QString& packagePath) const;

    bool autosavesInPlace() const override { return true; }
    // Moves the store's path into the package at its new place, then takes the new place.
    void setFilePath(const QString& path) override;

    // The package resources, empty until a subclass adds to them; kept alive by the document.
    std::vector<manageddocument::PackageResource*>& resources();

protected:
    appkit::DocumentResult<> read(const QString& path, const QString& typeName) override;
    appkit::DocumentResult<> write(const QString& path, const QString& typeName,
                                   appkit::SaveOperation operation, const QString& previousPath) override;
    appkit::DocumentResult<> revert(const QString& path, const QString& typeName) override;

    // Reads every resource from the package at packagePath; stops at the first failure.
    appkit::DocumentResult<> readResources(const QString& packagePath);
    // Puts every resource into contents without writing anything; stops at the first failure.
    appkit::DocumentResult<> updateContents(manageddocument::PackageContents& contents);

private:
    appkit::DocumentResult<> saveToNewPackage(const QString& path, const QString& typeName,
                                              const manageddocument::PackageContents& contents,
                                              const QString& previousPath);

    std::optional<std::vector<manageddocument::PackageResource*>> m_resources;
};

} // namespace pelorama::document
