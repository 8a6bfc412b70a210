#include "TestStore.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "templates/TemplateCategory.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

// Golden pictures: every file "<category> - <theme> - <template>.png" in tests/golden is one case, the
// template's screenshot rendered as a template preview fitted into 200 by 200 points at one pixel per
// point. To add a case, create an empty file of that name and run the test once with
// PELORAMA_WRITE_GOLDEN=1, which writes every case's picture from the current render; look at it before
// committing it.
//
// Text is small at this size and antialiased by the installed fonts, so pictures compare with a
// tolerance: a few pixels may differ markedly, and the rest only slightly.

using namespace pelorama::templates;

namespace {

const Template* findTemplate(const QString& category, const QString& theme, const QString& name)
{
    for (const TemplateCategory& candidate : TemplateCategory::all()) {
        if (candidate.name() != category)
            continue;
        for (const TemplateGroup& group : candidate.templateGroups()) {
            if (group.name() != theme)
                continue;
            for (const std::unique_ptr<Template>& item : group.templates()) {
                if (item->name() == name)
                    return item.get();
            }
        }
    }
    return nullptr;
}

QImage render(const Template& item)
{
    TestStore store;
    const graphics::Image image =
        pelorama::model::DetachedCanvas(item.instantiateScreenshot(*store.context).makeCanvas())
            .render(pelorama::model::CanvasRenderingMode::templatePreview, {200, 200}, 1);
    return image.representations().front().bitmap().convertToFormat(QImage::Format_RGBA8888);
}

struct Difference
{
    double markedFraction = 0; // pixels with a channel off by more than 48 levels
    double meanDifference = 0; // per channel, over all pixels
};

Difference compare(const QImage& actual, const QImage& expected)
{
    qint64 marked = 0;
    qint64 total = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const uchar* a = actual.constScanLine(y);
        const uchar* e = expected.constScanLine(y);
        for (int x = 0; x < actual.width(); ++x) {
            int largest = 0;
            for (int channel = 0; channel < 4; ++channel) {
                const int difference = std::abs(a[4 * x + channel] - e[4 * x + channel]);
                largest = std::max(largest, difference);
                total += difference;
            }
            marked += largest > 48;
        }
    }
    const double pixels = double(actual.width()) * actual.height();
    return {marked / pixels, total / (4 * pixels)};
}

} // namespace

TEST(GoldenPictures, TemplatesRenderAsTheirPicturesShow)
{
    const QDir folder(QStringLiteral(TEMPLATES_GOLDEN_DIR));
    const QStringList files = folder.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << "no golden pictures in " << folder.path().toStdString();
    const bool writing = qEnvironmentVariableIntValue("PELORAMA_WRITE_GOLDEN") == 1;
    const QRegularExpression pattern(QStringLiteral("^(.+) - (.+) - (.+)\\.png$"));
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QRegularExpressionMatch match = pattern.match(file);
        ASSERT_TRUE(match.hasMatch());
        const Template* item = findTemplate(match.captured(1), match.captured(2), match.captured(3));
        ASSERT_NE(item, nullptr);
        const QImage actual = render(*item);
        if (writing) {
            EXPECT_TRUE(actual.save(folder.filePath(file)));
            continue;
        }
        const QImage expected = QImage(folder.filePath(file)).convertToFormat(QImage::Format_RGBA8888);
        ASSERT_EQ(actual.size(), expected.size());
        const Difference difference = compare(actual, expected);
        EXPECT_LT(difference.markedFraction, 0.02);
        EXPECT_LT(difference.meanDifference, 3.0);
    }
}
