#include "app/Document.h"

#include "app/AppDelegate.h"
#include "app/ArrayController.h"
#include "app/DocumentCommands.h"
#include "app/InspectorUndoGrouping.h"
#include "app/MainMenu.h"
#include "app/ScreenshotTableCellView.h"
#include "app/ScreenshotTableViewController.h"
#include "app/SidebarToggleControl.h"
#include "app/SidebarToggleController.h"
#include "app/SplitViewController.h"
#include "app/TableView.h"
#include "app/Toolbar.h"
#include "app/ToolbarIcons.h"
#include "appkit/DocumentWindows.h"
#include "appkit/WindowController.h"
#include "canvas/CanvasView.h"
#include "canvas/CanvasViewController.h"
#include "foundation/Diagnostics.h"
#include "foundation/Fatal.h"
#include "ledgerline/PropertyEditable.h"
#include "ledgerline/PropertyTableViewController.h"
#include "model/Canvas.h"
#include "model/DocumentModel.h"
#include "model/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "templates/Template.h"
#include "templates/picker/SheetWindow.h"
#include "templates/picker/TemplateViewController.h"
#include "tessaline/Shared/App.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QUndoStack>
#include <QWidgetAction>

namespace pelorama::app {

QString Document::typeName()
{
    return QStringLiteral("com.quillory.pelorama.document");
}

appkit::DocumentType Document::documentType(ApplicationCommands* applicationCommands)
{
    return appkit::DocumentType{typeName(),
                                QStringLiteral("Pelorama Document"),
                                {QStringLiteral("pelorama")},
                                true,
                                [applicationCommands] {
                                    return std::make_unique<Document>(applicationCommands);
                                }};
}

Document::Document(ApplicationCommands* applicationCommands)
    : manageddocument::ManagedDocument(model::documentModel())
    , m_applicationCommands(applicationCommands)
    , m_propertyEditor(std::make_unique<ledgerline::PropertyTableViewController>())
    , m_canvasViewController(std::make_unique<canvas::CanvasViewController>())
    , m_validation([this] { validateUserInterface(); })
{
    AppDelegate::initializeClass();
    connect(&windows(), &appkit::DocumentWindows::windowDidLoad, this,
            &Document::windowControllerDidLoadWindow);
    connect(undoStack(), &QUndoStack::indexChanged, this, &Document::setNeedsValidation);
    // Paste follows what the clipboard offers, whichever program put it there.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &Document::setNeedsValidation);
}

Document::~Document()
{
    // Nothing may reach the document while its parts and its base go: the panes go before the window
    // that holds them, and the window and the undo stack outlive this destructor.
    undoStack()->disconnect(this);
    if (m_window)
        m_window->removeEventFilter(this);
    if (m_canvasViewController && m_canvasViewController->isViewLoaded() &&
        m_canvasViewController->canvasView())
        m_canvasViewController->canvasView()->setDelegate(nullptr);
    if (m_sidebarToggleController)
        m_sidebarToggleController->setDelegate(nullptr);
    if (m_screenshotTableViewController) {
        m_screenshotTableViewController->setDelegate(nullptr);
        if (m_screenshotTableViewController->isViewLoaded())
            m_screenshotTableViewController->screenshotArrayController()->disconnect(this);
    }
    m_inspectorUndoGrouping.reset();
    m_mainMenu.reset();
}

std::vector<manageddocument::PackageResource*> Document::createResources()
{
    return {&m_metadata};
}

void Document::initializeNewDocument(const QString& typeName)
{
    manageddocument::ManagedDocument::initializeNewDocument(typeName);
    managedObjectContext()->processPendingChanges();
    undoStack()->clear();
    QVariantMap dictionary = m_metadata.dictionary();
    dictionary.insert(QStringLiteral("FileVersion"), 1);
    dictionary.insert(QStringLiteral("AppVersion"), tessaline::App::version());
    m_metadata.setDictionary(dictionary);
}

appkit::DocumentWindows& Document::windows()
{
    return appkit::DocumentWindows::of(*this);
}

QWidget* Document::window()
{
    return windows().window();
}

void Document::windowControllerDidLoadWindow(appkit::WindowController* controller)
{
    QMainWindow* window = controller->window();
    store::ManagedObjectContext* context = managedObjectContext();
    if (!window || !context)
        foundation::fatal(QStringLiteral("The document window could not be set up"));
    // 1280 by 800, or less on a smaller screen, keeping a margin around it.
    const QSize minimum(760, 480);
    QSize size(1280, 800);
    if (const QScreen* screen = window->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9).expandedTo(minimum);
    window->setMinimumSize(minimum);
    window->resize(size);

    m_splitViewController = std::make_unique<SplitViewController>();
    QWidget* splitView = m_splitViewController->view();

    auto inspectorItem =
        std::make_unique<SplitViewItem>(m_propertyEditor.get(), SplitViewItem::Behavior::Sidebar);
    inspectorItem->setMinimumThickness(propertyEditorMinimumWidth);
    m_propertyEditor->view()->resize(propertyEditorInitialWidth, m_propertyEditor->view()->height());
    m_propertyEditorSplitViewItem = inspectorItem.get();

    m_screenshotTableViewController = std::make_unique<ScreenshotTableViewController>(*context);
    auto listItem = std::make_unique<SplitViewItem>(m_screenshotTableViewController.get(),
                                                    SplitViewItem::Behavior::Sidebar);
    m_screenshotListSplitViewItem = listItem.get();

    canvas::CanvasView* canvasView = m_canvasViewController->canvasView();
    if (!canvasView)
        foundation::fatal(QStringLiteral("The document window has no canvas view"));
    canvasView->setDelegate(this);
    auto canvasItem =
        std::make_unique<SplitViewItem>(m_canvasViewController.get(), SplitViewItem::Behavior::Default);

    std::vector<std::unique_ptr<SplitViewItem>> items;
    items.push_back(std::move(listItem));
    items.push_back(std::move(canvasItem));
    items.push_back(std::move(inspectorItem));
    m_splitViewController->setSplitViewItems(std::move(items));
    window->setCentralWidget(splitView);
    m_splitViewController->splitter()->setSizes(
        {screenshotListInitialWidth,
         window->width() - screenshotListInitialWidth - propertyEditorInitialWidth,
         propertyEditorInitialWidth});

    buildToolbar(*window);
    m_sidebarToggleController->setLeftSplitViewItem(m_screenshotListSplitViewItem);
    m_sidebarToggleController->setRightSplitViewItem(m_propertyEditorSplitViewItem);

    m_propertyEditor->setObject(nullptr);
    m_inspectorUndoGrouping = std::make_unique<InspectorUndoGrouping>(*m_propertyEditor->view(), *context);
    m_mainMenu = std::make_unique<MainMenu>(*window, *this, m_applicationCommands);

    // The list reports its first selection once its view exists.
    m_screenshotTableViewController->setDelegate(this);
    m_screenshotTableViewController->view();
    if (ScreenshotTableViewController* list = m_screenshotTableViewController.get()) {
        connect(list->screenshotArrayController(), &ArrayController::selectionIndexesChanged, this,
                &Document::setNeedsValidation);
        connect(list->screenshotArrayController(), &QAbstractItemModel::rowsInserted, this,
                &Document::setNeedsValidation);
        connect(list->screenshotArrayController(), &QAbstractItemModel::rowsRemoved, this,
                &Document::setNeedsValidation);
        // The selection may have been reported before the delegate was set.
        screenshotTableViewControllerDidSelectScreenshot(*list, list->selectedScreenshot());
    }

    m_window = window;
    m_awaitingFirstActivation = isUntitled();
    window->installEventFilter(this);
    setNeedsValidation();
}

void Document::buildToolbar(QMainWindow& window)
{
    auto* toolbar = new Toolbar(QStringLiteral("DocumentToolbar"), &window);
    toolbar->setWindowTitle(tr("Toolbar"));
    const QColor ink = window.palette().color(QPalette::ButtonText);
    toolbar->addItem(QStringLiteral("add"), tr("Add Screenshot"), toolbarIcon(ToolbarIcon::Add, ink),
                     selectorName(DocumentAction::ShowTemplatePicker));

    auto* control = new SidebarToggleControl(toolbar);
    control->setObjectName(QStringLiteral("sidebarToggle"));
    auto* toggleItem = new QWidgetAction(toolbar);
    toggleItem->setObjectName(QStringLiteral("sidebars"));
    toggleItem->setDefaultWidget(control);
    toolbar->addAction(toggleItem);
    m_sidebarToggleController = new SidebarToggleController(toolbar);
    m_sidebarToggleController->setSegmentedControl(control);
    m_sidebarToggleController->setDelegate(this);

    auto* spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
    toolbar->addItem(QStringLiteral("export"), tr("Export"), toolbarIcon(ToolbarIcon::Export, ink),
                     selectorName(DocumentAction::ExportAllScreenshots));
    toolbar->addItem(QStringLiteral("share"), tr("Share"), toolbarIcon(ToolbarIcon::Share, ink),
                     selectorName(DocumentAction::ShowShareMenu));
    toolbar->addItem(QString::fromLatin1(feedbackItemIdentifier), tr("Feedback"),
                     toolbarIcon(ToolbarIcon::Feedback, ink),
                     selectorName(DocumentAction::ShowFeedbackPopover));
    for (QAction* item : toolbar->actions()) {
        const QString selector = Toolbar::selector(*item);
        if (selector.isEmpty())
            continue;
        QWidget* button = toolbar->widgetForAction(item);
        connect(item, &QAction::triggered, this,
                [this, selector, button] { performAction(selector, button); });
    }
    toolbar->setTargetResolver([this](const QString& selector) { return targetForAction(selector); });
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    window.setUnifiedTitleAndToolBarOnMac(true);
    m_toolbar = toolbar;
}

bool Document::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && m_awaitingFirstActivation && event->type() == QEvent::WindowActivate) {
        m_awaitingFirstActivation = false;
        // After the activation has been handled, so the sheet opens on a window that is up.
        QMetaObject::invokeMethod(this, &Document::windowDidBecomeMainFirstTime, Qt::QueuedConnection);
    }
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        setNeedsValidation();
    return manageddocument::ManagedDocument::eventFilter(watched, event);
}

void Document::windowDidBecomeMainFirstTime()
{
    showTemplatePicker();
}

QObject* Document::targetForAction(const QString& selector)
{
    return documentActionNamed(selector) ? this : nullptr;
}

bool Document::performAction(const QString& selector, QObject* sender)
{
    const std::optional<DocumentAction> action = documentActionNamed(selector);
    if (!action)
        return false;
    switch (*action) {
    case DocumentAction::ShowTemplatePicker:
        showTemplatePicker();
        break;
    case DocumentAction::ShowShareMenu:
        showShareMenu(sender);
        break;
    case DocumentAction::ShowFeedbackPopover:
        showFeedbackPopover(sender);
        break;
    case DocumentAction::ExportAllScreenshots:
        exportAllScreenshots();
        break;
    case DocumentAction::ExportCurrentScreenshot:
        exportCurrentScreenshot();
        break;
    case DocumentAction::Cut:
        cut();
        break;
    case DocumentAction::Copy:
        copy();
        break;
    case DocumentAction::Paste:
        paste();
        break;
    case DocumentAction::DuplicateSelection:
        duplicateSelection();
        break;
    case DocumentAction::Delete:
        deleteSelection();
        break;
    }
    return true;
}

std::optional<bool> Document::validateAction(DocumentAction action) const
{
    switch (DocumentCommands::validate(*this, selectorName(action))) {
    case document::ActionValidation::enabled:
        return true;
    case document::ActionValidation::disabled:
        return false;
    case document::ActionValidation::notHandled:
        break;
    }
    return std::nullopt;
}

bool Document::validateMenuItem(const QAction& item) const
{
    const std::optional<DocumentAction> action = documentActionNamed(item.property("selector").toString());
    if (!action)
        return item.isEnabled();
    return validateAction(*action).value_or(true);
}

bool Document::validateToolbarItem(const QAction& item)
{
    const std::optional<DocumentAction> action = documentActionNamed(Toolbar::selector(item));
    if (!action)
        return true;
    return validateAction(*action).value_or(true);
}

void Document::setNeedsValidation()
{
    m_validation.request();
}

void Document::validateUserInterface()
{
    if (m_toolbar)
        m_toolbar->validateVisibleItems();
    if (m_mainMenu)
        m_mainMenu->validate();
}

void Document::showTemplatePicker()
{
    QWidget* documentWindow = window();
    if (!documentWindow || m_templatePickerSheet)
        return;
    m_templatePickerSheet = templates::SheetWindow::beginSheet(
        documentWindow, std::make_unique<templates::TemplateViewController>(),
        [this](int returnCode) { insertTemplateScreenshot(returnCode); });
}

void Document::insertTemplateScreenshot(int returnCode)
{
    auto* picker =
        m_templatePickerSheet
            ? qobject_cast<templates::TemplateViewController*>(m_templatePickerSheet->contentViewController())
            : nullptr;
    templates::Template* chosen = picker ? picker->selectedTemplate() : nullptr;
    m_templatePickerSheet = nullptr;
    if (returnCode != templates::TemplateViewController::addReturnCode || !chosen ||
        !m_screenshotTableViewController)
        return;
    model::Screenshot& screenshot = chosen->instantiateScreenshot(*managedObjectContext());
    if (!DocumentCommands(*this).insertScreenshot(screenshot))
        return;
    emit templateInserted(&screenshot);
}

void Document::showShareMenu(QObject* sender)
{
    DocumentCommands(*this).showShareMenu(sender);
}

void Document::showFeedbackPopover(QObject* sender)
{
    DocumentCommands(*this).showFeedbackPopover(sender);
}

void Document::commitEditing()
{
    if (m_canvasViewController->isViewLoaded())
        if (canvas::CanvasView* canvasView = m_canvasViewController->canvasView())
            canvasView->commitEditing();
}

void Document::exportAllScreenshots()
{
    commitEditing();
    DocumentCommands(*this).exportAllScreenshots();
}

void Document::exportCurrentScreenshot()
{
    commitEditing();
    DocumentCommands(*this).exportCurrentScreenshot();
}

void Document::cut()
{
    DocumentCommands(*this).cut();
}

void Document::copy()
{
    DocumentCommands(*this).copy();
    setNeedsValidation();
}

void Document::paste()
{
    DocumentCommands(*this).paste();
}

void Document::duplicateSelection()
{
    DocumentCommands(*this).duplicateSelection();
}

void Document::deleteSelection()
{
    DocumentCommands(*this).deleteSelection();
}

void Document::screenshotTableViewControllerDidSelectScreenshot(ScreenshotTableViewController&,
                                                                model::Screenshot* screenshot)
{
    canvas::CanvasView* canvasView = m_canvasViewController->canvasView();
    if (!canvasView)
        return;
    std::shared_ptr<const model::Canvas> canvas;
    if (screenshot)
        canvas = std::make_shared<const model::Canvas>(screenshot->makeCanvas());
    canvasView->setCanvas(std::move(canvas));
    m_propertyEditor->setObject(screenshot);
    setNeedsValidation();
}

void Document::canvasViewDidChangeSelection(canvas::CanvasView&, model::Drawable* drawable)
{
    if (auto* editable = dynamic_cast<ledgerline::PropertyEditable*>(drawable)) {
        m_propertyEditor->setObject(editable);
        return;
    }
    model::Screenshot* screenshot =
        m_screenshotTableViewController ? m_screenshotTableViewController->selectedScreenshot() : nullptr;
    m_propertyEditor->setObject(screenshot);
}

void Document::canvasViewWillRender(canvas::CanvasView&, const model::Canvas&) {}

void Document::canvasViewDidRender(canvas::CanvasView&, const model::Canvas&)
{
    if (!m_screenshotTableViewController)
        return;
    // The list has one column; its selected row's cell, when on screen, shows the selected screenshot.
    ArrayController* list = m_screenshotTableViewController->screenshotArrayController();
    if (list->selectionIndexes().isEmpty())
        return;
    const int row = list->selectionIndexes().first();
    TableView* table = m_screenshotTableViewController->screenshotTableView();
    const QRect rowRect = table->visualRect(list->index(row));
    if (!rowRect.intersects(table->viewport()->rect()))
        return;
    if (ScreenshotTableCellView* cell = m_screenshotTableViewController->cellAtRow(row))
        cell->updateImage();
}

void Document::sidebarToggleControllerDidChangeVisibilityOf(SidebarToggleController&, SplitViewItem&)
{
    if (canvas::CanvasView* canvasView = m_canvasViewController->canvasView())
        canvasView->setNeedsRendering(true);
    setNeedsValidation();
}

} // namespace pelorama::app
