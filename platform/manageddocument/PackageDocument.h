#pragma once

#include "manageddocument/PackageContents.h"
#include "manageddocument/PersistentDocument.h"

namespace manageddocument {

// A persistent document kept as a package: a folder holding the store at "StoreContent/persistentStore"
// and the additional content of subclasses beside it. It autosaves in place.
//
// Reading opens the store, then calls readAdditionalContent. A package holding a link, a named pipe, a
// socket or a device anywhere inside is refused, so that nothing the document reads or writes lies
// outside its folder and no open blocks. Links above the package (a linked home or documents folder) are
// followed: the package's path is resolved once, and everything inside is opened from there. Saving asks for
// additionalContent before anything is written, writes the store, then calls writeAdditionalContent with the
// package being written and the package's previous place.
//
// Saving in place writes the store through its own transaction and each additional file through a
// temporary file and a rename; the live store file is never copied or replaced under its connection.
// Save As builds the whole new package beside its destination (the store migrated into it, the
// additional files, then the unsaved changes saved into its store) and moves it into place in one step.
class PackageDocument : public PersistentDocument
{
    Q_OBJECT

public:
    using PersistentDocument::PersistentDocument;

    static QString persistentStorePath(const QString& packagePath);

    bool autosavesInPlace() const override { return true; }

protected:
    // After the store of the package at packagePath is open. A failure fails the read.
    virtual appkit::DocumentResult<> readAdditionalContent(const QString& packagePath);
    // The files to write beside the store; asked before anything is written, so a failure here leaves
    // the package as it was. The default has none.
    virtual appkit::DocumentResult<PackageContents> additionalContent(const QString& packagePath,
                                                                      appkit::SaveOperation operation);
    // After the store has been written into the package at packagePath. previousContentsPath is where
    // the document lived before (the same place when saving in place, empty when it was untitled).
    virtual appkit::DocumentResult<> writeAdditionalContent(const PackageContents& content,
                                                            const QString& packagePath,
                                                            const QString& previousContentsPath);

    appkit::DocumentResult<> read(const QString& path, const QString& typeName) override;
    appkit::DocumentResult<> write(const QString& path, const QString& typeName,
                                   appkit::SaveOperation operation, const QString& previousPath) override;
    // Drops the unsaved changes (the objects return to what the store holds) and reads the additional
    // content again.
    appkit::DocumentResult<> revert(const QString& path, const QString& typeName) override;

private:
    appkit::DocumentResult<> saveInPlace(const QString& path, const PackageContents& content);
    appkit::DocumentResult<> saveToNewPackage(const QString& path, const QString& typeName,
                                              const PackageContents& content, const QString& previousPath);
};

} // namespace manageddocument
