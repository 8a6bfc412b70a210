#include "document/ScreenshotPasteboard.h"

#include "document/PasteboardArchive.h"
#include "document/PasteboardSerialization.h"
#include "foundation/BundleInfo.h"
#include "model/entities/Entity.h"
#include "model/entities/Screenshot.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

namespace pelorama::document {

QString ScreenshotPasteboard::pasteboardType(const QString& typeName)
{
    return foundation::BundleInfo::identifier().value_or(QStringLiteral("com.quillory")) + '.' + typeName;
}

bool ScreenshotPasteboard::copy(model::Screenshot& screenshot)
{
    const auto archive = PasteboardArchive::archivedData(pasteboardDictionary(screenshot));
    if (!archive)
        return false;
    auto item = std::make_unique<QMimeData>();
    item->setData(pasteboardType(), *archive);
    QGuiApplication::clipboard()->setMimeData(item.release());
    return true;
}

QList<QByteArray> ScreenshotPasteboard::items()
{
    const QMimeData* item = QGuiApplication::clipboard()->mimeData();
    const QString type = pasteboardType();
    if (!item || !item->hasFormat(type))
        return {};
    return {item->data(type)};
}

bool ScreenshotPasteboard::hasScreenshots()
{
    const QMimeData* item = QGuiApplication::clipboard()->mimeData();
    return item && item->hasFormat(pasteboardType());
}

foundation::Expected<QVariantMap, QString> ScreenshotPasteboard::screenshotDictionary(const QByteArray& data)
{
    const auto dictionary = PasteboardArchive::dictionary(data);
    if (!dictionary)
        return dictionary;
    return checkedPasteboardDictionary(model::entityName<model::Screenshot>(), *dictionary);
}

} // namespace pelorama::document
