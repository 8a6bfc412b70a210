#pragma once

#include "appkit/core/DocumentError.h"
#include "appkit/core/DocumentType.h"
#include "appkit/core/DocumentUserInterface.h"
#include "appkit/core/SaveOperation.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace appkit {

// One document the user works on: untitled (never saved, no file) or kept in a file or package.
// Subclasses read and write the contents by type; the base keeps the location, the edited state, saving,
// autosaving, reverting and closing. It needs no widget: what it asks and shows the user goes through its
// DocumentUserInterface, which the widget layer installs together with the document's windows
// (DocumentWindows).
//
// The document is edited exactly when its undo stack is away from its clean index, so every change must
// go through the undo stack (a store context records into it once it is the context's undo stack).
//
// The operations come in two layers. save, saveAs, revertToSaved, autosave and readFromPath never ask
// or show anything and return what went wrong. saveDocument, saveDocumentAs, revertDocumentToSaved and
// close are the menu commands: they ask through the user interface and present their errors there. A
// document without a user interface asks no one: its questions are answered as cancelled and its errors
// are written as warnings.
class Document : public QObject
{
    Q_OBJECT

public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    // Where the document lives; empty while it is untitled.
    const QString& filePath() const { return m_filePath; }
    // Called when the document's file has a new place (after save as, or when it was moved).
    virtual void setFilePath(const QString& path);
    bool isUntitled() const { return m_filePath.isEmpty(); }
    // The type name the document was read or will be written as.
    const QString& fileType() const { return m_fileType; }
    void setFileType(const QString& typeName) { m_fileType = typeName; }
    // The kind of document, for the save dialog; its controller sets it.
    const DocumentType& documentType() const { return m_documentType; }
    void setDocumentType(DocumentType type);
    // The file name without its extension, or the untitled name ("Untitled", "Untitled 2", ...).
    QString displayName() const;
    void setUntitledName(const QString& name);

    QUndoStack* undoStack() const { return m_undoStack.get(); }
    bool isEdited() const { return !m_undoStack->isClean(); }

    // A new, empty document of the given type. Subclasses fill in what a new document starts with.
    virtual void initializeNewDocument(const QString& typeName);
    // Reads the document at path; on success it lives there, unedited, with an empty undo stack.
    DocumentResult<> readFromPath(const QString& path, const QString& typeName);

    // Writes the document where it lives; an untitled document cannot be saved this way.
    DocumentResult<> save();
    // Writes the document to path, where it then lives; path is replaced when something is there, except
    // when another open document lives there (see setOpenElsewhere).
    DocumentResult<> saveAs(const QString& path);
    // Goes back to what the file holds, dropping every unsaved change and the undo stack.
    DocumentResult<> revertToSaved();
    // Saves in place when the document autosaves in place, lives in a file and is edited; otherwise
    // does nothing. Synchronous, like every save here.
    DocumentResult<> autosave();

    // Whether the document saves itself where it lives, on a timer after changes and before closing.
    virtual bool autosavesInPlace() const { return false; }
    std::chrono::milliseconds autosaveDelay() const;
    void setAutosaveDelay(std::chrono::milliseconds delay);

    // Menu commands. Each answers whether it went through (false when cancelled or failed).
    bool saveDocument();   // Save: asks for a place when untitled
    bool saveDocumentAs(); // Save As…, starting where documents were last saved (StartingFolders)
    bool revertDocumentToSaved();
    // Whether the document may close: an edited document autosaves in place when it can, and otherwise
    // (or when that failed) asks whether to save its changes.
    bool canClose();
    // canClose, then closeWithoutAsking. False when the user kept the document open.
    bool close();
    // Tells the user interface, which closes the windows, and emits closed(); the document's controller
    // then deletes it.
    void closeWithoutAsking();
    bool isClosed() const { return m_closed; }

    void presentError(const DocumentError& error);

    // Answers the display name of another open document that lives at a path, or nothing. Save As
    // refuses such a path: writing over a package another window reads and autosaves would lose one of
    // the two. The document's controller sets it.
    using OpenElsewhere = std::function<std::optional<QString>(const QString& path)>;
    void setOpenElsewhere(OpenElsewhere openElsewhere) { m_openElsewhere = std::move(openElsewhere); }

    // Null until one is installed. The document owns it and destroys it first of all its parts.
    DocumentUserInterface* userInterface() const { return m_userInterface.get(); }
    void setUserInterface(std::unique_ptr<DocumentUserInterface> userInterface);

signals:
    void editedChanged(bool edited);
    void filePathChanged(const QString& path);
    void displayNameChanged(const QString& name);
    void saved(const QString& path, appkit::SaveOperation operation);
    void reverted();
    void closed();

protected:
    // Reads the document at path as typeName; nothing of the document is relied on when this fails.
    virtual DocumentResult<> read(const QString& path, const QString& typeName) = 0;
    // Writes the document to path. previousPath is where it lived before (empty when untitled); for
    // Save and Autosave, path is the document's own place.
    virtual DocumentResult<> write(const QString& path, const QString& typeName, SaveOperation operation,
                                   const QString& previousPath) = 0;
    // Drops the unsaved state and reads path again. The default reads it with read().
    virtual DocumentResult<> revert(const QString& path, const QString& typeName);

    // Writes what an open editor of the document's windows holds into the document, so that a save or
    // a close does not leave it behind. The default has no editors.
    virtual void commitEditing() {}

private:
    DocumentUserInterface& userInterfaceOrUnattended();
    DocumentResult<> saveToPath(const QString& path, SaveOperation operation);
    void undoIndexChanged();
    void autosaveTimerFired();
    void emitDisplayNameIfChanged();

    QString m_filePath;
    QString m_fileType;
    DocumentType m_documentType;
    QString m_untitledName;
    QString m_lastDisplayName;
    std::unique_ptr<QUndoStack> m_undoStack;
    QTimer m_autosaveTimer;
    bool m_autosaveFailureShown = false;
    bool m_closed = false;
    OpenElsewhere m_openElsewhere;
    std::unique_ptr<DocumentUserInterface> m_userInterface;
};

} // namespace appkit
