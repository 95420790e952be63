#include "services/AdviserTip.h"

#include "core/Misc.h"
#include "core/Settings.h"
#include "core/UpdateChoices.h"
#include "pages/PageCatalogue.h"
#include "platform/AppPath.h"

namespace {

// The tip's catalogue row: its file and its update box, "Weekly adviser service".
const pages::Download& tipPage()
{
    return pages::Kind(pages::PageId::Advice).downloads.front();
}

} // namespace

namespace AdviserTip {

QString TipFile()
{
    return AppPath() + u'/' + tipPage().fileName;
}

QString CreditText()
{
    return QStringLiteral("Weekly advice by the Harbourline Market Letter\r\n"
                          "30 years of proven high quality experienced institute.");
}

std::optional<QString> Cut(const QString& fileText)
{
    QString text = fileText;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QStringLiteral("\r\n"));
    const qsizetype found = text.indexOf(QStringLiteral("Tradewright"));
    if (found < 0)
        return std::nullopt;
    const qsizetype start = found + 1 - 9;  // 1-based, nine characters before it
    if (start < 1)
        return std::nullopt;
    return text.mid(start - 1, text.size() - start);
}

int WeeklyService()
{
    return updateChoices().isTicked(tipPage().firstItem) ? 1 : 0;
}

void setWeeklyService(int value)
{
    const int item = tipPage().firstItem;
    updateChoices().setTicked(item, value != 0);
    Settings::SaveSetting(Settings::UpdateValueName(item), value != 0 ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace AdviserTip
