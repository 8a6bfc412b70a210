// The application delegate: image registration, the web site and the acknowledgements window.
#include "app/AppDelegate.h"

#include "app/Acknowledgements.h"
#include "app/AcknowledgementsWindowController.h"
#include "graphics/Image.h"
#include "graphics/ImageDecoderRegistry.h"
#include "ledgerline/PropertyEditorRegistry.h"

#include <QDir>
#include <QSettings>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

TEST(AppDelegateTest, TheSealedImageDecoderIsRegisteredOncePerProcess)
{
    app::AppDelegate::initializeClass();
    app::AppDelegate::initializeClass();
    app::AppDelegate first;
    app::AppDelegate second;
    EXPECT_TRUE(graphics::ImageDecoderRegistry::isRegistered("ccc"));
    EXPECT_EQ(graphics::ImageDecoderRegistry::fileExtensions().count("ccc"), 1);
    // The inspector's own editors come with it.
    EXPECT_TRUE(
        ledgerline::PropertyEditorRegistry::isRegistered(QStringLiteral("AnglePropertyTableCellView")));
    // The sealed frames load like any other picture.
    const QStringList sealed = QDir(QStringLiteral(":/images")).entryList({QStringLiteral("*.ccc")});
    ASSERT_FALSE(sealed.isEmpty());
    const auto frame = graphics::Image::fromFile(QStringLiteral(":/images/") + sealed.first());
    ASSERT_TRUE(frame.has_value());
    EXPECT_FALSE(frame->isEmpty());
}

TEST(AppDelegateTest, PreviewsStartRenderingOnALaterPassAfterLaunching)
{
    app::AppDelegate delegate;
    int started = 0;
    delegate.setPreviewRenderer([&] {
        ++started;
        return QtFuture::makeReadyFuture();
    });
    delegate.applicationDidFinishLaunching();
    EXPECT_EQ(started, 0);
    QTRY_COMPARE(started, 1);
    EXPECT_TRUE(delegate.previewRendering().isFinished());
    QTest::qWait(10);
    EXPECT_EQ(started, 1);
}

TEST(AppDelegateTest, TheWebSiteComesFromTheEnvironmentTheSettingsOrTheBuiltInAddress)
{
    app::AppDelegate delegate;
    QList<QUrl> opened;
    delegate.setUrlOpener([&](const QUrl& url) { opened.append(url); });
    qunsetenv(app::AppDelegate::websiteEnvironmentVariable);
    QSettings().remove(app::AppDelegate::websiteSettingKey);
    delegate.showWebsite();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.last().scheme(), "http");

    QSettings().setValue(app::AppDelegate::websiteSettingKey, "http://settings.example/");
    delegate.showWebsite();
    EXPECT_EQ(opened.last(), QUrl("http://settings.example/"));
    qputenv(app::AppDelegate::websiteEnvironmentVariable, "http://environment.example/");
    delegate.showWebsite();
    EXPECT_EQ(opened.last(), QUrl("http://environment.example/"));
    qunsetenv(app::AppDelegate::websiteEnvironmentVariable);
    QSettings().remove(app::AppDelegate::websiteSettingKey);
}

TEST(AppDelegateTest, TheAcknowledgementsWindowIsMadeOnceAndBroughtBackEachTime)
{
    app::AppDelegate delegate;
    EXPECT_EQ(delegate.acknowledgementsWindowController(), nullptr);
    delegate.showAcknowledgements(nullptr);
    app::AcknowledgementsWindowController* controller = delegate.acknowledgementsWindowController();
    ASSERT_NE(controller, nullptr);
    QWidget* window = controller->window();
    EXPECT_TRUE(window->isVisible());
    const QString shown = controller->textView()->toPlainText();
    window->close();
    delegate.showAcknowledgements(nullptr);
    EXPECT_EQ(delegate.acknowledgementsWindowController(), controller);
    EXPECT_EQ(controller->window(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(controller->textView()->toPlainText(), shown);
    window->close();
}

TEST(AppDelegateTest, TheAcknowledgementsShowBoldHeadingsWithoutTheirMarkupAtTheSmallSize)
{
    app::AcknowledgementsWindowController controller;
    controller.window();
    QTextDocument* text = controller.textView()->document();
    const QString plain = text->toPlainText();
    EXPECT_FALSE(plain.contains("**"));
    // Addresses keep their slashes: no line pairs two of them into italic markup.
    QString unmarked = app::acknowledgementsText();
    unmarked.remove(QStringLiteral("**"));
    EXPECT_EQ(plain.trimmed(), unmarked.trimmed());
    for (const char* credit :
         {"Qt", "SQLite", "SQLiteC++", "OpenSSL", "libplist", "zlib", "LZ4", "xz", "Zstandard", "libpng",
          "Inter", "Lato", "Roboto Condensed", "DejaVu Sans Mono"})
        EXPECT_TRUE(plain.contains(QString::fromLatin1(credit))) << credit;
    const QTextBlock heading = text->findBlockByNumber(0);
    EXPECT_EQ(heading.text(), "Device frames and artwork");
    const QTextBlock notice = text->findBlockByNumber(1);
    EXPECT_GT(heading.begin().fragment().charFormat().font().weight(),
              notice.begin().fragment().charFormat().font().weight());
    EXPECT_EQ(notice.begin().fragment().charFormat().font().pointSizeF(), 11);
    EXPECT_EQ(&app::acknowledgementsText(), &app::acknowledgementsText());
}

} // namespace
