#pragma once

#include <QString>
#include <QStringList>

// The first-run feedback questionnaire apart from its window: the answer lists,
// the text it queues and the queueing itself. Nothing is mailed here: the next
// update run mails Q_Message and empties it.
namespace ThanksFeedback {

// The answer lists, in the order the boxes show them.
const QStringList& AgeGroups();   // cboGroup
const QStringList& Genders();     // cboGender
const QStringList& Purchases();   // cboPar
const QStringList& Countries();   // cboCountry
const QStringList& WhereHeard();  // cboWhere

struct Answers
{
    QString group;     // cboGroup
    QString gender;    // cboGender
    QString country;   // cboCountry
    QString zip;       // txtZip
    QString par;       // cboPar
    QString where;     // cboWhere
    QString comments;  // txtComments
};

// The feedback text: lines joined by CR LF, nothing after the last line.
QString BuildText(const Answers& answers, const QString& email, const QString& date, const QString& trademarks);

// SendData: queues the answers unless gender, country and comments are all empty,
// or no mail server is stored and the user gives none. Stores the text in QMessage
// and Q_Message (replacing a text still waiting) and says whether it did. *email
// receives the stored Email (the window's Text1) once it is read.
bool SendData(const Answers& answers, QString* email = nullptr);

// How the "Don't Show this massage anymore." box starts from the stored Thanks:
// ticked when it is empty, not a number or a number other than 0.
bool PromptTicked(const QString& stored);

} // namespace ThanksFeedback

// The last feedback text SendData built.
QString& QMessage();
