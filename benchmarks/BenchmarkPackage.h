#pragma once

// The document the document and command-line benchmarks read: a package of 50 screenshots made from the
// built-in templates (each category and theme in turn), each device or image showing a picture of its
// own whose file is about 1 MB, and a caption. It is made once per process, in a temporary folder, or kept at
// the path PELORAMA_BENCHMARK_PACKAGE names (made there when nothing is), to be timed with the program
// itself.
#include "document/DocumentPackage.h"
#include "graphics/Image.h"
#include "graphics/PngWriter.h"
#include "model/entities/ImageLoadable.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/rendering/Canvas.h"
#include "store/ManagedObjectContext.h"
#include "templates/TemplateCategory.h"

#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace benchmarks {

inline constexpr int packageScreenshotCount = 50;

// A picture of grain that deflate finds nothing to repeat in, so its PNG file is about 1 MB.
inline QByteArray megabytePicture(int seed)
{
    QImage pixels(590, 590, QImage::Format_RGB888);
    QRandomGenerator random(quint32(seed + 1));
    for (int y = 0; y < pixels.height(); ++y) {
        uchar* row = pixels.scanLine(y);
        for (int x = 0; x < pixels.width() * 3; ++x)
            row[x] = uchar(random.bounded(256));
    }
    return graphics::PngWriter::encode(pixels);
}

// The package's path; empty when it could not be made.
inline const QString& benchmarkPackagePath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        using namespace pelorama;
        QString kept = qEnvironmentVariable("PELORAMA_BENCHMARK_PACKAGE");
        if (!kept.isEmpty() && QFileInfo::exists(kept))
            return kept;
        const QString package = kept.isEmpty() ? folder.filePath(QStringLiteral("Benchmark.pelorama")) : kept;
        document::DocumentPackage document;
        document.initializeNewDocument(document::DocumentPackage::typeName());
        document.metadata().setDictionary({{"FileVersion", 1}, {"AppVersion", "1.0"}});
        store::ManagedObjectContext& context = *document.managedObjectContext();
        const std::vector<templates::TemplateCategory>& categories = templates::TemplateCategory::all();
        for (int index = 0; index < packageScreenshotCount; ++index) {
            const templates::TemplateCategory& category = categories[std::size_t(index) % categories.size()];
            const auto& groups = category.templateGroups();
            const templates::TemplateGroup& theme =
                groups[std::size_t(index / categories.size()) % groups.size()];
            model::Screenshot& screenshot = theme.templates().front()->instantiateScreenshot(context);
            screenshot.setName(QStringLiteral("Screenshot %1").arg(index));
            screenshot.setOrder(index);
            const QByteArray picture = megabytePicture(index);
            for (model::Drawable* drawable : screenshot.makeCanvas().drawables()) {
                if (auto* pictured = dynamic_cast<model::ImageLoadable*>(drawable)) {
                    pictured->storeImageData(picture);
                    pictured->setImage(graphics::Image::fromData(picture));
                }
                if (auto* caption = dynamic_cast<model::TextRect*>(drawable))
                    caption->setText(QStringLiteral("**Screenshot %1**\nat a glance").arg(index));
            }
        }
        return document.saveAs(package) ? package : QString();
    }();
    return path;
}

} // namespace benchmarks
