// The main window's Email menu: the mail window, the error-log mail, the
// questionnaire and the support window.
#include "shell/frmMain.h"

#include "services/MailWindow.h"
#include "services/Thanks.h"
#include "services/frmEmail.h"
#include "services/frmSupport.h"
#include "stockdata/RealEditorWindows.h"

#include <QLoggingCategory>

#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcMailMenu, "tradewright.shell.mailmenu")

// The mail windows sit centred on the main window, 700 twips below the ticker's top;
// the support window at the ticker's top itself.
constexpr int kBelowTickerTwips = 700;

} // namespace

void frmMain::mnuEmail_Click(int Index)
{
    try {
        switch (Index) {
        case 0:
        case 1:
        case 2: {
            frmEmail window(this);
            window.Form_Load();
            if (Index == 1)
                window.engine().TellAFriend();
            else if (Index == 2)
                window.engine().BugReport();
            window.showFields();
            window.adjustSize();
            PlaceBelowTicker(&window, this, ports().newsTickerTop());
            window.exec();
            break;
        }
        case 3:
            SendErrorLog();
            break;
        case 4:
            Thanks::ShowThanks();
            break;
        case 5: {
            frmSupport window(this);
            window.adjustSize();
            PlaceBelowTicker(&window, this, ports().newsTickerTop() - kBelowTickerTwips);
            window.exec();
            break;
        }
        default:
            break;
        }
    } catch (const std::exception& e) {
        qCWarning(lcMailMenu) << "Email menu item" << Index << "failed:" << e.what();
    }
}

void frmMain::SendErrorLog()
{
    ::SendErrorLog(ports());
}
