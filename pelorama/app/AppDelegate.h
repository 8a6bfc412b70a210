#pragma once

#include "app/ApplicationCommands.h"
#include "appkit/widgets/DocumentController.h"

#include <QFuture>
#include <QObject>
#include <QUrl>
#include <functional>
#include <memory>

namespace pelorama::app {

class AcknowledgementsWindowController;

// The application's delegate, one per process: it makes the document controller with the Pelorama
// document type, starts rendering the template previews once launching has finished, carries the
// application's commands (new, open, quit, web site, acknowledgements, about) and quits the application
// once its last document has closed. A web site no browser could be started for is named in an alert.
class AppDelegate : public QObject, public ApplicationCommands
{
    Q_OBJECT

public:
    // Setting and environment variable that choose the web site; the built-in address serves otherwise.
    static constexpr const char* websiteSettingKey = "Website/url";
    static constexpr const char* websiteEnvironmentVariable = "PELORAMA_WEBSITE_URL";

    AppDelegate();
    ~AppDelegate() override;

    // Registers what images need before the first image loads or the first document opens: the device
    // resources and the sealed pictures' decoder (each window's inspector builds its own editors). Start-up
    // calls it once the application object exists, whatever the program goes on to do (open windows or
    // export); only the first call of the process registers.
    static void initializeClass();

    appkit::DocumentController& documentController() { return m_documentController; }

    // Opens the documents at paths, or a new document when there are none.
    void openInitialDocuments(const QStringList& paths);
    // Queues the rendering of the template previews on the event loop.
    void applicationDidFinishLaunching();
    void applicationWillTerminate() {}
    const QFuture<void>& previewRendering() const { return m_previewRendering; }
    // What starts the previews' rendering; the templates' own by default.
    void setPreviewRenderer(std::function<QFuture<void>()> renderer)
    {
        m_previewRenderer = std::move(renderer);
    }

    static QUrl websiteUrl();
    // How the web site is opened, answering whether a browser took it; the desktop's browser by default.
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { m_urlOpener = std::move(opener); }

    AcknowledgementsWindowController* acknowledgementsWindowController() const
    {
        return m_acknowledgementsWindowController.get();
    }

    void newDocument() override;
    void openDocuments() override;
    void fillOpenRecentMenu(QMenu* menu) override;
    void quit() override;
    void showWebsite() override;
    void showAcknowledgements(QObject* sender) override;
    void showAbout() override;

private:
    appkit::DocumentController m_documentController;
    std::unique_ptr<AcknowledgementsWindowController> m_acknowledgementsWindowController;
    std::function<bool(const QUrl&)> m_urlOpener;
    std::function<QFuture<void>()> m_previewRenderer;
    QFuture<void> m_previewRendering;
};

} // namespace pelorama::app
