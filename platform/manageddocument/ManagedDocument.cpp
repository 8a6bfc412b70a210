#include "manageddocument/ManagedDocument.h"

#include "foundation/Diagnostics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    if (!file.exists() && !file.isSymLink()) {
        resource.reset();
        return {};
    }
    QFile reader(path);
    if (file.isSymLink() || !file.isFile() || !reader.open(QIODevice::ReadOnly)) {
        foundation::warning("resource was modified during reading!");
        resource.reset();
        return {};
    }
    const QByteArray bytes = reader.readAll();
    if (reader.error() != QFileDevice::NoError) {
        foundation::warning("resource was modified during reading!");
        resource.reset();
        return {};
    }
    if (appkit::DocumentResult<> loaded = resource.load(bytes); !loaded)
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

appkit::DocumentResult<> ManagedDocument::writeAdditionalContent(const PackageContents& content,
                                                                 const QString& packagePath,
                                                                 const QString& previousContentsPath)
{
    if (packagePath != m_writtenPackagePath) {
        m_writtenPackagePath = packagePath;
        m_written = PackageContents();
    }
    PackageContents changed = content;
    for (const QString& filename : content.filenames()) {
        const QFileInfo file(QDir(packagePath).filePath(filename));
        if (m_written.containsFile(filename) && m_written.file(filename) == content.file(filename) &&
            file.isFile() && !file.isSymLink())
            changed.removeFile(filename);
    }
    if (appkit::DocumentResult<> written =
            PackageDocument::writeAdditionalContent(changed, packagePath, previousContentsPath);
        !written) {
        m_written = PackageContents();
        return written;
    }
    for (const QString& filename : changed.filenames())
        m_written.setFile(filename, changed.file(filename));
    return {};
}

} // namespace manageddocument
