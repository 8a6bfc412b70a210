#include "app/AppDelegate.h"

#include "app/AcknowledgementsWindowController.h"
#include "app/ActionAlertBox.h"
#include "app/Document.h"
#include "model/devices/CryptoPngRep.h"
#include "resources/DeviceResources.h"
#include "templates/Template.h"
#include "tessaline/Shared/App.h"
#include "tessaline/Tessaline/AboutWindowController.h"

#include <QApplication>
#include <QDesktopServices>
#include <QSettings>
#include <QTimer>
#include <mutex>

namespace pelorama::app {
namespace {

constexpr auto defaultWebsite = "http://www.quillory.example/pelorama/";

} // namespace

AppDelegate::AppDelegate()
    : m_urlOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , m_previewRenderer(&templates::Template::renderPreviewImages)
{
    m_documentController.addDocumentType(Document::documentType(this));
    // The menus live in the document windows, so without one nothing would be left to quit with: the
    // application ends when its last document has closed (after its unsaved-changes question).
    connect(&m_documentController, &appkit::DocumentController::documentRemoved, this, [this] {
        if (m_documentController.documents().isEmpty())
            QCoreApplication::quit();
    });
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::initializeClass()
{
    static std::once_flag initialized;
    std::call_once(initialized, [] {
        resources::initialize();
        model::CryptoPngRep::registerDecoder();
    });
}

void AppDelegate::openInitialDocuments(const QStringList& paths)
{
    int opened = 0;
    for (const QString& path : paths) {
        if (m_documentController.openDocumentPresentingErrors(path))
            ++opened;
    }
    if (opened == 0)
        m_documentController.newDocument();
}

void AppDelegate::applicationDidFinishLaunching()
{
    QTimer::singleShot(0, this, [this] {
        if (m_previewRenderer)
            m_previewRendering = m_previewRenderer();
    });
}

QUrl AppDelegate::websiteUrl()
{
    QString address = qEnvironmentVariable(websiteEnvironmentVariable);
    if (address.isEmpty())
        address = QSettings().value(QString::fromLatin1(websiteSettingKey)).toString();
    QUrl url(address, QUrl::StrictMode);
    if (address.isEmpty() || !url.isValid() || url.scheme().isEmpty())
        url = QUrl(QString::fromLatin1(defaultWebsite));
    return url;
}

void AppDelegate::newDocument()
{
    m_documentController.newDocument();
}

void AppDelegate::openDocuments()
{
    m_documentController.openDocuments();
}

void AppDelegate::fillOpenRecentMenu(QMenu* menu)
{
    m_documentController.fillOpenRecentMenu(menu);
}

void AppDelegate::quit()
{
    if (m_documentController.closeAllDocuments())
        QCoreApplication::quit();
}

void AppDelegate::showWebsite()
{
    const QUrl url = websiteUrl();
    if (!m_urlOpener || m_urlOpener(url))
        return;
    runActionAlert({QStringLiteral("The web site could not be opened"),
                    QStringLiteral("No web browser could be started. The address is “") + url.toString() +
                        QStringLiteral("”.")},
                   QApplication::activeWindow());
}

void AppDelegate::showAcknowledgements(QObject*)
{
    if (!m_acknowledgementsWindowController)
        m_acknowledgementsWindowController = std::make_unique<AcknowledgementsWindowController>();
    if (!m_acknowledgementsWindowController->window())
        return;
    m_acknowledgementsWindowController->showWindow();
}

void AppDelegate::showAbout()
{
    tessaline::AboutWindowController::show();
}

} // namespace pelorama::app
