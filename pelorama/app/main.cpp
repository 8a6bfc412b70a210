#include "app/AppDelegate.h"
#include "tessaline/Tessaline/Application.h"

#include <QTimer>

int main(int argc, char** argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Quillory"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("quillory.com"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelorama"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillory.Pelorama"));
    tessaline::Application application(argc, argv);

    pelorama::app::AppDelegate delegate;
    delegate.openInitialDocuments(application.arguments().mid(1));
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &delegate,
                     [&delegate] { delegate.applicationWillTerminate(); });
    return application.exec();
}
