#include "tessaline/Shared/CodebaseTicket.h"

#include "tessaline/Shared/HttpPost.h"

#include <QSettings>
#include <QUrl>
#include <QXmlStreamWriter>

namespace tessaline {
namespace {

// The deployment supplies the real service through the environment or the settings; the built-in host is
// a reserved name that never resolves, so an unconfigured build reports an error instead of posting the
// account's credentials to a stranger.
constexpr auto defaultHost = "tickets.pelorama.invalid";
constexpr auto defaultProject = "pelorama";
constexpr auto defaultUser = "vanmoor/tallrick";
constexpr auto defaultApiKey = "7c1e9a40b35d82f6e0a4c9b71d3f58e26a0b94c3";

QString configured(const char* variable, const QString& settingKey, const char* fallback)
{
    QString fromEnvironment = qEnvironmentVariable(variable);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    QString fromSettings = QSettings().value(settingKey).toString();
    if (!fromSettings.isEmpty())
        return fromSettings;
    return QString::fromLatin1(fallback);
}

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Drops what XML 1.0 cannot carry: control characters other than tab and line ends, unpaired surrogates,
// U+FFFE and U+FFFF.
QString xmlSafe(const QString& text)
{
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            safe += c;
            safe += text[++i];
        } else if (!c.isSurrogate() && isXmlCharacter(c.unicode())) {
            safe += c;
        }
    }
    return safe;
}

} // namespace

CodebaseTicket::CodebaseTicket(const QString& summary, const QString& description)
    : m_project(configuredProject())
    , m_user(configuredUser())
    , m_apiKey(configuredApiKey())
    , m_summary(summary)
    , m_description(description)
{}

QString CodebaseTicket::configuredHost()
{
    return configured("TESSALINE_TICKET_HOST", QStringLiteral("TicketService/host"), defaultHost);
}

QString CodebaseTicket::configuredProject()
{
    return configured("TESSALINE_TICKET_PROJECT", QStringLiteral("TicketService/project"), defaultProject);
}

QString CodebaseTicket::configuredUser()
{
    return configured("TESSALINE_TICKET_USER", QStringLiteral("TicketService/user"), defaultUser);
}

QString CodebaseTicket::configuredApiKey()
{
    return configured("TESSALINE_TICKET_API_KEY", QStringLiteral("TicketService/apiKey"), defaultApiKey);
}

QString CodebaseTicket::address() const
{
    QString host = configuredHost();
    if (!host.contains(QLatin1String("://")))
        host.prepend(QLatin1String("https://"));
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return host + QLatin1Char('/') + m_project + QLatin1String("/tickets");
}

QByteArray CodebaseTicket::xmlBody() const
{
    QByteArray body;
    QXmlStreamWriter writer(&body);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("ticket"));
    writer.writeTextElement(QStringLiteral("summary"), xmlSafe(m_summary));
    writer.writeTextElement(QStringLiteral("description"), xmlSafe(m_description));
    writer.writeEndElement();
    writer.writeEndDocument();
    return body;
}

void CodebaseTicket::post(Callback callback, const TransferLimits& limits) const
{
    const QList<QByteArray> headerLines{
        "Accept: application/xml",
        "Content-Type: application/xml",
        "Authorization: Basic " + (m_user + QLatin1Char(':') + m_apiKey).toUtf8().toBase64(),
    };
    HttpPost::start(
        QUrl(address()), headerLines, xmlBody(), limits,
        [callback = std::move(callback)](const HttpPost::Outcome& outcome) {
            if (!outcome.error.isEmpty())
                callback(Error{0, outcome.error});
            else if (outcome.status < 200 || outcome.status > 299)
                callback(Error{
                    outcome.status,
                    QStringLiteral("The ticket service answered with HTTP status %1").arg(outcome.status)});
            else
                callback(std::nullopt);
        });
}

} // namespace tessaline
