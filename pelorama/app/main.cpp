#include "app/AppDelegate.h"
#include "app/export/CommandLine.h"
#include "app/export/ExportCommand.h"
#include "app/export/ExportProgressPrinter.h"
#include "model/rendering/RenderResources.h"
#include "tessaline/Tessaline/Application.h"

#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using pelorama::app::AppDelegate;
using pelorama::app::CommandLine;

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Whether Qt is told which platform to use, in the environment or by its own option before "--".
bool platformIsNamed(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument(argv[index]);
        if (argument == "-platform" || argument == "--platform")
            return true;
    }
    return false;
}

// Whether the arguments meant for the program and Qt (those before "--") ask for an export, which opens no
// window. A value of --screenshot or --language that reads "--export" asks for none, and leaves the command
// line refused: those options need --export.
bool asksForExport(std::span<char* const> arguments)
{
    return std::any_of(arguments.begin(), arguments.end(), [](const char* argument) {
        const std::string_view text(argument);
        return text == "--export" || text.starts_with("--export=");
    });
}

// Whether argument is one that only a widget application takes for itself (with its value, when taking
// next is true): Qt reads "--style" as "-style".
bool isWidgetOption(std::string_view argument, bool& takesNext)
{
    if (argument.starts_with("--"))
        argument.remove_prefix(1);
    takesNext = argument == "-style" || argument == "-stylesheet";
    return takesNext || argument == "-widgetcount" || argument.starts_with("-style=") ||
           argument.starts_with("-stylesheet=");
}

// arguments without the options only a widget application takes, which it would have taken out itself, so
// that the command line means the same with or without widgets.
std::vector<char*> withoutWidgetOptions(const std::vector<char*>& arguments)
{
    std::vector<char*> kept;
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        bool takesNext = false;
        if (argument != arguments.begin() && *argument && isWidgetOption(*argument, takesNext)) {
            if (takesNext && std::next(argument) != arguments.end() && *std::next(argument))
                ++argument;
            continue;
        }
        kept.push_back(*argument);
    }
    return kept;
}

int openDocuments(const QStringList& documents)
{
    AppDelegate::initializeClass();
    AppDelegate delegate;
    delegate.openInitialDocuments(documents);
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &delegate,
                     [&delegate] { delegate.applicationWillTerminate(); });
    return QCoreApplication::exec();
}

int exportDocuments(const CommandLine& commandLine)
{
    AppDelegate::initializeClass();
    pelorama::app::ExportProgressPrinter printer(stderr, isatty(STDERR_FILENO) == 1);
    pelorama::app::ExportCommand command({commandLine.exportDirectory, commandLine.documents,
                                          commandLine.screenshotNames, commandLine.languages},
                                         printer);
    QObject::connect(&command, &pelorama::app::ExportCommand::finished, &command,
                     [](int status) { QCoreApplication::exit(status); });
    command.start();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Quillory"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("quillory.com"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelorama"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillory.Pelorama"));

    // Qt takes its own options (-platform, -style, -session, ...) out of the arguments as the application
    // object is made; what follows "--" is documents only, so Qt never sees it.
    const std::span<char*> all(argv, std::size_t(argc));
    const auto separator = std::find_if(
        all.begin() + 1, all.end(), [](const char* argument) { return std::string_view(argument) == "--"; });
    std::vector<char*> qtArguments(all.begin(), separator);
    qtArguments.push_back(nullptr);
    int qtArgumentCount = int(qtArguments.size()) - 1;

    // Without a display the application object is made offscreen, which is all --export, --help and
    // --version need; only the windows are refused then.
    const bool offscreenForNoDisplay = !hasDisplay() && !platformIsNamed(qtArgumentCount, qtArguments.data());
    if (offscreenForNoDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Only the windows need widgets: an export makes a plain GUI application, which draws all it writes.
    std::unique_ptr<QGuiApplication> application;
    if (asksForExport(std::span<char* const>(qtArguments.data(), std::size_t(qtArgumentCount)))) {
        qtArguments = withoutWidgetOptions(qtArguments);
        qtArgumentCount = int(qtArguments.size()) - 1;
        application = std::make_unique<QGuiApplication>(qtArgumentCount, qtArguments.data());
    } else {
        application = std::make_unique<tessaline::Application>(qtArgumentCount, qtArguments.data());
    }
    // What every render draws from, made before the first and gone before the application object.
    const pelorama::model::RenderResources::Program renderResources;

    QStringList arguments = QCoreApplication::arguments();
    for (auto argument = separator; argument != all.end(); ++argument)
        arguments.append(QString::fromLocal8Bit(*argument));
    const CommandLine commandLine = CommandLine::parse(arguments);
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
        return exportDocuments(commandLine);
    case CommandLine::Action::openDocuments:
        break;
    }
    if (!qobject_cast<QApplication*>(application.get())) {
        // "--export" was the value of one of Qt's own options.
        print(stderr,
              QStringLiteral("pelorama: --export is not an option here.\n") + CommandLine::usageHint());
        return 2;
    }
    if (offscreenForNoDisplay) {
        print(stderr, QStringLiteral("pelorama: The windows need a display (DISPLAY or WAYLAND_DISPLAY); "
                                     "--export works without one.\n"));
        return 2;
    }
    return openDocuments(commandLine.documents);
}
