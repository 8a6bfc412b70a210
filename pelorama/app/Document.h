#pragma once

#include "appkit/core/DocumentType.h"
#include "document/DocumentPackage.h"
#include "foundation/Expected.h"

#include <QPointer>
#include <memory>

namespace appkit {
class DocumentWindows;
} // namespace appkit

namespace pelorama::document {
class ScreenshotArrangement;
} // namespace pelorama::document

namespace pelorama::model {
class DocumentSelection;
} // namespace pelorama::model

namespace pelorama::app {

class ApplicationCommands;
class DocumentLock;
class DocumentWindow;
class DocumentWindowController;
class ScreenshotListModel;

// A Pelorama document in its windows: the package (its screenshots and "Metadata") with its undo history.
// It holds what its windows show and change: the screenshots in list order and
// the user's selection. Its window (DocumentWindow) holds the panes and the commands.
class Document : public document::DocumentPackage
{
    Q_OBJECT

public:
    // The type of Pelorama documents: "Pelorama Document", packages named *.pelorama. applicationCommands
    // (may be null) gives every window the application's menu commands.
    static appkit::DocumentType documentType(ApplicationCommands* applicationCommands = nullptr);

    explicit Document(ApplicationCommands* applicationCommands = nullptr);
    ~Document() override;

    // The screenshots in list order, through which the edit actions select and remove.
    document::ScreenshotArrangement& arrangement() const { return *m_arrangement; }
    // The arrangement as rows for the list view.
    ScreenshotListModel& screenshotList() const { return *m_screenshotList; }
    model::DocumentSelection& selection() const { return *m_selection; }

    // The document's windows, and the window its own controller makes on first use (null once the
    // windows have closed).
    appkit::DocumentWindows& windows();
    DocumentWindow* documentWindow();

    // A new document: no undo history, and "Metadata" with "FileVersion" 1 and "AppVersion".
    void initializeNewDocument(const QString& typeName) override;
    // The lock moves along to the package's new place (DocumentLock).
    void setFilePath(const QString& path) override;

protected:
    // A package another Pelorama process has open is not read: "It is open in another Pelorama window."
    // The arrangement takes in the screenshots of the store read.
    appkit::DocumentResult<> read(const QString& path, const QString& typeName) override;
    appkit::DocumentResult<> revert(const QString& path, const QString& typeName) override;
    // Save As does not write over a package another Pelorama process has open, which would autosave
    // over what is written or show what it no longer holds: "It is open in another Pelorama window."
    // The package's lock is taken before it is written.
    appkit::DocumentResult<> write(const QString& path, const QString& typeName,
                                   appkit::SaveOperation operation, const QString& previousPath) override;
    void commitEditing() override;

private:
    // The lock of the package at path: none when this document holds it already, why not when another
    // process holds it.
    foundation::Expected<std::unique_ptr<DocumentLock>, QString> lockFor(const QString& path) const;
    // Locks the package at path unless this document holds its lock already; why not when another
    // process holds it.
    appkit::DocumentResult<> lock(const QString& path);

    // Held while the document lives in a package, so that no other Pelorama process opens it.
    std::unique_ptr<DocumentLock> m_lock;
    // The selection outlives the arrangement, which keeps it on screenshots that exist.
    std::unique_ptr<model::DocumentSelection> m_selection;
    std::unique_ptr<document::ScreenshotArrangement> m_arrangement;
    std::unique_ptr<ScreenshotListModel> m_screenshotList;
    // Kept by the document's windows, which destroy it when they close.
    QPointer<DocumentWindowController> m_windowController;
};

} // namespace pelorama::app
