#include "graphics/Image.h"
#include "model/devices/CryptoPngRep.h"
#include "model/devices/DeviceFamily.h"
#include "model/rendering/RenderPool.h"
#include "model/rendering/RenderResources.h"
#include "resources/DeviceResources.h"

#include <QImage>
#include <QMutex>
#include <gtest/gtest.h>
#include <latch>
#include <map>
#include <thread>

using namespace pelorama::model;

namespace {

// The decoded pixels: premultiplied RGBA, alpha in the fourth byte.
const QImage& pixels(const graphics::Image& image)
{
    return image.representations().front().bitmap();
}

int opaquePixelsMissing(const QImage& picture, const QRect& area)
{
    int missing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* line = picture.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x)
            missing += line[4 * x + 3] != 255;
    }
    return missing;
}

// Every frame of the family loads, has the catalogue's frame size (centred on the screen for a device that
// turns about its centre), is opaque over the whole screen rect and transparent in its corners, and shows
// its screen exactly at the screen rect.
void expectFramesMarkTheirScreens(const char* familyIdentifier)
{
    const DeviceFamily* family = DeviceFamily::findWithIdentifier(QString::fromLatin1(familyIdentifier));
    ASSERT_TRUE(family);
    // Opened side by side first: each frame costs a decryption and a large decode.
    std::vector<std::thread> loaders;
    for (const DeviceVariant& variant : family->variants())
        loaders.emplace_back(
            [&variant] { RenderResources::shared().deviceFrames().frame(variant.identifier()); });
    for (std::thread& loader : loaders)
        loader.join();

    for (const DeviceVariant& variant : family->variants()) {
        SCOPED_TRACE(qPrintable(variant.identifier()));
        const std::shared_ptr<const graphics::Image> frame =
            RenderResources::shared().deviceFrames().frame(variant.identifier());
        ASSERT_TRUE(frame);
        const QImage& picture = pixels(*frame);
        EXPECT_EQ(frame->size(), variant.frameSize());
        EXPECT_EQ(graphics::Size::fromQSizeF(QSizeF(picture.size())), variant.frameSize());
        if (family->isOrientable()) {
            EXPECT_EQ(variant.screenshotRect().midX(), variant.frameSize().width / 2);
            EXPECT_EQ(variant.screenshotRect().midY(), variant.frameSize().height / 2);
        }

        const QRect screen = variant.screenshotRect().toQRectF().toRect();
        ASSERT_TRUE(picture.rect().contains(screen));
        EXPECT_EQ(opaquePixelsMissing(picture, screen), 0);
        // The screen is one colour up to its edges, and the opaque frame around it is another.
        const QRgb screenColour = picture.pixel(screen.center());
        for (QPoint point : {screen.topLeft(), screen.topRight(), screen.bottomLeft(), screen.bottomRight()})
            EXPECT_EQ(picture.pixel(point), screenColour);
        const QPoint outside[] = {{screen.center().x(), screen.top() - 1},
                                  {screen.center().x(), screen.bottom() + 1},
                                  {screen.left() - 1, screen.center().y()},
                                  {screen.right() + 1, screen.center().y()}};
        for (QPoint point : outside) {
            EXPECT_NE(picture.pixel(point), screenColour);
            EXPECT_EQ(qAlpha(picture.pixel(point)), 255);
        }
        const QRect bounds = picture.rect();
        for (QPoint corner : {bounds.topLeft(), bounds.topRight(), bounds.bottomLeft(), bounds.bottomRight()})
            EXPECT_EQ(qAlpha(picture.pixel(corner)), 0);
    }
}

} // namespace

TEST(DeviceFrames, EveryFrameMarksItsScreenExactly)
{
    for (const char* family : {"iPhone", "iPad", "MacBook", "iMac"}) {
        SCOPED_TRACE(family);
        expectFramesMarkTheirScreens(family);
    }
}

TEST(DeviceFrames, NamedImagesFindFramesAndPlaceholders)
{
    CryptoPngRep::registerDecoder();
    pelorama::resources::initialize();
    const std::shared_ptr<const graphics::Image> frame =
        graphics::Image::named(QStringLiteral("iPadMini4Gold"));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->size(), (graphics::Size{1800, 2600}));

    // Placeholders are shown only in template previews, so they are drawn small, in the screen's aspect.
    const std::pair<const char*, graphics::Size> placeholders[] = {
        {"placeholder-iPhone", {750, 1334}},   {"placeholder-iPhoneLandscape", {1334, 750}},
        {"placeholder-iPad", {1536, 2048}},    {"placeholder-iPadLandscape", {2048, 1536}},
        {"placeholder-MacBook", {2880, 1800}}, {"placeholder-iMac", {2560, 1440}}};
    for (const auto& [name, screen] : placeholders) {
        const std::shared_ptr<const graphics::Image> placeholder =
            graphics::Image::named(QString::fromLatin1(name));
        ASSERT_TRUE(placeholder) << name;
        const graphics::Size size = placeholder->size();
        EXPECT_LE(std::max(size.width, size.height), 640) << name;
        EXPECT_NEAR(size.width / size.height, screen.width / screen.height, 0.01) << name;
        const QImage& picture = pixels(*placeholder);
        EXPECT_EQ(opaquePixelsMissing(picture, picture.rect()), 0) << name;
    }
}

TEST(DeviceFrames, PreviewFramesHaveTheSizeAndOutlineOfTheFullFrames)
{
    for (const DeviceFamily& family : DeviceFamily::all()) {
        for (const DeviceVariant& variant : family.variants()) {
            const QString& identifier = variant.identifier();
            const std::shared_ptr<const graphics::Image> full =
                RenderResources::shared().deviceFrames().frame(identifier);
            const std::shared_ptr<const graphics::Image> preview =
                RenderResources::shared().previewDeviceFrames().frame(identifier);
            ASSERT_TRUE(full && preview) << qPrintable(identifier);
            EXPECT_EQ(preview->size(), full->size()) << qPrintable(identifier);
            const graphics::BitmapImageRep& small = preview->representations().front();
            EXPECT_LE(std::max(small.pixelsWide(), small.pixelsHigh()), 640) << qPrintable(identifier);
            // Drawn small, the frame still covers the same part of its box.
            const QImage fullPixels = pixels(*full).scaled(small.pixelsWide(), small.pixelsHigh(),
                                                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const QImage& smallPixels = pixels(*preview);
            qint64 difference = 0;
            for (int y = 0; y < smallPixels.height(); ++y) {
                for (int x = 0; x < smallPixels.width(); ++x)
                    difference += std::abs(qAlpha(smallPixels.pixel(x, y)) - qAlpha(fullPixels.pixel(x, y)));
            }
            EXPECT_LT(double(difference) / (smallPixels.width() * smallPixels.height()), 2.0)
                << qPrintable(identifier);
        }
    }
}

// Renders on the pool that ask for one frame at once wait for a single load.
TEST(DeviceFrames, FrameCacheLoadsEachFrameOnceWhenEightRendersAskAtOnce)
{
    QMutex mutex;
    std::map<QString, int> loads;
    DeviceFrameCache cache([&](const QString& identifier) {
        {
            QMutexLocker locker(&mutex);
            ++loads[identifier];
        }
        return DeviceFrameCache::loadFromResources(identifier);
    });
    // One frame of each family, and a name no frame has.
    const QStringList identifiers{"iPhoneSEGold", "iPadPro97Silver", "MacBookProFlat", "iMacNoLogo",
                                  "NoSuchFrame"};

    constexpr int renderCount = 8;
    std::latch done(renderCount);
    std::vector<std::vector<std::shared_ptr<const graphics::Image>>> results(renderCount);
    for (int t = 0; t < renderCount; ++t) {
        pelorama::model::startOnPool([&, t] {
            for (qsizetype i = 0; i < identifiers.size(); ++i)
                results[t].push_back(cache.frame(identifiers[(i + t) % identifiers.size()]));
            done.count_down();
        });
    }
    done.wait();

    for (const QString& identifier : identifiers)
        EXPECT_EQ(loads[identifier], 1) << qPrintable(identifier);
    for (int t = 0; t < renderCount; ++t) {
        for (qsizetype i = 0; i < identifiers.size(); ++i) {
            const qsizetype which = (i + t) % identifiers.size();
            EXPECT_EQ(results[t][i], results[0][which]) << t << " " << qPrintable(identifiers[which]);
            EXPECT_EQ(results[t][i] == nullptr, identifiers[which] == QLatin1String("NoSuchFrame"));
        }
    }
    EXPECT_EQ(cache.frame("iMacNoLogo"), results[0][3]);
    EXPECT_EQ(loads.size(), identifiers.size());
}

TEST(DeviceFrames, AFailedLoadIsTriedAgainWhileAMissingFrameIsAskedForOnce)
{
    int loads = 0;
    bool failing = true;
    DeviceFrameCache cache([&](const QString& identifier) -> std::shared_ptr<const graphics::Image> {
        ++loads;
        if (identifier == QLatin1String("Failing") && failing)
            throw std::bad_alloc();
        if (identifier == QLatin1String("Missing"))
            return nullptr;
        return std::make_shared<const graphics::Image>(graphics::Size{4, 8});
    });
    EXPECT_THROW(cache.frame("Failing"), std::bad_alloc);
    EXPECT_THROW(cache.frame("Failing"), std::bad_alloc);
    EXPECT_EQ(loads, 2);
    failing = false;
    const std::shared_ptr<const graphics::Image> loaded = cache.frame("Failing");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(cache.frame("Failing"), loaded);
    EXPECT_EQ(loads, 3);

    EXPECT_EQ(cache.frame("Missing"), nullptr);
    EXPECT_EQ(cache.frame("Missing"), nullptr);
    EXPECT_EQ(loads, 4);
}
