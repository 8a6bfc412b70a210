#include "tessaline/Shared/HttpPost.h"

#include <QNetworkProxy>
#include <algorithm>
#include <climits>
#include <optional>

namespace tessaline {
namespace {

struct Proxy
{
    QByteArray address; // empty for none
    QByteArray user;
    QByteArray password;
    bool tunnel = false;
};

// The proxy a socket of the application would take to url's host: the first of what Qt's proxy settings
// offer that can carry a TCP connection, as a socket chooses it. None when nothing offered can.
std::optional<Proxy> proxyFor(const QUrl& url)
{
    const int port = url.port(url.scheme() == QLatin1String("https") ? 443 : 80);
    const QNetworkProxyQuery query(url.host(), port, QString(), QNetworkProxyQuery::TcpSocket);
    for (const QNetworkProxy& proxy : QNetworkProxyFactory::proxyForQuery(query)) {
        if (!proxy.capabilities().testFlag(QNetworkProxy::TunnelingCapability))
            continue;
        QUrl address;
        switch (proxy.type()) {
        case QNetworkProxy::NoProxy:
            return Proxy{};
        case QNetworkProxy::HttpProxy:
            address.setScheme(QStringLiteral("http"));
            break;
        case QNetworkProxy::Socks5Proxy:
            address.setScheme(proxy.capabilities().testFlag(QNetworkProxy::HostNameLookupCapability)
                                  ? QStringLiteral("socks5h")
                                  : QStringLiteral("socks5"));
            break;
        default:
            continue;
        }
        address.setHost(proxy.hostName());
        address.setPort(proxy.port());
        return Proxy{address.toEncoded(), proxy.user().toUtf8(), proxy.password().toUtf8(),
                     proxy.type() == QNetworkProxy::HttpProxy};
    }
    return std::nullopt;
}

const QString brokenAnswer = QStringLiteral("The server sent a broken answer: ");

// What the server sent, or how its connection ended, is no whole answer.
bool isBrokenAnswer(CURLcode result)
{
    switch (result) {
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING:
        return true;
    default:
        return false;
    }
}

QString answerTooLong(qint64 limit)
{
    return QStringLiteral("The server's answer is longer than %1 bytes").arg(limit);
}

QString describe(const char* text)
{
    return QString::fromUtf8(text).trimmed();
}

} // namespace

void HttpPost::start(const QUrl& url, const QList<QByteArray>& headerLines, const QByteArray& body,
                     const TransferLimits& limits, Finished finished)
{
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    auto* post = new HttpPost(body, limits, std::move(finished));
    QString problem = initialised == CURLE_OK ? post->configure(url, headerLines)
                                              : describe(curl_easy_strerror(initialised));
    if (problem.isEmpty() && curl_multi_add_handle(post->m_multi.get(), post->m_easy.get()) != CURLM_OK)
        problem = QStringLiteral("The request could not be started");
    // Adding the transfer only sets the timer; the first step comes from the event loop, so the
    // callback never runs before start returns.
    if (!problem.isEmpty())
        QTimer::singleShot(0, post, [post, problem] { post->finish({0, problem}); });
}

HttpPost::HttpPost(const QByteArray& body, const TransferLimits& limits, Finished finished)
    : m_body(body)
    , m_limits(limits)
    , m_finished(std::move(finished))
    , m_multi(curl_multi_init())
    , m_easy(curl_easy_init())
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
}

HttpPost::~HttpPost()
{
    if (m_multi) {
        // Whatever curl still closes from here on needs no notifier of ours.
        curl_multi_setopt(m_multi.get(), CURLMOPT_SOCKETFUNCTION, nullptr);
        curl_multi_setopt(m_multi.get(), CURLMOPT_TIMERFUNCTION, nullptr);
        if (m_easy)
            curl_multi_remove_handle(m_multi.get(), m_easy.get());
    }
    m_easy.reset();
    m_multi.reset();
}

QString HttpPost::configure(const QUrl& url, const QList<QByteArray>& headerLines)
{
    if (!m_multi || !m_easy)
        return QStringLiteral("The request could not be prepared");
    const std::optional<Proxy> proxy = proxyFor(url);
    if (!proxy)
        return QStringLiteral("No proxy of the application's settings can reach %1").arg(url.host());

    // The body is small and goes at once; waiting for a "100 Continue" first would only delay it.
    const QList<QByteArray> lines = headerLines + QList<QByteArray>{"Expect:"};
    for (const QByteArray& line : lines) {
        curl_slist* longer = curl_slist_append(m_headerLines.get(), line.constData());
        if (longer == nullptr)
            return QStringLiteral("The request could not be prepared");
        (void)m_headerLines.release(); // longer starts with it
        m_headerLines.reset(longer);
    }

    CURL* easy = m_easy.get();
    CURLcode result = CURLE_OK;
    const auto set = [&](CURLoption option, auto value) {
        if (result == CURLE_OK)
            result = curl_easy_setopt(easy, option, value);
    };
    const QByteArray address = url.toEncoded();
    set(CURLOPT_ERRORBUFFER, m_errorBuffer.data());
    set(CURLOPT_URL, address.constData());
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    set(CURLOPT_HTTP09_ALLOWED, 0L);
    set(CURLOPT_FOLLOWLOCATION, 0L);
    set(CURLOPT_SSL_VERIFYPEER, 1L);
    set(CURLOPT_SSL_VERIFYHOST, 2L);
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_POST, 1L);
    set(CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(m_body.size()));
    set(CURLOPT_POSTFIELDS, m_body.constData());
    set(CURLOPT_HTTPHEADER, m_headerLines.get());

    // An empty proxy turns off the ones curl would read from the environment; an empty exception list
    // keeps it from reading those too, since Qt has applied its own already.
    set(CURLOPT_PROXY, proxy->address.constData());
    set(CURLOPT_NOPROXY, "");
    if (!proxy->address.isEmpty()) {
        set(CURLOPT_HTTPPROXYTUNNEL, proxy->tunnel ? 1L : 0L);
        if (!proxy->user.isEmpty()) {
            set(CURLOPT_PROXYUSERNAME, proxy->user.constData());
            set(CURLOPT_PROXYPASSWORD, proxy->password.constData());
        }
    }

    set(CURLOPT_CONNECTTIMEOUT_MS, long(m_limits.connectTimeout.count()));
    set(CURLOPT_TIMEOUT_MS, long(m_limits.totalTimeout.count()));
    set(CURLOPT_LOW_SPEED_LIMIT, 1L);
    set(CURLOPT_LOW_SPEED_TIME, long(m_limits.stallTime.count()));
    // Refuses a declared length over the cap at once; a body without one is counted as it comes.
    set(CURLOPT_MAXFILESIZE_LARGE, curl_off_t(m_limits.maximumAnswerBytes));
    set(CURLOPT_WRITEFUNCTION, &HttpPost::takeAnswer);
    set(CURLOPT_WRITEDATA, static_cast<void*>(this));
    set(CURLOPT_HEADERFUNCTION, &HttpPost::takeHeaderLine);
    set(CURLOPT_HEADERDATA, static_cast<void*>(this));
    if (result != CURLE_OK)
        return describe(curl_easy_strerror(result));

    CURLMcode multiResult = curl_multi_setopt(m_multi.get(), CURLMOPT_SOCKETFUNCTION, &HttpPost::watchSocket);
    if (multiResult == CURLM_OK)
        multiResult = curl_multi_setopt(m_multi.get(), CURLMOPT_SOCKETDATA, static_cast<void*>(this));
    if (multiResult == CURLM_OK)
        multiResult = curl_multi_setopt(m_multi.get(), CURLMOPT_TIMERFUNCTION, &HttpPost::scheduleTimeout);
    if (multiResult == CURLM_OK)
        multiResult = curl_multi_setopt(m_multi.get(), CURLMOPT_TIMERDATA, static_cast<void*>(this));
    if (multiResult != CURLM_OK)
        return describe(curl_multi_strerror(multiResult));
    return {};
}

void HttpPost::act(curl_socket_t socket, int events)
{
    if (!m_finished)
        return;
    int running = 0;
    curl_multi_socket_action(m_multi.get(), socket, events, &running);
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(m_multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE) {
            complete(message->data.result);
            return;
        }
    }
}

void HttpPost::complete(CURLcode result)
{
    if (result == CURLE_FILESIZE_EXCEEDED)
        m_problem = answerTooLong(m_limits.maximumAnswerBytes);
    if (result != CURLE_OK) {
        QString error = m_problem;
        if (error.isEmpty())
            error = describe(m_errorBuffer[0] != 0 ? m_errorBuffer.data() : curl_easy_strerror(result));
        if (isBrokenAnswer(result))
            error.prepend(brokenAnswer);
        finish({0, error});
        return;
    }
    // curl takes an answer that the connection's end cuts off inside its header.
    if (!m_headerEnded) {
        finish({0, brokenAnswer + QStringLiteral("it ended inside its header")});
        return;
    }
    long status = 0;
    curl_easy_getinfo(m_easy.get(), CURLINFO_RESPONSE_CODE, &status);
    finish({int(status), {}});
}

void HttpPost::finish(const Outcome& outcome)
{
    if (!m_finished)
        return;
    const Finished finished = std::exchange(m_finished, {});
    if (m_multi && m_easy)
        curl_multi_remove_handle(m_multi.get(), m_easy.get());
    m_timeout.stop(); // after the removal, which may set it again
    deleteLater();
    finished(outcome);
}

void HttpPost::watch(curl_socket_t socket, int what)
{
    if (what == CURL_POLL_REMOVE) {
        const auto found = m_notifiers.find(socket);
        if (found == m_notifiers.end())
            return;
        // This may run from inside the notifier's own signal.
        for (QSocketNotifier* notifier : found->second) {
            if (notifier != nullptr) {
                notifier->setEnabled(false);
                notifier->deleteLater();
            }
        }
        m_notifiers.erase(found);
        return;
    }
    auto& [reading, writing] = m_notifiers[socket];
    setWatched(reading, socket, QSocketNotifier::Read, (what & CURL_POLL_IN) != 0);
    setWatched(writing, socket, QSocketNotifier::Write, (what & CURL_POLL_OUT) != 0);
}

void HttpPost::setWatched(QSocketNotifier*& notifier, curl_socket_t socket, QSocketNotifier::Type type,
                          bool on)
{
    if (notifier == nullptr && on) {
        notifier = new QSocketNotifier(socket, type, this);
        const int events = type == QSocketNotifier::Read ? CURL_CSELECT_IN : CURL_CSELECT_OUT;
        connect(notifier, &QSocketNotifier::activated, this, [this, socket, events] { act(socket, events); });
    }
    if (notifier != nullptr)
        notifier->setEnabled(on);
}

int HttpPost::watchSocket(CURL*, curl_socket_t socket, int what, void* self, void*)
{
    static_cast<HttpPost*>(self)->watch(socket, what);
    return 0;
}

int HttpPost::scheduleTimeout(CURLM*, long milliseconds, void* self)
{
    QTimer& timeout = static_cast<HttpPost*>(self)->m_timeout;
    if (milliseconds < 0)
        timeout.stop();
    else
        timeout.start(int(std::min<long>(milliseconds, INT_MAX)));
    return 0;
}

size_t HttpPost::takeAnswer(char*, size_t size, size_t count, void* self)
{
    auto* post = static_cast<HttpPost*>(self);
    post->m_answerBytes += qint64(size * count);
    if (post->m_answerBytes > post->m_limits.maximumAnswerBytes) {
        post->m_problem = answerTooLong(post->m_limits.maximumAnswerBytes);
        return 0;
    }
    return size * count;
}

size_t HttpPost::takeHeaderLine(char* data, size_t size, size_t count, void* self)
{
    auto* post = static_cast<HttpPost*>(self);
    const qint64 length = qint64(size * count);
    post->m_headerBytes += length;
    if (length > post->m_limits.maximumHeaderLineBytes) {
        post->m_problem = QStringLiteral("The server's answer has a header line longer than %1 bytes")
                              .arg(post->m_limits.maximumHeaderLineBytes);
        return 0;
    }
    if (post->m_headerBytes > post->m_limits.maximumHeaderBytes) {
        post->m_problem = QStringLiteral("The server's answer has a header longer than %1 bytes")
                              .arg(post->m_limits.maximumHeaderBytes);
        return 0;
    }
    // curl hands over every line of every header, interim answers' and trailers included; the final
    // answer's ends with an empty line once its status is 200 or more.
    const QByteArrayView line(data, length);
    if (line == "\r\n" || line == "\n") {
        long status = 0;
        curl_easy_getinfo(post->m_easy.get(), CURLINFO_RESPONSE_CODE, &status);
        post->m_headerEnded = post->m_headerEnded || status >= 200;
    }
    return size * count;
}

} // namespace tessaline
