#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/ExportCommand.h"
#include "app/ExportProgressPrinter.h"
#include "tessaline/Tessaline/Application.h"

#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

using pelorama::app::AppDelegate;
using pelorama::app::CommandLine;

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    return arguments;
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int openDocuments(int argc, char** argv, const QStringList& documents)
{
    tessaline::Application application(argc, argv);
    AppDelegate::initializeClass();
    AppDelegate delegate;
    delegate.openInitialDocuments(documents);
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &delegate,
                     [&delegate] { delegate.applicationWillTerminate(); });
    return application.exec();
}

int exportDocuments(int argc, char** argv, const CommandLine& commandLine)
{
    // A build machine has no display; where there is one, nothing is shown on it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    tessaline::Application application(argc, argv);
    AppDelegate::initializeClass();
    pelorama::app::ExportProgressPrinter printer(stderr, isatty(STDERR_FILENO) == 1);
    pelorama::app::ExportCommand command({commandLine.exportDirectory, commandLine.documents,
                                          commandLine.screenshotNames, commandLine.languages});
    QObject::connect(&command, &pelorama::app::ExportCommand::started, &command,
                     [&printer](int total) { printer.begin(total); });
    QObject::connect(&command, &pelorama::app::ExportCommand::fileWritten, &command,
                     [&printer](int done, int total, const QString& fileName) {
                         printer.fileWritten(done, total, fileName);
                     });
    QObject::connect(&command, &pelorama::app::ExportCommand::failed, &command,
                     [&printer](const QString& message) { printer.failed(message); });
    QObject::connect(&command, &pelorama::app::ExportCommand::finished, &command, [&printer](int status) {
        printer.finish();
        QCoreApplication::exit(status);
    });
    command.start();
    return application.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Quillory"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("quillory.com"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelorama"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillory.Pelorama"));

    const CommandLine commandLine = CommandLine::parse(argumentsOf(argc, argv));
    switch (commandLine.action) {
    case CommandLine::Action::showHelp:
        print(stdout, CommandLine::helpText());
        return 0;
    case CommandLine::Action::showVersion:
        print(stdout, CommandLine::versionText());
        return 0;
    case CommandLine::Action::refuse:
        print(stderr, QStringLiteral("pelorama: ") + commandLine.error + '\n' + CommandLine::usageHint());
        return 2;
    case CommandLine::Action::exportDocuments:
        return exportDocuments(argc, argv, commandLine);
    case CommandLine::Action::openDocuments:
        break;
    }
    return openDocuments(argc, argv, commandLine.documents);
}
