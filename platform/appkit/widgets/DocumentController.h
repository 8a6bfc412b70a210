#pragma once

#include "appkit/core/DocumentError.h"
#include "appkit/core/DocumentType.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class QMenu;
class QWidget;

namespace appkit {

class Document;
class DocumentDialogs;

// The application's documents: the File menu's New, Open… and Open Recent, the list of open documents,
// and closing them all at quit. It owns its documents and deletes each one once it has closed.
//
// The recent documents are kept in QSettings (the application's own) under "RecentDocuments", newest
// first, at most maximumRecentDocumentCount of them.
class DocumentController : public QObject
{
    Q_OBJECT

public:
    static constexpr int maximumRecentDocumentCount = 10;

    explicit DocumentController(QObject* parent = nullptr);
    ~DocumentController() override;

    // The first type added is the one New makes.
    void addDocumentType(DocumentType type);
    const QList<DocumentType>& documentTypes() const { return m_types; }
    const DocumentType* documentTypeNamed(const QString& name) const;
    const DocumentType* documentTypeForPath(const QString& path) const;

    // The dialogs of the controller and of every document it holds.
    DocumentDialogs& dialogs() const { return *m_dialogs; }
    void setDialogs(std::shared_ptr<DocumentDialogs> dialogs);

    // New: an untitled document of the first type, with its windows shown.
    Document* newDocument();
    // Open…: asks for documents and opens each; failures are presented. Answers the documents opened.
    QList<Document*> openDocuments();
    // Opens the document at path, or brings it forward when it is open already. Failures are presented
    // and a missing recent document leaves the recent list.
    Document* openDocumentPresentingErrors(const QString& path);
    // Where the only open document is an untitled one nothing was done in yet (a new window as it came),
    // a document opened with its windows shown takes its place: the untouched one closes, and the opened
    // one's window stands where its window stood.

    // The same without dialogs: errors are returned and windows are shown only when display is true.
    DocumentResult<Document*> makeUntitledDocument(const QString& typeName, bool display = true);
    DocumentResult<Document*> openDocument(const QString& path, bool display = true);

    QList<Document*> documents() const;
    // The open document that lives at path (compared as canonical paths), or null.
    Document* documentForPath(const QString& path) const;
    // The document of the active window, or null.
    Document* currentDocument() const;
    Document* addDocument(std::unique_ptr<Document> document);
    bool hasEditedDocuments() const;
    // Closes every document as its window's close button would; stops at the first the user keeps open.
    bool closeAllDocuments();

    QStringList recentDocumentPaths() const;
    void noteRecentDocumentPath(const QString& path);
    void removeRecentDocumentPath(const QString& path);
    void clearRecentDocuments();
    // Fills menu with one entry per recent document that still exists, and "Clear Menu".
    void fillOpenRecentMenu(QMenu* menu);

signals:
    void documentAdded(appkit::Document* document);
    void documentRemoved(appkit::Document* document);
    void recentDocumentsChanged();

private:
    // The untouched untitled document an opened one replaces, if any.
    Document* replaceableDocument() const;
    void documentClosed(Document* document);
    // The window of currentDocument(), the parent of the controller's own dialogs.
    QWidget* currentWindow() const;
    QString nextUntitledName() const;
    void writeRecentDocumentPaths(const QStringList& paths);

    QList<DocumentType> m_types;
    std::shared_ptr<DocumentDialogs> m_dialogs;
    std::vector<std::unique_ptr<Document>> m_documents;
};

} // namespace appkit
