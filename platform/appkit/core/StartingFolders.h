#pragma once

#include <QString>

// Where a file dialog starts: in the folder last used for the kind of file it asks for (documents,
// exported pictures, translation files), remembered in the application's settings so that the next run
// starts there too; else in the document's own folder; else in the home folder. A folder that is gone
// is passed over.
namespace appkit::StartingFolders {

// The folder to start a dialog for files of kind in; documentPath is the file of the document the dialog
// is for, empty for a document never saved.
QString folderFor(const QString& kind, const QString& documentPath);
// Remembers folder as the one last used for files of kind.
void remember(const QString& kind, const QString& folder);

} // namespace appkit::StartingFolders
