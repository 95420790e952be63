#include "views/ViewContract.h"

#include "core/Misc.h"
#include "platform/AppPath.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "stockdata/ProgramState.h"

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
