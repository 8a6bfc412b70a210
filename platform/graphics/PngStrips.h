#pragma once

#include <QByteArray>
#include <QImage>
#include <QtGlobal>
#include <vector>

namespace graphics {

// What the PNG writer keeps of one image for the next one like it (the same picture with a few rows
// changed, as a screenshot is in another language): the pixels it read and the strips it deflated them
// into. The writer takes a strip over from here, without filtering or deflating its rows again, when
// those rows and the row above them are equal in both images; the file it writes is the same either way.
struct PngStrips
{
    // One strip of the zlib stream, without the stream's header or checksum.
    struct Strip
    {
        QByteArray data;
        // The checksum of the strip's filtered bytes, and their count.
        quint32 adler = 1;
        qsizetype length = 0;
    };

    QImage source;
    int channels = 0;
    std::vector<Strip> strips;
};

} // namespace graphics
