#include "app/FeedbackViewController.h"
#include "app/PlaceholderTextView.h"
#include "appkit/Popover.h"
#include "foundation/BundleInfo.h"
#include "tessaline/Shared/App.h"
#include "tessaline/Tessaline/HeightForWidthTextField.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

using pelorama::app::FeedbackViewController;

namespace {

// Runs the event loop until an alert is up, reads it and presses its button.
struct SeenAlert
{
    QString text;
    QString informativeText;
    QString button;
};

std::optional<SeenAlert> waitForAlert(int milliseconds = 5000)
{
    std::optional<SeenAlert> seen;
    QElapsedTimer clock;
    clock.start();
    while (!seen && clock.elapsed() < milliseconds) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, [&] {
            if (auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = SeenAlert{alert->text(), alert->informativeText(), alert->buttons().front()->text()};
                alert->buttons().front()->click();
            }
            loop.quit();
        });
        loop.exec();
    }
    return seen;
}

QStringList visiblePopoverTexts()
{
    QStringList texts;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* popover = qobject_cast<appkit::Popover*>(widget); popover && popover->isVisible()) {
            for (auto* field : popover->findChildren<tessaline::HeightForWidthTextField*>("message"))
                texts.append(field->stringValue());
            popover->close();
        }
    }
    return texts;
}

// A ticket service on the loopback interface that answers every request with one status.
class TicketService : public QTcpServer
{
public:
    explicit TicketService(int status)
        : TicketService("HTTP/1.1 " + QByteArray::number(status) +
                        " Status\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
    {}

    // Answers with these bytes and closes the connection.
    explicit TicketService(const QByteArray& answer)
        : m_answer(answer)
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_received += socket->readAll();
                    if (!m_received.contains("</ticket>"))
                        return;
                    ++requests;
                    socket->write(m_answer);
                    socket->disconnectFromHost();
                });
            }
        });
        qputenv("TESSALINE_TICKET_HOST", "http://127.0.0.1:" + QByteArray::number(serverPort()));
    }
    ~TicketService() override { qunsetenv("TESSALINE_TICKET_HOST"); }

    int requests = 0;

private:
    QByteArray m_answer;
    QByteArray m_received;
};

class FeedbackFormTest : public testing::Test
{
protected:
    void fill(const QString& name, const QString& email, const QString& message)
    {
        m_form.view();
        m_form.setName(name);
        m_form.setEmail(email);
        m_form.setMessage(message);
    }

    FeedbackViewController m_form;
};

} // namespace

TEST(FeedbackEmailTest, TheAddressPatternAcceptsAndRejectsAsItAlwaysHas)
{
    for (const char* valid :
         {"a@b.c", "first.last@example.com", "x+y@mail.example.org", "ü@bü.de", "a@Üb.c", "a@bÜ.c", "a@BB.c",
          "a@b.CÜM", "\"quoted(name)\"@example.com", "a@[192.168.1.1]", "!#$%&'*+/=?^_`{|}~-@example.com"})
        EXPECT_TRUE(FeedbackViewController::isValidEmail(QString::fromUtf8(valid))) << valid;
    for (const char* invalid :
         {"a@b", "@b.c", "a b@c.d", "a@@b.c", "a@bÜb.c", "a@BBB.c", "a@bCb.c", "a@b.c ", " a@b.c", "a.@b.c",
          "a@.b", "", "a@b.c\n", "a@[300.1.1.1]", "\"quoted name\"@example.com"})
        EXPECT_FALSE(FeedbackViewController::isValidEmail(QString::fromUtf8(invalid))) << invalid;
}

TEST(FeedbackEmailTest, TheTicketTextsFollowTheirTemplates)
{
    foundation::BundleInfo::Override info(
        {{"CFBundleDisplayName", "Pelorama"}, {"CFBundleShortVersionString", "2.1"}});
    EXPECT_EQ(FeedbackViewController::ticketSummary(),
              "Pelorama " + tessaline::App::platform() + " 2.1 feedback");
    EXPECT_EQ(FeedbackViewController::ticketSummary(), "Pelorama Linux 2.1 feedback");
    EXPECT_EQ(FeedbackViewController::ticketDescription(" Ann ", "ann@example.com", "Hi,\n  there "),
              "Name:  Ann \nE-mail address: ann@example.com\nDevice: " + tessaline::App::deviceModel() +
                  "\nOperating system: " + tessaline::App::operatingSystem() + "\n\nHi,\n  there ");
}

TEST_F(FeedbackFormTest, EmptyFieldsOrABadAddressAreToldAtTheButtonAndNothingIsSent)
{
    TicketService service(201);
    QPushButton* button = (m_form.view(), m_form.submitButton());
    m_form.view()->show();

    fill("", "", "");
    m_form.submitPressed(button);
    EXPECT_EQ(visiblePopoverTexts(), QStringList{"Please fill in all fields."});
    fill("Ann", "not an address", "");
    m_form.submitPressed(button);
    EXPECT_EQ(visiblePopoverTexts(), QStringList{"Please fill in all fields."});
    fill("Ann", "not an address", " ");
    m_form.submitPressed(button);
    EXPECT_EQ(visiblePopoverTexts(), QStringList{"Please enter a valid e-mail address."});
    // Only the button is an anchor.
    fill("", "", "");
    m_form.submitPressed(&m_form);
    EXPECT_EQ(visiblePopoverTexts(), QStringList());
    EXPECT_EQ(service.requests, 0);
}

TEST_F(FeedbackFormTest, TheFieldsAndTheFormsTextsStayEqual)
{
    m_form.view();
    m_form.setMessage("typed");
    EXPECT_EQ(m_form.messageTextView()->toPlainText(), "typed");
    m_form.messageTextView()->setPlainText("changed");
    EXPECT_EQ(m_form.message(), "changed");
}

TEST_F(FeedbackFormTest, AnAnsweredTicketIsReportedAsSent)
{
    TicketService service(201);
    fill("Ann", "ann@example.com", "Lovely.");
    m_form.submitPressed(m_form.submitButton());
    const std::optional<SeenAlert> alert = waitForAlert();
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->text, "Feedback sent");
    EXPECT_EQ(alert->informativeText, "Thank you for letting us know");
    EXPECT_EQ(alert->button, "Ok");
    EXPECT_EQ(service.requests, 1);
    // The form keeps what was typed.
    EXPECT_EQ(m_form.message(), "Lovely.");
}

TEST_F(FeedbackFormTest, AnAnswerOutside2xxIsAFailure)
{
    TicketService service(500);
    fill("Ann", "ann@example.com", "Lovely.");
    testing::internal::CaptureStdout();
    m_form.submitPressed(m_form.submitButton());
    const std::optional<SeenAlert> alert = waitForAlert();
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->text, "Submit failure");
    EXPECT_EQ(alert->informativeText, "Unfortunately there was a network error. Please try again later.");
    // The line stands on its own, with the service's answer after it.
    const QStringList lines = QString::fromStdString(output).split('\n');
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& line) {
        return line.startsWith("Codebase submission error: ") && line.contains("500");
    })) << output;
}

TEST_F(FeedbackFormTest, ABrokenAnswerIsASubmitFailureAtOnce)
{
    // The last chunk's line is broken, and the service hangs up.
    TicketService service(QByteArray("HTTP/1.1 201 Created\r\nTransfer-Encoding: chunked\r\n\r\n"
                                     "2\r\nok\r\n0\r\xf6\n"));
    fill("Ann", "ann@example.com", "Lovely.");
    testing::internal::CaptureStdout();
    m_form.submitPressed(m_form.submitButton());
    const std::optional<SeenAlert> alert = waitForAlert(10'000);
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->text, "Submit failure");
    EXPECT_EQ(alert->informativeText, "Unfortunately there was a network error. Please try again later.");
    EXPECT_NE(output.find("Codebase submission error: The server sent a broken answer"), std::string::npos)
        << output;
}
