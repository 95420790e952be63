#pragma once

#include "core/MailTexts.h"

#include "services/SmtpSender.h"

#include <QObject>
#include <QString>

class MainWindowPort;


// One mail as it is handed to the client.
struct OutgoingMail
{
    QString Server;     // "host" or "host:port"
    QString From;       // sender name
    QString FromEmail;  // sender address
    QString ToName;
    QString ToEmail;
    QString Subject;
    QString Body;
};

// "" when every header field and address of mail can be written as it stands;
// otherwise the message naming the first field that holds a line break or another
// control character (the body may hold anything).
QString HeaderFieldProblem(const OutgoingMail& mail);

// Sends mail on sender and tells the user what went wrong: a header field that
// holds a control character is refused before anything is sent, and a failed
// dialogue shows the client's own words. The result says whether the server took
// the message.
SmtpResult DeliverMail(SmtpSender& sender, const OutgoingMail& mail);

// The mail window's work without its widgets: the texts of its boxes, the prepared
// messages of the Email menu and Send. The window copies its boxes in before Send
// and out after a change; the progress of a mail comes as statusChanged.
class MailWindow : public QObject
{
    Q_OBJECT

public:
    // What Send did, so the window can move the focus or close.
    enum class SendOutcome {
        NotConnected,      // the connection check said no: nothing happened
        MissingServer,     // the server box is empty (focus there)
        MissingRecipient,  // the recipient address box is empty (focus there)
        Failed,            // refused or not sent: the window stays with its texts
        Sent,              // the server took the message: the window closes
    };

    // The boxes, by the names of their controls.
    QString txtServer;
    QString txtFromName;
    QString txtFromEmail;
    QString txtToName;
    QString txtToEmail;
    QString txtSubject;
    QString txtBody;
    bool chkError = false;
    bool chkErrorVisible = false;

    explicit MailWindow(QObject* parent = nullptr);

    // The boxes as the window is built, then the server and the user's address from
    // the settings ("" when unset).
    void Form_Load();
    // The prepared messages of the Email menu's items 1 and 2.
    void TellAFriend();
    void BugReport();
    SendOutcome cmdSend_Click();

    // The status bar's first panel.
    QString statusText() const { return m_status; }
    SmtpSender& Winsock1() { return m_sender; }

    static QString RecommendationBody();
    static QString BugReportBody();

signals:
    void statusChanged(const QString& text);

private:
    void setStatus(const QString& text);

    SmtpSender m_sender;
    QString m_status;
};

// The Email menu's "Send Error Log To Orvane": mails ErrorLog.txt to the maker from
// the user's address, telling its progress in the main window's status label. The
// server is the stored one or, when none is stored, the one the user gives for this
// mail. True when the server took the message.
bool SendErrorLog(MainWindowPort& main);
