#include "PathPolygons.h"
#include "graphics/BitmapImageRep.h"
#include "model/imaging/ChangContourDetector.h"
#include "model/imaging/TehChinSmoother.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace pelorama::model;
using graphics::Point;

namespace {

std::vector<Polygon> traced(const QImage& bitmap)
{
    return polygons(ChangContourDetector::detectContours(graphics::BitmapImageRep(bitmap)));
}

} // namespace

TEST(ContourDetectionTest, PicturesAreOutlinedClockwiseThroughTheCornersInScanOrder)
{
    const struct
    {
        std::vector<const char*> rows;
        std::vector<Polygon> outline;
    } cases[] = {
        {{"...", "..."}, {}},
        {{"###", "###", "###"}, {{Point{2, 3}, Point{2, 1}, Point{0, 1}, Point{0, 3}}}},
        // The place of a block inside a transparent border is kept.
        {{"........", ".######.", ".######.", ".######.", ".######.", ".######.", ".######.", "........"},
         {{Point{6, 7}, Point{6, 2}, Point{1, 2}, Point{1, 7}}}},
        {{"###....", "###....", "###.###", "....###", "....###"},
         {{Point{2, 5}, Point{2, 3}, Point{0, 3}, Point{0, 5}},
          {Point{6, 3}, Point{6, 1}, Point{4, 1}, Point{4, 3}}}},
        // A staircase diagonal is a straight chain of 45-degree moves: the smoother keeps only its ends.
        {{"#....", "##...", "###..", "####.", "#####"}, {{Point{4, 1}, Point{0, 1}, Point{0, 5}}}},
        {{"#", "#", "#"}, {{Point{0, 1}, Point{0, 3}}}},
    };
    for (const auto& picture : cases) {
        SCOPED_TRACE(picture.rows.front());
        EXPECT_EQ(traced(pictureOf(picture.rows)), picture.outline);
    }
}

TEST(ContourDetectionTest, ALonePixelIsAContourWithoutMovesAndKeepsNoPoint)
{
    ChangContourDetector detector{graphics::BitmapImageRep(pictureOf({"#"}))};
    EXPECT_TRUE(detector.traceContours().isEmpty());
    ASSERT_EQ(detector.contours().size(), 1u);
    EXPECT_EQ(detector.contours()[0].x, 0);
    EXPECT_EQ(detector.contours()[0].y, 0);
    EXPECT_TRUE(detector.contours()[0].directions.empty());
}

TEST(ContourDetectionTest, TwoPixelsSideBySideGoThereAndBackAndKeepOnePoint)
{
    ChangContourDetector detector{graphics::BitmapImageRep(pictureOf({"##"}))};
    const graphics::Path path = detector.traceContours();
    ASSERT_EQ(detector.contours().size(), 1u);
    EXPECT_EQ(detector.contours()[0].directions, (std::vector<std::uint8_t>{0, 4, 0}));
    EXPECT_EQ(polygons(path), (std::vector<Polygon>{{Point{0, 1}}}));
    EXPECT_EQ(path.elements().back().type, graphics::PathElementType::closeSubpath);
}

TEST(ContourDetectionTest, AHoleIsTracedAfterItsRegion)
{
    ChangContourDetector detector{
        graphics::BitmapImageRep(pictureOf({"#####", "#####", "##.##", "#####", "#####"}))};
    const std::vector<Polygon> found = polygons(detector.traceContours());
    EXPECT_EQ(found,
              (std::vector<Polygon>{{Point{4, 5}, Point{4, 1}, Point{0, 1}, Point{0, 5}}, {Point{2, 4}}}));
    ASSERT_EQ(detector.contours().size(), 2u);
    // The hole is found from the pixel above it and walked counter-clockwise.
    EXPECT_EQ(detector.contours()[1].x, 2);
    EXPECT_EQ(detector.contours()[1].y, 1);
    EXPECT_EQ(detector.contours()[1].directions.front(), 3);
}

TEST(ContourDetectionTest, APixelIsInsideFromAlphaAbove127OrAt127WithColour)
{
    const auto insideWith = [](quint32 word) {
        QImage bitmap(1, 1, QImage::Format_RGBA8888_Premultiplied);
        // The word as it lies in memory, little-endian: red first, alpha last.
        uchar* pixel = bitmap.bits();
        for (int byte = 0; byte < 4; ++byte)
            pixel[byte] = static_cast<uchar>(word >> (8 * byte));
        ChangContourDetector detector{graphics::BitmapImageRep(bitmap)};
        detector.traceContours();
        return detector.contours().size() == 1;
    };
    EXPECT_FALSE(insideWith(0x7F000000));
    EXPECT_TRUE(insideWith(0x7F000001));
    EXPECT_TRUE(insideWith(0x80000000));
    EXPECT_FALSE(insideWith(0x00FFFFFF));
}

TEST(ContourDetectionTest, RowsArePixelsReadWithTheStrideAndPaddingIsNeverSeen)
{
    // Five pixels by four, each row followed by three opaque padding slots that must not count.
    constexpr int width = 5;
    constexpr int height = 4;
    constexpr int stride = 4 * (width + 3);
    std::vector<uchar> memory(stride * height, 0xFF);
    for (int row = 0; row < height; ++row)
        std::memset(memory.data() + row * stride, 0, 4 * width);
    const auto opaque = [&](int x, int row) {
        std::memset(memory.data() + row * stride + 4 * x, 0xFF, 4);
    };
    for (int row = 1; row < 4; ++row) {
        for (int x = 1; x < 4; ++x)
            opaque(x, row);
    }
    const QImage bitmap(memory.data(), width, height, stride, QImage::Format_RGBA8888_Premultiplied);
    ASSERT_EQ(bitmap.bytesPerLine(), stride);

    EXPECT_EQ(traced(bitmap), (std::vector<Polygon>{{Point{3, 3}, Point{3, 1}, Point{1, 1}, Point{1, 3}}}));
    // The same pixels through the raw entry point.
    ChangContourDetector detector(memory.data(), width, height, stride);
    EXPECT_EQ(polygons(detector.traceContours()), traced(bitmap));
}

TEST(ContourDetectionTest, AnOpaqueEdgeAtTheBitmapsBorderStaysInsideTheGrid)
{
    // A region touching every side with a hole beside the last row: searches reach over every border.
    const std::vector<Polygon> ring =
        traced(pictureOf({"#######", "#.....#", "#.....#", "#.....#", "#######"}));
    ASSERT_EQ(ring.size(), 2u);
    EXPECT_EQ(ring[0], (Polygon{Point{6, 5}, Point{6, 1}, Point{0, 1}, Point{0, 5}}));
    // The hole's outline runs through the pixels around it, the other way round.
    EXPECT_LT(signedArea(ring[0]), 0);
    EXPECT_GT(signedArea(ring[1]), 0);
    for (const Point& point : ring[1]) {
        EXPECT_TRUE(point.x >= 0 && point.x <= 6 && point.y >= 1 && point.y <= 5);
    }
}

TEST(ContourDetectionTest, PointStatesCarryTheTurnAtEachPoint)
{
    // A 2 x 2 square: right, down, left, up; every point turns a quarter.
    const std::vector<TehChinSmoother::PointState> states = TehChinSmoother::pointStates(0, 2, {0, 2, 4, 6});
    ASSERT_EQ(states.size(), 4u);
    EXPECT_EQ(states[1].x, 1);
    EXPECT_EQ(states[1].y, 2);
    EXPECT_EQ(states[2].y, 1);
    for (const TehChinSmoother::PointState& state : states)
        EXPECT_EQ(state.oneCurvature, 2);
}

TEST(ContourDetectionTest, OfTwoDominantNeighboursOnlyTheStrongerStaysAlsoWhenTheyAreTheWholeChain)
{
    using State = TehChinSmoother::PointState;
    // Equal turns and wide regions, so that neither gives way before pairs are reduced: the narrower
    // region goes, on a full tie the first.
    EXPECT_EQ(TehChinSmoother::dominantPoints({State{0, 0, 2, 3}, State{1, 0, 2, 2}}),
              (std::vector<bool>{true, false}));
    EXPECT_EQ(TehChinSmoother::dominantPoints({State{0, 0, 2, 2}, State{1, 0, 2, 2}}),
              (std::vector<bool>{false, true}));
    // A longer chain whose every point is dominant has no ends to keep.
    EXPECT_EQ(TehChinSmoother::dominantPoints(
                  {State{0, 0, 2, 2}, State{1, 0, 2, 2}, State{1, 1, 2, 2}, State{0, 1, 2, 2}}),
              (std::vector<bool>{true, true, true, true}));
}

namespace {

// The labelling scan as first written, with a 32-bit cell per pixel holding the label itself, to check
// the detector's one bit per pixel against: same contours, same codes, in the same order.
std::vector<ChangContourDetector::Contour> referenceContours(const QImage& bitmap)
{
    const qint64 width = bitmap.width();
    const qint64 height = bitmap.height();
    std::vector<qint32> mask(size_t(width * height));
    for (qint64 row = 0; row < height; ++row) {
        for (qint64 column = 0; column < width; ++column)
            mask[size_t(row * width + column)] = qAlpha(bitmap.pixel(int(column), int(row))) > 127 ? 1 : 0;
    }
    const qint64 dc[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    const qint64 dr[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    const auto search = [&](qint64& c, qint64& r, int& code, int first) {
        for (int k = 0; k < 8; ++k) {
            const int d = (first + k) & 7;
            const qint64 nc = c + dc[d], nr = r + dr[d];
            if (nc < 0 || nc >= width || nr < 0 || nr >= height)
                continue;
            qint32& cell = mask[size_t(nr * width + nc)];
            if (cell & 1) {
                c = nc;
                r = nr;
                code = d;
                return true;
            }
            cell = -2;
        }
        return false;
    };
    const auto trace = [&](qint64 c, qint64 r, qint32 label, int first) {
        ChangContourDetector::Contour contour{c, r, {}};
        qint64 tc = c, tr = r;
        int code = 0;
        if (!search(tc, tr, code, first))
            return contour;
        contour.directions.push_back(std::uint8_t(code));
        qint64 pc = tc, pr = tr;
        for (;;) {
            mask[size_t(pr * width + pc)] |= label << 1;
            qint64 qc = pc, qr = pr;
            search(qc, qr, code, (code + 6) & 7);
            contour.directions.push_back(std::uint8_t(code));
            if (pc == c && pr == r && qc == tc && qr == tr)
                break;
            pc = qc;
            pr = qr;
        }
        return contour;
    };
    std::vector<ChangContourDetector::Contour> contours;
    qint32 next = 1;
    for (qint64 i = 0; i < width * height; ++i) {
        const qint64 r = i / width, c = i % width;
        if (!(mask[size_t(i)] & 1))
            continue;
        qint32 label = mask[size_t(i)] >> 1;
        if (label == 0 && (r == 0 || !(mask[size_t(i - width)] & 1))) {
            mask[size_t(i)] |= next << 1;
            contours.push_back(trace(c, r, next, 0));
            label = next++;
        }
        if (r < height - 1 && !(mask[size_t(i + width)] & 1) && mask[size_t(i + width)] >= 0) {
            if (label == 0) {
                mask[size_t(i)] |= mask[size_t(i - 1)] & ~1;
                label = mask[size_t(i - 1)] >> 1;
            }
            contours.push_back(trace(c, r, label, 3));
        }
        if (label == 0)
            mask[size_t(i)] |= mask[size_t(i - 1)] & ~1;
    }
    return contours;
}

} // namespace

TEST(ContourDetectionTest, OneBitPerPixelFindsWhatFullLabelsFind)
{
    std::mt19937 random(14);
    for (int round = 0; round < 300; ++round) {
        const int width = 1 + int(random() % 24);
        const int height = 1 + int(random() % 24);
        // Blobs of varied density, so regions, holes, spurs and lone pixels all occur.
        const unsigned density = 20 + random() % 60;
        QImage bitmap(width, height, QImage::Format_RGBA8888_Premultiplied);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                bitmap.setPixelColor(x, y,
                                     random() % 100 < density ? QColor(Qt::black) : QColor(Qt::transparent));
        }
        ChangContourDetector detector{graphics::BitmapImageRep(bitmap)};
        detector.traceContours();
        const std::vector<ChangContourDetector::Contour> expected = referenceContours(bitmap);
        ASSERT_EQ(detector.contours().size(), expected.size()) << "round " << round;
        for (size_t k = 0; k < expected.size(); ++k) {
            EXPECT_EQ(detector.contours()[k].x, expected[k].x) << "round " << round;
            EXPECT_EQ(detector.contours()[k].y, expected[k].y) << "round " << round;
            ASSERT_EQ(detector.contours()[k].directions, expected[k].directions) << "round " << round;
        }
    }
}
