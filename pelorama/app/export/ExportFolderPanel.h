#pragma once

#include <QString>

namespace appkit {
class OpenPanel;
} // namespace appkit

namespace pelorama::app {

// The kinds of file whose folder the panels remember (appkit::StartingFolders): exported pictures, and
// translation files going out and coming in.
inline constexpr const char* picturesFolderKind = "Pictures";
inline constexpr const char* translationsFolderKind = "Translations";

// The panel that asks for the folder an export writes into, titled title, with "Export Here" on its
// button; the user may make a new folder in it. The panel deletes itself once
// appkit::OpenPanel::beginSheetModal has called its completion.
appkit::OpenPanel* makeExportFolderPanel(const QString& title);

// Starts panel in the folder last used for files of kind, else in that of the document at documentPath
// (empty for one never saved), else in the home folder.
void startInFolderFor(appkit::OpenPanel& panel, const char* kind, const QString& documentPath);
// Remembers the folder of path, or path itself when it is a folder, as the one last used for kind.
void rememberFolderOf(const char* kind, const QString& path);

} // namespace pelorama::app
