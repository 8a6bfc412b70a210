#pragma once

#include "foundation/ArchivedValueCoder.h"
#include "foundation/Expected.h"
#include "foundation/KeyedArchiveError.h"

#include <QByteArray>
#include <QStringList>
#include <QVariant>

namespace foundation {

// Reads the keyed archives KeyedArchiver writes, strictly: the bytes must be a binary property list in
// the exact layout, every object must be of a class the caller allows (text, numbers, booleans and data
// are always allowed; "Array", "Dictionary", "URL" and the coders' classes only when listed), no object
// may contain itself, and nesting and size stay within limits. Whatever else the bytes hold gives an
// error, never a crash. Objects referred to from several places are decoded once and shared.
class KeyedUnarchiver
{
public:
    struct Limits
    {
        // Objects nested inside each other, the root counting as 1; at most 512.
        int maximumDepth = 64;
        // Entries of "$objects".
        qsizetype maximumObjectCount = 100'000;
        // Values of the decoded tree, an object counted again for each place that refers to it.
        qsizetype maximumValueCount = 1'000'000;
    };

    explicit KeyedUnarchiver(QStringList allowedClasses, ArchivedValueCoders coders = {});
    KeyedUnarchiver(QStringList allowedClasses, ArchivedValueCoders coders, Limits limits);

    // The root object; a null root gives an invalid QVariant.
    Expected<QVariant, KeyedArchiveError> unarchivedObject(const QByteArray& data) const;

private:
    QStringList m_allowedClasses;
    ArchivedValueCoders m_coders;
    Limits m_limits;
};

} // namespace foundation
