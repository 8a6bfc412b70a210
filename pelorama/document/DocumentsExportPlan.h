#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <vector>

namespace pelorama::document {

// What an export of several documents into one directory writes, settled and checked before the first
// file, with every document closed again: the command line makes one, and exports each document in its
// turn by the ExportPlan of its screenshots, which checks nothing again.
//
// The documents are opened only to be read. Whatever would stop the export is found here: a directory
// that is not there or lies inside a document package (nothing is written then), a document that cannot
// be opened or lacks a language asked for, a screenshot name that matches none, two screenshots (of one
// document or of two) that would be written to the same file. A document refused is left out; the others
// are written.
struct DocumentsExportPlan
{
    struct Document
    {
        // As it was named.
        QString path;
        // The screenshots written, in the order of the fetch, each by its address in the store (which
        // holds from one opening to the next) with its name.
        QList<QPair<QUrl, QString>> screenshots;
        // The languages written, a folder each; none for one document language written straight into
        // the directory.
        QStringList languages;

        // How many files each screenshot makes.
        int filesPerScreenshot() const { return std::max(int(languages.size()), 1); }
    };

    QString directory;
    std::vector<Document> documents;
    // Why documents were left out, or nothing is written at all, a line each in the order found, each
    // naming its document.
    QStringList refusals;
    // Whether the directory takes no file: no document was read then.
    bool directoryRefused = false;

    // The documents at paths into directory: only the screenshots of screenshotNames when there are
    // any; only the languages (canonical codes) of languages when there are any, each into a folder
    // named by its code, and otherwise every language of a document with several, a folder each.
    static DocumentsExportPlan make(const QString& directory, const QStringList& paths,
                                    const QStringList& screenshotNames, const QStringList& languages);

    // How many files the documents make.
    int fileCount() const;
};

} // namespace pelorama::document
