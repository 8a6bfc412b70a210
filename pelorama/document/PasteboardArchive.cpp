#include "document/PasteboardArchive.h"

#include "foundation/KeyedArchiveLayout.h"
#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "graphics/ArchivedValues.h"
#include "graphics/Image.h"

namespace pelorama::document {

namespace {

using foundation::Unexpected;

// A picture as the PNG bytes of its first representation; reading decodes them again.
class PictureCoder : public foundation::ArchivedValueCoder
{
public:
    QString className() const override { return QStringLiteral("Picture"); }
    QMetaType valueType() const override { return QMetaType::fromType<graphics::Image>(); }

    QVariantMap encode(const QVariant& value) const override
    {
        return {{QStringLiteral("png"), value.value<graphics::Image>().pngData()}};
    }

    std::optional<QVariant> decode(const QVariantMap& fields) const override
    {
        const QVariant png = fields.value(QStringLiteral("png"));
        if (fields.size() != 1 || png.typeId() != QMetaType::QByteArray)
            return std::nullopt;
        std::optional<graphics::Image> picture = graphics::Image::fromData(png.toByteArray());
        if (!picture || picture->isEmpty())
            return std::nullopt;
        return QVariant::fromValue(*picture);
    }
};

foundation::ArchivedValueCoders coders()
{
    foundation::ArchivedValueCoders coders = graphics::archivedValueCoders();
    coders.append(std::make_shared<PictureCoder>());
    return coders;
}

} // namespace

foundation::Expected<QByteArray, QString> PasteboardArchive::archivedData(const QVariantMap& dictionary)
{
    auto data = foundation::KeyedArchiver(coders()).archivedData(dictionary);
    if (!data)
        return Unexpected(data.error().message);
    return *data;
}

foundation::Expected<QVariantMap, QString> PasteboardArchive::dictionary(const QByteArray& data)
{
    if (data.size() > maximumSize)
        return Unexpected(QStringLiteral("The copied data is too large."));
    // A copied screenshot nests: screenshot, mappings, mapping, extras, drawable, extras, asset, and a
    // colour or font inside the deepest of them.
    foundation::KeyedUnarchiver::Limits limits;
    limits.maximumDepth = 16;
    const QStringList classes{foundation::keyedArchive::arrayClass, foundation::keyedArchive::dictionaryClass,
                              graphics::archivedColorClass, graphics::archivedFontClass,
                              QStringLiteral("Picture")};
    auto root = foundation::KeyedUnarchiver(classes, coders(), limits).unarchivedObject(data);
    if (!root)
        return Unexpected(root.error().message);
    if (root->typeId() != QMetaType::QVariantMap)
        return Unexpected(QStringLiteral("The copied data holds no object."));
    return root->toMap();
}

} // namespace pelorama::document
