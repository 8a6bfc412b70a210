// Draws the device-frame pictures of the catalogue and the screen placeholders, seals each frame in the
// encrypted container the application reads, and writes a Qt resource collection listing them all.
//
//   frameart OUTPUT_DIRECTORY
//
// The output is the same bytes on every run with the same fonts and Qt: the containers are sealed
// reproducibly.
#include "FrameArtwork.h"
#include "PlaceholderArtwork.h"
#include "foundation/ParallelFor.h"
#include "foundation/WorkerPool.h"
#include "model/devices/CryptoPngRep.h"
#include "model/devices/DeviceFamily.h"
#include "tessaline/Shared/Encryptor.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QByteArray pngData(const QImage& picture)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(picture) ? data : QByteArray();
}

// Template previews show a device a few hundred pixels tall at most (a 200-point box at two pixels per
// point); their frames and placeholders are drawn this large at most, so opening them stays cheap.
constexpr int previewLongestSide = 640;

QSize previewSize(QSize size)
{
    const int longest = std::max(size.width(), size.height());
    if (longest <= previewLongestSide)
        return size;
    return size.scaled(previewLongestSide, previewLongestSide, Qt::KeepAspectRatio);
}

bool writeFile(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit())
        return true;
    std::fprintf(stderr, "frameart: cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

// Runs the jobs on a few threads of the worker pool; true when every one succeeded.
bool runAll(const std::vector<std::function<bool()>>& jobs)
{
    std::atomic<bool> succeeded = true;
    foundation::parallelFor(
        int(jobs.size()),
        [&](int job) {
            if (!jobs[size_t(job)]())
                succeeded = false;
        },
        std::min(4, foundation::availableThreads()));
    // The pool's threads end now, before the crypto library cleans up at exit: what it keeps for each
    // thread goes with the thread.
    foundation::workerPool().waitForDone();
    return succeeded;
}

QString resourceEntry(const QString& fileName)
{
    return QStringLiteral("        <file>%1</file>\n").arg(fileName);
}

} // namespace

int main(int argc, char* argv[])
{
    // Text needs a font system but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("Usage: frameart OUTPUT_DIRECTORY\n", stderr);
        return 2;
    }
    const QDir output(arguments[1]);
    if (!QDir().mkpath(output.path())) {
        std::fprintf(stderr, "frameart: cannot make the directory %s\n", qPrintable(output.path()));
        return 1;
    }

    const QString passphrase = pelorama::model::CryptoPngRep::passphrase();
    // Each job draws and writes one picture; they share nothing, so they run side by side.
    std::vector<std::function<bool()>> jobs;
    QStringList entries;
    for (const pelorama::model::DeviceFamily& family : pelorama::model::DeviceFamily::all()) {
        for (const pelorama::model::DeviceVariant& variant : family.variants()) {
            const QString path = output.filePath(variant.identifier() + QStringLiteral(".ccc"));
            const QString previewPath =
                output.filePath(variant.identifier() + QStringLiteral(".preview.ccc"));
            entries.append(QFileInfo(path).fileName());
            entries.append(QFileInfo(previewPath).fileName());
            jobs.emplace_back([&family, &variant, &passphrase, path, previewPath] {
                const QImage frame = frameart::drawFrame(family, variant);
                const QByteArray png = frame.isNull() ? QByteArray() : pngData(frame);
                const QByteArray previewPng =
                    frame.isNull() ? QByteArray()
                                   : pngData(frame.scaled(previewSize(frame.size()), Qt::IgnoreAspectRatio,
                                                          Qt::SmoothTransformation));
                if (png.isEmpty() || previewPng.isEmpty()) {
                    std::fprintf(stderr, "frameart: cannot draw the frame %s\n",
                                 qPrintable(variant.identifier()));
                    return false;
                }
                return writeFile(path, tessaline::Encryptor::encryptReproducibly(png, passphrase)) &&
                       writeFile(previewPath,
                                 tessaline::Encryptor::encryptReproducibly(previewPng, passphrase));
            });
        }
    }
    for (const frameart::Placeholder& placeholder : frameart::placeholders()) {
        const QString path = output.filePath(placeholder.name + QStringLiteral(".png"));
        entries.append(QFileInfo(path).fileName());
        // Only template previews show them.
        jobs.emplace_back([size = previewSize(placeholder.size), path] {
            return writeFile(path, pngData(frameart::drawPlaceholder(size)));
        });
    }
    if (!runAll(jobs))
        return 1;

    // Written last: the build takes a fresh collection as the sign that every picture is in place.
    QString collection =
        QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/images\">\n");
    for (const QString& entry : entries)
        collection += resourceEntry(entry);
    collection += QStringLiteral("    </qresource>\n</RCC>\n");
    return writeFile(output.filePath(QStringLiteral("devices.qrc")), collection.toUtf8()) ? 0 : 1;
}
