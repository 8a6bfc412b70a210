#pragma once

#include "tessaline/Shared/TessalineExport.h"

#include <QByteArray>

namespace tessaline {

// A byte queue that holds back the last `delay` bytes of a stream, so that a trailing authentication tag
// never reaches the cipher. The bytes returned by all feeds so far, followed by held(), are exactly the
// bytes fed so far; held() has min(delay, bytes fed) bytes.
//
// Internal to the framework; exported for its tests.
class TESSALINE_EXPORT DelayLine
{
public:
    explicit DelayLine(qsizetype delay);

    // Appends data to the stream; returns the bytes that have just dropped out of the window of the last
    // `delay` bytes, in stream order (possibly none).
    QByteArray feed(const QByteArray& data);

    const QByteArray& held() const { return m_buffer; }
    qsizetype delay() const { return m_delay; }

private:
    QByteArray fullOverflow(const QByteArray& data);
    QByteArray partialOverflow(const QByteArray& data);

    QByteArray m_buffer;
    qsizetype m_delay;
};

} // namespace tessaline
