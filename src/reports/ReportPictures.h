#pragma once

#include <QByteArray>
#include <QString>

// The pictures the report pages show by relative address: the current-prices report
// ("../../up.gif", "../../dn.gif" from Cache/Reports) and the summary page's
// analysts' bar ("../../../bar.jpg", "../../../gmb.jpg" from Cache/Reports/Summary)
// all point into the program folder. The program carries the four in its resources
// (":/up.gif" and so on) and writes one there, under exactly that name, when it is
// missing; a picture already there (the user's own) is left as it is.

// The shipped picture of that name; empty when the program carries none by it.
QByteArray ReportPicture(const QString& name);
// AppPath/<name> written from the shipped picture when no file of exactly that name
// is there. True when the file is there afterwards.
bool PutReportPicture(const QString& name);
