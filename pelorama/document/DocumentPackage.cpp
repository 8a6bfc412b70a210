#include "document/DocumentPackage.h"

#include "model/entities/DocumentModel.h"

#include <QFileInfo>

namespace pelorama::document {

QString DocumentPackage::typeName()
{
    return QStringLiteral("com.quillory.pelorama.document");
}

QString DocumentPackage::extension()
{
    return QStringLiteral("pelorama");
}

DocumentPackage::DocumentPackage()
    : manageddocument::ManagedDocument(model::documentModel())
{}

appkit::DocumentResult<std::unique_ptr<DocumentPackage>> DocumentPackage::openForReading(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink())
        return appkit::documentFailure(QStringLiteral("No such document"));
    if (!file.isDir() || file.suffix().compare(extension(), Qt::CaseInsensitive) != 0)
        return appkit::documentFailure(QStringLiteral("not a Pelorama document"));
    auto package = std::make_unique<DocumentPackage>();
    package->m_readOnly = true;
    package->openStoresReadOnly();
    if (appkit::DocumentResult<> read = package->readFromPath(path, typeName()); !read)
        return foundation::Unexpected<appkit::DocumentError>(read.error());
    return package;
}

std::vector<manageddocument::PackageResource*> DocumentPackage::createResources()
{
    return {&m_metadata};
}

appkit::DocumentResult<> DocumentPackage::write(const QString& path, const QString& typeName,
                                                appkit::SaveOperation operation, const QString& previousPath)
{
    if (m_readOnly)
        return appkit::documentFailure(QStringLiteral("It was opened to be read only."));
    return manageddocument::ManagedDocument::write(path, typeName, operation, previousPath);
}

} // namespace pelorama::document
