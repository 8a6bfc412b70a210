#pragma once

#include "store/ScopedUndoGroup.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

class QToolBar;

namespace ledgerline {
class PropertyTableViewController;
} // namespace ledgerline

namespace pelorama::canvas {
class CanvasView;
} // namespace pelorama::canvas

namespace pelorama::app {

class ApplicationCommands;
class CaptionInLanguage;
class Document;
class DocumentActions;
class DocumentCommands;
class LanguageChoice;
class LanguageCommands;
class MainMenu;
class PaneSplitter;
class ScreenshotListView;
class SidebarToggleControl;

// The window of a document: three panes side by side, the screenshot list, the canvas of the selected
// screenshot and the inspector of the selected object, under a toolbar and a menu bar that share the
// window's actions. The panes follow the document's selection and change it; they hear nothing from one
// another. The window owns its panes, which go with it.
//
// A new, never-saved document shows the template picker the first time its window becomes active.
// A gesture in the inspector (a drag on the angle dial, a held number arrow) is one step to undo.
//
// The canvas, the list's thumbnails and the inspector show the captions in the language the window
// shows (LanguageChoice), and edit them in it.
class DocumentWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int inspectorMinimumWidth = 250;
    // The inspector opens wide enough for its longest labels beside their editors.
    static constexpr int inspectorInitialWidth = 370;
    static constexpr int screenshotListInitialWidth = 200;

    // applicationCommands (may be null) gives the menus the application's commands.
    DocumentWindow(Document& document, ApplicationCommands* applicationCommands, QWidget* parent = nullptr);
    ~DocumentWindow() override;

    Document& document() const { return m_document; }
    ScreenshotListView* screenshotList() const { return m_screenshotList; }
    canvas::CanvasView* canvasView() const { return m_canvasView; }
    ledgerline::PropertyTableViewController* inspector() const { return m_inspector.get(); }
    PaneSplitter* splitter() const { return m_splitter; }
    QToolBar* toolbar() const { return m_toolbar; }
    SidebarToggleControl* sidebarToggle() const { return m_sidebarToggle; }
    DocumentActions* documentActions() const { return m_actions; }
    DocumentCommands* commands() const { return m_commands; }
    LanguageChoice* languageChoice() const { return m_languageChoice; }
    LanguageCommands* languageCommands() const { return m_languageCommands; }
    MainMenu* mainMenu() const { return m_mainMenu; }

    // Writes the text typed into a caption on the canvas into the caption.
    void commitEditing();

protected:
    bool event(QEvent* event) override;

private:
    void buildToolbar();
    void showInspectedObject();
    void showPane(QWidget* pane, bool shown);

    Document& m_document;
    // Open from the start to the end of a gesture in the inspector; declared before the inspector, which
    // ends a gesture when it goes.
    std::optional<store::ScopedUndoGroup> m_inspectorGesture;
    std::unique_ptr<ledgerline::PropertyTableViewController> m_inspector;
    PaneSplitter* m_splitter;
    ScreenshotListView* m_screenshotList;
    canvas::CanvasView* m_canvasView;
    DocumentCommands* m_commands;
    LanguageChoice* m_languageChoice;
    LanguageCommands* m_languageCommands;
    DocumentActions* m_actions;
    // The caption inspected in a language other than the base, while one is.
    QPointer<CaptionInLanguage> m_captionInLanguage;
    QToolBar* m_toolbar = nullptr;
    SidebarToggleControl* m_sidebarToggle = nullptr;
    MainMenu* m_mainMenu;
    bool m_awaitingFirstActivation;
};

} // namespace pelorama::app
