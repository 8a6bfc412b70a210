#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"
#include "document/PoError.h"
#include "foundation/Expected.h"
#include "store/StoreForward.h"

#include <QDateTime>
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
    // Texts that a caption may not hold (CaptionText), and which the files therefore leave out, named by
    // screenshot and caption ("Home: “Better photos”: it holds the control character U+0000"): a base
    // text leaves its entry out, a translation leaves the entry untranslated.
    QStringList leftOut;
};

// Writes "CODE.po" into folder for each language of the document but the base, with an entry for each
// caption that has a base text, in screenshot and drawing order; documentName is the header's project,
// revised its revision date. A file is written whole or not at all, and only over a regular file (see
// ExportFileWriter).
ExportReport exportCatalogs(store::ManagedObjectContext& context, const QString& folder,
                            const QString& documentName, const QDateTime& revised);

// The one alert that names the files not written and the texts left out; none when all went well.
std::optional<ActionAlert> exportAlert(const ExportReport& report);

// An entry that was not taken: the caption it stands for, as the user knows it (see ImportResult), and
// why.
struct SkippedEntry
{
    QString caption;
    QString reason;

    friend bool operator==(const SkippedEntry&, const SkippedEntry&) = default;
};

// A file of which no entry was taken.
struct FileWithoutEffect
{
    QString fileName;
    QString language;
    bool languageNotAdded = false; // the document lacks its language, which was therefore not added

    friend bool operator==(const FileWithoutEffect&, const FileWithoutEffect&) = default;
};

// What an import did. Entries are named by screenshot and the first words of the caption's text
// ("Home: “Better photos”"), as the document has them or, for a caption that is gone, as the entry has
// them. Only entries with a translation count.
struct ImportResult
{
    QStringList addedLanguages;    // languages the document lacked, of files that brought a translation
    int translatedCount = 0;       // entries taken
    QStringList missingCaptions;   // entries whose caption is gone
    QStringList fuzzyEntries;      // entries marked fuzzy
    QStringList pluralEntries;     // entries with plural forms, which captions do not have
    int entriesWithoutContext = 0; // entries that name no caption at all
    QList<SkippedEntry> refused;   // translations the captions cannot take (CaptionText)
    QList<FileWithoutEffect> filesWithoutEffect;
};

// Reads the PO files at paths into the captions' translations, as one step to undo. A file's language is
// its header's "Language", or its file name ("de-DE.po") without one; a language the document lacks is
// added when the file brings a translation that is taken. Empty translations change nothing. Either every
// file is read, or nothing changes and the error names the file (and the line, where there is one): a file
// that is no regular file, larger than PoFile::maximumFileSize, no PO file in UTF-8, of no language or of the
// base language.
foundation::Expected<ImportResult, PoError> importCatalogs(store::ManagedObjectContext& context,
                                                           const QStringList& paths);

// The one alert that names what an import did not take; none when it took everything.
std::optional<ActionAlert> importAlert(const ImportResult& result);

} // namespace pelorama::document::TranslationFiles
