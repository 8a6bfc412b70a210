#include "app/languages/LanguageChoice.h"

#include "app/Document.h"
#include "model/entities/Language.h"
#include "model/selection/DocumentSelection.h"
#include "store/ManagedObjectContext.h"
#include "store/ObjectChanges.h"

#include <QUndoStack>
#include <algorithm>

namespace pelorama::app {

namespace {

bool changesLanguages(const store::ObjectChanges& changes)
{
    const auto isLanguage = [](store::ManagedObject* object) {
        return dynamic_cast<model::Language*>(object) != nullptr;
    };
    return std::any_of(changes.inserted.begin(), changes.inserted.end(), isLanguage) ||
           std::any_of(changes.updated.begin(), changes.updated.end(), isLanguage) ||
           std::any_of(changes.deleted.begin(), changes.deleted.end(), isLanguage);
}

} // namespace

LanguageChoice::LanguageChoice(Document& document, QObject* parent)
    : QObject(parent)
    , m_document(&document)
{
    if (store::ManagedObjectContext* context = document.managedObjectContext()) {
        connect(context, &store::ManagedObjectContext::objectsDidChange, this,
                [this](const store::ObjectChanges& changes) {
                    if (changesLanguages(changes))
                        refresh();
                });
    }
    connect(&document.selection(), &model::DocumentSelection::languageChanged, this,
            &LanguageChoice::currentChanged);
    connect(document.undoStack(), &QUndoStack::indexChanged, this, &LanguageChoice::refresh);
    connect(&document, &appkit::Document::reverted, this, &LanguageChoice::refresh);
    refresh();
}

QString LanguageChoice::current() const
{
    const QString shown = m_document ? m_document->selection().language() : QString();
    return shown.isEmpty() ? m_languages.base : shown;
}

void LanguageChoice::choose(const QString& code)
{
    if (!m_document || !m_languages.contains(code))
        return;
    const QString shown = code == m_languages.base ? QString() : code;
    if (shown != m_document->selection().language())
        m_document->selection().setLanguage(shown);
}

void LanguageChoice::refresh()
{
    store::ManagedObjectContext* context = m_document ? m_document->managedObjectContext() : nullptr;
    if (!context)
        return;
    model::DocumentLanguages languages = model::DocumentLanguages::of(*context);
    const bool changed = languages != m_languages;
    m_languages = std::move(languages);
    model::DocumentSelection& selection = m_document->selection();
    if (const QString shown = selection.language();
        !shown.isEmpty() && (!m_languages.contains(shown) || shown == m_languages.base))
        selection.setLanguage({});
    if (changed)
        emit languagesChanged();
}

} // namespace pelorama::app
