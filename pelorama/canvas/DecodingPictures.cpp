#include "canvas/DecodingPictures.h"

namespace pelorama::canvas {

DecodingPictures::DecodingPictures(model::PictureCache& pictures, QObject* parent)
    : QObject(parent)
    , m_cache(pictures)
{
    connect(&m_cache, &model::PictureCache::pictureDecoded, this, [this] {
        if (!m_waiting)
            return;
        m_waiting = false;
        emit pictureArrived();
    });
}

DecodingPictures::Prepared DecodingPictures::prepared(const model::DetachedCanvas& canvas)
{
    bool complete = true;
    model::DetachedCanvas result =
        canvas.withPictures([this, &complete](const model::PictureReference& picture) {
            model::PictureReference drawn = prepared(picture);
            complete = complete && !drawn.isPending();
            return drawn;
        });
    return {std::move(result), complete};
}

model::PictureReference DecodingPictures::prepared(const model::PictureReference& picture)
{
    if (!picture.isAsset())
        return picture;
    switch (m_cache.state(picture.sha1(), picture.data())) {
    case model::PictureCache::State::kept:
        return picture;
    case model::PictureCache::State::decoding:
        m_waiting = true;
        return picture.pending();
    case model::PictureCache::State::absent:
        break;
    }
    if (m_asked.contains(picture.sha1()))
        return picture;
    m_asked.insert(picture.sha1());
    m_waiting = true;
    m_cache.decodeLater(picture.sha1(), picture.data());
    return picture.pending();
}

} // namespace pelorama::canvas
