#include "model/rendering/PictureCache.h"

#include "TestPictures.h"
#include "model/rendering/RenderPool.h"

#include <QImage>
#include <gtest/gtest.h>
#include <latch>
#include <vector>

using pelorama::model::PictureCache;

namespace {

qint64 bitmapOf(const std::optional<graphics::Image>& picture)
{
    return picture ? picture->representations().front().bitmap().cacheKey() : 0;
}

QColor colourOf(const std::optional<graphics::Image>& picture)
{
    return picture->representations().front().bitmap().pixelColor(0, 0);
}

} // namespace

// Pictures are kept by their very bytes within the budget, the least recently used going first; the hash
// only finds them, so bytes that claim another picture's hash get their own picture.
TEST(PictureCacheTest, KeepsPicturesByTheirBytesWithinTheBudget)
{
    // 64 x 64 pixels are 16 KiB: the budget holds two.
    PictureCache cache(40 * 1024);
    const QByteArray red = solidPng(64, 64, Qt::red);
    const QByteArray green = solidPng(64, 64, Qt::green);
    const QByteArray blue = solidPng(64, 64, Qt::blue);

    const qint64 first = bitmapOf(cache.picture("red", red));
    EXPECT_EQ(bitmapOf(cache.picture("red", QByteArray(red.constData(), red.size()))), first);
    EXPECT_EQ(colourOf(cache.picture("red", green)), QColor(Qt::green)) << "a false hash";
    EXPECT_EQ(cache.state("red", red), PictureCache::State::kept);

    cache.picture("red", red);
    cache.picture("blue", blue);
    EXPECT_EQ(cache.state("red", red), PictureCache::State::kept);
    EXPECT_EQ(cache.state("red", green), PictureCache::State::absent) << "the least recently used";

    // Bytes that are no picture are remembered as none; a picture over the whole budget is kept too.
    EXPECT_FALSE(cache.picture("text", "not a picture"));
    EXPECT_EQ(cache.state("text", "not a picture"), PictureCache::State::kept);
    const QByteArray large = solidPng(256, 256, Qt::yellow);
    const qint64 largeBitmap = bitmapOf(cache.picture("large", large));
    EXPECT_EQ(bitmapOf(cache.picture("large", large)), largeBitmap);
}

// Renders on the pool that need one picture at once decode it once and share the bitmap.
TEST(PictureCacheTest, RendersThatNeedOnePictureAtOnceShareOneDecoding)
{
    PictureCache cache(64 * 1024 * 1024);
    const QByteArray bytes = solidPng(512, 512, Qt::magenta);
    constexpr int renders = 4;
    std::vector<qint64> bitmaps(renders);
    std::latch done(renders);
    for (int i = 0; i < renders; ++i) {
        pelorama::model::startOnPool([&, i] {
            bitmaps[std::size_t(i)] = bitmapOf(cache.picture("magenta", bytes));
            done.count_down();
        });
    }
    done.wait();
    for (qint64 bitmap : bitmaps)
        EXPECT_EQ(bitmap, bitmaps.front());
}
