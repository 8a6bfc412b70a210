#pragma once

#include "graphics/Image.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace pelorama::model {

class PictureCache;

// The picture of an image or a device image as a snapshot holds it: the bytes of its asset with their
// SHA-1, decoded when it is drawn through a PictureCache, or a picture decoded already that no
// asset holds (a template's, say). Copying one copies neither bytes nor pixels. A pending picture is one
// whose decoding a render does not wait for: it draws nothing where it goes until a later render.
class PictureReference
{
public:
    // No picture.
    PictureReference() = default;
    explicit PictureReference(graphics::Image decoded);
    // An asset's bytes and their SHA-1, decoded on first use (bytes that are no picture give none).
    PictureReference(QString sha1, QByteArray data);

    bool isNone() const { return !m_decoded && !m_isAsset; }
    bool isAsset() const { return m_isAsset; }
    bool isPending() const { return m_isPending; }
    const QString& sha1() const { return m_sha1; }
    const QByteArray& data() const { return m_data; }

    // The picture, from pictures (decoded now, on this thread, when it keeps none); none when there is
    // none, the bytes are no picture or it is pending.
    std::optional<graphics::Image> picture(PictureCache& pictures) const;

    // The same picture, pending.
    PictureReference pending() const;

    friend bool operator==(const PictureReference& a, const PictureReference& b);

private:
    std::optional<graphics::Image> m_decoded;
    QString m_sha1;
    QByteArray m_data;
    bool m_isAsset = false;
    bool m_isPending = false;
};

} // namespace pelorama::model
