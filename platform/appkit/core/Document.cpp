#include "appkit/core/Document.h"

#include "appkit/core/StartingFolders.h"
#include "foundation/Diagnostics.h"

#include <QDir>
#include <QFileInfo>

namespace appkit {

namespace {

constexpr std::chrono::milliseconds defaultAutosaveDelay{15000};

// The kind of file whose folder Save As remembers (StartingFolders).
constexpr const char* documentsFolderKind = "Documents";

QString absolute(const QString& path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

QString quotedName(const QString& name)
{
    return "“" + name + "”";
}

// Stands in while no user interface is installed: nothing is asked, so nothing is saved elsewhere,
// reverted or closed with unsaved changes, and errors are still reported.
class UnattendedUserInterface : public DocumentUserInterface
{
public:
    QString chooseSaveLocation(const DocumentType&, const QString&) override { return {}; }
    UnsavedChangesAnswer askToSaveChanges(const QString&) override { return UnsavedChangesAnswer::cancel; }
    bool confirmRevert(const QString&) override { return false; }
    void presentError(const DocumentError& error) override { foundation::warning(error.message()); }
};

} // namespace

Document::Document(QObject* parent)
    : QObject(parent)
    , m_undoStack(std::make_unique<QUndoStack>())
{
    m_lastDisplayName = displayName();
    m_autosaveTimer.setSingleShot(true);
    m_autosaveTimer.setInterval(defaultAutosaveDelay);
    connect(&m_autosaveTimer, &QTimer::timeout, this, &Document::autosaveTimerFired);
    connect(m_undoStack.get(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit editedChanged(!clean); });
    connect(m_undoStack.get(), &QUndoStack::indexChanged, this, &Document::undoIndexChanged);
}

Document::~Document()
{
    // The user interface goes first: its windows may still refer to the rest of the document.
    m_userInterface.reset();
}

void Document::setFilePath(const QString& path)
{
    const QString absolutePath = absolute(path);
    if (absolutePath == m_filePath)
        return;
    m_filePath = absolutePath;
    emit filePathChanged(m_filePath);
    emitDisplayNameIfChanged();
}

void Document::setDocumentType(DocumentType type)
{
    m_documentType = std::move(type);
    if (m_fileType.isEmpty())
        m_fileType = m_documentType.name;
}

QString Document::displayName() const
{
    if (!m_filePath.isEmpty()) {
        const QFileInfo file(m_filePath);
        return m_documentType.matchesPath(m_filePath) ? file.completeBaseName() : file.fileName();
    }
    return m_untitledName.isEmpty() ? QStringLiteral("Untitled") : m_untitledName;
}

void Document::setUntitledName(const QString& name)
{
    m_untitledName = name;
    emitDisplayNameIfChanged();
}

void Document::emitDisplayNameIfChanged()
{
    const QString name = displayName();
    if (name == m_lastDisplayName)
        return;
    m_lastDisplayName = name;
    emit displayNameChanged(name);
}

void Document::initializeNewDocument(const QString& typeName)
{
    m_fileType = typeName;
}

DocumentResult<> Document::readFromPath(const QString& path, const QString& typeName)
{
    const QString absolutePath = absolute(path);
    if (DocumentResult<> result = read(absolutePath, typeName); !result)
        return documentFailure("The document " + quotedName(QFileInfo(absolutePath).fileName()) +
                               " could not be opened. " + result.error().message());
    m_fileType = typeName;
    setFilePath(absolutePath);
    m_undoStack->clear();
    return {};
}

DocumentResult<> Document::save()
{
    if (isUntitled())
        return documentFailure("The document " + quotedName(displayName()) +
                               " has not been saved before; choose where to save it.");
    return saveToPath(m_filePath, SaveOperation::save);
}

DocumentResult<> Document::saveAs(const QString& path)
{
    const QString absolutePath = absolute(path);
    if (absolutePath.isEmpty())
        return documentFailure("The document " + quotedName(displayName()) +
                               " could not be saved: no place was given.");
    if (absolutePath == m_filePath)
        return saveToPath(m_filePath, SaveOperation::save);
    if (m_openElsewhere)
        if (const std::optional<QString> other = m_openElsewhere(absolutePath))
            return documentFailure("The document " + quotedName(displayName()) +
                                   " could not be saved. The document " + quotedName(*other) +
                                   " is open in another window at that place; close it first and try again.");
    return saveToPath(absolutePath, SaveOperation::saveAs);
}

DocumentResult<> Document::autosave()
{
    if (!autosavesInPlace() || isUntitled() || !isEdited())
        return {};
    return saveToPath(m_filePath, SaveOperation::autosave);
}

DocumentResult<> Document::saveToPath(const QString& path, SaveOperation operation)
{
    if (DocumentResult<> result = write(path, m_fileType, operation, m_filePath); !result)
        return documentFailure("The document " + quotedName(displayName()) + " could not be saved. " +
                               result.error().message());
    m_autosaveTimer.stop();
    m_autosaveFailureShown = false;
    setFilePath(path);
    m_undoStack->setClean();
    emit saved(m_filePath, operation);
    return {};
}

DocumentResult<> Document::revertToSaved()
{
    if (isUntitled())
        return documentFailure("The document " + quotedName(displayName()) +
                               " has never been saved, so there is nothing to revert to.");
    if (DocumentResult<> result = revert(m_filePath, m_fileType); !result)
        return documentFailure("The document " + quotedName(displayName()) + " could not be reverted. " +
                               result.error().message());
    m_autosaveTimer.stop();
    m_undoStack->clear();
    emit reverted();
    return {};
}

DocumentResult<> Document::revert(const QString& path, const QString& typeName)
{
    return read(path, typeName);
}

std::chrono::milliseconds Document::autosaveDelay() const
{
    return m_autosaveTimer.intervalAsDuration();
}

void Document::setAutosaveDelay(std::chrono::milliseconds delay)
{
    m_autosaveTimer.setInterval(delay);
}

void Document::undoIndexChanged()
{
    // The timer runs from the first unsaved change, so a stream of edits cannot put the save off.
    if (isEdited() && !isUntitled() && autosavesInPlace() && !m_closed && !m_autosaveTimer.isActive())
        m_autosaveTimer.start();
}

void Document::autosaveTimerFired()
{
    DocumentResult<> result = autosave();
    // One message per failing streak: a folder that became read-only would otherwise interrupt every
    // edit. The changes stay in memory and the document stays edited.
    if (!result && !m_autosaveFailureShown) {
        m_autosaveFailureShown = true;
        presentError(result.error());
    }
}

bool Document::saveDocument()
{
    commitEditing();
    if (isUntitled())
        return saveDocumentAs();
    if (DocumentResult<> result = save(); !result) {
        presentError(result.error());
        return false;
    }
    return true;
}

bool Document::saveDocumentAs()
{
    commitEditing();
    const QString extension = m_documentType.preferredExtension();
    const QString name = isUntitled() ? displayName() + (extension.isEmpty() ? QString() : "." + extension)
                                      : QFileInfo(m_filePath).fileName();
    const QString folder = StartingFolders::folderFor(QString::fromLatin1(documentsFolderKind), m_filePath);
    QString path =
        userInterfaceOrUnattended().chooseSaveLocation(m_documentType, QDir(folder).filePath(name));
    if (path.isEmpty())
        return false;
    if (!extension.isEmpty() && !m_documentType.matchesPath(path))
        path += "." + extension;
    if (DocumentResult<> result = saveAs(path); !result) {
        presentError(result.error());
        return false;
    }
    StartingFolders::remember(QString::fromLatin1(documentsFolderKind), QFileInfo(path).absolutePath());
    return true;
}

bool Document::revertDocumentToSaved()
{
    if (isUntitled() || !userInterfaceOrUnattended().confirmRevert(displayName()))
        return false;
    if (DocumentResult<> result = revertToSaved(); !result) {
        presentError(result.error());
        return false;
    }
    return true;
}

bool Document::canClose()
{
    commitEditing();
    if (!isEdited())
        return true;
    bool autosaveFailed = false;
    if (autosavesInPlace() && !isUntitled()) {
        DocumentResult<> result = autosave();
        if (result)
            return true;
        presentError(result.error());
        autosaveFailed = true;
    }
    switch (userInterfaceOrUnattended().askToSaveChanges(displayName())) {
    case DocumentUserInterface::UnsavedChangesAnswer::save:
        // Where saving in place has just failed, saving again there would fail again.
        return autosaveFailed ? saveDocumentAs() : saveDocument();
    case DocumentUserInterface::UnsavedChangesAnswer::dontSave:
        return true;
    case DocumentUserInterface::UnsavedChangesAnswer::cancel:
        return false;
    }
    return false;
}

bool Document::close()
{
    if (m_closed)
        return true;
    if (!canClose())
        return false;
    closeWithoutAsking();
    return true;
}

void Document::closeWithoutAsking()
{
    if (m_closed)
        return;
    m_closed = true;
    m_autosaveTimer.stop();
    if (m_userInterface)
        m_userInterface->documentDidClose();
    emit closed();
}

void Document::presentError(const DocumentError& error)
{
    userInterfaceOrUnattended().presentError(error);
}

void Document::setUserInterface(std::unique_ptr<DocumentUserInterface> userInterface)
{
    m_userInterface = std::move(userInterface);
}

DocumentUserInterface& Document::userInterfaceOrUnattended()
{
    if (m_userInterface)
        return *m_userInterface;
    static UnattendedUserInterface unattended;
    return unattended;
}

} // namespace appkit
