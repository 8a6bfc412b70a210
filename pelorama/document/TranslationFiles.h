#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"
#include "document/PoError.h"
#include "foundation/Expected.h"
#include "store/StoreForward.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A document's captions as PO files for translators, one per language, and back. An entry stands for a
// caption: its context is "SCREENSHOT/IDENTIFIER" (the screenshot's name and the caption's
// uniqueIdentifier), its source the base text, its translation the text in the file's language and its
// comment the screenshot's name. Entries find their captions again by the identifier, so renaming a
// screenshot in between does not lose them. On context's queue.
namespace pelorama::document::TranslationFiles {

struct ExportReport
{
    QList<ExportFailure> failures;
};

// Writes "CODE.po" into folder for each language of the document but the base, with an entry for each
// caption that has a base text, in screenshot and drawing order; documentName is the header's project.
// A file is written whole or not at all, and only over a regular file (see ExportFileWriter).
ExportReport exportCatalogs(store::ManagedObjectContext& context, const QString& folder,
                            const QString& documentName);

// An entry that was not taken: its context and why.
struct SkippedEntry
{
    QString context;
    QString reason;

    friend bool operator==(const SkippedEntry&, const SkippedEntry&) = default;
};

struct ImportResult
{
    QStringList addedLanguages;  // languages the files brought that the document lacked
    int translatedCount = 0;     // entries taken
    QStringList missingCaptions; // contexts of translated entries whose caption is gone
    QStringList fuzzyEntries;    // contexts of translated entries marked fuzzy
    QList<SkippedEntry> refused; // translations the captions cannot take (broken markup, too long)
};

// Reads the PO files at paths into the captions' translations, as one step to undo. A file's language is
// its header's "Language", or its file name ("de-DE.po") without one; a language the document lacks is
// added. Empty translations change nothing. Either every file is read, or nothing changes and the error
// names the file (and the line, where there is one): a file that is no regular file, larger than
// PoFile::maximumFileSize, no PO file in UTF-8, of no language or of the base language.
foundation::Expected<ImportResult, PoError> importCatalogs(store::ManagedObjectContext& context,
                                                           const QStringList& paths);

// The one alert that names what an import did not take; none when it took everything.
std::optional<ActionAlert> importAlert(const ImportResult& result);

} // namespace pelorama::document::TranslationFiles
