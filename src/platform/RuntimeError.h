#pragma once

#include <QString>

#include <stdexcept>

// The one error type of the code base. It carries the classic run-time error
// numbers the failure rules talk about (5 invalid procedure call or argument,
// 6 overflow, 9 subscript out of range, 11 division by zero, 13 type mismatch,
// 53 file not found, 381 invalid grid row or column index, 35601/35602 tree key
// errors), a description and a source, as the error log writes them.
class RuntimeError : public std::runtime_error
{
public:
    RuntimeError(int number, const QString& description, const QString& source = QStringLiteral("Tradewright"));

    int number() const { return m_number; }
    QString description() const { return m_description; }
    QString source() const { return m_source; }

    // The standard texts for the numbers above ("Overflow", "Type mismatch", ...).
    static QString standardDescription(int number);
    static RuntimeError make(int number) { return RuntimeError(number, standardDescription(number)); }

private:
    int m_number;
    QString m_description;
    QString m_source;
};

// Raised by the grid model for a row or column index outside the grid.
class GridRangeError : public RuntimeError
{
public:
    GridRangeError() : RuntimeError(381, QStringLiteral("Subscript out of range")) {}
};
