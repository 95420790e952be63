#include "retrieval/ViewContract.h"

#include "core/Misc.h"
#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "stockdata/ProgramState.h"

#include <QStringMatcher>

#include <algorithm>

Q_LOGGING_CATEGORY(lcViews, "tradewright.views")

QString ViewContext::readPage() const
{
    QString text = ReadFile(pagePath);
    eventPass();
    return text;
}

ViewError ViewError::message(const QString& text)
{
    return ViewError(Message, 0, text);
}

ViewError ViewError::blank()
{
    return ViewError(Blank, 0, QString());
}

ViewError ViewError::untouched()
{
    return ViewError(Untouched, 0, QString());
}

ViewError ViewError::number(int n)
{
    return ViewError(Number, n, RuntimeError::standardDescription(n));
}

const char* ViewError::what() const noexcept
{
    switch (m_kind) {
    case Message: return "view failed with a message";
    case Blank: return "view failed blank";
    case Untouched: return "view left the grid untouched";
    case Number: break;
    }
    return "view failed with a run-time error";
}

QString ViewContext::cachePath(const QString& fileName) const
{
    if (fileName.isEmpty())
        return QString();
    return ResolvePath(appPath + QStringLiteral("/Cache/DataSheet/") + fileName);
}

QString StandardViewMessage(const QString& companyName)
{
    return QStringLiteral("Tradewright do not have additional information for ") + companyName;
}

namespace {

// Every step runs even when one before it failed: a message must get through
// whatever state the last view left the grid in.
template <typename Step>
void step(Step&& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        qCDebug(lcViews) << "grid message step skipped:" << e.what();
    }
}

} // namespace

void ShowGridMessage(FlexGrid& fg, const QString& text, int stdRowHeight)
{
    step([&] { fg.setRedraw(false); });
    step([&] { fg.Clear(); });
    step([&] { fg.setRows(1); });
    step([&] { fg.setTextMatrix(0, 0, text); });
    step([&] { fg.setRowHeight(0, 3 * stdRowHeight); });
    step([&] { fg.setColWidth(0, fg.Width()); });
    // The message cell is (0, 0) whichever column was current before: centre
    // that cell, not whatever cell of row 0 the cursor was left on.
    step([&] { fg.setRow(0); });
    step([&] { fg.setCol(0); });
    step([&] { fg.setCellAlignment(FlexGrid::flexAlignCenterCenter); });
    step([&] { fg.setBackColor(FlexGrid::WindowBackground); });
    step([&] { fg.setGridLines(0); });
    step([&] { fg.setRedraw(true); });
}

namespace {

int checked(int position, Positions positions)
{
    if (positions == Positions::Strict && position > kStrictPositionLimit)
        throw ViewError::number(6);
    return position;
}

} // namespace

int FindText(int start, const QString& text, const QString& marker, Positions positions)
{
    if (start < 1)
        throw ViewError::number(5);
    return checked(rt::InStr(start, text, marker), positions);
}

QString CutText(const QString& text, int start, int length)
{
    if (start < 1 || length < 0)
        throw ViewError::number(5);
    return rt::Mid(text, start, length);
}

QStringList ScanElements(const QString& text, const QString& open, const QString& close, Positions positions)
{
    QStringList found;
    if (open.isEmpty() || close.isEmpty()) {
        // An empty marker is found where the search starts.
        int position = 1;
        for (qsizetype round = 0; round < text.size(); ++round) {
            const int begin = FindText(position, text, open, positions);
            if (begin == 0)
                break;
            const int end = FindText(begin, text, close, positions);
            found << CutText(text, begin, end - begin);
            position = end;
        }
        return found;
    }
    // The same scan with each marker's search table made once (positions 0-based).
    const QStringMatcher openAt(open);
    const QStringMatcher closeAt(close);
    qsizetype position = 0;
    for (qsizetype round = 0; round < text.size(); ++round) {
        const qsizetype begin = openAt.indexIn(text, position);
        if (begin < 0)
            break;
        checked(int(std::min<qsizetype>(begin + 1, kStrictPositionLimit + 1)), positions);
        const qsizetype end = closeAt.indexIn(text, begin);
        if (end < 0)
            throw ViewError::number(5);  // an element without its close
        checked(int(std::min<qsizetype>(end + 1, kStrictPositionLimit + 1)), positions);
        found << text.mid(begin, end - begin);
        position = end;
    }
    return found;
}

QStringList ScanRows(const QString& text, Positions positions)
{
    return ScanElements(text, QStringLiteral("<tr"), QStringLiteral("</tr>"), positions);
}

QStringList ScanCells(const QString& row, Positions positions)
{
    return ScanElements(row, QStringLiteral("<td"), QStringLiteral("</td>"), positions);
}

QStringList ScanHeaderCells(const QString& row, Positions positions)
{
    return ScanElements(row, QStringLiteral("<th"), QStringLiteral("</th>"), positions);
}
