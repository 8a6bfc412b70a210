#pragma once

#include "tessaline/Shared/TransferLimits.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <array>
#include <curl/curl.h>
#include <functional>
#include <map>
#include <memory>

namespace tessaline {

// One HTTP POST through libcurl, driven by the event loop of the thread that starts it: curl names the
// sockets and the time-out it waits for, socket notifiers and a timer hand them back to it. No thread is
// needed, and the result comes back on the thread that asked. The body of the answer is not kept.
class HttpPost : public QObject
{
    Q_OBJECT

public:
    struct Outcome
    {
        int status = 0; // of a complete answer; 0 when there was none
        QString error;  // why there is no complete answer; empty when there is one
    };
    using Finished = std::function<void(const Outcome& outcome)>;

    // Sends body to url ("http" or "https", no redirect followed, certificates verified) with the header
    // lines given ("Name: value", in that order) and returns at once. finished is called exactly once,
    // later, from the calling thread's event loop; the post then deletes itself. The proxy is the one Qt's
    // proxy settings choose for url, as for any socket of the application, never one curl would take from
    // the environment.
    static void start(const QUrl& url, const QList<QByteArray>& headerLines, const QByteArray& body,
                      const TransferLimits& limits, Finished finished);

    ~HttpPost() override;

private:
    struct EasyCleanup
    {
        void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
    };
    struct MultiCleanup
    {
        void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
    };
    struct ListCleanup
    {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    HttpPost(const QByteArray& body, const TransferLimits& limits, Finished finished);

    // An empty text when curl took every setting, else why not.
    QString configure(const QUrl& url, const QList<QByteArray>& headerLines);
    void act(curl_socket_t socket, int events);
    void complete(CURLcode result);
    void finish(const Outcome& outcome);
    void watch(curl_socket_t socket, int what);
    void setWatched(QSocketNotifier*& notifier, curl_socket_t socket, QSocketNotifier::Type type, bool on);

    static int watchSocket(CURL* easy, curl_socket_t socket, int what, void* self, void* socketData);
    static int scheduleTimeout(CURLM* multi, long milliseconds, void* self);
    static size_t takeAnswer(char* data, size_t size, size_t count, void* self);
    static size_t takeHeaderLine(char* data, size_t size, size_t count, void* self);

    QByteArray m_body; // curl reads it in place
    TransferLimits m_limits;
    Finished m_finished;
    std::unique_ptr<curl_slist, ListCleanup> m_headerLines; // curl reads it in place
    std::unique_ptr<CURLM, MultiCleanup> m_multi;
    std::unique_ptr<CURL, EasyCleanup> m_easy;
    std::map<curl_socket_t, std::array<QSocketNotifier*, 2>> m_notifiers; // read, write; children
    QTimer m_timeout;
    std::array<char, CURL_ERROR_SIZE> m_errorBuffer{};
    qint64 m_answerBytes = 0;
    qint64 m_headerBytes = 0;
    bool m_headerEnded = false; // the blank line that ends the final answer's header came
    QString m_problem;          // why a callback of ours stopped the transfer
};

} // namespace tessaline
