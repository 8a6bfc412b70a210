#include "DocumentStack.h"
#include "TestFiles.h"
#include "graphics/PngWriter.h"
#include "model/entities/Asset.h"
#include "model/entities/Image.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace pelorama::model;

namespace {

// Peak resident memory of the process so far, in bytes.
qint64 peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

QByteArray pngOfSize(int width, int height)
{
    QImage pixels(width, height, QImage::Format_RGB32);
    pixels.fill(QColor(30, 90, 200));
    return graphics::PngWriter::encode(pixels);
}

// Files a user might drop that are no pictures or no files, next to one picture that is.
class DroppedFileTest : public testing::Test
{
protected:
    DroppedFileTest()
    {
        stack.context->setUndoStack(&undo);
        image = Image::insertInto(*stack.context);
        QImage pixels(4, 3, QImage::Format_RGBA8888);
        pixels.fill(Qt::magenta);
        EXPECT_TRUE(image->processDroppedUrl(url(write("first.png", graphics::PngWriter::encode(pixels)))));
        before = image->image();
        asset = image->assetIdentifier();
        undo.clear();
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        return writeTestFile(directory, name, bytes);
    }
    // A file of size bytes that holds no data on disk: it reads as zeros.
    QString sparse(const QString& name, qint64 size)
    {
        QString path = directory.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(file.resize(size));
        return path;
    }
    static QUrl url(const QString& path) { return QUrl::fromLocalFile(path); }

    int assetCount()
    {
        const auto found = stack.context->execute(Asset::fetchRequest());
        return found ? int(found->size()) : -1;
    }
    // The refusal left everything as it was: the picture, its asset, and no step to undo.
    void expectUnchanged()
    {
        EXPECT_EQ(image->image(), before);
        EXPECT_EQ(image->assetIdentifier(), asset);
        EXPECT_EQ(assetCount(), 1);
        EXPECT_EQ(undo.count(), 0);
    }

    // A drop of the file at path is refused as unreadable with this description, changing nothing.
    void expectReadRefused(const QString& path, const QString& description)
    {
        const auto dropped = image->processDroppedUrl(url(path));
        ASSERT_FALSE(dropped);
        EXPECT_EQ(dropped.error().code(), DroppableError::Code::fileReadFailure);
        EXPECT_EQ(dropped.error().localizedDescription(), description);
        expectUnchanged();
    }

    QTemporaryDir directory;
    QUndoStack undo;
    DocumentStack stack = DocumentStack::inMemory();
    Image* image = nullptr;
    std::optional<graphics::Image> before;
    std::optional<QString> asset;
};

} // namespace

TEST_F(DroppedFileTest, AFileLargerThanAnyPictureIsRefusedBeforeItIsRead)
{
    expectReadRefused(sparse("huge.png", qint64(3) << 30),
                      "The file is too large (3.0 GB); pictures of up to 1.1 GB can be opened.");
}

TEST_F(DroppedFileTest, AFileThatBeginsLikeNoPictureIsRefusedWithoutReadingTheRest)
{
    const qint64 peak = peakResidentBytes();
    const auto dropped = image->processDroppedUrl(url(sparse("zeros.png", qint64(1) << 30)));
    ASSERT_FALSE(dropped);
    EXPECT_EQ(dropped.error().code(), DroppableError::Code::imageLoadingFailure);
    EXPECT_EQ(dropped.error().localizedDescription(), "The image could not be decoded.");
    EXPECT_LT(peakResidentBytes() - peak, qint64(64) << 20) << "the gigabyte of zeros was read";
    expectUnchanged();
}

TEST_F(DroppedFileTest, ALargePictureOpensAsOneUndoStep)
{
    const QByteArray png = pngOfSize(8000, 8000);
    ASSERT_FALSE(png.isEmpty());
    ASSERT_TRUE(image->processDroppedUrl(url(write("large.png", png))));
    ASSERT_TRUE(image->image());
    EXPECT_EQ(image->image()->size(), (graphics::Size{8000, 8000}));
    EXPECT_EQ((*Asset::fetch(*image->assetIdentifier(), *stack.context))->data(), png);
    EXPECT_EQ(assetCount(), 1) << "the old picture's asset goes";
    QCoreApplication::processEvents();
    EXPECT_EQ(undo.count(), 1);
}
