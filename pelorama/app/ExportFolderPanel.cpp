#include "app/ExportFolderPanel.h"

#include "appkit/OpenPanel.h"

namespace pelorama::app {

appkit::OpenPanel* makeExportFolderPanel(const QString& title)
{
    auto* panel = new appkit::OpenPanel;
    panel->setWindowTitle(title);
    panel->setPrompt(QStringLiteral("Export Here"));
    panel->setCanChooseFiles(false);
    panel->setCanChooseDirectories(true);
    panel->setAllowsMultipleSelection(false);
    panel->setCanCreateDirectories(true);
    return panel;
}

} // namespace pelorama::app
