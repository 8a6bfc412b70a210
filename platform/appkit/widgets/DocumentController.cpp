#include "appkit/widgets/DocumentController.h"

#include "appkit/core/Document.h"
#include "appkit/widgets/DocumentWindows.h"
#include "appkit/widgets/Mnemonics.h"
#include "appkit/widgets/StandardDocumentDialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSet>
#include <QSettings>
#include <QWidget>

namespace appkit {

namespace {

const QString recentDocumentsKey = QStringLiteral("RecentDocuments");

QString canonical(const QString& path)
{
    const QFileInfo file(path);
    const QString canonicalPath = file.canonicalFilePath();
    return canonicalPath.isEmpty() ? file.absoluteFilePath() : canonicalPath;
}

} // namespace

DocumentController::DocumentController(QObject* parent)
    : QObject(parent)
    , m_dialogs(std::make_shared<StandardDocumentDialogs>())
{}

DocumentController::~DocumentController() = default;

void DocumentController::addDocumentType(DocumentType type)
{
    m_types.append(std::move(type));
}

const DocumentType* DocumentController::documentTypeNamed(const QString& name) const
{
    for (const DocumentType& type : m_types) {
        if (type.name == name)
            return &type;
    }
    return nullptr;
}

const DocumentType* DocumentController::documentTypeForPath(const QString& path) const
{
    for (const DocumentType& type : m_types) {
        if (type.matchesPath(path))
            return &type;
    }
    return nullptr;
}

void DocumentController::setDialogs(std::shared_ptr<DocumentDialogs> dialogs)
{
    m_dialogs = std::move(dialogs);
    for (const auto& document : m_documents)
        DocumentWindows::of(*document).setDialogs(m_dialogs);
}

Document* DocumentController::newDocument()
{
    if (m_types.isEmpty())
        return nullptr;
    DocumentResult<Document*> made = makeUntitledDocument(m_types.front().name);
    if (!made) {
        m_dialogs->presentError(currentWindow(), made.error());
        return nullptr;
    }
    return *made;
}

DocumentResult<Document*> DocumentController::makeUntitledDocument(const QString& typeName, bool display)
{
    const DocumentType* type = documentTypeNamed(typeName);
    if (!type || !type->makeDocument)
        return documentFailure("Documents of the type “" + typeName + "” cannot be made.");
    std::unique_ptr<Document> document = type->makeDocument();
    document->setDocumentType(*type);
    document->setUntitledName(nextUntitledName());
    document->initializeNewDocument(type->name);
    Document* added = addDocument(std::move(document));
    if (display)
        DocumentWindows::of(*added).showWindows();
    return added;
}

QList<Document*> DocumentController::openDocuments()
{
    QList<Document*> opened;
    for (const QString& path : m_dialogs->chooseDocumentsToOpen(currentWindow(), m_types)) {
        if (Document* document = openDocumentPresentingErrors(path))
            opened.append(document);
    }
    return opened;
}

Document* DocumentController::openDocumentPresentingErrors(const QString& path)
{
    DocumentResult<Document*> opened = openDocument(path);
    if (opened)
        return *opened;
    if (!QFileInfo::exists(path))
        removeRecentDocumentPath(path);
    m_dialogs->presentError(currentWindow(), opened.error());
    return nullptr;
}

DocumentResult<Document*> DocumentController::openDocument(const QString& path, bool display)
{
    if (Document* open = documentForPath(path)) {
        noteRecentDocumentPath(open->filePath());
        if (display)
            DocumentWindows::of(*open).showWindows();
        return open;
    }
    const QString name = "“" + QFileInfo(path).fileName() + "”";
    if (!QFileInfo::exists(path))
        return documentFailure("The document " + name + " could not be opened. The file “" + path +
                               "” does not exist.");
    const DocumentType* type = documentTypeForPath(path);
    if (!type || !type->makeDocument)
        return documentFailure("The document " + name + " could not be opened. Files of its kind (“" +
                               QFileInfo(path).suffix() + "”) are not documents of this application.");
    std::unique_ptr<Document> document = type->makeDocument();
    document->setDocumentType(*type);
    DocumentWindows::of(*document).setDialogs(m_dialogs);
    if (DocumentResult<> read = document->readFromPath(path, type->name); !read)
        return foundation::Unexpected<DocumentError>(read.error());
    Document* replaced = display ? replaceableDocument() : nullptr;
    Document* added = addDocument(std::move(document));
    noteRecentDocumentPath(added->filePath());
    if (display) {
        const DocumentWindows* replacedWindows = replaced ? DocumentWindows::find(*replaced) : nullptr;
        DocumentWindows::of(*added).showWindows(replacedWindows ? replacedWindows->window() : nullptr);
        // Only once the opened document is there, so that the application never has none open.
        if (replaced)
            replaced->close();
    }
    return added;
}

Document* DocumentController::replaceableDocument() const
{
    if (m_documents.size() != 1)
        return nullptr;
    Document* only = m_documents.front().get();
    const bool untouched = !only->isEdited() && only->undoStack()->count() == 0;
    return only->isUntitled() && untouched && !only->isClosed() ? only : nullptr;
}

QList<Document*> DocumentController::documents() const
{
    QList<Document*> list;
    for (const auto& document : m_documents)
        list.append(document.get());
    return list;
}

Document* DocumentController::documentForPath(const QString& path) const
{
    const QString wanted = canonical(path);
    for (const auto& document : m_documents) {
        if (!document->isUntitled() && canonical(document->filePath()) == wanted)
            return document.get();
    }
    return nullptr;
}

Document* DocumentController::currentDocument() const
{
    const QWidget* active = QApplication::activeWindow();
    if (!active)
        return nullptr;
    for (const auto& document : m_documents) {
        const DocumentWindows* windows = DocumentWindows::find(*document);
        if (windows && !windows->windowControllers().isEmpty() && windows->window() == active)
            return document.get();
    }
    return nullptr;
}

QWidget* DocumentController::currentWindow() const
{
    const Document* document = currentDocument();
    const DocumentWindows* windows = document ? DocumentWindows::find(*document) : nullptr;
    return windows ? windows->window() : nullptr;
}

Document* DocumentController::addDocument(std::unique_ptr<Document> document)
{
    Document* added = document.get();
    DocumentWindows::of(*added).setDialogs(m_dialogs);
    added->setOpenElsewhere([this, added](const QString& path) -> std::optional<QString> {
        const Document* open = documentForPath(path);
        if (!open || open == added)
            return std::nullopt;
        return open->displayName();
    });
    connect(added, &Document::closed, this, [this, added] { documentClosed(added); });
    connect(added, &Document::saved, this, [this](const QString& path, SaveOperation operation) {
        if (operation == SaveOperation::saveAs)
            noteRecentDocumentPath(path);
    });
    m_documents.push_back(std::move(document));
    emit documentAdded(added);
    return added;
}

void DocumentController::documentClosed(Document* document)
{
    auto it = std::find_if(m_documents.begin(), m_documents.end(),
                           [document](const auto& owned) { return owned.get() == document; });
    if (it == m_documents.end())
        return;
    // The document may be closing from inside one of its own calls; it is deleted once that is over.
    it->release()->deleteLater();
    m_documents.erase(it);
    emit documentRemoved(document);
}

bool DocumentController::hasEditedDocuments() const
{
    return std::any_of(m_documents.begin(), m_documents.end(),
                       [](const auto& document) { return document->isEdited(); });
}

bool DocumentController::closeAllDocuments()
{
    for (Document* document : documents()) {
        if (!document->close())
            return false;
    }
    return true;
}

QString DocumentController::nextUntitledName() const
{
    QStringList taken;
    for (const auto& document : m_documents) {
        if (document->isUntitled())
            taken.append(document->displayName());
    }
    if (!taken.contains("Untitled"))
        return QStringLiteral("Untitled");
    for (int number = 2;; ++number) {
        QString name = "Untitled " + QString::number(number);
        if (!taken.contains(name))
            return name;
    }
}

QStringList DocumentController::recentDocumentPaths() const
{
    return QSettings().value(recentDocumentsKey).toStringList();
}

void DocumentController::writeRecentDocumentPaths(const QStringList& paths)
{
    QSettings settings;
    if (paths.isEmpty())
        settings.remove(recentDocumentsKey);
    else
        settings.setValue(recentDocumentsKey, paths);
    emit recentDocumentsChanged();
}

void DocumentController::noteRecentDocumentPath(const QString& path)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    QStringList paths = recentDocumentPaths();
    paths.removeAll(absolutePath);
    paths.prepend(absolutePath);
    while (paths.size() > maximumRecentDocumentCount)
        paths.removeLast();
    writeRecentDocumentPaths(paths);
}

void DocumentController::removeRecentDocumentPath(const QString& path)
{
    QStringList paths = recentDocumentPaths();
    if (paths.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        writeRecentDocumentPaths(paths);
}

void DocumentController::clearRecentDocuments()
{
    writeRecentDocumentPaths({});
}

void DocumentController::fillOpenRecentMenu(QMenu* menu)
{
    menu->clear();
    const QString clearText = QStringLiteral("Clear &Menu");
    QSet<QChar> taken{Mnemonics::of(clearText)};
    for (const QString& path : recentDocumentPaths()) {
        if (!QFileInfo::exists(path))
            continue;
        QAction* action = menu->addAction(Mnemonics::marked(QFileInfo(path).fileName(), taken));
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { openDocumentPresentingErrors(path); });
    }
    menu->addSeparator();
    QAction* clear = menu->addAction(clearText);
    clear->setEnabled(!recentDocumentPaths().isEmpty());
    connect(clear, &QAction::triggered, this, &DocumentController::clearRecentDocuments);
}

} // namespace appkit
