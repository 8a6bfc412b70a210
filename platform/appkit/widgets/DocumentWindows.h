#pragma once

#include "appkit/core/DocumentUserInterface.h"
#include "appkit/widgets/DocumentDialogs.h"

#include <QList>
#include <QObject>
#include <memory>
#include <vector>

class QWidget;

namespace appkit {

class Document;
class WindowController;

// The widget side of a document: its windows, and the dialogs through which its commands ask and tell
// the user, modal to its first window. A Document knows no windows; this is installed as its user
// interface on first use and lives as long as the document, which destroys it (and so its windows, at
// once) before anything else of itself. Closing the document hides its windows and destroys them once
// control is back in the event loop, since the close may come from one of their own menu actions.
class DocumentWindows : public QObject, public DocumentUserInterface
{
    Q_OBJECT

public:
    // The windows of document, installed on first use in place of any other user interface.
    static DocumentWindows& of(Document& document);
    // The same without installing: null while the document has none.
    static DocumentWindows* find(const Document& document);

    explicit DocumentWindows(Document& document);
    ~DocumentWindows() override;

    Document& document() const { return m_document; }

    QList<WindowController*> windowControllers() const;
    void addWindowController(std::unique_ptr<WindowController> controller);
    void removeWindowController(WindowController* controller);
    // Makes one plain window when there is no window controller yet, then shows every window and brings
    // the first one forward; shown the first time, the first window takes the place of replaced, when
    // given. Nothing is shown once the document has closed.
    void showWindows(const QWidget* replaced = nullptr);
    // The first window, the parent of the document's dialogs; null before the windows are made.
    QWidget* window() const;

    // The standard dialogs unless others were set.
    DocumentDialogs& dialogs();
    void setDialogs(std::shared_ptr<DocumentDialogs> dialogs);

    QString chooseSaveLocation(const DocumentType& type, const QString& suggestedPath) override;
    UnsavedChangesAnswer askToSaveChanges(const QString& documentName) override;
    bool confirmRevert(const QString& documentName) override;
    void presentError(const DocumentError& error) override;
    void documentDidClose() override;

signals:
    // A window controller has made its window; the document fills in the window's content.
    void windowDidLoad(appkit::WindowController* controller);

private:
    Document& m_document;
    std::shared_ptr<DocumentDialogs> m_dialogs;
    std::vector<std::unique_ptr<WindowController>> m_windowControllers;
    // Those of a closed document, until the event loop has them destroyed.
    std::vector<std::unique_ptr<WindowController>> m_closedWindowControllers;
};

} // namespace appkit
