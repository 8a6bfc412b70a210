#include "tessaline/Shared/CodebaseTicket.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sys/socket.h>

using tessaline::CodebaseTicket;

namespace {

// A one-shot HTTP server on 127.0.0.1 that records the request and answers with a fixed status.
class TicketServer
{
public:
    enum class Ending
    {
        closes,
        staysOpen,
        resets,
    };

    explicit TicketServer(int status)
        : TicketServer("HTTP/1.1 " + QByteArray::number(status) +
                       " Status\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok")
    {}

    // Answers with these bytes, in two parts a moment apart, then ends the connection as told.
    explicit TicketServer(const QByteArray& answer, Ending ending = Ending::closes)
        : m_answer(answer)
        , m_ending(ending)
    {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        });
    }

    // Answers with head, then with piece every intervalMilliseconds for as long as the connection lasts.
    TicketServer(const QByteArray& head, const QByteArray& piece, int intervalMilliseconds)
        : TicketServer(head, Ending::staysOpen)
    {
        m_piece = piece;
        m_interval = intervalMilliseconds;
    }

    quint16 port() const { return m_server.serverPort(); }
    const QByteArray& request() const { return m_request; }

    QByteArray head() const { return m_request.left(m_request.indexOf("\r\n\r\n")); }
    QByteArray body() const { return m_request.mid(m_request.indexOf("\r\n\r\n") + 4); }
    QList<QByteArray> headerLines() const { return head().split('\n'); }

private:
    void read(QTcpSocket* socket)
    {
        m_request += socket->readAll();
        const qsizetype end = m_request.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray& line : m_request.left(end).split('\n'))
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        if (m_request.size() < end + 4 + length)
            return;
        if (m_answered)
            return;
        m_answered = true;
        if (!m_piece.isEmpty()) {
            socket->write(m_answer);
            auto* drip = new QTimer(socket);
            QObject::connect(drip, &QTimer::timeout, socket, [this, socket] {
                if (socket->bytesToWrite() < 64 * 1024)
                    socket->write(m_piece);
            });
            drip->start(m_interval);
            return;
        }
        const qsizetype half = m_answer.size() / 2;
        socket->write(m_answer.left(half));
        QTimer::singleShot(20, socket, [this, socket, half] {
            socket->write(m_answer.mid(half));
            if (m_ending == Ending::closes)
                socket->disconnectFromHost();
            if (m_ending == Ending::resets)
                QTimer::singleShot(20, socket, [socket] {
                    const linger hard{1, 0};
                    setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                    socket->abort();
                });
        });
    }

    QTcpServer m_server;
    QByteArray m_answer;
    Ending m_ending = Ending::closes;
    QByteArray m_piece;
    int m_interval = 0;
    bool m_answered = false;
    QByteArray m_request;
};

struct Outcome
{
    int calls = 0;
    std::optional<CodebaseTicket::Error> error;
};

// Posts the ticket and runs the event loop until the callback has come (bounded), then a little longer
// to see that it does not come twice.
Outcome post(const CodebaseTicket& ticket, const tessaline::TransferLimits& limits = {})
{
    Outcome outcome;
    QEventLoop loop;
    bool calledInsidePost = true;
    ticket.post(
        [&](const std::optional<CodebaseTicket::Error>& error) {
            EXPECT_FALSE(calledInsidePost);
            ++outcome.calls;
            outcome.error = error;
            loop.quit();
        },
        limits);
    calledInsidePost = false;
    QTimer::singleShot(20'000, &loop, &QEventLoop::quit);
    if (outcome.calls == 0)
        loop.exec();
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    return outcome;
}

// Configures the service for one test: project "screenshots", host as the test sets it. Provides the
// application the network needs for as long as the test runs.
class TicketService
{
public:
    TicketService()
    {
        if (QCoreApplication::instance() == nullptr)
            m_application.emplace(m_argc, m_argv);
        // The test server is on this machine; no proxy from the environment may stand between.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        qputenv("TESSALINE_TICKET_PROJECT", "screenshots");
    }
    ~TicketService()
    {
        for (const char* variable : {"TESSALINE_TICKET_HOST", "TESSALINE_TICKET_PROJECT",
                                     "TESSALINE_TICKET_USER", "TESSALINE_TICKET_API_KEY"})
            qunsetenv(variable);
    }

    void pointAt(const TicketServer& server)
    {
        qputenv("TESSALINE_TICKET_HOST", "http://127.0.0.1:" + QByteArray::number(server.port()));
    }

private:
    int m_argc = 1;
    char m_name[14] = "TessalineTest";
    char* m_argv[2] = {m_name, nullptr};
    std::optional<QCoreApplication> m_application;
};

} // namespace

TEST(TessalineTest, TicketPostsTheHeadersInOrderWithTheCredentials)
{
    TicketService service;
    TicketServer server(201);
    service.pointAt(server);
    const Outcome outcome = post(CodebaseTicket("Pelorama Linux 1.0 feedback", "Name: Ann"));
    EXPECT_EQ(outcome.calls, 1);
    EXPECT_FALSE(outcome.error.has_value());

    const QList<QByteArray> lines = server.headerLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first().trimmed(), "POST /screenshots/tickets HTTP/1.1");
    const QByteArray expected[] = {
        "Accept: application/xml",
        "Content-Type: application/xml",
        "Authorization: Basic " +
            QByteArray("vanmoor/tallrick:7c1e9a40b35d82f6e0a4c9b71d3f58e26a0b94c3").toBase64(),
    };
    qsizetype previous = -1;
    for (const QByteArray& header : expected) {
        qsizetype found = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].trimmed() == header) {
                EXPECT_EQ(found, -1) << header.constData() << " twice";
                found = i;
            }
        }
        EXPECT_GT(found, previous) << header.constData();
        previous = found;
    }
    for (const char* name : {"accept:", "content-type:", "authorization:"}) {
        int count = 0;
        for (const QByteArray& line : lines)
            count += line.toLower().startsWith(name) ? 1 : 0;
        EXPECT_EQ(count, 1) << name;
    }
}

TEST(TessalineTest, TicketBodyIsAnXmlTicketWithEscapedTexts)
{
    TicketService service;
    TicketServer server(200);
    service.pointAt(server);
    const QString summary = QStringLiteral("<b>Bold</b> & \"quoted\"");
    const QString description = QString::fromUtf8("Zeile 1\nline 2 😀 ]]> <!-- -->");
    EXPECT_FALSE(post(CodebaseTicket(summary, description)).error.has_value());

    const QByteArray body = server.body();
    EXPECT_TRUE(body.contains("&lt;b>") || body.contains("&lt;b&gt;")) << body.constData();
    EXPECT_TRUE(body.contains("&amp;"));
    QXmlStreamReader reader(body);
    QStringList elements;
    QStringList texts;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            elements << reader.name().toString();
            if (reader.name() != QLatin1String("ticket"))
                texts << reader.readElementText();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(elements, QStringList({"ticket", "summary", "description"}));
    EXPECT_EQ(texts, QStringList({summary, description}));
}

TEST(TessalineTest, TicketBodyKeepsEmptyElementsAndDropsUnwritableCharacters)
{
    TicketService service;
    CodebaseTicket ticket({}, {});
    QXmlStreamReader empty(ticket.xmlBody());
    QStringList texts;
    while (!empty.atEnd())
        if (empty.readNext() == QXmlStreamReader::StartElement && empty.name() != QLatin1String("ticket"))
            texts << empty.readElementText();
    EXPECT_FALSE(empty.hasError());
    EXPECT_EQ(texts, QStringList({QString(), QString()}));

    QString dirty = QStringLiteral("a\x01"
                                   "b\x1b"
                                   "c\td\re");
    dirty += QChar(0xD800); // an unpaired surrogate
    dirty += QChar(0xFFFE);
    dirty += QStringLiteral("f");
    ticket.setSummary(dirty);
    ticket.setDescription(QString::fromUtf8("g😀h"));
    QXmlStreamReader reader(ticket.xmlBody());
    texts.clear();
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() != QLatin1String("ticket"))
            texts << reader.readElementText();
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    ASSERT_EQ(texts.size(), 2);
    // A reader turns the carriage return into a line feed, as XML's line-end handling does.
    EXPECT_EQ(texts[0], QStringLiteral("abc\td\nef"));
    EXPECT_EQ(texts[1], QString::fromUtf8("g😀h"));
}

TEST(TessalineTest, TicketOnlyA2xxStatusIsSuccess)
{
    TicketService service;
    for (int status : {200, 201, 204, 299}) {
        TicketServer server(status);
        service.pointAt(server);
        const Outcome outcome = post(CodebaseTicket("s", "d"));
        EXPECT_EQ(outcome.calls, 1);
        EXPECT_FALSE(outcome.error.has_value()) << status;
    }
    for (int status : {400, 401, 404, 422, 500, 503}) {
        TicketServer server(status);
        service.pointAt(server);
        const Outcome outcome = post(CodebaseTicket("s", "d"));
        EXPECT_EQ(outcome.calls, 1);
        ASSERT_TRUE(outcome.error.has_value()) << status;
        EXPECT_EQ(outcome.error->httpStatus, status);
        EXPECT_TRUE(outcome.error->message.contains(QString::number(status)))
            << outcome.error->message.toStdString();
    }
}

TEST(TessalineTest, TicketReportsARefusedConnectionOnce)
{
    TicketService service;
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    qputenv("TESSALINE_TICKET_HOST", "http://127.0.0.1:" + QByteArray::number(port));
    const Outcome outcome = post(CodebaseTicket("s", "d"));
    EXPECT_EQ(outcome.calls, 1);
    ASSERT_TRUE(outcome.error.has_value());
    EXPECT_EQ(outcome.error->httpStatus, 0);
    EXPECT_FALSE(outcome.error->message.isEmpty());
}

TEST(TessalineTest, TicketAccountComesFromTheDeploymentLikeTheService)
{
    TicketService service;
    // Settings of this test only, in a folder of its own.
    const QTemporaryDir folder;
    const QString organization = QCoreApplication::organizationName();
    QCoreApplication::setOrganizationName(QStringLiteral("TicketAccountTest"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    {
        QSettings settings;
        settings.setValue(QStringLiteral("TicketService/user"), QStringLiteral("settings/user"));
        settings.setValue(QStringLiteral("TicketService/apiKey"), QStringLiteral("settings-key"));
    }
    CodebaseTicket fromSettings("s", "d");
    EXPECT_EQ(fromSettings.user(), "settings/user");
    EXPECT_EQ(fromSettings.apiKey(), "settings-key");

    // The environment goes before the settings, and the account is what the request carries.
    qputenv("TESSALINE_TICKET_USER", "deploy/user");
    qputenv("TESSALINE_TICKET_API_KEY", "deploy-key");
    TicketServer server(201);
    service.pointAt(server);
    const CodebaseTicket ticket("s", "d");
    EXPECT_EQ(ticket.user(), "deploy/user");
    EXPECT_EQ(ticket.apiKey(), "deploy-key");
    EXPECT_FALSE(post(ticket).error.has_value());
    EXPECT_TRUE(server.headerLines().contains("Authorization: Basic " +
                                              QByteArray("deploy/user:deploy-key").toBase64() + "\r"))
        << server.head().constData();

    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QCoreApplication::setOrganizationName(organization);
}

// However an answer is broken or left unfinished, the ticket fails at once, not after the time-out.
TEST(TessalineTest, TicketFailsAtOnceOnABrokenOrUnfinishedAnswer)
{
    TicketService service;
    const QByteArray chunkedHead = "HTTP/1.1 201 Created\r\nTransfer-Encoding: chunked\r\n\r\n";
    const QByteArray broken[] = {
        chunkedHead + "2\r\nok\r\n0\r\xf6\n",
        chunkedHead + "2\r\nok\r\n0\r\n",
        chunkedHead + "2\r\nok\r\n",
        chunkedHead + "2\r\nokay\r\n0\r\n\r\n",
        chunkedHead + "zz\r\nok\r\n0\r\n\r\n",
        chunkedHead + "2\r\nok\r\n0\r\nno field\r\n\r\n",
        "HTTP/1.1 201 Created\r\nContent-Length: 10\r\n\r\nok",
        "HTTP/1.1 201 Created\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\nok",
        "HTTP/1.1 201 Created\r\nBroken header\r\n\r\n",
        "HTTP/1.1 201 Created\r\n folded: value\r\n\r\n",
        "HTTP/1.1 2x1 Created\r\nContent-Length: 0\r\n\r\n",
        "SSH-2.0-Server\r\n",
        "HTTP/1.1 201 Created\r\nContent-Length: 0\r\n",
        "HTTP/1.1 100 Continue\r\n\r\n",
        "HTTP/1.1 201 Created\r\nX-Long: " + QByteArray(10000, 'a') + "\r\n\r\n",
        "",
    };
    for (const QByteArray& answer : broken) {
        TicketServer server(answer);
        service.pointAt(server);
        QElapsedTimer clock;
        clock.start();
        const Outcome outcome = post(CodebaseTicket("s", "d"));
        EXPECT_EQ(outcome.calls, 1) << answer.toStdString();
        ASSERT_TRUE(outcome.error.has_value()) << answer.toStdString();
        EXPECT_EQ(outcome.error->httpStatus, 0) << answer.toStdString();
        EXPECT_FALSE(outcome.error->message.isEmpty());
        EXPECT_LT(clock.elapsed(), 10'000) << answer.toStdString();
    }
}

TEST(TessalineTest, TicketTakesEveryWellFormedWayAnAnswerCanEnd)
{
    TicketService service;
    const QByteArray chunkedHead = "HTTP/1.1 201 Created\r\nTransfer-Encoding: chunked\r\n\r\n";
    using enum TicketServer::Ending;
    const std::pair<QByteArray, TicketServer::Ending> answers[] = {
        {chunkedHead + "2\r\nok\r\n0\r\n\r\n", closes},
        {chunkedHead + "2;name=value\r\nok\r\nA\r\n0123456789\r\n0\r\nChecksum: 1\r\n\r\n", staysOpen},
        {"HTTP/1.1 201 Created\r\nContent-Type: application/xml\r\n\r\n<ticket/>", closes},
        {"HTTP/1.1 201 Created\r\nContent-Length: 9\r\n\r\n<ticket/>", staysOpen},
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 204 No Content\r\n\r\n", staysOpen},
        {"HTTP/1.0 200\nContent-Length: 0\n\n", staysOpen},
    };
    for (const auto& [answer, ending] : answers) {
        TicketServer server(answer, ending);
        service.pointAt(server);
        const Outcome outcome = post(CodebaseTicket("s", "d"));
        EXPECT_EQ(outcome.calls, 1) << answer.toStdString();
        EXPECT_FALSE(outcome.error.has_value())
            << answer.toStdString() << ": " << (outcome.error ? outcome.error->message.toStdString() : "");
    }
}

// However an answer drags on or never ends, the ticket calls back once, with an error, within the time and
// the memory its limits allow. A reset is a failure even where the end of the connection ends the answer.
TEST(TessalineTest, TicketEndsEverySlowEndlessOrResetAnswerWithinItsLimits)
{
    using namespace std::chrono_literals;
    TicketService service;
    tessaline::TransferLimits limits;
    limits.stallTime = 1s;
    limits.totalTimeout = 1500ms;
    limits.maximumAnswerBytes = 64 * 1024;
    const QByteArray created = "HTTP/1.1 201 Created\r\n";
    struct Answer
    {
        QByteArray head;
        QByteArray piece; // sent again and again after the head; none: the connection resets
        int intervalMilliseconds = 0;
    };
    // The drips move faster than the stall limit, so only the overall time-out ends them.
    const Answer answers[] = {
        {created + "X-Drip: ", "a", 200},
        {created + "Content-Length: 1000\r\n\r\n", "a", 200},
        {created + "\r\n", QByteArray(4096, 'a'), 1},
        {created + "Transfer-Encoding: chunked\r\n\r\n", QByteArray("1\r\na\r\n").repeated(256), 1},
        {{}, QByteArray("HTTP/1.1 100 Continue\r\n\r\n").repeated(64), 1},
        {created + "Content-Length: 999999999999999999\r\n\r\n", QByteArray(4096, 'a'), 1},
        {created + "\r\n0123456789", {}, 0},
    };
    for (const Answer& answer : answers) {
        const auto server =
            answer.piece.isEmpty()
                ? std::make_unique<TicketServer>(answer.head, TicketServer::Ending::resets)
                : std::make_unique<TicketServer>(answer.head, answer.piece, answer.intervalMilliseconds);
        service.pointAt(*server);
        const std::string name = (answer.head + answer.piece.left(32)).toStdString();
        QElapsedTimer clock;
        clock.start();
        const Outcome outcome = post(CodebaseTicket("s", "d"), limits);
        EXPECT_EQ(outcome.calls, 1) << name;
        ASSERT_TRUE(outcome.error.has_value()) << name;
        EXPECT_EQ(outcome.error->httpStatus, 0) << name;
        EXPECT_LT(clock.elapsed(), 6'000) << name;
    }
}

// The ticket goes through the proxy the application's settings choose, never one from the environment.
TEST(TessalineTest, TicketTakesTheApplicationsProxyOnly)
{
    TicketService service;
    const char* variables[] = {"http_proxy", "https_proxy", "all_proxy", "HTTPS_PROXY",
                               "ALL_PROXY",  "no_proxy",    "NO_PROXY"};
    std::vector<std::pair<const char*, QByteArray>> saved;
    for (const char* variable : variables)
        saved.emplace_back(variable, qgetenv(variable));
    for (const char* variable : variables)
        qputenv(variable, QByteArray(variable).toLower().startsWith("no") ? "" : "http://127.0.0.1:9");

    TicketServer server(201);
    service.pointAt(server);
    const Outcome direct = post(CodebaseTicket("s", "d"));
    EXPECT_FALSE(direct.error.has_value()) << direct.error->message.toStdString();

    TicketServer proxy("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", proxy.port()));
    qputenv("TESSALINE_TICKET_HOST", "http://tickets.example.org");
    const Outcome proxied = post(CodebaseTicket("s", "d"));
    EXPECT_TRUE(proxied.error.has_value());
    EXPECT_TRUE(proxy.request().startsWith("CONNECT tickets.example.org:80 HTTP/1.1\r\n"))
        << proxy.request().constData();

    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    for (const auto& [variable, value] : saved)
        value.isNull() ? qunsetenv(variable) : qputenv(variable, value);
}
