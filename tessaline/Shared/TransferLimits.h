#pragma once

#include <QtGlobal>
#include <chrono>

namespace tessaline {

// Bounds of one HTTP exchange, so that no answer, however slow, long or endless, holds on to time or
// memory for ever. Each one that is crossed ends the exchange as a failure.
struct TransferLimits
{
    // To reach the server and set up the connection, TLS handshake included.
    std::chrono::milliseconds connectTimeout{15'000};
    // Moving under one byte a second (in either direction) for this long.
    std::chrono::seconds stallTime{20};
    // The whole exchange, from the start to the last byte of the answer.
    std::chrono::milliseconds totalTimeout{60'000};
    // The body of the answer, after any transfer coding is taken off.
    qint64 maximumAnswerBytes = 1024 * 1024;
    // One header line of the answer, and all of them: interim answers and trailers count.
    qint64 maximumHeaderLineBytes = 8 * 1024;
    qint64 maximumHeaderBytes = 64 * 1024;
};

} // namespace tessaline
