#pragma once

#include "foundation/Expected.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// Copied screenshots on the system clipboard: one item whose data, under the type pasteboardType(), is
// the keyed archive (PasteboardArchive) of the screenshot's pasteboard dictionary. Reading never consumes
// the clipboard, so one copy can be pasted any number of times, also into another document or program
// instance. Main thread only, as the clipboard is.
class ScreenshotPasteboard
{
public:
    // The application's bundle identifier, or "com.quillory" without one, "." and typeName; computed on
    // each use.
    static QString pasteboardType(const QString& typeName = QStringLiteral("Screenshot"));

    // Replaces the clipboard's contents with the screenshot. When the screenshot cannot be archived the
    // clipboard keeps what it had and the answer is false.
    static bool copy(model::Screenshot& screenshot);

    // The clipboard's data of that type, one entry per item that has it (none when it has no such item).
    static QList<QByteArray> items();
    static bool hasScreenshots();

    // The checked dictionary of a screenshot from an item's data (PasteboardArchive, then
    // checkedPasteboardDictionary), or why it holds none.
    static foundation::Expected<QVariantMap, QString> screenshotDictionary(const QByteArray& data);
};

} // namespace pelorama::document
