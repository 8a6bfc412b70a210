#include "app/export/CommandLine.h"

#include "model/languages/LanguageCode.h"
#include "tessaline/Shared/App.h"

#include <QCommandLineParser>
#include <QSet>

namespace pelorama::app {

namespace {

// The options, each with its names, its description and its value's name if it takes one. Parsing and
// the help both read this table, so an option is added here and read in parse().
const QList<QCommandLineOption>& options()
{
    static const QList<QCommandLineOption> table{
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and quits.")},
        {{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Shows the version and quits.")},
        {QStringLiteral("export"),
         QStringLiteral("Writes every screenshot of each document into <directory> as a PNG file named after "
                        "it, as Export All does, and quits. Needs no display."),
         QStringLiteral("directory")},
        {QStringLiteral("screenshot"),
         QStringLiteral("With --export: only the screenshot named <name>. May be given more than once."),
         QStringLiteral("name")},
        {QStringLiteral("language"),
         QStringLiteral("With --export: the captions in the language <code> (a BCP 47 code such as de-DE), "
                        "written into a folder <code> inside the directory. May be given more than once. "
                        "Without it, a document with several languages is written in all of them, a "
                        "folder each."),
         QStringLiteral("code")},
    };
    return table;
}

void setUp(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Lays out app-store screenshots. Opens the documents given, or a new document."));
    parser.addOptions(options());
    parser.addPositionalArgument(QStringLiteral("DOCUMENT.pelorama"),
                                 QStringLiteral("A document to open, or to export with --export."),
                                 QStringLiteral("[DOCUMENT.pelorama ...]"));
}

CommandLine refusal(QString error)
{
    CommandLine commandLine;
    commandLine.action = CommandLine::Action::refuse;
    commandLine.error = std::move(error);
    return commandLine;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    setUp(parser);
    if (!parser.parse(arguments))
        return refusal(parser.errorText());
    CommandLine commandLine;
    if (parser.isSet(QStringLiteral("help"))) {
        commandLine.action = Action::showHelp;
        return commandLine;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        commandLine.action = Action::showVersion;
        return commandLine;
    }
    commandLine.documents = parser.positionalArguments();
    commandLine.screenshotNames = parser.values(QStringLiteral("screenshot"));
    const QStringList languages = parser.values(QStringLiteral("language"));
    QSet<QString> given;
    for (const QString& code : languages) {
        const std::optional<QString> canonical = model::LanguageCode::canonical(code);
        if (!canonical)
            return refusal(QStringLiteral("“%1” is not a language code.").arg(code));
        if (!given.contains(*canonical)) {
            given.insert(*canonical);
            commandLine.languages.append(*canonical);
        }
    }
    const QStringList directories = parser.values(QStringLiteral("export"));
    if (directories.size() > 1)
        return refusal(QStringLiteral("--export may be given once."));
    if (directories.isEmpty()) {
        if (!commandLine.screenshotNames.isEmpty())
            return refusal(QStringLiteral("--screenshot needs --export."));
        if (!commandLine.languages.isEmpty())
            return refusal(QStringLiteral("--language needs --export."));
        return commandLine;
    }
    if (commandLine.documents.isEmpty())
        return refusal(QStringLiteral("--export needs at least one document."));
    commandLine.action = Action::exportDocuments;
    commandLine.exportDirectory = directories.front();
    return commandLine;
}

QString CommandLine::helpText()
{
    QCommandLineParser parser;
    setUp(parser);
    // Qt's first line names the program as it was started; ours shows both ways to call it.
    QString text = parser.helpText();
    text = text.mid(text.indexOf('\n') + 1);
    return QStringLiteral("Usage: pelorama [DOCUMENT.pelorama ...]\n"
                          "       pelorama --export DIRECTORY [--screenshot NAME ...] [--language CODE ...]\n"
                          "                DOCUMENT.pelorama ...\n") +
           text +
           QStringLiteral("\nExit status:\n"
                          "  0  Everything asked for was done.\n"
                          "  1  A document or a file failed; the others were still written.\n"
                          "  2  The arguments make no sense, or there is no display for the windows.\n"
                          "\nQt's own options (-platform, -style, -session, ...) are Qt's. Everything after\n"
                          "-- is a document.\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral("Pelorama ") + tessaline::App::version() + '\n';
}

QString CommandLine::usageHint()
{
    return QStringLiteral("Try 'pelorama --help' for more information.\n");
}

} // namespace pelorama::app
