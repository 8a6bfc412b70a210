#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

class QAbstractSocket;

namespace tessaline {

class HttpAnswerReader;

// One HTTP/1.1 POST over a connection of its own ("http" or "https"), whose answer is read strictly
// (HttpAnswerReader), so that a broken or unfinished answer is a failure as soon as it shows, not after
// the time-out. The body of the answer is not kept.
class HttpExchange : public QObject
{
    Q_OBJECT

public:
    struct Outcome
    {
        int status = 0; // of a complete answer; 0 when there was none
        QString error;  // why there is no complete answer; empty when there is one
    };
    using Finished = std::function<void(const Outcome& outcome)>;
    using Fields = QList<QPair<QByteArray, QByteArray>>;

    // Sends body to url with the fields given (in that order, after "Host" and before "Content-Length"
    // and "Connection: close") and returns at once. finished is called exactly once, later, on the
    // calling thread's event loop; the exchange then deletes itself. When nothing moves for
    // timeoutMilliseconds, it ends as a failure.
    static void post(const QUrl& url, const Fields& fields, const QByteArray& body, int timeoutMilliseconds,
                     Finished finished);

    ~HttpExchange() override;

private:
    HttpExchange(const QUrl& url, const QByteArray& request, int timeoutMilliseconds, Finished finished);

    void start();
    void readAnswer();
    void connectionEnded();
    void finish(const Outcome& outcome);

    QUrl m_url;
    QByteArray m_request;
    std::unique_ptr<QAbstractSocket> m_socket;
    std::unique_ptr<HttpAnswerReader> m_reader;
    QTimer m_timeout;
    Finished m_finished;
};

} // namespace tessaline
