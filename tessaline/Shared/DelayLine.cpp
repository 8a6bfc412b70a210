#include "tessaline/Shared/DelayLine.h"

namespace tessaline {

DelayLine::DelayLine(qsizetype delay)
    : m_delay(delay)
{}

QByteArray DelayLine::feed(const QByteArray& data)
{
    if (data.size() >= m_delay)
        return fullOverflow(data);
    if (m_buffer.size() + data.size() <= m_delay) {
        m_buffer += data;
        return {};
    }
    return partialOverflow(data);
}

QByteArray DelayLine::fullOverflow(const QByteArray& data)
{
    const qsizetype released = data.size() - m_delay;
    QByteArray out = m_buffer + data.left(released);
    m_buffer = data.mid(released);
    return out;
}

QByteArray DelayLine::partialOverflow(const QByteArray& data)
{
    const qsizetype released = m_buffer.size() + data.size() - m_delay;
    QByteArray out = m_buffer.left(released);
    m_buffer.remove(0, released);
    m_buffer += data;
    return out;
}

} // namespace tessaline
