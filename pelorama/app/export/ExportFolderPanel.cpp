#include "app/export/ExportFolderPanel.h"

#include "appkit/core/StartingFolders.h"
#include "appkit/widgets/OpenPanel.h"

#include <QFileInfo>

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

void startInFolderFor(appkit::OpenPanel& panel, const char* kind, const QString& documentPath)
{
    panel.setDirectory(appkit::StartingFolders::folderFor(QString::fromLatin1(kind), documentPath));
}

void rememberFolderOf(const char* kind, const QString& path)
{
    const QFileInfo chosen(path);
    appkit::StartingFolders::remember(QString::fromLatin1(kind),
                                      chosen.isDir() ? chosen.absoluteFilePath() : chosen.absolutePath());
}

} // namespace pelorama::app
