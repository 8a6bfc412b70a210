#include "model/entities/CompressedKeyedArchiveTransformer.h"

#include "compression/DataCompression.h"
#include "foundation/Diagnostics.h"
#include "foundation/Fatal.h"
#include "graphics/ArchivedValues.h"
#include "graphics/Color.h"
#include "graphics/Font.h"

#include <cmath>

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
    return *packed;
}

QVariant CompressedKeyedArchiveTransformer::reverseTransformedValue(const QByteArray& bytes) const
{
    if (bytes.isNull())
        return {};
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
    return *value;
}

} // namespace pelorama::model
