#pragma once

#include "appkit/core/DocumentError.h"

#include <QByteArray>
#include <QString>

namespace manageddocument {

// One extra file of a document package beside its store, held in memory by the document and changed in
// place. Errors say what is wrong with the bytes, without naming the file; the document adds that.
class PackageResource
{
public:
    virtual ~PackageResource() = default;

    // The file's name inside the package, e.g. "Metadata".
    virtual QString filename() const = 0;
    // The bytes to store in the file.
    virtual appkit::DocumentResult<QByteArray> save() const = 0;
    // Back to the empty state; used when the package has no usable file for the resource.
    virtual void reset() = 0;
    // Replaces the whole state by what bytes hold.
    virtual appkit::DocumentResult<> load(const QByteArray& bytes) = 0;
    // The largest file the resource reads; a larger one is refused before it is read.
    virtual qint64 maximumFileSize() const { return qint64(16) << 20; }
};

} // namespace manageddocument
