#pragma once

#include "appkit/DocumentType.h"
#include "manageddocument/ManagedDocument.h"
#include "manageddocument/PropertyListResource.h"

#include <memory>

namespace appkit {
class DocumentWindows;
} // namespace appkit

namespace pelorama::model {
class DocumentSelection;
} // namespace pelorama::model

namespace pelorama::app {

class ApplicationCommands;
class DocumentWindow;
class ScreenshotListModel;

// A Pelorama document: a package holding the store of its screenshots and the "Metadata" property list,
// with its undo history. It holds what its windows show and change: the screenshots in list order and
// the user's selection. Its window (DocumentWindow) holds the panes and the commands.
class Document : public manageddocument::ManagedDocument
{
    Q_OBJECT

public:
    // The type of Pelorama documents: "Pelorama Document", packages named *.pelorama. applicationCommands
    // (may be null) gives every window the application's menu commands.
    static appkit::DocumentType documentType(ApplicationCommands* applicationCommands = nullptr);
    static QString typeName();

    explicit Document(ApplicationCommands* applicationCommands = nullptr);
    ~Document() override;

    const manageddocument::PropertyListResource& metadata() const { return m_metadata; }
    ScreenshotListModel& screenshotList() const { return *m_screenshotList; }
    model::DocumentSelection& selection() const { return *m_selection; }

    // The document's windows, and the first of them, made on first use.
    appkit::DocumentWindows& windows();
    DocumentWindow* documentWindow();

    // A new document: no undo history, and "Metadata" with "FileVersion" 1 and "AppVersion".
    void initializeNewDocument(const QString& typeName) override;

protected:
    std::vector<manageddocument::PackageResource*> createResources() override;
    // The list takes in the screenshots of the store read.
    appkit::DocumentResult<> read(const QString& path, const QString& typeName) override;
    appkit::DocumentResult<> revert(const QString& path, const QString& typeName) override;
    void commitEditing() override;

private:
    manageddocument::PropertyListResource m_metadata{QStringLiteral("Metadata")};
    // The selection outlives the list, which keeps it on screenshots that exist.
    std::unique_ptr<model::DocumentSelection> m_selection;
    std::unique_ptr<ScreenshotListModel> m_screenshotList;
};

} // namespace pelorama::app
