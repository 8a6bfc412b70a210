#include "model/rendering/PictureReference.h"

#include "model/rendering/PictureCache.h"

namespace pelorama::model {

PictureReference::PictureReference(graphics::Image decoded)
    : m_decoded(std::move(decoded))
{}

PictureReference::PictureReference(QString sha1, QByteArray data)
    : m_sha1(std::move(sha1))
    , m_data(std::move(data))
    , m_isAsset(true)
{}

std::optional<graphics::Image> PictureReference::picture(PictureCache& pictures) const
{
    if (m_isPending)
        return std::nullopt;
    if (m_isAsset)
        return pictures.picture(m_sha1, m_data);
    return m_decoded;
}

PictureReference PictureReference::pending() const
{
    PictureReference reference = *this;
    reference.m_isPending = true;
    return reference;
}

bool operator==(const PictureReference& a, const PictureReference& b)
{
    if (a.m_isAsset != b.m_isAsset || a.m_isPending != b.m_isPending)
        return false;
    if (!a.m_isAsset)
        return a.m_decoded == b.m_decoded;
    const bool sameBytes =
        (a.m_data.constData() == b.m_data.constData() && a.m_data.size() == b.m_data.size()) ||
        a.m_data == b.m_data;
    return a.m_sha1 == b.m_sha1 && sameBytes;
}

} // namespace pelorama::model
