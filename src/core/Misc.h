#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

// The small routines every page parser, view, report and window shares besides the
// page text (pages/PageText.h). A price text is taken by reference where the change
// must show in the caller's own text too.

QString ReadFile(const QString& path);
QString FormatP(QString& s, bool FourDecimals);
double ToDouble(QVariant& value);
double ToDouble(const QString& value);  // the same for a value the caller does not keep
void OpenURL(const QString& address);
void EmptyProc();

// Connection check: true when the caller may use the Internet.
bool AskConnect();
std::int16_t CountConnections();
