#include "app/DocumentCommands.h"

#include "app/Document.h"
#include "app/FeedbackViewController.h"
#include "app/ProgressWindowController.h"
#include "app/ScreenshotTableList.h"
#include "app/ScreenshotTableViewController.h"
#include "app/ShareMenu.h"
#include "app/Toolbar.h"
#include "appkit/OpenPanel.h"
#include "appkit/Popover.h"
#include "canvas/CanvasView.h"
#include "canvas/CanvasViewController.h"
#include "document/EditActions.h"
#include "document/ExportJob.h"
#include "document/ScreenshotExporter.h"
#include "model/Canvas.h"
#include "model/Screenshot.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <functional>

namespace pelorama::app {

namespace {

// The list's commands need the list; before the window has loaded there is none.
std::optional<document::ActionAlert>
withEditActions(Document& document,
                const std::function<std::optional<document::ActionAlert>(document::EditActions&)>& work)
{
    ScreenshotTableViewController* controller = document.screenshotTableViewController();
    store::ManagedObjectContext* context = document.managedObjectContext();
    if (!controller || !context)
        return std::nullopt;
    ScreenshotTableList list(*controller);
    document::EditActions actions(*context, list);
    return work(actions);
}

} // namespace

DocumentCommands::DocumentCommands(Document& document)
    : m_document(document)
{}

void DocumentCommands::runAlert(const document::ActionAlert& alert, QWidget* parent)
{
    QMessageBox box(parent ? parent->window() : nullptr);
    box.setIcon(QMessageBox::Information);
    box.setText(alert.messageText);
    box.setInformativeText(alert.informativeText);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void DocumentCommands::runAlertIfAny(const std::optional<document::ActionAlert>& alert) const
{
    if (alert)
        runAlert(*alert, m_document.window());
}

void DocumentCommands::exportAllScreenshots()
{
    QWidget* window = m_document.window();
    ScreenshotTableViewController* controller = m_document.screenshotTableViewController();
    store::ManagedObjectContext* context = m_document.managedObjectContext();
    if (!window || !controller || !context ||
        ScreenshotTableList(*controller).arrangedScreenshots().isEmpty())
        return;
    if (const std::optional<document::ActionAlert> names =
            document::ScreenshotExporter(*context).checkNames()) {
        runAlert(*names, window);
        return;
    }
    auto* panel = new appkit::OpenPanel;
    panel->setPrompt(QStringLiteral("Export"));
    panel->setCanChooseFiles(false);
    panel->setCanChooseDirectories(true);
    panel->setAllowsMultipleSelection(false);
    panel->setCanCreateDirectories(true);
    panel->beginSheetModal(window, [document = QPointer<Document>(&m_document),
                                    panel](appkit::OpenPanel::Response response) {
        panel->hide();
        const QUrl url = panel->url();
        if (!document || response != appkit::OpenPanel::Response::ok || url.isEmpty())
            return;
        if (!url.isLocalFile()) {
            runAlert({QStringLiteral("Export failed"), QStringLiteral("Please select a directory")},
                     document->window());
            return;
        }
        store::ManagedObjectContext* context = document->managedObjectContext();
        if (!context)
            return;
        document::ScreenshotExporter exporter(*context);
        // Whatever stops the export is said before the progress window comes up.
        if (const std::optional<document::ActionAlert> refused = exporter.checkDirectory(url.toLocalFile())) {
            runAlert(*refused, document->window());
            return;
        }
        ProgressWindowController::showProgress(
            std::make_unique<document::ExportJob>(*context, url.toLocalFile()),
            [document](const document::ExportJob& job) {
                if (job.alert() && document)
                    runAlert(*job.alert(), document->window());
            });
    });
}

void DocumentCommands::exportCurrentScreenshot()
{
    QWidget* window = m_document.window();
    ScreenshotTableViewController* controller = m_document.screenshotTableViewController();
    model::Screenshot* selected = controller ? controller->selectedScreenshot() : nullptr;
    if (!window || !selected)
        return;
    auto* panel = new appkit::OpenPanel;
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setFileMode(QFileDialog::AnyFile);
    panel->setPrompt(QStringLiteral("Export"));
    panel->setCanCreateDirectories(true);
    panel->setAllowedFileTypes({QStringLiteral("png")});
    panel->setDefaultSuffix(QStringLiteral("png"));
    // This screenshot is the one written, whatever the selection is when the panel ends.
    panel->beginSheetModal(window, [document = QPointer<Document>(&m_document),
                                    screenshot = QPointer<model::Screenshot>(selected),
                                    panel](appkit::OpenPanel::Response response) {
        panel->hide();
        const QUrl url = panel->url();
        if (!document || !screenshot || response != appkit::OpenPanel::Response::ok || !url.isLocalFile())
            return;
        if (const auto alert = document::ScreenshotExporter::exportScreenshot(*screenshot, url.toLocalFile()))
            runAlert(*alert, document->window());
    });
}

void DocumentCommands::cut()
{
    withEditActions(m_document, [](document::EditActions& actions) {
        actions.cut();
        return std::optional<document::ActionAlert>();
    });
}

void DocumentCommands::copy()
{
    withEditActions(m_document, [](document::EditActions& actions) {
        actions.copy();
        return std::optional<document::ActionAlert>();
    });
}

void DocumentCommands::deleteSelection()
{
    withEditActions(m_document, [](document::EditActions& actions) {
        actions.remove();
        return std::optional<document::ActionAlert>();
    });
}

void DocumentCommands::paste()
{
    runAlertIfAny(
        withEditActions(m_document, [](document::EditActions& actions) { return actions.paste(); }));
}

void DocumentCommands::duplicateSelection()
{
    runAlertIfAny(withEditActions(
        m_document, [](document::EditActions& actions) { return actions.duplicateSelection(); }));
}

bool DocumentCommands::insertScreenshot(model::Screenshot& screenshot)
{
    const std::optional<document::ActionAlert> alert =
        withEditActions(m_document, [&screenshot](document::EditActions& actions) {
            return actions.insertScreenshot(screenshot);
        });
    runAlertIfAny(alert);
    return !alert;
}

void DocumentCommands::showShareMenu(QObject* sender)
{
    canvas::CanvasView* canvasView = m_document.canvasViewController()->canvasView();
    auto* button = qobject_cast<QAbstractButton*>(sender);
    if (!canvasView || !canvasView->canvas() || !button)
        return;
    ScreenshotTableViewController* controller = m_document.screenshotTableViewController();
    model::Screenshot* selected = controller ? controller->selectedScreenshot() : nullptr;
    ShareMenu::showBelow(*button, *canvasView->canvas(),
                         selected ? selected->name() : QStringLiteral("Screenshot"));
}

void DocumentCommands::showFeedbackPopover(QObject* sender)
{
    QWidget* anchor = qobject_cast<QAbstractButton*>(sender);
    QRect rect;
    if (!anchor) {
        Toolbar* toolbar = m_document.toolbar();
        QAction* item =
            toolbar ? toolbar->itemWithIdentifier(QString::fromLatin1(Document::feedbackItemIdentifier))
                    : nullptr;
        anchor = item ? qobject_cast<QAbstractButton*>(toolbar->widgetForAction(item)) : nullptr;
    }
    if (!anchor) {
        // A strip one point high along the top of the window's content.
        auto* window = qobject_cast<QMainWindow*>(m_document.window());
        anchor = window ? window->centralWidget() : nullptr;
        if (!anchor)
            return;
        rect = QRect(0, 0, anchor->width(), 1);
    }
    auto* popover = new appkit::Popover;
    popover->setReleasedWhenClosed(true);
    popover->setContentViewController(new FeedbackViewController(popover));
    popover->showRelativeTo(rect, anchor, appkit::RectEdge::bottom);
}

document::ActionValidation DocumentCommands::validate(const Document& document, const QString& selector)
{
    ScreenshotTableViewController* controller = document.screenshotTableViewController();
    store::ManagedObjectContext* context = document.managedObjectContext();
    if (!controller || !context)
        return document::ActionValidation::notHandled;
    ScreenshotTableList list(*controller);
    return document::EditActions(*context, list).validateAction(selector + ':');
}

} // namespace pelorama::app
