#pragma once

#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "store/ValueTransformer.h"

#include <QByteArray>
#include <QHash>
#include <QLatin1String>
#include <QVariant>
#include <mutex>
#include <vector>

namespace pelorama::model {

// The value transformer the document model names for its colour and font attributes: forward, a keyed
// archive of the value compressed with lzfse; in reverse, such bytes back to the value. A document holds
// the same few colours and fonts many times over, so the last values transformed each way are kept and
// answered again without archiving or compressing (the archive and its compression are the same for
// equal values). Serves any thread.
class CompressedKeyedArchiveTransformer : public store::ValueTransformer
{
public:
    static constexpr QLatin1String name{"CompressedKeyedArchiveTransformer"};

    CompressedKeyedArchiveTransformer();

    // Registers an instance with the store's transformer registry under name; calling it again
    // replaces the instance with an equal one.
    static void registerTransformer();

    // The kind of the stored form; prints the line "tvc" on each call.
    static QMetaType transformedValueClass();
    // True: stored bytes turn back into values; prints the line "art" on each call.
    static bool allowsReverseTransformation();

    // A null value gives a null result and prints nothing. Otherwise prints one line, "Reduction: "
    // with the archive's and the compressed length and their ratio, and answers the compressed archive.
    // A value that cannot be archived gives a null result and a warning.
    QByteArray transformedValue(const QVariant& value) const override;

    // Only colours and fonts come back; null, corrupt or foreign bytes, and archives of anything else,
    // give an invalid QVariant.
    QVariant reverseTransformedValue(const QByteArray& bytes) const override;

    // "Reduction: <archive length> -> <compressed length> <ratio>%", the ratio being compressed length
    // / archive length * 100 written with at most 15 significant digits (a whole number with ".0").
    static QString reductionLine(qsizetype archiveLength, qsizetype compressedLength);

private:
    struct Transformed
    {
        QVariant value;
        qsizetype archiveLength = 0;
        QByteArray packed;
    };
    static constexpr std::size_t keptCount = 64;

    foundation::KeyedArchiver m_archiver;
    foundation::KeyedUnarchiver m_unarchiver;
    mutable std::mutex m_mutex;
    mutable std::vector<Transformed> m_transformed; // a ring of the last keptCount
    mutable std::size_t m_nextSlot = 0;
    mutable QHash<QByteArray, QVariant> m_reversed; // emptied when it reaches keptCount
};

} // namespace pelorama::model
