#include "app/window/DocumentCommands.h"

#include "app/ActionAlertBox.h"
#include "app/Document.h"
#include "app/export/ExportFolderPanel.h"
#include "app/export/ProgressWindowController.h"
#include "app/feedback/FeedbackViewController.h"
#include "app/window/ShareMenu.h"
#include "appkit/widgets/OpenPanel.h"
#include "appkit/widgets/Popover.h"
#include "document/EditActions.h"
#include "document/ExportJob.h"
#include "document/ExportPlan.h"
#include "document/ScreenshotArrangement.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/Canvas.h"
#include "model/selection/DocumentSelection.h"
#include "store/ManagedObjectContext.h"
#include "templates/Template.h"
#include "templates/picker/SheetWindow.h"
#include "templates/picker/TemplateViewController.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMainWindow>

namespace pelorama::app {

DocumentCommands::DocumentCommands(Document& document, QWidget& window)
    : QObject(&window)
    , m_document(document)
    , m_window(window)
{}

void DocumentCommands::runAlertIfAny(const std::optional<document::ActionAlert>& alert)
{
    if (alert)
        runActionAlert(*alert, &m_window);
}

void DocumentCommands::showTemplatePicker()
{
    if (m_templatePickerSheet)
        return;
    m_templatePickerSheet =
        templates::SheetWindow::beginSheet(&m_window, std::make_unique<templates::TemplateViewController>(),
                                           [this](int returnCode) { insertTemplateScreenshot(returnCode); });
}

void DocumentCommands::insertTemplateScreenshot(int returnCode)
{
    auto* picker =
        m_templatePickerSheet
            ? qobject_cast<templates::TemplateViewController*>(m_templatePickerSheet->contentViewController())
            : nullptr;
    templates::Template* chosen = picker ? picker->selectedTemplate() : nullptr;
    m_templatePickerSheet = nullptr;
    store::ManagedObjectContext* context = m_document.managedObjectContext();
    if (returnCode != templates::TemplateViewController::addReturnCode || !chosen || !context)
        return;
    model::Screenshot& screenshot = chosen->instantiateScreenshot(*context);
    const std::optional<document::ActionAlert> alert =
        document::EditActions(*context, m_document.arrangement()).insertScreenshot(screenshot);
    runAlertIfAny(alert);
    if (!alert)
        emit templateInserted();
}

void DocumentCommands::exportAllScreenshots()
{
    store::ManagedObjectContext* context = m_document.managedObjectContext();
    if (!context || m_document.arrangement().screenshots().isEmpty())
        return;
    if (const std::optional<document::ActionAlert> names = document::ExportPlan::checkNames(*context)) {
        runActionAlert(*names, &m_window);
        return;
    }
    appkit::OpenPanel* panel = makeExportFolderPanel(QStringLiteral("Export"));
    startInFolderFor(*panel, picturesFolderKind, m_document.filePath());
    panel->beginSheetModal(&m_window, [document = QPointer<Document>(&m_document),
                                       window = QPointer<QWidget>(&m_window),
                                       panel](appkit::OpenPanel::Response response) {
        panel->hide();
        const QUrl url = panel->url();
        if (!document || response != appkit::OpenPanel::Response::ok || url.isEmpty())
            return;
        if (!url.isLocalFile()) {
            runActionAlert(document::ExportPlan::noDirectory(), window);
            return;
        }
        rememberFolderOf(picturesFolderKind, url.toLocalFile());
        store::ManagedObjectContext* context = document->managedObjectContext();
        if (!context)
            return;
        document::ExportPlan plan = document::ExportPlan::ofDocument(*context, url.toLocalFile());
        // Whatever stops the export is said before the progress window comes up.
        if (plan.refusal) {
            runActionAlert(*plan.refusal, window);
            return;
        }
        ProgressWindowController::showProgress(std::make_unique<document::ExportJob>(std::move(plan)),
                                               [document, window](const document::ExportJob& job) {
                                                   if (job.alert() && document && window)
                                                       runActionAlert(*job.alert(), window);
                                               });
    });
}

void DocumentCommands::exportCurrentScreenshot()
{
    model::Screenshot* selected = m_document.selection().screenshot();
    if (!selected)
        return;
    // In the language shown when the command was given.
    const QString language = m_document.selection().language();
    auto* panel = new appkit::OpenPanel;
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setFileMode(QFileDialog::AnyFile);
    panel->setPrompt(QStringLiteral("Export"));
    panel->setCanCreateDirectories(true);
    panel->setAllowedFileTypes({QStringLiteral("png")});
    panel->setDefaultSuffix(QStringLiteral("png"));
    startInFolderFor(*panel, picturesFolderKind, m_document.filePath());
    // This screenshot is the one written, whatever the selection is when the panel ends.
    panel->beginSheetModal(&m_window, [window = QPointer<QWidget>(&m_window),
                                       screenshot = QPointer<model::Screenshot>(selected), language,
                                       panel](appkit::OpenPanel::Response response) {
        panel->hide();
        const QUrl url = panel->url();
        if (!screenshot || response != appkit::OpenPanel::Response::ok || !url.isLocalFile())
            return;
        rememberFolderOf(picturesFolderKind, url.toLocalFile());
        // The job takes its snapshot as it starts, so it may outlive the window; the application holds it.
        auto* job = new document::ExportJob(
            document::ExportPlan::ofScreenshot(*screenshot, url.toLocalFile(), language), model::renderPool(),
            QCoreApplication::instance());
        connect(job, &document::ExportJob::finished, job, [job, window] {
            if (job->alert() && window)
                runActionAlert(*job->alert(), window);
            job->deleteLater();
        });
        job->start();
    });
}

void DocumentCommands::cut()
{
    if (store::ManagedObjectContext* context = m_document.managedObjectContext())
        document::EditActions(*context, m_document.arrangement()).cut();
}

void DocumentCommands::copy()
{
    if (store::ManagedObjectContext* context = m_document.managedObjectContext())
        document::EditActions(*context, m_document.arrangement()).copy();
}

void DocumentCommands::deleteSelection()
{
    if (store::ManagedObjectContext* context = m_document.managedObjectContext())
        document::EditActions(*context, m_document.arrangement()).remove();
}

void DocumentCommands::paste()
{
    if (store::ManagedObjectContext* context = m_document.managedObjectContext())
        runAlertIfAny(document::EditActions(*context, m_document.arrangement()).paste());
}

void DocumentCommands::duplicateSelection()
{
    if (store::ManagedObjectContext* context = m_document.managedObjectContext())
        runAlertIfAny(document::EditActions(*context, m_document.arrangement()).duplicateSelection());
}

void DocumentCommands::showShareMenu(QAbstractButton& button)
{
    model::Screenshot* selected = m_document.selection().screenshot();
    if (!selected)
        return;
    // In the language shown when the command was given.
    const QString language = m_document.selection().language();
    ShareMenu::showBelow(button, selected->makeCanvas(), selected->name(), language);
}

void DocumentCommands::showFeedbackPopover(QWidget* anchor)
{
    QRect rect;
    if (!anchor) {
        // A strip one point high along the top of the window's content.
        auto* window = qobject_cast<QMainWindow*>(&m_window);
        anchor = window ? window->centralWidget() : nullptr;
        if (!anchor)
            return;
        rect = QRect(0, 0, anchor->width(), 1);
    }
    if (m_feedbackPopover && m_feedbackPopover->isShown())
        return;
    if (!m_feedbackForm)
        m_feedbackForm = new FeedbackViewController(this);
    auto* popover = new appkit::Popover;
    popover->setReleasedWhenClosed(true);
    // The form is not the popover's: it gets its view back when the popover closes.
    popover->setContentViewController(m_feedbackForm);
    popover->showRelativeTo(rect, anchor, appkit::RectEdge::bottom);
    m_feedbackPopover = popover;
}

} // namespace pelorama::app
