#include "app/feedback/FeedbackViewController.h"
#include "app/feedback/PlaceholderTextView.h"
#include "appkit/widgets/Popover.h"
#include "foundation/BundleInfo.h"
#include "tessaline/Shared/App.h"
#include "tessaline/Tessaline/HeightForWidthTextField.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
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

    // The form in a popover below a window, as the toolbar shows it, with the keyboard in it.
    void showInPopover()
    {
        m_window.setGeometry(100, 100, 500, 60);
        m_window.show();
        m_popover.setContentViewController(&m_form);
        m_popover.showRelativeTo({}, &m_window, appkit::RectEdge::bottom);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_popover));
    }

    QLineEdit* field(const char* name) { return m_form.view()->findChild<QLineEdit*>(name); }

    FeedbackViewController m_form;
    QWidget m_window;
    appkit::Popover m_popover;
};

// Keys as the user types them: to whatever has the keyboard.
void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
}

void type(const QString& text)
{
    QTest::keyClicks(static_cast<QWidget*>(nullptr), text);
}

bool messageShown(const FeedbackViewController& form)
{
    return form.shownMessage() && form.shownMessage()->isVisible();
}

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

TEST_F(FeedbackFormTest, TheFieldsStayInUseWhileAMessageShowsWhichGoesWhenItsFieldIsEdited)
{
    showInPopover();
    QLineEdit* name = field("name");
    QLineEdit* email = field("email");
    EXPECT_EQ(QApplication::focusWidget(), name);
    QTest::mouseClick(m_form.submitButton(), Qt::LeftButton);
    ASSERT_TRUE(messageShown(m_form));
    // The click goes to the field, and so does the typing; the message goes with the click.
    QTest::mouseClick(name, Qt::LeftButton);
    EXPECT_FALSE(messageShown(m_form));
    EXPECT_EQ(QApplication::focusWidget(), name);
    type("Ann");
    EXPECT_EQ(m_form.name(), "Ann");

    // A message about every field goes with an edit of any.
    QTest::mouseClick(m_form.submitButton(), Qt::LeftButton);
    ASSERT_TRUE(messageShown(m_form));
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), email);
    type("not-an-email");
    EXPECT_FALSE(messageShown(m_form));
    type(Qt::Key_Tab);
    type("Hi");

    // One about the address stays while another field is edited.
    QTest::mouseClick(m_form.submitButton(), Qt::LeftButton);
    ASSERT_TRUE(messageShown(m_form));
    EXPECT_EQ(m_form.shownMessage()->findChild<tessaline::HeightForWidthTextField*>()->stringValue(),
              "Please enter a valid e-mail address.");
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    type("!");
    EXPECT_EQ(m_form.message(), "Hi!");
    EXPECT_TRUE(messageShown(m_form));
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    type(Qt::Key_End);
    type(Qt::Key_Backspace);
    EXPECT_FALSE(messageShown(m_form));
    EXPECT_EQ(m_form.email(), "not-an-emai");
}

TEST_F(FeedbackFormTest, TabAndShiftTabGoThroughTheFieldsAndTheButtonBothWays)
{
    showInPopover();
    const QList<QWidget*> order{field("name"), field("email"), m_form.messageTextView(),
                                m_form.submitButton()};
    for (qsizetype step = 1; step <= order.size(); ++step) {
        type(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[step % order.size()]) << step;
    }
    for (qsizetype step = order.size() - 1; step >= 0; --step) {
        type(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), order[step]) << step;
    }
    // Out of the message, what is typed next goes to the field before it.
    m_form.messageTextView()->setFocus();
    type("Hello");
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    type("a@b.c");
    EXPECT_EQ(m_form.message(), "Hello");
    EXPECT_EQ(m_form.email(), "a@b.c");
}

TEST_F(FeedbackFormTest, WhatWasTypedStaysAfterAFailedSendAndGoesOnceOneIsSent)
{
    showInPopover();
    type("Ann");
    type(Qt::Key_Tab);
    type("ann@example.com");
    type(Qt::Key_Tab);
    type("Lovely.");
    {
        TicketService failing(500);
        testing::internal::CaptureStdout();
        QTest::mouseClick(m_form.submitButton(), Qt::LeftButton);
        const std::optional<SeenAlert> alert = waitForAlert();
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(alert.has_value());
        EXPECT_EQ(alert->text, "Submit failure");
    }
    EXPECT_EQ(field("name")->text(), "Ann");
    EXPECT_EQ(field("email")->text(), "ann@example.com");
    EXPECT_EQ(m_form.messageTextView()->toPlainText(), "Lovely.");

    TicketService service(201);
    QTest::mouseClick(m_form.submitButton(), Qt::LeftButton);
    const std::optional<SeenAlert> alert = waitForAlert();
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->text, "Feedback sent");
    EXPECT_EQ(alert->informativeText, "Thank you for letting us know");
    EXPECT_EQ(alert->button, "Ok");
    EXPECT_EQ(service.requests, 1);
    EXPECT_TRUE(field("name")->text().isEmpty());
    EXPECT_TRUE(field("email")->text().isEmpty());
    EXPECT_TRUE(m_form.messageTextView()->toPlainText().isEmpty());
    EXPECT_TRUE(m_form.message().isEmpty());
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
