#include "services/ThanksFeedback.h"

#include "core/Settings.h"
#include "core/frmSplashInfo.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Runtime.h"
#include "services/MailWindow.h"

#include <QLocale>

namespace {

QString name(const char* setting)
{
    return QString::fromLatin1(setting);
}

} // namespace

QString& QMessage()
{
    static QString text;
    return text;
}

namespace ThanksFeedback {

const QStringList& AgeGroups()
{
    static const QStringList list{"16-24", "25-33", "34-42", "43-51", "52-60", "61+"};
    return list;
}

const QStringList& Genders()
{
    static const QStringList list{"Male", "Female"};
    return list;
}

const QStringList& Purchases()
{
    static const QStringList list{"Yes", "No"};
    return list;
}

const QStringList& Countries()
{
    static const QStringList list{
    "Afghanistan", "Albania", "Algeria", "American Samoa", "Andorra", "Angola", "Anguilla", "Antigua And Barbuda",
    "Argentina", "Armenia", "Aruba", "Australia", "Austria", "Azerbaijan", "Bahamas", "Bahrain", "Bangladesh",
    "Barbados", "Belarus", "Belgium", "Belize", "Benin", "Bermuda", "Bhutan", "Bolivia", "Bosnia And Herzegovina",
    "Botswana", "Brazil", "British Indian Ocean Terr.", "Brunei Darussalam", "Bulgaria", "Burkina Faso", "Burundi",
    "Cambodia", "Cameroon", "Canada", "Cape Verde", "Cayman Islands", "Central African Rep.", "Chad", "Chile",
    "China", "Christmas Island", "Cocos (Keeling) Islands", "Colombia", "Comoros", "Congo",
    "Congo, The Democratic Rep.", "Cook Islands", "Costa Rica", "Cote D'Ivoire", "Croatia(Hrvatska)", "Cuba",
    "Cyprus", "Czech Republic", "Denmark", "Djibouti", "Dominica", "Dominican Republic", "Ecuador", "Egypt",
    "El Salvador", "Equatorial Guinea", "Eritrea", "Estonia", "Ethiopia", "Falkland Isls. (Malvinas)",
    "Faroe Islands", "Fiji", "Finland", "France", "French Antilles", "French Guiana", "French Polynesia", "Gabon",
    "Gambia", "Georgia", "Germany", "Ghana", "Gibraltar", "Greece", "Greenland", "Grenada", "Guadeloupe", "Guam",
    "Guatamala", "Guinea", "Guinea - Bissau", "Guyana", "Haiti", "Honduras", "Hong Kong", "Hungary", "Iceland",
    "India", "Indonesia", "Iran", "Iraq", "Ireland", "Israel", "Italy", "Jamaica", "Japan", "Jordan", "Kazakhstan",
    "Kenya", "Kiribati Republic", "Korea(North)", "Korea (Repulic of)", "Kuwait", "Kyrgyztan", "Laos", "Latvia",
    "Lebanon", "Lesotho", "Liberia", "Libya", "Liechtenstein", "Lithuania", "Luxembourg", "Macau", "Macedonia",
    "Madagascar", "Malawi", "Malaysia", "Maldives", "Mali", "Malta", "Marshall Islands", "Martinique", "Mauritania",
    "Mauritius", "Mayotte Island", "Mexico", "Micronesia, Fed.States", "Maldova", "Monaco", "Mongolia", "Montserrat",
    "Morocco", "Mozambique", "Myanmar", "Namibia", "Nauru", "Nepal", "Netherlands", "Netherlands Antilles",
    "New Caledonia", "New Zealand", "Nicaragua", "Niger", "Nigeria", "Niue", "Norfolk Island", "Norway", "Oman",
    "Pakistan", "Palau", "Panama", "Papua New Guinea", "Peru", "Philippines", "Poland", "Portugal", "Puerto Rico",
    "Qatar", "Reunion Island", "Romania", "Russia", "Rwanda", "Saint Kitts and Nevis", "Saint Lucia", "Samoa",
    "San Marino", "Sao Tome and Principe", "Saudi Arabia", "Senegal Republic", "Seychelle Islands", "Sierra Leone",
    "Singapore", "Slovak Republic", "Slovenia", "Solomon Islands", "Somalia", "South Africa", "Spain", "Sri Lanka",
    "St.Helena", "St.Pierre And Miquelon", "St.Vincent & Grenadines", "Sudan", "Suriname", "Swaziland", "Sweden",
    "Switzerland", "Syria", "Taiwan, Rep. of China", "Tajikistan", "Tanzania", "Thailand", "Togo", "Tokelau",
    "Tonga", "Trinidad And Tobago", "Tunisia", "Turkey", "Turkmenistan", "Turks & Caicos Isls.", "Tuvalu", "Uganda",
    "Ukraine", "United Arab Emirates", "United Kingdom", "United States", "U.S. Virgin Islands", "Uruguay",
    "Uzbekistan", "Vanuatu", "Vatican City", "Venezuela", "Vietnam", "Wallis & Futuna Isls.", "Yemen", "Yugoslavia",
    "Zambia", "Zimbabwe",
    };
    return list;
}

const QStringList& WhereHeard()
{
    static const QStringList list{
    "I saw a commercial banner",
    "I read a magazine article",
    "I read a newspaper article",
    "I have seen it in a software site",
    "I heard about it in a chat",
    "I heard in the newsgroups",
    "I heard in the message board",
    "A friend recommends me",
    "I'm long time Tradewright user",
    "I forced to use it.",
    };
    return list;
}

QString BuildText(const Answers& a, const QString& email, const QString& date, const QString& trademarks)
{
    const QString rule(52, QLatin1Char('_'));
    const QStringList lines{
        QStringLiteral("    Tradewright ") + trademarks + QStringLiteral(" First Time User Feedback"),
        QStringLiteral("    ") + QString(40, QLatin1Char('_')),
        QString(),
        QStringLiteral("Date............ ") + date,
        QStringLiteral("From............ ") + email,
        QStringLiteral("Group age....... ") + a.group,
        QStringLiteral("Gender.......... ") + a.gender,
        QStringLiteral("Country......... ") + a.country,
        QStringLiteral("Zip............. ") + a.zip,
        QStringLiteral("Parchase........ ") + a.par,
        QStringLiteral("Heard........... ") + a.where,
        rule,
        QStringLiteral("Comments: ") + a.comments,
        rule,
    };
    return lines.join(rt::CrLf);
}

bool SendData(const Answers& answers, QString* email)
{
    if (answers.gender.isEmpty() && answers.country.isEmpty() && answers.comments.isEmpty())
        return false;

    if (Settings::GetSetting(name(Settings::EmailServer)).size() < 2) {
        const QString server = Dialogs::InputBox(MailTexts::MailServerPrompt(), MailTexts::MailServerTitle(),
                                                 MailTexts::MailServerDefault());
        if (server.isEmpty())
            return false;
        Settings::SaveSetting(name(Settings::EmailServer), server);
    }

    const QString from = Settings::GetSetting(name(Settings::Email));
    if (email)
        *email = from;

    const QString date = QLocale::system().toString(Clock::Now().date(), QLocale::ShortFormat);
    QMessage() = BuildText(answers, from, date, SplashInfo::LegalTrademarks());
    Settings::SaveSetting(name(Settings::Q_Message), QMessage());
    return true;
}

bool PromptTicked(const QString& stored)
{
    if (stored.trimmed().isEmpty() || !rt::IsNumeric(stored))
        return true;
    return rt::Val(stored) != 0.0;
}

} // namespace ThanksFeedback
