#pragma once

#include <QString>

#include <exception>

class RuntimeError;

// Appends one six-line entry to ErrorLog.txt in the program folder and, when the
// caller asks and the user has not switched the notice off (setting ErrorTraping),
// tells the user. Never throws.
void LogError(const QString& description, float number, const QString& source, const QString& tag, bool show);
// The same for a caught RuntimeError (description, number and source taken from it).
void LogError(const RuntimeError& error, const QString& tag, bool show = false);
// The same for whatever a handler caught: a RuntimeError as above, another
// exception as error 5 of "Tradewright" with its text, nullptr (a throw of
// something that is no exception) as error 5 "unknown failure".
void LogFailure(const std::exception* error, const QString& tag, bool show = false);
