#pragma once

#include <QString>

namespace graphics {

// Why an image could not be written as a PNG file.
struct PngWriteError
{
    QString message;
};

} // namespace graphics
