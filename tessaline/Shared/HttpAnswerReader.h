#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tessaline {

// Reads the answer to one HTTP/1.1 request as it arrives and decides, strictly, whether it is whole:
// the status line, the header fields, and the body as its length, its chunks or the end of the
// connection delimits it. The body itself is passed over. Anything that breaks the message syntax (a
// stray carriage return, a line without a field, a chunk size that is no number, a line longer than the
// limit) makes the answer malformed at once; an answer the connection leaves unfinished is cut off.
class HttpAnswerReader
{
public:
    enum class State
    {
        reading,
        complete,
        malformed,
    };

    // Takes the next bytes of the answer. Bytes after a complete answer are ignored.
    State read(QByteArrayView bytes);
    // The connection ended: the answer is complete when the end of the connection delimits its body or
    // it was complete already; otherwise it was cut off and is malformed.
    State end();

    State state() const { return m_state; }
    // The final status code, once the status line of the final answer has been read; 0 before.
    int status() const { return m_status; }
    // What is wrong with a malformed answer.
    const QString& problem() const { return m_problem; }

    static constexpr qsizetype maximumLineLength = 8192;
    static constexpr int maximumFieldCount = 100;

private:
    enum class Stage
    {
        statusLine,
        fields,
        sizedBody,
        chunkSize,
        chunkData,
        chunkEnd,
        trailers,
        bodyUntilClose,
        done,
    };

    // Feeds one line (without its line end); false when the answer became malformed.
    bool line(QByteArrayView text);
    bool statusLine(QByteArrayView text);
    bool field(QByteArrayView text);
    bool endOfFields();
    bool chunkSizeLine(QByteArrayView text);
    State fail(const QString& problem);

    State m_state = State::reading;
    Stage m_stage = Stage::statusLine;
    QByteArray m_pending; // the start of a line whose end has not come yet
    int m_status = 0;
    int m_fieldCount = 0;
    qint64 m_contentLength = -1;
    bool m_chunked = false;
    bool m_otherCoding = false;
    qint64 m_remaining = 0; // of the sized body or the current chunk
    QString m_problem;
};

} // namespace tessaline
