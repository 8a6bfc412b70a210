#include "tessaline/Tessaline/ReplaceableImageView.h"

#include "appkit/widgets/OpenPanel.h"
#include "tessaline/Tessaline/ReplaceableImageViewDelegate.h"

#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>
#include <optional>

using tessaline::ReplaceableImageView;

namespace {

class Recorder : public QObject, public tessaline::ReplaceableImageViewDelegate
{
    Q_OBJECT
    Q_INTERFACES(tessaline::ReplaceableImageViewDelegate)

public:
    QList<QByteArray> received;

    void replaceableImageViewDidLoadImageData(ReplaceableImageView*, const QByteArray& data) override
    {
        received.append(data);
    }
};

class Holder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(graphics::Image picture READ picture WRITE setPicture NOTIFY pictureChanged)

public:
    graphics::Image picture() const { return m_picture; }
    void setPicture(const graphics::Image& picture)
    {
        m_picture = picture;
        emit pictureChanged();
    }

signals:
    void pictureChanged();

private:
    graphics::Image m_picture;
};

// Image files in a temporary folder: good.png (3 by 2 red), other.png (5 by 5 blue), broken.png (not an
// image) and notes.txt.
struct Files
{
    QTemporaryDir folder;

    Files()
    {
        QImage red(3, 2, QImage::Format_ARGB32);
        red.fill(Qt::red);
        red.save(path("good.png"));
        QImage blue(5, 5, QImage::Format_ARGB32);
        blue.fill(Qt::blue);
        blue.save(path("other.png"));
        write("broken.png", "this is no picture");
        write("notes.txt", "plain text");
    }

    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QUrl url(const char* name) const { return QUrl::fromLocalFile(path(name)); }
    QByteArray bytes(const char* name) const
    {
        QFile file(path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private:
    void write(const char* name, const QByteArray& contents) const
    {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(contents);
    }
};

std::unique_ptr<QMimeData> drop(const QList<QUrl>& urls)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

appkit::OpenPanel* openPanelOf(QWidget& window)
{
    return window.findChild<appkit::OpenPanel*>();
}

// Lets the files given so far be read and their results reach the views.
void finishReading()
{
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

// The alert shown over view, closed once its texts are taken: the message and the reason.
std::optional<std::pair<QString, QString>> takeAlert(QWidget& view)
{
    auto* alert = view.findChild<QMessageBox*>();
    if (!alert) {
        return std::nullopt;
    }
    const std::pair<QString, QString> texts{alert->text(), alert->informativeText()};
    alert->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return texts;
}

} // namespace

TEST(TessalineTest, DroppedImageFileReplacesThePictureAndReachesTheDelegate)
{
    Files files;
    Recorder recorder;
    ReplaceableImageView view;
    view.setDelegate(&recorder);
    QSignalSpy changes(&view, &ReplaceableImageView::imageChanged);

    EXPECT_TRUE(view.performDragOperation(drop({files.url("good.png"), files.url("other.png")}).get()));
    EXPECT_EQ(view.cursor().shape(), Qt::BusyCursor) << "the file is being read";
    finishReading();
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(view.image().size(), (graphics::Size{3, 2}));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(recorder.received, QList<QByteArray>{files.bytes("good.png")});
    EXPECT_FALSE(takeAlert(view));
}

TEST(TessalineTest, UnreadableOrWrongDropsKeepThePictureAndSayWhy)
{
    Files files;
    Recorder recorder;
    ReplaceableImageView view;
    view.setDelegate(&recorder);
    ASSERT_TRUE(view.performDragOperation(drop({files.url("good.png")}).get()));
    finishReading();
    recorder.received.clear();

    testing::internal::CaptureStdout();
    EXPECT_TRUE(view.performDragOperation(drop({files.url("broken.png")}).get()));
    finishReading();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning: could not fetch image data!\n");
    EXPECT_EQ(takeAlert(view), std::pair(QStringLiteral("“broken.png” could not be opened."),
                                         QStringLiteral("The image could not be decoded.")));

    testing::internal::CaptureStdout();
    EXPECT_TRUE(view.performDragOperation(drop({files.url("missing.png")}).get()));
    finishReading();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(takeAlert(view), std::pair(QStringLiteral("“missing.png” could not be opened."),
                                         QStringLiteral("No such file or directory")));

    // Not taken at all, so nothing to say.
    EXPECT_FALSE(view.performDragOperation(drop({files.url("notes.txt"), files.url("other.png")}).get()));
    EXPECT_FALSE(view.performDragOperation(drop({QUrl(QStringLiteral("https://example.com/a.png"))}).get()));
    finishReading();
    EXPECT_FALSE(takeAlert(view));

    EXPECT_EQ(view.image().size(), (graphics::Size{3, 2}));
    EXPECT_TRUE(recorder.received.isEmpty());
}

TEST(TessalineTest, OfTwoFilesGivenBeforeEitherIsReadTheLaterCounts)
{
    Files files;
    Recorder recorder;
    ReplaceableImageView view;
    view.setDelegate(&recorder);
    EXPECT_TRUE(view.performDragOperation(drop({files.url("good.png")}).get()));
    EXPECT_TRUE(view.performDragOperation(drop({files.url("other.png")}).get()));
    finishReading();
    EXPECT_EQ(view.image().size(), (graphics::Size{5, 5}));
    EXPECT_EQ(recorder.received, QList<QByteArray>{files.bytes("other.png")});
}

TEST(TessalineTest, DragOfAFileTheDecodersCannotReadIsRefusedOnEntry)
{
    Files files;
    ReplaceableImageView view;
    view.resize(100, 100);
    view.show();
    const auto enter = [&](const char* name) {
        std::unique_ptr<QMimeData> data = drop({files.url(name)});
        QDragEnterEvent event(QPoint(50, 50), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(enter("good.png"));
    EXPECT_FALSE(enter("notes.txt"));
}

TEST(TessalineTest, ChosenFileIsWrittenThroughTheValueBinding)
{
    Files files;
    Holder holder;
    Recorder recorder;
    QWidget window;
    auto* view = new ReplaceableImageView(&window);
    view->setDelegate(&recorder);
    view->bindValue(&holder, QStringLiteral("picture"));
    window.show();

    QTest::mouseDClick(view, Qt::LeftButton);
    appkit::OpenPanel* panel = openPanelOf(window);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    EXPECT_EQ(panel->labelText(QFileDialog::Accept), QStringLiteral("Choose"));
    panel->selectFile(files.path("other.png"));
    static_cast<QDialog*>(panel)->accept();
    finishReading();

    EXPECT_EQ(holder.picture().size(), (graphics::Size{5, 5}));
    EXPECT_EQ(view->image().size(), (graphics::Size{5, 5}));
    EXPECT_EQ(recorder.received, QList<QByteArray>{files.bytes("other.png")});
}

TEST(TessalineTest, ACancelledChoiceChangesNothingAndAnUndecodableOneSaysWhy)
{
    Files files;
    Recorder recorder;
    QWidget window;
    auto* view = new ReplaceableImageView(&window);
    view->setDelegate(&recorder);
    window.show();

    view->selectImage();
    ASSERT_NE(openPanelOf(window), nullptr);
    openPanelOf(window)->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    finishReading();
    EXPECT_FALSE(takeAlert(window));

    view->selectImage();
    appkit::OpenPanel* panel = openPanelOf(window);
    ASSERT_NE(panel, nullptr);
    panel->selectFile(files.path("broken.png"));
    static_cast<QDialog*>(panel)->accept();
    finishReading();

    EXPECT_EQ(takeAlert(window), std::pair(QStringLiteral("“broken.png” could not be opened."),
                                           QStringLiteral("The image could not be decoded.")));
    EXPECT_TRUE(view->image().isEmpty());
    EXPECT_TRUE(recorder.received.isEmpty());
}

#include "ReplaceableImageViewTest.moc"
