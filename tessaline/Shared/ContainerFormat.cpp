#include "tessaline/Shared/ContainerFormat.h"

namespace tessaline::containerformat {

const QByteArray& magic()
{
    static const QByteArray bytes("\x3a\x2d\x29\x00", magicSize);
    return bytes;
}

bool isEqualComparingAllBytes(const QByteArray& trusted, const QByteArray& untrusted)
{
    unsigned char accumulator = trusted.size() != untrusted.size() ? 1 : 0;
    if (trusted.isEmpty())
        return false;
    for (qsizetype i = 0; i < untrusted.size(); ++i)
        accumulator |= static_cast<unsigned char>(untrusted[i] ^ trusted[i % trusted.size()]);
    return accumulator == 0;
}

} // namespace tessaline::containerformat
