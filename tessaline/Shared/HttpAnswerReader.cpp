#include "tessaline/Shared/HttpAnswerReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tessaline {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The characters of a field name (a token).
bool isTokenCharacter(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           std::strchr("!#$%&'*+-.^_`|~", c) != nullptr;
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

// A field line "name: value": its name and value, or an empty name when the line is no field.
std::pair<QByteArrayView, QByteArrayView> splitField(QByteArrayView text)
{
    const qsizetype colon = text.indexOf(':');
    if (colon <= 0)
        return {};
    const QByteArrayView name = text.first(colon);
    if (!std::all_of(name.begin(), name.end(), isTokenCharacter))
        return {};
    return {name, trimmed(text.sliced(colon + 1))};
}

} // namespace

HttpAnswerReader::State HttpAnswerReader::read(QByteArrayView bytes)
{
    qsizetype at = 0;
    while (m_state == State::reading && at < bytes.size()) {
        switch (m_stage) {
        case Stage::sizedBody:
        case Stage::chunkData: {
            const qsizetype taken = qsizetype(std::min<qint64>(m_remaining, bytes.size() - at));
            at += taken;
            m_remaining -= taken;
            if (m_remaining == 0) {
                if (m_stage == Stage::chunkData) {
                    m_stage = Stage::chunkEnd;
                } else {
                    m_stage = Stage::done;
                    m_state = State::complete;
                }
            }
            break;
        }
        case Stage::bodyUntilClose:
            at = bytes.size();
            break;
        case Stage::done:
            m_state = State::complete;
            break;
        case Stage::statusLine:
        case Stage::fields:
        case Stage::chunkSize:
        case Stage::chunkEnd:
        case Stage::trailers: {
            const char* start = bytes.data() + at;
            const auto* newline =
                static_cast<const char*>(std::memchr(start, '\n', std::size_t(bytes.size() - at)));
            const qsizetype length = newline ? newline - start : bytes.size() - at;
            if (m_pending.size() + length > maximumLineLength)
                return fail(QStringLiteral("a line is longer than %1 bytes").arg(maximumLineLength));
            m_pending.append(start, length);
            at += length;
            if (!newline)
                break;
            ++at;
            QByteArray text = std::exchange(m_pending, {});
            if (text.endsWith('\r'))
                text.chop(1);
            if (text.contains('\r'))
                return fail(QStringLiteral("a line holds a carriage return that ends nothing"));
            if (!line(text))
                return m_state;
            break;
        }
        }
    }
    return m_state;
}

HttpAnswerReader::State HttpAnswerReader::end()
{
    if (m_state != State::reading)
        return m_state;
    if (m_stage == Stage::bodyUntilClose) {
        m_stage = Stage::done;
        m_state = State::complete;
        return m_state;
    }
    return fail(QStringLiteral("the connection closed before the answer was complete"));
}

bool HttpAnswerReader::line(QByteArrayView text)
{
    switch (m_stage) {
    case Stage::statusLine:
        return statusLine(text);
    case Stage::fields:
        return text.isEmpty() ? endOfFields() : field(text);
    case Stage::chunkSize:
        return chunkSizeLine(text);
    case Stage::chunkEnd:
        if (!text.isEmpty()) {
            fail(QStringLiteral("a chunk is longer than its size says"));
            return false;
        }
        m_stage = Stage::chunkSize;
        return true;
    case Stage::trailers:
        if (text.isEmpty()) {
            m_stage = Stage::done;
            m_state = State::complete;
            return true;
        }
        if (splitField(text).first.isEmpty() || ++m_fieldCount > maximumFieldCount) {
            fail(QStringLiteral("a trailer line is no field"));
            return false;
        }
        return true;
    case Stage::sizedBody:
    case Stage::chunkData:
    case Stage::bodyUntilClose:
    case Stage::done:
        break;
    }
    return true;
}

bool HttpAnswerReader::statusLine(QByteArrayView text)
{
    // "HTTP/1.1 201 Created": the version, a space, three digits, and a reason after a space, or none.
    const bool wellFormed = text.size() >= 12 && text.startsWith("HTTP/1.") && isDigit(text[7]) &&
                            text[8] == ' ' && isDigit(text[9]) && isDigit(text[10]) && isDigit(text[11]) &&
                            (text.size() == 12 || text[12] == ' ');
    if (!wellFormed) {
        fail(QStringLiteral("the status line is not HTTP/1"));
        return false;
    }
    m_status = (text[9] - '0') * 100 + (text[10] - '0') * 10 + (text[11] - '0');
    if (m_status < 100 || m_status == 101) {
        fail(QStringLiteral("status %1 answers nothing that was asked").arg(m_status));
        return false;
    }
    m_stage = Stage::fields;
    m_fieldCount = 0;
    m_contentLength = -1;
    m_chunked = false;
    m_otherCoding = false;
    return true;
}

bool HttpAnswerReader::field(QByteArrayView text)
{
    const auto [name, value] = splitField(text);
    if (name.isEmpty()) {
        fail(QStringLiteral("a header line is no field"));
        return false;
    }
    if (++m_fieldCount > maximumFieldCount) {
        fail(QStringLiteral("there are more than %1 header fields").arg(maximumFieldCount));
        return false;
    }
    const QByteArray lowerName = name.toByteArray().toLower();
    if (lowerName == "content-length") {
        const bool number =
            !value.isEmpty() && value.size() <= 18 && std::all_of(value.begin(), value.end(), isDigit);
        const qint64 length = number ? value.toByteArray().toLongLong() : -1;
        if (!number || (m_contentLength >= 0 && m_contentLength != length)) {
            fail(QStringLiteral("the content length is no single number"));
            return false;
        }
        m_contentLength = length;
    } else if (lowerName == "transfer-encoding") {
        // The last coding decides how the body ends: chunked, or else with the connection.
        const QByteArray codings = value.toByteArray().toLower();
        const QByteArray last = trimmed(codings.mid(codings.lastIndexOf(',') + 1)).toByteArray();
        m_chunked = last == "chunked";
        m_otherCoding = !m_chunked;
    }
    return true;
}

bool HttpAnswerReader::endOfFields()
{
    if (m_status < 200) {
        // An interim answer ("100 Continue"): the final one follows.
        m_stage = Stage::statusLine;
        return true;
    }
    if (m_status == 204 || m_status == 304) {
        m_stage = Stage::done;
    } else if (m_chunked) {
        m_stage = Stage::chunkSize;
    } else if (m_otherCoding || m_contentLength < 0) {
        m_stage = Stage::bodyUntilClose;
    } else if (m_contentLength == 0) {
        m_stage = Stage::done;
    } else {
        m_stage = Stage::sizedBody;
        m_remaining = m_contentLength;
    }
    if (m_stage == Stage::done)
        m_state = State::complete;
    return true;
}

bool HttpAnswerReader::chunkSizeLine(QByteArrayView text)
{
    // Hexadecimal digits, then maybe extensions after ";".
    qsizetype digits = 0;
    while (digits < text.size() && isHexDigit(text[digits]))
        ++digits;
    const QByteArrayView rest = trimmed(text.sliced(digits));
    if (digits == 0 || digits > 15 || (!rest.isEmpty() && rest.front() != ';')) {
        fail(QStringLiteral("a chunk size is no number"));
        return false;
    }
    const qint64 size = text.first(digits).toByteArray().toLongLong(nullptr, 16);
    if (size == 0) {
        m_stage = Stage::trailers;
        m_fieldCount = 0;
    } else {
        m_stage = Stage::chunkData;
        m_remaining = size;
    }
    return true;
}

HttpAnswerReader::State HttpAnswerReader::fail(const QString& problem)
{
    m_state = State::malformed;
    m_problem = problem;
    return m_state;
}

} // namespace tessaline
