#pragma once

#include <QString>
#include <QStringList>

namespace pelorama::app {

// What the program's arguments ask for, read before any application object or window exists.
struct CommandLine
{
    enum class Action
    {
        // Open the documents in windows, or a new document when there are none.
        openDocuments,
        // Write the screenshots of the documents into exportDirectory and quit.
        exportDocuments,
        showHelp,
        showVersion,
        // The arguments make no sense: error says why, in one line.
        refuse,
    };

    Action action = Action::openDocuments;
    QStringList documents;
    QString exportDirectory;
    // Only these screenshots, when any are named.
    QStringList screenshotNames;
    // Only these languages (canonical codes), each into a folder of its own, when any are named.
    QStringList languages;
    QString error;

    // arguments as the program got them, its own name first.
    static CommandLine parse(const QStringList& arguments);

    // What --help and --version print, and the hint under a refusal.
    static QString helpText();
    static QString versionText();
    static QString usageHint();
};

} // namespace pelorama::app
