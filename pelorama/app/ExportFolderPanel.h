#pragma once

#include <QString>

namespace appkit {
class OpenPanel;
} // namespace appkit

namespace pelorama::app {

// The panel that asks for the folder an export writes into, titled title, with "Export Here" on its
// button; the user may make a new folder in it. The panel deletes itself once
// appkit::OpenPanel::beginSheetModal has called its completion.
appkit::OpenPanel* makeExportFolderPanel(const QString& title);

} // namespace pelorama::app
