#pragma once

#include "appkit/core/DocumentError.h"
#include "appkit/core/DocumentType.h"

#include <QString>

namespace appkit {

// What a document asks and tells its user. The document knows no windows: the widget layer installs an
// implementation on every document it shows (DocumentWindows: dialogs over the document's window), and
// tests install answers of their own.
class DocumentUserInterface
{
public:
    enum class UnsavedChangesAnswer
    {
        save,
        dontSave,
        cancel
    };

    virtual ~DocumentUserInterface() = default;

    // Where to save a document of type, starting at suggestedPath; empty when the user cancelled.
    virtual QString chooseSaveLocation(const DocumentType& type, const QString& suggestedPath) = 0;
    virtual UnsavedChangesAnswer askToSaveChanges(const QString& documentName) = 0;
    virtual bool confirmRevert(const QString& documentName) = 0;
    virtual void presentError(const DocumentError& error) = 0;
    // The document has closed: whatever shows it goes. Called before the document emits closed().
    virtual void documentDidClose() {}
};

} // namespace appkit
