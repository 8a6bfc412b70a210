#pragma once

#include "tessaline/Shared/TessalineExport.h"
#include "tessaline/Shared/TransferLimits.h"

#include <QString>
#include <functional>
#include <optional>

namespace tessaline {

// One ticket for the web ticket service: a summary and a description, posted as a small XML document to
// the ticket collection of the configured project, authenticated with the configured account.
//
// The service is deployment configuration: its host (optionally with scheme and port, "https://" when no
// scheme is given) comes from the environment variable TESSALINE_TICKET_HOST, else the setting
// "TicketService/host", else the built-in default; the project likewise from TESSALINE_TICKET_PROJECT,
// "TicketService/project" or the default, and the account from TESSALINE_TICKET_USER and
// TESSALINE_TICKET_API_KEY, "TicketService/user" and "TicketService/apiKey", or the built-in account.
class TESSALINE_EXPORT CodebaseTicket
{
public:
    struct Error
    {
        int httpStatus = 0; // the service's HTTP status outside 200-299, or 0 when no answer came
        QString message;
    };
    using Callback = std::function<void(const std::optional<Error>& error)>;

    CodebaseTicket(const QString& summary, const QString& description);

    const QString& project() const { return m_project; }
    const QString& user() const { return m_user; }
    const QString& apiKey() const { return m_apiKey; }

    const QString& summary() const { return m_summary; }
    void setSummary(const QString& summary) { m_summary = summary; }
    const QString& description() const { return m_description; }
    void setDescription(const QString& description) { m_description = description; }

    // Sends the ticket and returns at once; the request keeps its own copy of the texts. The callback is
    // called exactly once, later, from the event loop of the calling thread: with no error when the service
    // answered, completely and well formed, with a status in 200-299; otherwise with the transport error,
    // what is wrong with a broken or unfinished answer (as soon as that shows), or the HTTP status.
    // The limits bound the exchange, so the callback comes however slow, long or endless the answer.
    void post(Callback callback, const TransferLimits& limits = {}) const;

    // The service's address for this ticket's project: scheme and host, "/", project, "/tickets".
    QString address() const;
    // The request body: the XML document <ticket><summary/><description/></ticket> in UTF-8, the texts
    // escaped as character data, with the characters XML 1.0 cannot carry removed.
    QByteArray xmlBody() const;

    static QString configuredHost();
    static QString configuredProject();
    static QString configuredUser();
    static QString configuredApiKey();

private:
    QString m_project;
    QString m_user;
    QString m_apiKey;
    QString m_summary;
    QString m_description;
};

} // namespace tessaline
