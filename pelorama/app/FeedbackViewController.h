#pragma once

#include "appkit/ViewController.h"

#include <QString>
#include <optional>

class QLineEdit;
class QPushButton;

namespace tessaline {
class CodebaseTicket;
}

namespace pelorama::app {

class PlaceholderTextView;

// The feedback form: name, e-mail address and a message, sent to the makers as a ticket of the ticket
// service. Input problems show as short red messages beside the submit button; the outcome of a
// submission as an alert. The form keeps its contents after a submission.
class FeedbackViewController : public appkit::ViewController
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString email READ email WRITE setEmail NOTIFY emailChanged)
    Q_PROPERTY(QString message READ message WRITE setMessage NOTIFY messageChanged)

public:
    explicit FeedbackViewController(QObject* parent = nullptr);
    ~FeedbackViewController() override;

    QString name() const { return m_name; }
    void setName(const QString& name);
    QString email() const { return m_email; }
    void setEmail(const QString& email);
    QString message() const { return m_message; }
    void setMessage(const QString& message);

    PlaceholderTextView* messageTextView() const { return m_messageTextView; }
    QPushButton* submitButton() const { return m_submitButton; }

    // Checks the fields and files the ticket; sender must be the button (the anchor of any message).
    void submitPressed(QObject* sender);

    // The whole address matches the pattern the form has always used: a local part of letters of any
    // script, digits and the usual symbols (or a quoted one), "@", then dot-separated domain labels, or a
    // bracketed address literal.
    static bool isValidEmail(const QString& address);
    // The ticket's texts: "<name> <platform> <version> feedback", and the sender's particulars, the
    // machine's, an empty line and the message as typed.
    static QString ticketSummary();
    static QString ticketDescription(const QString& name, const QString& email, const QString& message);

    // The outcome of the ticket's post: an error (a transport error or an answer outside 2xx) or none.
    // Shows the alert on a later pass of the event loop.
    static void handleSubmitResult(const std::optional<QString>& error);
    // A modal informational alert with the one button "Ok".
    static void showAlert(const QString& title, const QString& message);

signals:
    void nameChanged();
    void emailChanged();
    void messageChanged();

protected:
    void loadView() override;

private:
    QString m_name;
    QString m_email;
    QString m_message;
    QLineEdit* m_nameField = nullptr;
    QLineEdit* m_emailField = nullptr;
    PlaceholderTextView* m_messageTextView = nullptr;
    QPushButton* m_submitButton = nullptr;
};

} // namespace pelorama::app
