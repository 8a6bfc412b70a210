#pragma once

#include "crypto/Hmac.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QByteArray>

namespace tessaline {

// A streaming HMAC-SHA256: init with a key of any length, feed any number of times, finalize once.
//
// Internal to the framework; exported for its tests.
class TESSALINE_EXPORT HMAC
{
public:
    static constexpr qsizetype size = 32;

    explicit HMAC(const QByteArray& key);

    void feed(const QByteArray& data);
    // The 32-byte tag of everything fed.
    QByteArray finalize();

private:
    crypto::Hmac m_context;
};

} // namespace tessaline
