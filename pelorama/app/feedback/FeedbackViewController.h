#pragma once

#include "appkit/widgets/Popover.h"
#include "appkit/widgets/ViewController.h"

#include <QPointer>
#include <QString>
#include <optional>

class QAbstractButton;
class QLineEdit;
class QPushButton;

namespace tessaline {
class CodebaseTicket;
}

namespace pelorama::app {

class PlaceholderTextView;

// The feedback form: name, e-mail address and a message, sent to the makers as a ticket of the ticket
// service. Input problems show as short red messages at the submit button, which stay out of the way of
// typing and go once the field they are about is edited; the outcome of a submission shows as an alert.
// What was typed stays until a submission has gone through, also when the form is shown again later
// (so that "Please try again later" can be followed): only then is the form cleared. Tab and Backtab
// go from field to field and to the button, the message included.
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
    // Shows the alert on a later pass of the event loop; without an error, clears the form first.
    void handleSubmitResult(const std::optional<QString>& error);
    // The same for a form that has gone: the alert alone.
    static void showResult(const std::optional<QString>& error);
    // The message shown at the button, while it shows.
    appkit::Popover* shownMessage() const { return m_shownMessage; }
    // A modal informational alert with the one button "Ok".
    static void showAlert(const QString& title, const QString& message);

signals:
    void nameChanged();
    void emailChanged();
    void messageChanged();

protected:
    void loadView() override;
    void viewWillAppear() override;

private:
    enum class Field
    {
        name,
        email,
        message,
    };
    // Shows message at the button, about field (all fields when none).
    void showMessage(const QString& markup, QAbstractButton* button, std::optional<Field> field);
    // The user changed field: a message about it goes.
    void fieldEdited(Field field);

    QString m_name;
    QString m_email;
    QString m_message;
    QLineEdit* m_nameField = nullptr;
    QLineEdit* m_emailField = nullptr;
    PlaceholderTextView* m_messageTextView = nullptr;
    QPushButton* m_submitButton = nullptr;
    QPointer<appkit::Popover> m_shownMessage;
    // What the shown message is about; none when it is about every field.
    std::optional<Field> m_shownMessageField;
};

} // namespace pelorama::app
