#pragma once

#include "manageddocument/PackageDocument.h"
#include "manageddocument/PackageResource.h"

#include <optional>
#include <vector>

namespace manageddocument {

// A package document with package resources: each extra file of the package is a PackageResource that
// knows its file name and how to turn itself into bytes and back. Every resource is read from the
// package when the document is read and written into it after the store, at every save, whatever the
// file holds by then.
class ManagedDocument : public PackageDocument
{
    Q_OBJECT

public:
    using PackageDocument::PackageDocument;

    // The document's resources, made by createResources() on first use and then kept.
    const std::vector<PackageResource*>& resources();

    // Reads resource from the package at packagePath. A package that is no folder, or has no file of
    // the resource's name, resets the resource; so does a name that is no regular file (a folder),
    // with a warning. A link, a file larger than the resource's maximumFileSize (refused before it is
    // read) and bytes the resource cannot load are errors that name the file.
    static appkit::DocumentResult<> readResource(PackageResource& resource, const QString& packagePath);
    // Puts the resource's bytes into contents, replacing a file of that name; nothing is written.
    static appkit::DocumentResult<> writeResource(const PackageResource& resource, PackageContents& contents);

protected:
    // The resources the document starts with; none here. The document keeps them alive: the list only
    // refers to them.
    virtual std::vector<PackageResource*> createResources();

    appkit::DocumentResult<> readAdditionalContent(const QString& packagePath) override;
    appkit::DocumentResult<PackageContents> additionalContent(const QString& packagePath,
                                                              appkit::SaveOperation operation) override;

private:
    std::optional<std::vector<PackageResource*>> m_resources;
};

} // namespace manageddocument
