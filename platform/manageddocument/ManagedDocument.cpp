#include "manageddocument/ManagedDocument.h"

#include "foundation/Diagnostics.h"
#include "foundation/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace manageddocument {

const std::vector<PackageResource*>& ManagedDocument::resources()
{
    if (!m_resources)
        m_resources = createResources();
    return *m_resources;
}

std::vector<PackageResource*> ManagedDocument::createResources()
{
    return {};
}

appkit::DocumentResult<> ManagedDocument::readResource(PackageResource& resource, const QString& packagePath)
{
    if (!QFileInfo(packagePath).isDir()) {
        resource.reset();
        return {};
    }
    const QString path = QDir(packagePath).filePath(resource.filename());
    const QFileInfo file(path);
    if (file.isSymLink())
        return appkit::documentFailure("The file “" + path +
                                       "” is a link, and a document package may not hold links.");
    if (!file.exists()) {
        resource.reset();
        return {};
    }
    const qint64 maximum = resource.maximumFileSize();
    const auto bytes = foundation::RegularFile::readAll(path, maximum);
    if (!bytes && bytes.error().code() == foundation::RegularFileError::Code::tooLarge) {
        const QLocale locale = QLocale::c();
        return appkit::documentFailure("The file “" + path + "” could not be read. It is " +
                                       locale.formattedDataSize(bytes.error().size()) + ", more than the " +
                                       locale.formattedDataSize(maximum) + " such a file may hold.");
    }
    if (!bytes) {
        foundation::warning("resource was modified during reading!");
        resource.reset();
        return {};
    }
    if (appkit::DocumentResult<> loaded = resource.load(*bytes); !loaded)
        return appkit::documentFailure("The file “" + path + "” could not be read. " +
                                       loaded.error().message());
    return {};
}

appkit::DocumentResult<> ManagedDocument::writeResource(const PackageResource& resource,
                                                        PackageContents& contents)
{
    contents.removeFile(resource.filename());
    appkit::DocumentResult<QByteArray> bytes = resource.save();
    if (!bytes)
        return appkit::documentFailure("The file “" + resource.filename() + "” could not be made. " +
                                       bytes.error().message());
    contents.setFile(resource.filename(), *bytes);
    return {};
}

appkit::DocumentResult<> ManagedDocument::readAdditionalContent(const QString& packagePath)
{
    for (PackageResource* resource : resources()) {
        if (appkit::DocumentResult<> read = readResource(*resource, packagePath); !read)
            return read;
    }
    return {};
}

appkit::DocumentResult<PackageContents> ManagedDocument::additionalContent(const QString&,
                                                                           appkit::SaveOperation)
{
    PackageContents contents;
    for (const PackageResource* resource : resources()) {
        if (appkit::DocumentResult<> written = writeResource(*resource, contents); !written)
            return foundation::Unexpected<appkit::DocumentError>(written.error());
    }
    return contents;
}

} // namespace manageddocument
