#pragma once

#include "foundation/Expected.h"
#include "foundation/RegularFileError.h"

#include <QByteArray>
#include <QString>

namespace foundation {

// A regular file open for reading, of no more than a size the caller chose. Only a regular file is
// opened, and without blocking, so that a pipe or device put at the path, even between the check and
// the open, is refused rather than waited on; the size is checked before anything is read.
class RegularFile
{
public:
    // Opens the file at path (following links) if it is a regular file of at most maximumSize bytes.
    static Expected<RegularFile, RegularFileError> open(const QString& path, qint64 maximumSize);
    // The whole file at path, under the same conditions as open.
    static Expected<QByteArray, RegularFileError> readAll(const QString& path, qint64 maximumSize);

    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // The size the file had when it was opened.
    qint64 size() const { return m_size; }

    // The next bytes, at most count of them and no further than size().
    Expected<QByteArray, RegularFileError> readNext(qint64 count);
    // Appends the rest of the file to data. Fails when the file does not end at size(): it changed.
    Expected<void, RegularFileError> appendRest(QByteArray& data);

private:
    RegularFile(int descriptor, qint64 size)
        : m_descriptor(descriptor)
        , m_size(size)
    {}

    int m_descriptor;
    qint64 m_size;
    qint64 m_offset = 0;
};

} // namespace foundation
