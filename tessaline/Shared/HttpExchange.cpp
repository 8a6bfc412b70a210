#include "tessaline/Shared/HttpExchange.h"

#include "tessaline/Shared/HttpAnswerReader.h"

#include <QSslSocket>
#include <QTcpSocket>

namespace tessaline {

void HttpExchange::post(const QUrl& url, const Fields& fields, const QByteArray& body,
                        int timeoutMilliseconds, Finished finished)
{
    const bool secure = url.scheme() == QLatin1String("https");
    QByteArray request = "POST " + url.path(QUrl::FullyEncoded).toLatin1();
    if (url.hasQuery())
        request += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    const QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    request += " HTTP/1.1\r\nHost: " + (host.contains(':') ? '[' + host + ']' : host);
    if (url.port() != -1)
        request += ':' + QByteArray::number(url.port());
    request += "\r\n";
    for (const auto& [name, value] : fields)
        request += name + ": " + value + "\r\n";
    request += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;

    auto* exchange = new HttpExchange(url, request, timeoutMilliseconds, std::move(finished));
    if (!url.isValid() || url.host().isEmpty() || (!secure && url.scheme() != QLatin1String("http"))) {
        QTimer::singleShot(0, exchange, [exchange, url] {
            exchange->finish({0, QStringLiteral("“%1” is no http or https address").arg(url.toString())});
        });
        return;
    }
    QTimer::singleShot(0, exchange, &HttpExchange::start);
}

HttpExchange::HttpExchange(const QUrl& url, const QByteArray& request, int timeoutMilliseconds,
                           Finished finished)
    : m_url(url)
    , m_request(request)
    , m_reader(std::make_unique<HttpAnswerReader>())
    , m_finished(std::move(finished))
{
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(timeoutMilliseconds);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        finish(
            {0,
             QStringLiteral("The server did not answer within %1 seconds").arg(m_timeout.interval() / 1000)});
    });
}

HttpExchange::~HttpExchange() = default;

void HttpExchange::start()
{
    const bool secure = m_url.scheme() == QLatin1String("https");
    if (secure) {
        auto socket = std::make_unique<QSslSocket>();
        connect(socket.get(), &QSslSocket::encrypted, this, [this] { m_socket->write(m_request); });
        m_socket = std::move(socket);
    } else {
        m_socket = std::make_unique<QTcpSocket>();
        connect(m_socket.get(), &QAbstractSocket::connected, this, [this] { m_socket->write(m_request); });
    }
    // Any sign of life puts the time-out off.
    connect(m_socket.get(), &QIODevice::bytesWritten, &m_timeout, qOverload<>(&QTimer::start));
    connect(m_socket.get(), &QIODevice::readyRead, this, &HttpExchange::readAnswer);
    connect(m_socket.get(), &QAbstractSocket::disconnected, this, &HttpExchange::connectionEnded);
    connect(m_socket.get(), &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) {
                if (error == QAbstractSocket::RemoteHostClosedError)
                    connectionEnded();
                else
                    finish({0, m_socket->errorString()});
            });
    m_timeout.start();
    const quint16 port = quint16(m_url.port(secure ? 443 : 80));
    if (auto* socket = qobject_cast<QSslSocket*>(m_socket.get()))
        socket->connectToHostEncrypted(m_url.host(), port);
    else
        m_socket->connectToHost(m_url.host(), port);
}

void HttpExchange::readAnswer()
{
    if (!m_finished)
        return;
    m_timeout.start();
    const QByteArray bytes = m_socket->readAll();
    switch (m_reader->read(bytes)) {
    case HttpAnswerReader::State::complete:
        finish({m_reader->status(), {}});
        break;
    case HttpAnswerReader::State::malformed:
        finish({0, QStringLiteral("The server sent a broken answer: %1").arg(m_reader->problem())});
        break;
    case HttpAnswerReader::State::reading:
        break;
    }
}

void HttpExchange::connectionEnded()
{
    if (!m_finished)
        return;
    readAnswer();
    if (!m_finished)
        return;
    if (m_reader->end() == HttpAnswerReader::State::complete)
        finish({m_reader->status(), {}});
    else
        finish({0, QStringLiteral("The server sent a broken answer: %1").arg(m_reader->problem())});
}

void HttpExchange::finish(const Outcome& outcome)
{
    if (!m_finished)
        return;
    const Finished finished = std::exchange(m_finished, {});
    m_timeout.stop();
    if (m_socket) {
        m_socket->disconnect();
        m_socket->abort();
    }
    deleteLater();
    finished(outcome);
}

} // namespace tessaline
