#pragma once

#include <QString>
#include <QStringList>

// The support request's work without its widgets: the answers of its boxes and
// option groups, the text it composes and Submit. The window copies its boxes in
// before Submit and out after Form_Load, Reset and Submit.
class SupportRequest
{
public:
    // What Submit did: nothing at all, stopped with the request kept (no server,
    // no sender address, no connection, a refusal or a failed send), or sent (the
    // window closes).
    enum class SubmitOutcome { Ignored, Stopped, Sent };

    // The boxes, by the names of their controls; cboSystem is the list index.
    QString txtName;
    QString txtEmail;
    QString txtError;
    QString txtDesc;
    int cboSystem = 1;
    int optConnect = 2;
    int optProxy = 2;
    int optError = 1;
    bool chkError = false;

    // The answers of the three option groups.
    QString ConnectAnswer;
    QString ProxyAnswer;
    QString ErrorAnswer;

    // The operating systems of the list, in order.
    static const QStringList& Systems();

    void Form_Load();
    // Empties name, error text and description and sets everything else as at load;
    // the error-log box keeps its state.
    void Reset();
    void optConnect_Click(int Index);
    void optProxy_Click(int Index);
    void optError_Click(int Index);

    // The request's eleven lines (joined by CR LF, nothing after the last), followed
    // by the error log when chkError is ticked.
    QString Compose(const QString& date) const;
    SubmitOutcome SendData();

private:
    void setDefaults();
};
