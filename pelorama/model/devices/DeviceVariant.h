#pragma once

#include "graphics/Rect.h"
#include "graphics/Size.h"

#include <QMetaType>
#include <QString>

namespace pelorama::model {

// One model and finish of a device family: its frame picture (the image resource named by the identifier),
// the picture's size and where the screen lies in it. The artwork tool draws each picture to this size,
// so a device is placed without opening its picture.
class DeviceVariant
{
public:
    DeviceVariant(QString name, QString identifier, graphics::Rect screenshotRect, graphics::Size frameSize);

    // Shown in the device image's model list.
    const QString& name() const { return m_name; }
    // The key stored in documents and templates, and the resource name of the frame picture.
    const QString& identifier() const { return m_identifier; }
    // The screen inside the frame picture, in the picture's units, measured from its top-left corner
    // (y grows downwards).
    const graphics::Rect& screenshotRect() const { return m_screenshotRect; }
    // The frame picture's size, in the units of screenshotRect. An orientable device turns about the
    // picture's centre, so its screen lies in the middle.
    graphics::Size frameSize() const { return m_frameSize; }

    // The screen's size in landscape form: the longer side is the width.
    graphics::Size suggestedResolution() const;
    // A picture fits when it is the screen's size or exactly twice it, either way round. Exact comparison.
    bool isValidDisplaySize(graphics::Size size) const;

private:
    QString m_name;
    QString m_identifier;
    graphics::Rect m_screenshotRect;
    graphics::Size m_frameSize;
};

} // namespace pelorama::model

// Catalogue variants are unique objects, so a pointer is the value that names one.
Q_DECLARE_METATYPE(const pelorama::model::DeviceVariant*)
