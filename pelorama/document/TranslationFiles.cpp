#include "document/TranslationFiles.h"

#include "document/ExportFileWriter.h"
#include "document/PoFile.h"
#include "foundation/RegularFile.h"
#include "model/entities/CaptionText.h"
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

// A caption as the user knows it: its screenshot's name and the first words of what it shows.
QString captionName(const QString& screenshotName, const QString& text)
{
    constexpr qsizetype shownLength = 40;
    QString shown = tessaline::MarkupParser().parse(text).string();
    for (QChar& character : shown) {
        if (character.unicode() < 0x20)
            character = u' ';
    }
    shown = shown.simplified();
    if (shown.size() > shownLength)
        shown = shown.left(shownLength - 1).trimmed() + u'…';
    const QString quoted = QStringLiteral("“%1”").arg(shown);
    return screenshotName.isEmpty() ? quoted : screenshotName + QStringLiteral(": ") + quoted;
}

QString captionName(const Caption& caption)
{
    return captionName(caption.screenshotName, caption.caption->text());
}

// The caption an entry stands for, named by what the entry holds: the screenshot's name as it was
// exported, and the base text.
QString entryName(const PoFile::Entry& entry)
{
    const qsizetype slash = entry.context.lastIndexOf(u'/');
    return captionName(slash < 0 ? QString() : entry.context.left(slash), entry.source);
}

struct Catalog
{
    QString fileName;
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
    return Catalog{info.fileName(), *language, std::move(*po)};
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
                            const QString& documentName, const QDateTime& revised)
{
    ExportReport report;
    const model::DocumentLanguages languages = model::DocumentLanguages::of(context);
    const auto captions = captionsOf(context);
    // The captions whose base text goes out; a translation that cannot come back stays home too.
    QList<const Caption*> exported;
    if (captions) {
        for (const Caption& caption : *captions) {
            const QString text = caption.caption->text();
            if (text.isEmpty())
                continue;
            if (const std::optional<QString> problem = model::CaptionText::problem(text))
                report.leftOut.append(captionName(caption) + QStringLiteral(": ") + *problem);
            else
                exported.append(&caption);
        }
    }
    for (const QString& language : languages.translations()) {
        const QString fileName = language + QStringLiteral(".po");
        if (!captions) {
            report.failures.append({fileName, captions.error()});
            continue;
        }
        PoFile po{language, documentName, PoFile::dateText(revised), {}};
        for (const Caption* caption : exported) {
            const QString text = caption->caption->text();
            QString translation = caption->caption->translations().value(language);
            if (const std::optional<QString> problem =
                    translation.isEmpty() ? std::nullopt
                                          : model::CaptionText::translationProblem(translation, text)) {
                report.leftOut.append(
                    QStringLiteral("%1 in %2: %3").arg(captionName(*caption), language, *problem));
                translation.clear();
            }
            po.entries.append({caption->context, text, translation, caption->screenshotName, false, false});
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

std::optional<ActionAlert> exportAlert(const ExportReport& report)
{
    QStringList parts;
    if (!report.failures.isEmpty()) {
        QStringList files;
        for (const ExportFailure& failure : report.failures)
            files.append(QStringLiteral("“%1”: %2").arg(failure.fileName, failure.reason));
        parts.append(listed(QStringLiteral("These files could not be written:"), files));
    }
    if (!report.leftOut.isEmpty())
        parts.append(listed(QStringLiteral("These texts were left out, since a caption cannot hold them:"),
                            report.leftOut));
    if (parts.isEmpty())
        return std::nullopt;
    return ActionAlert{report.failures.isEmpty() ? QStringLiteral("Some texts were not exported.")
                                                 : QStringLiteral("Export failed"),
                       parts.join(QStringLiteral("\n\n"))};
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
    QHash<QString, const Caption*> byIdentifier;
    for (const Caption& caption : *captions)
        byIdentifier.insert(caption.caption->uniqueIdentifier(), &caption);

    ImportResult result;
    QHash<model::TextRect*, model::Translations> changed;
    for (const Catalog& catalog : catalogs) {
        int taken = 0;
        for (const PoFile::Entry& entry : catalog.po.entries) {
            if (entry.translation.isEmpty())
                continue;
            const Caption* caption =
                entry.context.isEmpty() ? nullptr : byIdentifier.value(identifierOf(entry.context));
            const QString name = caption ? captionName(*caption) : entryName(entry);
            if (entry.plural) {
                result.pluralEntries.append(name);
            } else if (entry.context.isEmpty()) {
                ++result.entriesWithoutContext;
            } else if (!caption) {
                result.missingCaptions.append(name);
            } else if (entry.fuzzy) {
                result.fuzzyEntries.append(name);
            } else if (const std::optional<QString> reason = model::CaptionText::translationProblem(
                           entry.translation, caption->caption->text())) {
                result.refused.append({name, *reason});
            } else {
                auto translations = changed.find(caption->caption);
                if (translations == changed.end())
                    translations = changed.insert(caption->caption, caption->caption->translations());
                translations->insert(catalog.language, entry.translation);
                ++taken;
            }
        }
        result.translatedCount += taken;
        const bool isNew = !languages.contains(catalog.language);
        if (taken == 0)
            result.filesWithoutEffect.append({catalog.fileName, catalog.language, isNew});
        else if (isNew && !result.addedLanguages.contains(catalog.language))
            result.addedLanguages.append(catalog.language);
    }
    // Another file of the same language may have brought what one did not.
    for (FileWithoutEffect& file : result.filesWithoutEffect)
        file.languageNotAdded = file.languageNotAdded && !result.addedLanguages.contains(file.language);
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
    for (const FileWithoutEffect& file : result.filesWithoutEffect) {
        parts.append(file.languageNotAdded
                         ? QStringLiteral("No entry of “%1” was taken, so its language %2 was not added.")
                               .arg(file.fileName, file.language)
                         : QStringLiteral("No entry of “%1” was taken.").arg(file.fileName));
    }
    if (result.entriesWithoutContext > 0)
        parts.append(
            result.entriesWithoutContext == 1
                ? QStringLiteral("1 entry without a context, which cannot be matched to a caption.")
                : QStringLiteral("%1 entries without a context, which cannot be matched to a caption.")
                      .arg(result.entriesWithoutContext));
    if (!result.missingCaptions.isEmpty())
        parts.append(listed(QStringLiteral("These entries’ captions are no longer in the document:"),
                            result.missingCaptions));
    if (!result.pluralEntries.isEmpty())
        parts.append(listed(QStringLiteral("These entries have plural forms, which a caption does not have:"),
                            result.pluralEntries));
    if (!result.fuzzyEntries.isEmpty())
        parts.append(listed(QStringLiteral("These entries are marked fuzzy, to be checked first:"),
                            result.fuzzyEntries));
    if (!result.refused.isEmpty()) {
        QStringList refused;
        for (const SkippedEntry& entry : result.refused)
            refused.append(QStringLiteral("%1: %2").arg(entry.caption, entry.reason));
        parts.append(listed(QStringLiteral("The captions cannot take these translations:"), refused));
    }
    if (parts.isEmpty())
        return std::nullopt;
    return ActionAlert{QStringLiteral("Some translations were not imported."),
                       parts.join(QStringLiteral("\n\n"))};
}

} // namespace pelorama::document::TranslationFiles
