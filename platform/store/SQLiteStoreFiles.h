#pragma once

#include <QString>
#include <optional>

// The files SQLite keeps for a store: the store itself and, beside it, its rollback journal, and a
// write-ahead log with its index for a store in that mode. SQLite opens them by name, so they are looked
// at before it does.
namespace store::sqliteFiles {

// What SQLite is to do with a store: read it only, or also write it.
enum class Use
{
    reading,
    writing
};

// Why SQLite must not be given the store at path, if it must not, as the end of a sentence. SQLite
// blocks in opening a named pipe or a device, so each file must be a regular file (the files beside the
// store may be missing). A save writes into the store and its journal in place, through any other name
// they have, so a store to be written must have one name, and so must its journal; one that is only read
// may have more. A log holding changes would be merged into the store by reading it, and a journal that
// names another file would have that file removed when the journal is rolled back.
std::optional<QString> problem(const QString& path, Use use);

// Whether a save of the store at path was cut short and left its journal beside it (the journal is not
// empty and its first byte is not zero): SQLite rolls it back, writing into the store and removing the
// journal, before anything is read.
bool hasJournalToRollBack(const QString& path);

// The longest path SQLite opens a store at, in bytes, leaving room for the names of the files it keeps
// beside the store ("-journal" is the longest suffix).
qsizetype longestPath();

// Whether reading the store at path would write: SQLite reads a store in write-ahead-log mode (bytes 18
// and 19 of its header are 2), or one with a log beside it, in that mode, making the log and its index
// and, when the last connection closes, writing the log into the store. A store with a journal beside it
// does not count: the journal is left by a save cut short, which SQLite must roll back before reading.
bool readsInLogMode(const QString& path);

} // namespace store::sqliteFiles
