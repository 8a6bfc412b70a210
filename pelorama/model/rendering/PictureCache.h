#pragma once

#include "graphics/Image.h"
#include "graphics/LayerList.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <cstddef>
#include <future>
#include <mutex>
#include <optional>
#include <vector>

namespace pelorama::model {

// The decoded pictures of assets, by content, shared by every drawable and every renderer on every
// thread: a picture file that many images and device images use is decoded once and drawn from one
// bitmap (which also lets the traced outlines of ContourCache serve all of them). Thread-safe.
//
// Pictures are looked up by the SHA-1 the asset holds and kept for the very bytes they were decoded from,
// so an asset whose hash is wrong never gets another asset's picture. At most budgetBytes of pixels are
// kept; the least recently used go first (a picture still drawn somewhere lives on with its drawer). The
// last picture larger than the whole budget is kept besides.
// Bytes that are no picture are remembered as such.
class PictureCache : public QObject
{
    Q_OBJECT

public:
    explicit PictureCache(std::size_t budgetBytes);
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture of data, whose SHA-1 is sha1: the one kept, or else decoded now on this thread and kept.
    // While a thread of the render pool decodes a picture, others that ask for it wait for that decoding.
    // None when the bytes are no picture. A failure of the decoding itself (std::bad_alloc) reaches every
    // waiting caller and is not kept.
    std::optional<graphics::Image> picture(const QString& sha1, const QByteArray& data);
    // Whether picture() answers without decoding, and else whether a decoding of it runs.
    enum class State
    {
        kept,
        decoding,
        absent,
    };
    State state(const QString& sha1, const QByteArray& data);
    // Keeps picture, decoded elsewhere (from a dropped file, say), as the picture of data.
    void insert(const QString& sha1, const QByteArray& data, const graphics::Image& picture);
    // Decodes the picture on the render pool unless it is kept or being decoded; pictureDecoded follows
    // once it is decoded. Only for a cache that outlives the pool's jobs, such as the one of
    // RenderResources::shared().
    void decodeLater(const QString& sha1, const QByteArray& data);

signals:
    // On the main thread, after a picture that decodeLater asked for is kept.
    void pictureDecoded();

private:
    struct Entry
    {
        QString sha1;
        QByteArray data;
        std::optional<graphics::Image> picture;
        QImage layer; // the pixels, counted against the budget
    };
    struct Decoding
    {
        QString sha1;
        QByteArray data;
        std::shared_future<std::optional<graphics::Image>> picture;
    };

    // With m_mutex held.
    std::optional<Entry> kept(const QString& sha1, const QByteArray& data);
    void keep(Entry entry);
    std::vector<Decoding>::iterator decoding(const QString& sha1, const QByteArray& data);

    std::size_t m_budgetBytes;
    graphics::LayerList<Entry> m_kept;
    std::optional<Entry> m_oversized;
    std::mutex m_mutex;
    std::vector<Decoding> m_decoding;
};

} // namespace pelorama::model
