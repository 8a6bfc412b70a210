#include "model/entities/CompressedKeyedArchiveTransformer.h"

#include "compression/DataCompression.h"
#include "foundation/Diagnostics.h"
#include "foundation/Fatal.h"
#include "graphics/ArchivedValues.h"
#include "graphics/Color.h"
#include "graphics/Font.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace pelorama::model {
namespace {

QString ratioText(double ratio)
{
    if (std::isnan(ratio))
        return QStringLiteral("nan");
    if (std::isinf(ratio))
        return ratio > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    QString text = QString::number(ratio, 'g', 15);
    if (!text.contains(u'.') && !text.contains(u'e'))
        text += QStringLiteral(".0");
    return text;
}

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Whether a and b archive alike: equal to the bit (0 and -0 archive differently).
bool archiveAlike(const QVariant& a, const QVariant& b)
{
    if (a.metaType() != b.metaType())
        return false;
    if (a.metaType() == QMetaType::fromType<graphics::Color>()) {
        const auto x = a.value<graphics::Color>();
        const auto y = b.value<graphics::Color>();
        return sameBits(x.red, y.red) && sameBits(x.green, y.green) && sameBits(x.blue, y.blue) &&
               sameBits(x.alpha, y.alpha);
    }
    if (a.metaType() == QMetaType::fromType<graphics::Font>()) {
        const auto x = a.value<graphics::Font>();
        const auto y = b.value<graphics::Font>();
        return x.postScriptName() == y.postScriptName() && sameBits(x.pointSize(), y.pointSize());
    }
    return false;
}

} // namespace

CompressedKeyedArchiveTransformer::CompressedKeyedArchiveTransformer()
    : m_archiver(graphics::archivedValueCoders())
    , m_unarchiver({graphics::archivedColorClass, graphics::archivedFontClass},
                   graphics::archivedValueCoders())
{}

void CompressedKeyedArchiveTransformer::registerTransformer()
{
    store::ValueTransformer::setValueTransformer(std::make_shared<CompressedKeyedArchiveTransformer>(), name);
}

QMetaType CompressedKeyedArchiveTransformer::transformedValueClass()
{
    foundation::printLine(QStringLiteral("tvc"));
    return QMetaType::fromType<QByteArray>();
}

bool CompressedKeyedArchiveTransformer::allowsReverseTransformation()
{
    foundation::printLine(QStringLiteral("art"));
    return true;
}

QString CompressedKeyedArchiveTransformer::reductionLine(qsizetype archiveLength, qsizetype compressedLength)
{
    const double ratio = double(compressedLength) / double(archiveLength) * 100.0;
    return QStringLiteral("Reduction: %1 -> %2 %3%")
        .arg(archiveLength)
        .arg(compressedLength)
        .arg(ratioText(ratio));
}

QByteArray CompressedKeyedArchiveTransformer::transformedValue(const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return {};
    {
        const std::lock_guard lock(m_mutex);
        for (const Transformed& kept : m_transformed) {
            if (archiveAlike(kept.value, value)) {
                foundation::printLine(reductionLine(kept.archiveLength, kept.packed.size()));
                return kept.packed;
            }
        }
    }
    const auto archive = m_archiver.archivedData(value);
    if (!archive) {
        foundation::warning(archive.error().message);
        return {};
    }
    const std::optional<QByteArray> packed =
        compression::compressed(*archive, compression::CompressionAlgorithm::lzfse);
    if (!packed)
        foundation::fatal(QStringLiteral("Could not compress an archived value"));
    foundation::printLine(reductionLine(archive->size(), packed->size()));
    const std::lock_guard lock(m_mutex);
    Transformed transformed{value, archive->size(), *packed};
    if (m_transformed.size() < keptCount)
        m_transformed.push_back(std::move(transformed));
    else
        m_transformed[m_nextSlot] = std::move(transformed);
    m_nextSlot = (m_nextSlot + 1) % keptCount;
    return *packed;
}

QVariant CompressedKeyedArchiveTransformer::reverseTransformedValue(const QByteArray& bytes) const
{
    if (bytes.isNull())
        return {};
    {
        const std::lock_guard lock(m_mutex);
        if (const auto kept = m_reversed.constFind(bytes); kept != m_reversed.constEnd())
            return *kept;
    }
    const std::optional<QByteArray> archive =
        compression::decompressed(bytes, compression::CompressionAlgorithm::lzfse);
    if (!archive)
        return {};
    const auto value = m_unarchiver.unarchivedObject(*archive);
    if (!value)
        return {};
    const QMetaType type = value->metaType();
    if (type != QMetaType::fromType<graphics::Color>() && type != QMetaType::fromType<graphics::Font>())
        return {};
    const std::lock_guard lock(m_mutex);
    if (m_reversed.size() >= qsizetype(keptCount))
        m_reversed.clear();
    m_reversed.insert(bytes, *value);
    return *value;
}

} // namespace pelorama::model
