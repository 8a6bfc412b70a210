#include "document/TranslationFiles.h"

#include "document/ExportFileWriter.h"
#include "document/PoFile.h"
#include "foundation/RegularFile.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/LanguageEditing.h"
#include "model/languages/Translations.h"
#include "store/ManagedObjectContext.h"
#include "store/ScopedUndoGroup.h"
#include "tessaline/Shared/MarkupParser.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <cerrno>

namespace pelorama::document::TranslationFiles {

namespace {

using foundation::Unexpected;

struct Caption
{
    model::TextRect* caption;
    QString screenshotName;
    QString context;
};

// The captions placed on the screenshots, in screenshot and drawing order.
foundation::Expected<QList<Caption>, QString> captionsOf(store::ManagedObjectContext& context)
{
    const auto found = context.execute(model::Screenshot::fetchRequest());
    if (!found)
        return Unexpected(QStringLiteral("The document could not be read: %1").arg(found.error().message()));
    QList<model::Screenshot*> screenshots;
    for (store::ManagedObject* object : *found) {
        if (auto* screenshot = dynamic_cast<model::Screenshot*>(object))
            screenshots.append(screenshot);
    }
    std::stable_sort(
        screenshots.begin(), screenshots.end(),
        [](const model::Screenshot* a, const model::Screenshot* b) { return a->order() < b->order(); });
    QList<Caption> captions;
    for (model::Screenshot* screenshot : screenshots) {
        for (model::DrawableMapping* mapping : screenshot->drawableMappings()) {
            if (auto* caption = dynamic_cast<model::TextRect*>(mapping->drawable()))
                captions.append(
                    {caption, screenshot->name(), screenshot->name() + u'/' + caption->uniqueIdentifier()});
        }
    }
    return captions;
}

// The caption an entry's context names: its part after the last "/".
QString identifierOf(const QString& context)
{
    return context.mid(context.lastIndexOf(u'/') + 1);
}

// How often each markup delimiter stands as typed in what text shows: the spans its markup leaves open.
QList<qsizetype> openDelimiters(const QString& text)
{
    static const char* const delimiters[] = {"**", "//", "__", "~~", "`", "{#", "{bg#", "{k", "{font:"};
    const QString shown = tessaline::MarkupParser().parse(text).string();
    QList<qsizetype> counts;
    for (const char* delimiter : delimiters)
        counts.append(shown.count(QLatin1String(delimiter)));
    return counts;
}

// Why a caption cannot take translation, none when it can. Markup that the base text leaves as typed
// (a lone "//" of an address, say) may stand in the translation too.
std::optional<QString> refusal(const QString& translation, const QString& base)
{
    if (translation.size() > model::TextRect::maximumTextLength)
        return QStringLiteral("longer than %1 characters").arg(model::TextRect::maximumTextLength);
    const QList<qsizetype> open = openDelimiters(translation);
    const QList<qsizetype> openInBase = openDelimiters(base);
    for (qsizetype i = 0; i < open.size(); ++i) {
        if (open[i] > openInBase[i])
            return QStringLiteral("its markup does not parse");
    }
    return std::nullopt;
}

struct Catalog
{
    QString language;
    PoFile po;
};

foundation::Expected<Catalog, PoError> readCatalog(const QString& path,
                                                   const model::DocumentLanguages& languages)
{
    const QFileInfo info(path);
    const auto failure = [&](int line, const QString& message) {
        return Unexpected(PoError{info.fileName(), line, message});
    };
    const auto bytes = foundation::RegularFile::readAll(path, PoFile::maximumFileSize);
    if (!bytes) {
        switch (bytes.error().code()) {
        case foundation::RegularFileError::Code::notRegularFile:
            return failure(0, QStringLiteral("This is a folder or a special file, not a translation file."));
        case foundation::RegularFileError::Code::tooLarge:
            return failure(
                0, QStringLiteral("The file is larger than %1 MB, more than a translation file holds.")
                       .arg(PoFile::maximumFileSize >> 20));
        case foundation::RegularFileError::Code::unreadable:
            break;
        }
        return failure(0, bytes.error().systemError() == ENOENT ? QStringLiteral("There is no such file.")
                                                                : bytes.error().message());
    }
    auto po = PoFile::read(*bytes);
    if (!po)
        return failure(po.error().line, po.error().message);

    std::optional<QString> language = model::LanguageCode::canonical(po->language);
    // A file name is taken for a language only where it names one that the system knows: any word of
    // up to eight letters makes a code.
    if (po->language.isEmpty()) {
        language = model::LanguageCode::canonical(info.completeBaseName());
        if (language && QLocale(*language).language() <= QLocale::C)
            language.reset();
    }
    if (!language)
        return failure(0,
                       po->language.isEmpty()
                           ? QStringLiteral("The file names no language, and its name is no language code.")
                           : QStringLiteral("Its language “%1” is no language code.").arg(po->language));
    if (*language == languages.base)
        return failure(0, QStringLiteral("Its language %1 is the document’s base language, which is not "
                                         "translated.")
                              .arg(*language));
    return Catalog{*language, std::move(*po)};
}

// At most this many names in one list of an alert.
constexpr qsizetype listedNames = 10;

QString listed(const QString& heading, const QStringList& names)
{
    QStringList lines{heading};
    for (qsizetype i = 0; i < std::min(names.size(), listedNames); ++i)
        lines.append(names[i]);
    if (names.size() > listedNames)
        lines.append(QStringLiteral("and %1 more").arg(names.size() - listedNames));
    return lines.join(u'\n');
}

} // namespace

ExportReport exportCatalogs(store::ManagedObjectContext& context, const QString& folder,
                            const QString& documentName)
{
    ExportReport report;
    const model::DocumentLanguages languages = model::DocumentLanguages::of(context);
    const auto captions = captionsOf(context);
    for (const QString& language : languages.translations()) {
        const QString fileName = language + QStringLiteral(".po");
        if (!captions) {
            report.failures.append({fileName, captions.error()});
            continue;
        }
        PoFile po{language, documentName, {}};
        for (const Caption& caption : *captions) {
            const QString text = caption.caption->text();
            if (!text.isEmpty())
                po.entries.append({caption.context, text, caption.caption->translations().value(language),
                                   caption.screenshotName, false});
        }
        const auto bytes = po.write();
        if (!bytes) {
            report.failures.append({fileName, bytes.error().text()});
            continue;
        }
        auto staged = ExportFileWriter::stage(QDir(folder).filePath(fileName), *bytes);
        std::optional<QString> failed = staged ? staged->putInPlace() : staged.error();
        if (failed)
            report.failures.append({fileName, *failed});
    }
    return report;
}

foundation::Expected<ImportResult, PoError> importCatalogs(store::ManagedObjectContext& context,
                                                           const QStringList& paths)
{
    const model::DocumentLanguages languages = model::DocumentLanguages::of(context);
    QList<Catalog> catalogs;
    for (const QString& path : paths) {
        auto catalog = readCatalog(path, languages);
        if (!catalog)
            return Unexpected(catalog.error());
        catalogs.append(std::move(*catalog));
    }
    const auto captions = captionsOf(context);
    if (!captions)
        return Unexpected(PoError{{}, 0, captions.error()});
    QHash<QString, model::TextRect*> byIdentifier;
    for (const Caption& caption : *captions)
        byIdentifier.insert(caption.caption->uniqueIdentifier(), caption.caption);

    ImportResult result;
    QHash<model::TextRect*, model::Translations> changed;
    for (const Catalog& catalog : catalogs) {
        if (!languages.contains(catalog.language) && !result.addedLanguages.contains(catalog.language))
            result.addedLanguages.append(catalog.language);
        for (const PoFile::Entry& entry : catalog.po.entries) {
            if (entry.translation.isEmpty())
                continue;
            model::TextRect* caption = byIdentifier.value(identifierOf(entry.context));
            if (!caption) {
                result.missingCaptions.append(entry.context);
            } else if (entry.fuzzy) {
                result.fuzzyEntries.append(entry.context);
            } else if (const std::optional<QString> reason = refusal(entry.translation, caption->text())) {
                result.refused.append({entry.context, *reason});
            } else {
                auto translations = changed.find(caption);
                if (translations == changed.end())
                    translations = changed.insert(caption, caption->translations());
                translations->insert(catalog.language, entry.translation);
                ++result.translatedCount;
            }
        }
    }
    if (languages.codes.size() + result.addedLanguages.size() > model::TranslationsText::maximumCount)
        return Unexpected(PoError{{},
                                  0,
                                  QStringLiteral("A document takes at most %1 languages.")
                                      .arg(model::TranslationsText::maximumCount)});

    const store::ScopedUndoGroup step(context);
    for (const QString& language : result.addedLanguages) {
        if (const model::LanguageEditing::Outcome added =
                model::LanguageEditing::addLanguage(context, language);
            !added)
            return Unexpected(PoError{{}, 0, added.error()});
    }
    for (auto caption = changed.begin(); caption != changed.end(); ++caption) {
        if (caption.value() != caption.key()->translations())
            caption.key()->setTranslations(caption.value());
    }
    return result;
}

std::optional<ActionAlert> importAlert(const ImportResult& result)
{
    QStringList parts;
    if (!result.missingCaptions.isEmpty())
        parts.append(listed(QStringLiteral("No caption of the document has these entries’ context any more:"),
                            result.missingCaptions));
    if (!result.fuzzyEntries.isEmpty())
        parts.append(listed(QStringLiteral("These entries are marked fuzzy, to be checked first:"),
                            result.fuzzyEntries));
    if (!result.refused.isEmpty()) {
        QStringList refused;
        for (const SkippedEntry& entry : result.refused)
            refused.append(QStringLiteral("%1: %2").arg(entry.context, entry.reason));
        parts.append(listed(QStringLiteral("The captions cannot take these translations:"), refused));
    }
    if (parts.isEmpty())
        return std::nullopt;
    return ActionAlert{QStringLiteral("Some translations were not imported."),
                       parts.join(QStringLiteral("\n\n"))};
}

} // namespace pelorama::document::TranslationFiles
