#include "app/window/DocumentWindow.h"

#include "app/Document.h"
#include "app/languages/CaptionInLanguage.h"
#include "app/languages/LanguageChoice.h"
#include "app/languages/LanguageCommands.h"
#include "app/list/ScreenshotListView.h"
#include "app/window/DocumentActions.h"
#include "app/window/DocumentCommands.h"
#include "app/window/MainMenu.h"
#include "app/window/PaneSplitter.h"
#include "app/window/SidebarToggleControl.h"
#include "canvas/CanvasView.h"
#include "canvas/CaptionFontLink.h"
#include "canvas/DocumentSelectionBinding.h"
#include "canvas/FontManager.h"
#include "inspector/InspectorEditors.h"
#include "ledgerline/widgets/PropertyTableViewController.h"
#include "model/entities/TextRect.h"
#include "model/selection/DocumentSelection.h"
#include "store/ManagedObjectContext.h"

#include <QAction>
#include <QEvent>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

namespace pelorama::app {

DocumentWindow::DocumentWindow(Document& document, ApplicationCommands* applicationCommands, QWidget* parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_inspector(std::make_unique<ledgerline::PropertyTableViewController>(inspectorEditors()))
    , m_splitter(new PaneSplitter(this))
    , m_screenshotList(new ScreenshotListView(document.screenshotList(), document.selection(), m_splitter))
    , m_canvasView(new canvas::CanvasView(m_splitter))
    , m_commands(new DocumentCommands(document, *this))
    , m_languageChoice(new LanguageChoice(document, this))
    , m_languageCommands(new LanguageCommands(document, *m_languageChoice, *this))
    , m_actions(new DocumentActions(document, *this, *m_commands, *m_languageCommands))
    , m_awaitingFirstActivation(document.isUntitled())
{
    // 1280 by 800, or less on a smaller screen, keeping a margin around it.
    const QSize minimum(760, 480);
    QSize size(1280, 800);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() * 0.9).expandedTo(minimum);
    setMinimumSize(minimum);
    resize(size);

    QWidget* inspectorView = m_inspector->view();
    inspectorView->setMinimumWidth(inspectorMinimumWidth);
    m_splitter->addPane(m_screenshotList, true);
    m_splitter->addPane(m_canvasView, false);
    m_splitter->addPane(inspectorView, true);
    setCentralWidget(m_splitter);
    m_splitter->setSizes({screenshotListInitialWidth,
                          width() - screenshotListInitialWidth - inspectorInitialWidth,
                          inspectorInitialWidth});

    model::DocumentSelection& selection = document.selection();
    new canvas::DocumentSelectionBinding(*m_canvasView, selection);
    // The window's font panel follows and changes the caption selected on the canvas.
    auto* fonts = new canvas::FontManager(this);
    new canvas::CaptionFontLink(*m_canvasView, *fonts);
    // Every render of the canvas renders the selected row's thumbnail again.
    connect(m_canvasView, &canvas::CanvasView::didRender, m_screenshotList,
            &ScreenshotListView::refreshSelectedThumbnail);
    connect(&selection, &model::DocumentSelection::screenshotsChanged, m_inspector.get(),
            [this] { showInspectedObject(); });
    connect(&selection, &model::DocumentSelection::drawableChanged, m_inspector.get(),
            [this] { showInspectedObject(); });
    connect(m_languageChoice, &LanguageChoice::currentChanged, m_inspector.get(),
            [this] { showInspectedObject(); });
    connect(m_languageChoice, &LanguageChoice::languagesChanged, m_inspector.get(),
            [this] { showInspectedObject(); });
    showInspectedObject();
    connect(m_inspector.get(), &ledgerline::PropertyTableViewController::gestureStarted, this, [this] {
        if (store::ManagedObjectContext* context = m_document.managedObjectContext())
            m_inspectorGesture.emplace(*context);
    });
    connect(m_inspector.get(), &ledgerline::PropertyTableViewController::gestureFinished, this,
            [this] { m_inspectorGesture.reset(); });

    m_actions->showScreenshotList()->setChecked(true);
    m_actions->showInspector()->setChecked(true);
    connect(m_actions->showScreenshotList(), &QAction::triggered, this,
            [this](bool checked) { showPane(m_screenshotList, checked); });
    connect(m_actions->showInspector(), &QAction::triggered, this,
            [this, inspectorView](bool checked) { showPane(inspectorView, checked); });
    connect(m_splitter, &PaneSplitter::collapsedChanged, this,
            [this, inspectorView](QWidget* pane, bool collapsed) {
                QAction* shown =
                    pane == inspectorView ? m_actions->showInspector() : m_actions->showScreenshotList();
                shown->setChecked(!collapsed);
            });
    // The canvas is drawn again for the middle pane's new width.
    connect(m_splitter, &PaneSplitter::paneSettled, m_canvasView,
            [this] { m_canvasView->setNeedsRendering(true); });

    m_screenshotList->addAction(m_actions->remove());
    buildToolbar();
    m_mainMenu = new MainMenu(*this, *m_actions, applicationCommands);
}

DocumentWindow::~DocumentWindow() = default;

void DocumentWindow::buildToolbar()
{
    m_toolbar = new QToolBar(tr("Toolbar"), this);
    m_toolbar->setObjectName(QStringLiteral("DocumentToolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize({24, 24});
    m_toolbar->addAction(m_actions->addScreenshot());
    m_sidebarToggle = new SidebarToggleControl(m_toolbar);
    m_sidebarToggle->setObjectName(QStringLiteral("sidebarToggle"));
    m_sidebarToggle->setActions(m_actions->showScreenshotList(), m_actions->showInspector());
    m_toolbar->addWidget(m_sidebarToggle);
    auto* spacer = new QWidget(m_toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolbar->addWidget(spacer);
    m_toolbar->addActions(
        {m_actions->language(), m_actions->exportAll(), m_actions->share(), m_actions->feedback()});
    // The buttons carry the items' identifiers.
    const std::pair<QAction*, const char*> identifiers[] = {{m_actions->addScreenshot(), "add"},
                                                            {m_actions->language(), "language"},
                                                            {m_actions->exportAll(), "export"},
                                                            {m_actions->share(), "share"},
                                                            {m_actions->feedback(), "feedback"}};
    for (const auto& [action, identifier] : identifiers)
        m_toolbar->widgetForAction(action)->setObjectName(QString::fromLatin1(identifier));
    // The language button opens its menu at once, as a menu in the menu bar does.
    if (auto* language = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(m_actions->language())))
        language->setPopupMode(QToolButton::InstantPopup);
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    setUnifiedTitleAndToolBarOnMac(true);
}

void DocumentWindow::showInspectedObject()
{
    model::DocumentSelection& selection = m_document.selection();
    ledgerline::PropertyEditable* inspected = selection.inspectedObject();
    // A caption in a language other than the base shows its text there.
    auto* caption = dynamic_cast<model::TextRect*>(inspected);
    const QString language = selection.language();
    if (caption && !language.isEmpty()) {
        if (m_captionInLanguage && m_captionInLanguage->caption() == caption &&
            m_captionInLanguage->language() == language &&
            m_captionInLanguage->languages() == m_languageChoice->languages() &&
            m_inspector->object() == m_captionInLanguage)
            return;
        auto* shown = new CaptionInLanguage(*caption, language, m_languageChoice->languages(), this);
        // The inspector lets go of it when the caption goes.
        connect(caption, &QObject::destroyed, shown, &QObject::deleteLater);
        inspected = shown;
    }
    if (inspected == m_inspector->object())
        return;
    const QPointer<CaptionInLanguage> previous = m_captionInLanguage;
    m_captionInLanguage = dynamic_cast<CaptionInLanguage*>(inspected);
    m_inspector->setObject(inspected);
    delete previous;
}

void DocumentWindow::showPane(QWidget* pane, bool shown)
{
    m_splitter->setCollapsedAnimated(pane, !shown);
}

void DocumentWindow::commitEditing()
{
    m_canvasView->commitEditing();
}

bool DocumentWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && m_awaitingFirstActivation) {
        m_awaitingFirstActivation = false;
        // After the activation has been handled, so the sheet opens on a window that is up.
        QMetaObject::invokeMethod(m_commands, &DocumentCommands::showTemplatePicker, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

} // namespace pelorama::app
