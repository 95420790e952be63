#pragma once

#include <QString>

// The fixed texts of the program's mails: the maker's addresses, the examples the
// messages show and the server the prompt proposes. Every mail window, the
// error-log mail, the support request and the questionnaire take them from here.
namespace MailTexts {

// The maker's support address ("support@" and the maker's host).
QString SupportAddress();
// Where the queued questionnaire answers go.
QString FeedbackAddress();
// The product's download page and the maker's home page, named in the recommendation.
QString DownloadAddress();
QString HomePageAddress();
// Shown in the messages that ask for a server or an address.
QString ExampleServer();
QString ExampleAddress();
// The mail-server question asked when no server is stored, and its proposed answer.
QString MailServerPrompt();
QString MailServerTitle();
QString MailServerDefault();

} // namespace MailTexts
