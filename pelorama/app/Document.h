#pragma once

#include "app/DocumentAction.h"
#include "app/ScreenshotTableViewControllerDelegate.h"
#include "app/SidebarToggleController.h"
#include "app/SidebarToggleControllerDelegate.h"
#include "app/Toolbar.h"
#include "app/ToolbarItemValidation.h"
#include "appkit/DocumentType.h"
#include "canvas/CanvasViewDelegate.h"
#include "foundation/CoalescedPerform.h"
#include "manageddocument/ManagedDocument.h"
#include "manageddocument/PropertyListResource.h"
#include "templates/picker/SheetWindow.h"

#include <QPointer>
#include <memory>
#include <optional>

class QAction;
class QMainWindow;
class QWidget;

namespace appkit {
class DocumentWindows;
class WindowController;
} // namespace appkit

namespace ledgerline {
class PropertyTableViewController;
} // namespace ledgerline

namespace pelorama::canvas {
class CanvasView;
class CanvasViewController;
} // namespace pelorama::canvas

namespace pelorama::app {

class ApplicationCommands;
class InspectorUndoGrouping;
class MainMenu;
class ScreenshotTableViewController;
class SplitViewController;
class SplitViewItem;

// A Pelorama document: a package holding the store of its screenshots and the "Metadata" property list,
// shown in a window of three panes side by side: the screenshot list, the canvas of the selected
// screenshot and the inspector of the selected object. The document is the hub between them: the list
// tells it the selected screenshot, the canvas view its selection and renders, the sidebar toggle its
// collapses; it carries the screenshot commands and decides which of them are enabled.
// A new document shows the template picker the first time its window becomes active.
class Document : public manageddocument::ManagedDocument,
                 public ScreenshotTableViewControllerDelegate,
                 public SidebarToggleControllerDelegate,
                 public canvas::CanvasViewDelegate,
                 public ToolbarItemValidation
{
    Q_OBJECT

public:
    static constexpr double propertyEditorMinimumWidth = 250;
    // The inspector opens wide enough for its longest labels beside their editors.
    static constexpr int propertyEditorInitialWidth = 370;
    static constexpr int screenshotListInitialWidth = 200;
    static constexpr const char* feedbackItemIdentifier = "feedback";

    // The type of Pelorama documents: "Pelorama Document", packages named *.pelorama. applicationCommands
    // (may be null) gives every window the application's menu commands.
    static appkit::DocumentType documentType(ApplicationCommands* applicationCommands = nullptr);
    static QString typeName();

    explicit Document(ApplicationCommands* applicationCommands = nullptr);
    ~Document() override;

    // The document's windows (made on first show) and the first of them, null before then.
    appkit::DocumentWindows& windows();
    QWidget* window();

    // Present once the window has loaded.
    SidebarToggleController* sidebarToggleController() const { return m_sidebarToggleController; }
    ledgerline::PropertyTableViewController* propertyEditor() const { return m_propertyEditor.get(); }
    ScreenshotTableViewController* screenshotTableViewController() const
    {
        return m_screenshotTableViewController.get();
    }
    canvas::CanvasViewController* canvasViewController() const { return m_canvasViewController.get(); }
    SplitViewItem* screenshotListSplitViewItem() const { return m_screenshotListSplitViewItem; }
    SplitViewItem* propertyEditorSplitViewItem() const { return m_propertyEditorSplitViewItem; }
    SplitViewController* splitViewController() const { return m_splitViewController.get(); }
    Toolbar* toolbar() const { return m_toolbar; }
    MainMenu* mainMenu() const { return m_mainMenu.get(); }
    const manageddocument::PropertyListResource& metadata() const { return m_metadata; }
    // The template picker while it is shown.
    templates::SheetWindow* templatePickerSheet() const { return m_templatePickerSheet; }

    // A new document: no undo history, and "Metadata" with "FileVersion" 1 and "AppVersion".
    void initializeNewDocument(const QString& typeName) override;

    // Whether the document handles the command named selector, and so is its target.
    QObject* targetForAction(const QString& selector);
    // Enabled, disabled, or none when the action is not the document's to decide.
    std::optional<bool> validateAction(DocumentAction action) const;
    bool validateMenuItem(const QAction& item) const;
    bool validateToolbarItem(const QAction& item) override;
    // Runs the command named selector (false when the document has no such command).
    bool performAction(const QString& selector, QObject* sender = nullptr);

    // ScreenshotTableViewControllerDelegate
    void screenshotTableViewControllerDidSelectScreenshot(ScreenshotTableViewController& controller,
                                                          model::Screenshot* screenshot) override;
    // CanvasViewDelegate
    void canvasViewDidChangeSelection(canvas::CanvasView& canvasView, model::Drawable* drawable) override;
    void canvasViewWillRender(canvas::CanvasView& canvasView, const model::Canvas& canvas) override;
    void canvasViewDidRender(canvas::CanvasView& canvasView, const model::Canvas& canvas) override;
    // SidebarToggleControllerDelegate
    void sidebarToggleControllerDidChangeVisibilityOf(SidebarToggleController& controller,
                                                      SplitViewItem& item) override;

public slots:
    // Shows the template picker as a sheet on the window; the chosen template's new screenshot goes
    // after the selected one (last without a selection) and is selected.
    void showTemplatePicker();
    void showShareMenu(QObject* sender = nullptr);
    void showFeedbackPopover(QObject* sender = nullptr);
    void exportAllScreenshots();
    void exportCurrentScreenshot();
    void cut();
    void copy();
    void paste();
    void duplicateSelection();
    void deleteSelection();
    // Enables the menu and toolbar items after the next pass of the event loop.
    void setNeedsValidation();

signals:
    // After a template's screenshot was inserted and selected.
    void templateInserted(model::Screenshot* screenshot);

protected:
    std::vector<manageddocument::PackageResource*> createResources() override;
    void commitEditing() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Fills the document's window with its panes.
    void windowControllerDidLoadWindow(appkit::WindowController* controller);
    void buildToolbar(QMainWindow& window);
    void windowDidBecomeMainFirstTime();
    void insertTemplateScreenshot(int returnCode);
    void validateUserInterface();

    ApplicationCommands* m_applicationCommands;
    QPointer<SidebarToggleController> m_sidebarToggleController;
    std::unique_ptr<ledgerline::PropertyTableViewController> m_propertyEditor;
    std::unique_ptr<ScreenshotTableViewController> m_screenshotTableViewController;
    std::unique_ptr<canvas::CanvasViewController> m_canvasViewController;
    std::unique_ptr<SplitViewController> m_splitViewController;
    SplitViewItem* m_screenshotListSplitViewItem = nullptr;
    SplitViewItem* m_propertyEditorSplitViewItem = nullptr;
    manageddocument::PropertyListResource m_metadata{QStringLiteral("Metadata")};
    QPointer<Toolbar> m_toolbar;
    std::unique_ptr<MainMenu> m_mainMenu;
    std::unique_ptr<InspectorUndoGrouping> m_inspectorUndoGrouping;
    // A plain widget pointer: events reach the filter while the window deletes its children, when it is
    // no longer a QMainWindow.
    QPointer<QWidget> m_window;
    bool m_awaitingFirstActivation = false; // a never-saved document until its window first becomes active
    QPointer<templates::SheetWindow> m_templatePickerSheet;
    foundation::CoalescedPerform m_validation;
};

} // namespace pelorama::app
