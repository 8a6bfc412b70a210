#include "app/LanguageCommands.h"

#include "app/AddLanguageDialog.h"
#include "app/Document.h"
#include "app/DocumentCommands.h"
#include "app/LanguageChoice.h"
#include "app/LanguageNames.h"
#include "app/RemoveLanguageDialog.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/LanguageEditing.h"

namespace pelorama::app {

namespace {

// Opens dialog on window as a sheet, gone once answered.
void openOn(QDialog& dialog)
{
    dialog.setAttribute(Qt::WA_DeleteOnClose);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.open();
}

} // namespace

LanguageCommands::LanguageCommands(Document& document, LanguageChoice& choice, QWidget& window)
    : QObject(&window)
    , m_document(document)
    , m_choice(choice)
    , m_window(window)
{}

AddLanguageDialog* LanguageCommands::addLanguageDialog() const
{
    return m_addDialog;
}

RemoveLanguageDialog* LanguageCommands::removeLanguageDialog() const
{
    return m_removeDialog;
}

void LanguageCommands::addLanguage()
{
    if (m_addDialog || !m_document.managedObjectContext())
        return;
    auto* dialog = new AddLanguageDialog(m_choice.languages().codes, &m_window);
    m_addDialog = dialog;
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const QString code = model::LanguageCode::canonical(dialog->chosenCode()).value_or(QString());
        store::ManagedObjectContext* context = m_document.managedObjectContext();
        if (code.isEmpty() || !context)
            return;
        if (const auto added = model::LanguageEditing::addLanguage(*context, code); !added) {
            DocumentCommands::runAlert({tr("The language could not be added."), added.error()}, &m_window);
            return;
        }
        m_choice.refresh();
        m_choice.choose(code);
    });
    openOn(*dialog);
}

void LanguageCommands::removeLanguage()
{
    const QStringList codes = m_choice.languages().translations();
    if (m_removeDialog || codes.isEmpty())
        return;
    const QStringList names = LanguageNames::menuNames(m_choice.languages().codes);
    QStringList shownNames;
    for (const QString& code : codes)
        shownNames.append(names.value(m_choice.languages().codes.indexOf(code)));
    auto* dialog = new RemoveLanguageDialog(codes, shownNames, m_choice.current(), &m_window);
    m_removeDialog = dialog;
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        store::ManagedObjectContext* context = m_document.managedObjectContext();
        if (!context)
            return;
        if (const auto removed = model::LanguageEditing::removeLanguage(*context, dialog->chosenCode());
            !removed) {
            DocumentCommands::runAlert({tr("The language could not be removed."), removed.error()},
                                       &m_window);
            return;
        }
        m_choice.refresh();
    });
    openOn(*dialog);
}

void LanguageCommands::setBaseLanguage()
{
    store::ManagedObjectContext* context = m_document.managedObjectContext();
    const QString code = m_choice.current();
    if (!context || code == m_choice.languages().base)
        return;
    if (const auto set = model::LanguageEditing::setBaseLanguage(*context, code); !set) {
        DocumentCommands::runAlert({tr("The base language could not be changed."), set.error()}, &m_window);
        return;
    }
    m_choice.refresh();
}

} // namespace pelorama::app
