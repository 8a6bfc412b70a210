#include "document/DocumentPackage.h"

#include "model/entities/DocumentModel.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Language.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/Translations.h"
#include "store/EntityDescription.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"
#include "store/PersistentStoreCoordinator.h"

#include <QFileInfo>

namespace pelorama::document {

namespace {

// A caption's translations are one stored text holding all of them, each bounded on its own. Past this
// length (far beyond every language's text at its longest, escaped), the whole is refused unread.
constexpr qint64 maximumTranslationsLength = qint64(32) << 20;

QString characters(qint64 count)
{
    return QString::number(count) + " characters";
}

// Where a text that is too long lies, for the user: the caption of the screenshot that shows it, or the
// screenshot's own name.
QString placeOfText(store::ManagedObjectContext& context, const store::EntityDescription& entity,
                    const QString& attribute, const store::ManagedObjectID& id)
{
    const QString& entityName = entity.name();
    if (entityName == model::entityName<model::Screenshot>())
        return "The name of a screenshot";
    if (entityName != model::entityName<model::TextRect>())
        return "A text of the document (" + attribute + " of a " + entityName + ")";
    const QString what = attribute == model::TextRect::translationsAttribute.key()
                             ? "A translation of the caption"
                             : "The caption";
    auto* caption = dynamic_cast<model::TextRect*>(context.objectWithID(id));
    const auto mappings = caption
                              ? context.execute(store::FetchRequest(
                                    model::entityName<model::DrawableMapping>(),
                                    store::Predicate::equal(model::DrawableMapping::identifierAttribute.key(),
                                                            caption->uniqueIdentifier())))
                              : store::Result<QList<store::ManagedObject*>>(QList<store::ManagedObject*>());
    if (mappings) {
        for (store::ManagedObject* object : *mappings) {
            const auto* mapping = dynamic_cast<model::DrawableMapping*>(object);
            if (const model::Screenshot* screenshot = mapping ? mapping->screenshot() : nullptr)
                return what + " of the screenshot “" + screenshot->name() + "”";
        }
    }
    return what + " on no screenshot";
}

} // namespace

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

appkit::DocumentResult<> DocumentPackage::readAdditionalContent(const QString& packagePath)
{
    if (appkit::DocumentResult<> bounded = refuseOverlongTexts(); !bounded)
        return bounded;
    return manageddocument::ManagedDocument::readAdditionalContent(packagePath);
}

appkit::DocumentResult<> DocumentPackage::refuseOverlongTexts()
{
    store::PersistentStoreCoordinator& coordinator = persistentStoreCoordinator();
    store::ManagedObjectContext& context = *managedObjectContext();
    const QString translations = model::TextRect::translationsAttribute.key();
    const auto refusal = [&](const store::EntityDescription& entity, const QString& attribute,
                             const store::ManagedObjectID& id) {
        return appkit::documentFailure(placeOfText(context, entity, attribute, id) + " is longer than the " +
                                       characters(maximumStoredTextLength) + " a text may have.");
    };
    for (const store::EntityDescription* entity : managedObjectModel().entities()) {
        const bool hasTranslations = entity->name() == model::entityName<model::TextRect>();
        QHash<QString, qint64> bounds;
        for (const store::AttributeDescription& attribute : entity->attributes()) {
            if (attribute.type == store::AttributeType::string && !attribute.isTransient)
                bounds.insert(attribute.name, maximumStoredTextLength);
        }
        if (hasTranslations)
            bounds.insert(translations, maximumTranslationsLength);
        const auto longest = coordinator.objectsWithTextsLongerThan(*entity, bounds);
        if (!longest)
            return appkit::documentFailure(longest.error().message());
        if (!longest->isEmpty())
            return refusal(*entity, longest->first().second, longest->first().first);
        if (!hasTranslations)
            continue;
        // Long enough to hold a translation that is too long: each is looked at.
        const auto longer =
            coordinator.objectsWithTextsLongerThan(*entity, {{translations, maximumStoredTextLength}});
        if (!longer)
            return appkit::documentFailure(longer.error().message());
        for (const auto& [id, attribute] : *longer) {
            const auto* caption = dynamic_cast<model::TextRect*>(context.objectWithID(id));
            if (!caption)
                continue;
            for (const QString& text : caption->translations()) {
                if (qint64(text.toUcs4().size()) > maximumStoredTextLength)
                    return refusal(*entity, attribute, id);
            }
        }
    }
    return {};
}

appkit::DocumentResult<> DocumentPackage::write(const QString& path, const QString& typeName,
                                                appkit::SaveOperation operation, const QString& previousPath)
{
    if (m_readOnly)
        return appkit::documentFailure(QStringLiteral("It was opened to be read only."));
    return manageddocument::ManagedDocument::write(path, typeName, operation, previousPath);
}

} // namespace pelorama::document
