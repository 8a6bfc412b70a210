#pragma once

#include "graphics/BitmapImageRep.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace graphics {

// A way to turn file contents into a bitmap: the file extensions it claims, a test of the contents and the
// decoding itself, which answers no value for data it cannot read.
struct ImageDecoder
{
    QString name;
    // Lower-case extensions without the dot.
    QStringList fileExtensions;
    std::function<bool(const QByteArray&)> canDecode;
    std::function<std::optional<BitmapImageRep>(const QByteArray&)> decode;
};

} // namespace graphics
