#include "app/languages/LanguageCommands.h"

#include "app/ActionAlertBox.h"
#include "app/Document.h"
#include "app/export/ExportFolderPanel.h"
#include "app/languages/AddLanguageDialog.h"
#include "app/languages/LanguageChoice.h"
#include "app/languages/LanguageNames.h"
#include "app/languages/RemoveLanguageDialog.h"
#include "appkit/widgets/OpenPanel.h"
#include "document/TranslationFiles.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/LanguageEditing.h"
#include "store/ScopedUndoGroup.h"

#include <QMessageBox>
#include <QPushButton>
#include <optional>

namespace pelorama::app {

namespace {

// Opens dialog on window as a sheet, gone once answered.
void openOn(QDialog& dialog)
{
    dialog.setAttribute(Qt::WA_DeleteOnClose);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.open();
}

struct BaseLanguageQuestion
{
    QString question;
    QString explanation;
};

// What is asked before code becomes the base language where untranslated captions lack a text in it.
BaseLanguageQuestion baseLanguageQuestion(const QString& code, const QString& oldBase,
                                          const QStringList& codes, int untranslated)
{
    const QString name = LanguageNames::noteName(code, codes);
    const QString oldName = LanguageNames::noteName(oldBase, codes);
    const QString explanation =
        untranslated == 1
            ? LanguageCommands::tr(
                  "1 caption has no text in %1: until translated, it keeps its current text as base text.")
                  .arg(name)
            : LanguageCommands::tr(
                  "%1 captions have no text in %2: until translated, they keep their current text as base "
                  "text.")
                  .arg(untranslated)
                  .arg(name);
    return {LanguageCommands::tr("Make %1 the base language?").arg(name),
            explanation + u' ' +
                LanguageCommands::tr("The %1 texts are kept as %1 translations.").arg(oldName)};
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
            runActionAlert({tr("The language could not be added."), added.error()}, &m_window);
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
            runActionAlert({tr("The language could not be removed."), removed.error()}, &m_window);
            return;
        }
        m_choice.refresh();
    });
    openOn(*dialog);
}

QMessageBox* LanguageCommands::setBaseLanguageAlert() const
{
    return m_setBaseAlert;
}

void LanguageCommands::setBaseLanguage()
{
    store::ManagedObjectContext* context = m_document.managedObjectContext();
    const QString code = m_choice.current();
    if (!context || code == m_choice.languages().base || m_setBaseAlert)
        return;
    const auto set = [this, code] {
        store::ManagedObjectContext* context = m_document.managedObjectContext();
        if (!context)
            return;
        if (const auto set = model::LanguageEditing::setBaseLanguage(*context, code); !set) {
            runActionAlert({tr("The base language could not be changed."), set.error()}, &m_window);
            return;
        }
        m_choice.refresh();
    };
    const auto untranslated = model::LanguageEditing::captionsWithoutText(*context, code);
    if (!untranslated) {
        runActionAlert({tr("The base language could not be changed."), untranslated.error()}, &m_window);
        return;
    }
    if (*untranslated == 0) {
        set();
        return;
    }
    const BaseLanguageQuestion asked =
        baseLanguageQuestion(code, m_choice.languages().base, m_choice.languages().codes, *untranslated);
    auto* alert = new QMessageBox(&m_window);
    m_setBaseAlert = alert;
    alert->setIcon(QMessageBox::Question);
    alert->setWindowTitle(tr("Set as Base Language"));
    alert->setText(asked.question);
    alert->setInformativeText(asked.explanation);
    QPushButton* confirm = alert->addButton(tr("Set as &Base Language"), QMessageBox::AcceptRole);
    alert->addButton(QMessageBox::Cancel);
    alert->setDefaultButton(confirm);
    connect(alert, &QMessageBox::finished, this, [alert, confirm, set] {
        if (alert->clickedButton() == confirm)
            set();
    });
    openOn(*alert);
}

void LanguageCommands::exportForTranslation()
{
    if (!m_document.managedObjectContext() || !m_choice.languages().hasTranslations())
        return;
    appkit::OpenPanel* panel = makeExportFolderPanel(tr("Export Captions for Translation"));
    startInFolderFor(*panel, translationsFolderKind, m_document.filePath());
    panel->beginSheetModal(&m_window, [document = QPointer<Document>(&m_document),
                                       window = QPointer<QWidget>(&m_window),
                                       panel](appkit::OpenPanel::Response response) {
        panel->hide();
        const QUrl url = panel->url();
        store::ManagedObjectContext* context = document ? document->managedObjectContext() : nullptr;
        if (!context || response != appkit::OpenPanel::Response::ok || !url.isLocalFile())
            return;
        rememberFolderOf(translationsFolderKind, url.toLocalFile());
        const document::TranslationFiles::ExportReport report = document::TranslationFiles::exportCatalogs(
            *context, url.toLocalFile(), document->displayName(), QDateTime::currentDateTime());
        if (const std::optional<document::ActionAlert> alert =
                document::TranslationFiles::exportAlert(report))
            runActionAlert(*alert, window);
    });
}

void LanguageCommands::importTranslations()
{
    if (!m_document.managedObjectContext())
        return;
    auto* panel = new appkit::OpenPanel;
    panel->setWindowTitle(tr("Import Translations"));
    panel->setPrompt(tr("Import"));
    panel->setCanChooseFiles(true);
    panel->setCanChooseDirectories(false);
    panel->setAllowsMultipleSelection(true);
    panel->setAllowedFileTypes({QStringLiteral("po")});
    startInFolderFor(*panel, translationsFolderKind, m_document.filePath());
    panel->beginSheetModal(&m_window, [commands = QPointer<LanguageCommands>(this),
                                       document = QPointer<Document>(&m_document),
                                       window = QPointer<QWidget>(&m_window),
                                       panel](appkit::OpenPanel::Response response) {
        panel->hide();
        QStringList paths;
        for (const QUrl& url : panel->urls()) {
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        }
        store::ManagedObjectContext* context = document ? document->managedObjectContext() : nullptr;
        if (!context || !window || response != appkit::OpenPanel::Response::ok || paths.isEmpty())
            return;
        rememberFolderOf(translationsFolderKind, paths.constFirst());
        std::optional<store::ScopedUndoGroup> step(std::in_place, *context, tr("Import Translations"));
        const auto imported = document::TranslationFiles::importCatalogs(*context, paths);
        step.reset();
        if (!imported) {
            runActionAlert({tr("The translations could not be imported."), imported.error().text()}, window);
            return;
        }
        // The files may have brought languages the document lacked.
        if (commands)
            commands->m_choice.refresh();
        if (const std::optional<document::ActionAlert> alert =
                document::TranslationFiles::importAlert(*imported))
            runActionAlert(*alert, window);
    });
}

} // namespace pelorama::app
