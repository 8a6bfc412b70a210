#include "app/window/UndoSteps.h"

#include "model/attributes/AttributeTable.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/ImageLoadable.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/Translations.h"
#include "store/ManagedObjectContext.h"
#include "store/UndoGroupCommand.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <optional>

namespace pelorama::app::UndoSteps {

namespace {

const QString screenshotEntity = QStringLiteral("Screenshot");
const QString captionEntity = QStringLiteral("TextRect");
const QString languageEntity = QStringLiteral("Language");

// "Blur radius" as a menu item's words are: "Blur Radius".
QString titleCased(const QString& label)
{
    QStringList words = label.split(u' ', Qt::SkipEmptyParts);
    for (QString& word : words)
        word[0] = word[0].toUpper();
    return words.join(u' ');
}

// The objects the step brings into the document or takes out of it: their values are part of that.
QSet<store::ManagedObjectID> wholeObjects(const std::vector<store::UndoEntry>& entries)
{
    QSet<store::ManagedObjectID> whole;
    for (const store::UndoEntry& entry : entries) {
        if (entry.kind != store::UndoEntry::Kind::value)
            whole.insert(entry.id);
    }
    return whole;
}

QString countedScreenshots(const QString& verb, int count)
{
    return count == 1 ? QStringLiteral("%1 Screenshot").arg(verb)
                      : QStringLiteral("%1 Screenshots").arg(verb);
}

QString toldName(const std::vector<store::UndoEntry>& entries)
{
    int inserted = 0;
    int deleted = 0;
    for (const store::UndoEntry& entry : entries) {
        if (entry.id.entityName() == languageEntity)
            return QStringLiteral("Change Languages");
        if (entry.kind != store::UndoEntry::Kind::value && entry.id.entityName() == screenshotEntity)
            ++(entry.kind == store::UndoEntry::Kind::insertion ? inserted : deleted);
    }
    if (inserted > 0 && deleted == 0)
        return countedScreenshots(QStringLiteral("Add"), inserted);
    if (deleted > 0 && inserted == 0)
        return countedScreenshots(QStringLiteral("Delete"), deleted);

    const QSet<store::ManagedObjectID> whole = wholeObjects(entries);
    QSet<QString> keys;
    QString entityOfKey;
    for (const store::UndoEntry& entry : entries) {
        if (entry.kind != store::UndoEntry::Kind::value || whole.contains(entry.id))
            continue;
        const QString entity = entry.id.entityName();
        if (entity == captionEntity && (entry.key == model::TextRect::textAttribute.key() ||
                                        entry.key == model::TextRect::translationsAttribute.key()))
            return QStringLiteral("Edit Caption");
        if (entry.key == model::ImageLoadable::assetIdentifierAttribute.key())
            return QStringLiteral("Change Picture");
        keys.insert(entry.key);
        entityOfKey = entity;
    }
    if (keys.size() != 1)
        return QStringLiteral("Change");
    const QString key = *keys.begin();
    if (key == model::Screenshot::orderAttribute.key())
        return QStringLiteral("Reorder Screenshots");
    if (key == QLatin1String("rect") || key == QLatin1String("position"))
        return QStringLiteral("Move");
    if (key == model::Screenshot::nameAttribute.key() && entityOfKey == screenshotEntity)
        return QStringLiteral("Rename Screenshot");
    const model::AttributeTable* table = model::attributeTable(entityOfKey);
    const model::AttributeRow* row = table ? table->row(key) : nullptr;
    if (row && !row->inspector.empty() && !row->inspector.front().label.isEmpty())
        return QStringLiteral("Change %1").arg(titleCased(row->inspector.front().label));
    return QStringLiteral("Change");
}

} // namespace

QString name(const QUndoCommand* step)
{
    if (!step)
        return {};
    if (!step->text().isEmpty())
        return step->text();
    const auto* group = dynamic_cast<const store::UndoGroupCommand*>(step);
    return group ? toldName(group->entries()) : QStringLiteral("Change");
}

QStringList changedLanguages(const QUndoCommand* step, store::ManagedObjectContext& context,
                             const model::DocumentLanguages& languages)
{
    const auto* group = dynamic_cast<const store::UndoGroupCommand*>(step);
    if (!group)
        return {};
    const std::vector<store::UndoEntry>& entries = group->entries();
    // A step that changes the languages changes what each of them shows: the window's choice follows
    // the languages instead.
    if (std::any_of(entries.begin(), entries.end(),
                    [](const store::UndoEntry& entry) { return entry.id.entityName() == languageEntity; }))
        return {};
    const QSet<store::ManagedObjectID> whole = wholeObjects(entries);
    // Each caption's texts before and after the step: a value the step does not change is what the
    // caption holds.
    struct Texts
    {
        std::optional<QVariant> text[2];
        std::optional<QVariant> translations[2];
    };
    QHash<store::ManagedObjectID, Texts> captions;
    for (const store::UndoEntry& entry : entries) {
        if (entry.kind != store::UndoEntry::Kind::value || entry.id.entityName() != captionEntity ||
            whole.contains(entry.id))
            continue;
        Texts& texts = captions[entry.id];
        std::optional<QVariant>* values = entry.key == model::TextRect::textAttribute.key() ? texts.text
                                          : entry.key == model::TextRect::translationsAttribute.key()
                                              ? texts.translations
                                              : nullptr;
        if (!values)
            continue;
        if (!values[0])
            values[0] = entry.before;
        values[1] = entry.after;
    }
    QSet<QString> changed;
    for (auto caption = captions.cbegin(); caption != captions.cend(); ++caption) {
        const auto* object = dynamic_cast<const model::TextRect*>(context.objectWithID(caption.key()));
        if (!object)
            continue;
        const Texts& texts = caption.value();
        const auto shown = [&](int when, const QString& code) {
            const QString text = texts.text[when] ? texts.text[when]->toString() : object->text();
            const model::Translations translations =
                texts.translations[when] ? model::TranslationsText::read(*texts.translations[when])
                                         : object->translations();
            return code == languages.base ? text : translations.value(code, text);
        };
        for (const QString& code : languages.codes) {
            if (shown(0, code) != shown(1, code))
                changed.insert(code);
        }
    }
    QStringList ordered;
    for (const QString& code : languages.codes) {
        if (changed.contains(code))
            ordered.append(code);
    }
    return ordered;
}

} // namespace pelorama::app::UndoSteps
