#include "stockdata/EditorWindows.h"

#include "platform/InputCodes.h"
#include "stockdata/DetailCard.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcEditorWindows, "tradewright.editorwindows")

constexpr int kBelowTickerTwips = 700;

// Serves when the program set no windows: a fault of its start, so every call says
// so in the log; nothing opens and the forms stay as they were.
class MissingEditorWindows : public EditorWindows
{
public:
    void showTransaction(TransactionForm&) override { missing("transaction"); }
    void showPicker(PurchasePicker&) override { missing("purchase picker"); }
    void showDetailCard(std::unique_ptr<DetailCard>) override { missing("detail card"); }
    void showSetEditor() override { missing("set editor"); }

private:
    static void missing(const char* window)
    {
        qCCritical(lcEditorWindows) << "no editor windows installed; the" << window << "window does not open";
    }
};

EditorWindows* s_default = nullptr;
EditorWindows* s_installed = nullptr;

} // namespace

EditorWindows& editorWindows()
{
    static MissingEditorWindows missing;
    if (s_installed)
        return *s_installed;
    return s_default ? *s_default : missing;
}

void installEditorWindows(EditorWindows* windows)
{
    s_installed = windows;
}

void setDefaultEditorWindows(EditorWindows* windows)
{
    s_default = windows;
}

QPoint ScreenPositionBelowTicker(const QPoint& screenOrigin, int mainWidth, int tickerTopTwips, int dialogWidth)
{
    return screenOrigin + QPoint(mainWidth / 2 - dialogWidth / 2,
                                 (tickerTopTwips + kBelowTickerTwips) / input::TwipsPerPixel);
}

QPoint DialogPosition(const QRect& mainFrame, int clientTop, int tickerTopTwips, const QSize& dialogSize)
{
    const int left = mainFrame.left() + (mainFrame.width() - dialogSize.width()) / 2;
    const int top = clientTop + (tickerTopTwips + kBelowTickerTwips) / input::TwipsPerPixel;
    return QPoint(left, top);
}
