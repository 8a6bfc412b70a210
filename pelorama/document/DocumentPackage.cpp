#include "document/DocumentPackage.h"

#include "model/entities/DocumentModel.h"
#include "model/entities/Language.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/Translations.h"
#include "store/ManagedObjectContext.h"

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
    if (appkit::DocumentResult<> read = package->readFromPath(path, typeName()); !read)
        return foundation::Unexpected<appkit::DocumentError>(read.error());
    return package;
}

appkit::DocumentResult<> DocumentPackage::read(const QString& path, const QString& typeName)
{
    if (appkit::DocumentResult<> read = manageddocument::ManagedDocument::read(path, typeName); !read)
        return read;
    store::ManagedObjectContext& context = *managedObjectContext();
    // Counting the rows is enough for every store but a damaged one, whose repeated rows are no
    // languages of their own.
    const store::Result<qsizetype> rows = context.count(model::Language::fetchRequest());
    if (!rows || *rows <= model::TranslationsText::maximumCount)
        return {};
    const qsizetype languages = model::DocumentLanguages::of(context).codes.size();
    if (languages > model::TranslationsText::maximumCount)
        return appkit::documentFailure(QStringLiteral("It holds %1 languages; a document takes at most %2.")
                                           .arg(languages)
                                           .arg(model::TranslationsText::maximumCount));
    return {};
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
