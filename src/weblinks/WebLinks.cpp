#include "weblinks/WebLinks.h"

#include "core/Misc.h"
#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/DoEvents.h"
#include "stockdata/ProgramState.h"
#include "weblinks/WebAddresses.h"
#include "weblinks/WebLinkWindows.h"

#include <QLoggingCategory>

#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcWebLinks, "tradewright.weblinks")

const QString kNoSymbolTitle = QStringLiteral("No stock symbol selected");

void noSymbol(const char* text)
{
    Dialogs::MsgBox(QLatin1String(text), Dialogs::vbInformation + Dialogs::vbOKOnly, kNoSymbolTitle);
}

// Opens address when there is one, then lets pending events run.
void open(const QString& address)
{
    if (address.isEmpty())
        return;
    OpenURL(address);
    DoEvents();
}

// Runs body; a failure ends the opener without a message (it is logged).
template <typename Body>
void guarded(const char* name, Body body)
{
    try {
        body();
    } catch (const std::exception& e) {
        qCInfo(lcWebLinks) << name << "ended:" << e.what();
    } catch (...) {
        qCInfo(lcWebLinks) << name << "ended by an unknown failure";
    }
}

} // namespace

void OpenStockChart(int Index)
{
    guarded("OpenStockChart", [Index] {
        const QString symbol = CurrentSymbol();
        if (symbol.isEmpty()) {
            noSymbol("Select any stock graph.");
            return;
        }
        open(WebLinks::StockChartAddress(Index, symbol));
    });
}

void OpenStockNews(int Index)
{
    guarded("OpenStockNews", [Index] {
        const QString symbol = CurrentSymbol();
        if (symbol.isEmpty()) {
            noSymbol("Select any stock.");
            return;
        }
        // The hourglass while the page or the window opens, given back on every way out.
        BusyPointer busy;
        if (Index == WebLinks::HeadlineQueryNews) {
            webLinkWindows().showHeadlineQuery(symbol.toUpper());
            DoEvents();
            return;
        }
        open(WebLinks::StockNewsAddress(Index, symbol));
    });
}

void OpenFundamentalChart(int Index)
{
    guarded("OpenFundamentalChart", [Index] {
        if (!AskConnect())
            return;
        BusyPointer busy;
        const QString symbol = CurrentSymbol();
        if (symbol.size() < 2) {
            busy.release();
            noSymbol("Select Some Stock Symbol.");
            return;
        }
        open(WebLinks::FundamentalChartAddress(Index, symbol));
    });
}

void MessageBoardURL(int Index)
{
    guarded("MessageBoardURL", [Index] {
        if (!AskConnect())
            return;
        const QString symbol = CurrentSymbol();
        if (symbol.isEmpty())
            return;
        open(WebLinks::MessageBoardAddress(Index, symbol));
    });
}

void IndustryGroupURL(int Index)
{
    guarded("IndustryGroupURL", [Index] { open(WebLinks::IndustryGroupAddress(Index, CurrentSymbol())); });
}

void TVStreamURL(int Index)
{
    guarded("TVStreamURL", [Index] { open(WebLinks::TVStreamAddress(Index)); });
}

void RadioStreamURL(int Index)
{
    guarded("RadioStreamURL", [Index] { open(WebLinks::RadioStreamAddress(Index)); });
}

void ShowBigChart(int)
{
    webLinkWindows().showChartExplorer();
}

void ShowTechGraph(int)
{
    webLinkWindows().showTechnicalGraphs();
}
