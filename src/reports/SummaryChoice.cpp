#include "reports/SummaryChoice.h"

#include "core/ErrorLog.h"
#include "core/Settings.h"
#include "pages/PageCatalogue.h"
#include "platform/Dialogs.h"
#include "reports/Summery.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

using namespace summary;

namespace {

// The chooser's boxes as the page catalogue captions them: a view's summary box,
// or the box of a kind no view shows. A box without a caption, or one captioned
// twice, is a mistake in the program.
std::array<QString, SummaryChoice::kBoxes> makeCaptions()
{
    std::array<QString, SummaryChoice::kBoxes> captions;
    std::array<bool, SummaryChoice::kBoxes> given{};
    const auto give = [&](int box, const QString& caption) {
        if (box < 0)
            return;
        if (box >= SummaryChoice::kBoxes || given[std::size_t(box)])
            throw std::logic_error("a summary box of the page catalogue is out of place");
        captions[std::size_t(box)] = caption;
        given[std::size_t(box)] = true;
    };
    for (const pages::PageKind& kind : pages::Catalogue()) {
        give(kind.summaryBox, kind.summaryCaption);
        for (const pages::View& view : kind.views)
            give(view.summaryBox, view.summaryCaption);
    }
    if (std::find(given.begin(), given.end(), false) != given.end())
        throw std::logic_error("a summary box has no caption in the page catalogue");
    return captions;
}

} // namespace

QString SummaryChoice::Caption(int i)
{
    static const std::array<QString, kBoxes> captions = makeCaptions();
    return i >= 0 && i < kBoxes ? captions[std::size_t(i)] : QString();
}

std::array<int, SummaryChoice::kBoxes> SummaryChoice::InitialTicks()
{
    std::array<int, kBoxes> ticks;
    ticks.fill(1);
    for (int slow : {9, 14, 15, 17, 18})
        ticks[static_cast<std::size_t>(slow)] = 0;
    return ticks;
}

QString SummaryChoice::NoteText()
{
    return QStringLiteral("* It might take time, please be patiant..");
}

SummaryChoice::SummaryChoice() : m_chk(InitialTicks()) {}

void SummaryChoice::LoadOptions()
{
    const QString s = Settings::GetSetting(QStringLiteral("SummaryOpt"));
    qsizetype p = 0;
    for (int i = 0; i <= s.size(); ++i) {
        const qsizetype a = s.indexOf(QLatin1Char(','), p);
        if (a < 0)
            return;
        p = s.indexOf(QLatin1Char(','), a + 1);
        if (p < 0)
            return;
        const QChar v = s.at(a + 1);
        if (i < kBoxes && v >= QLatin1Char('0') && v <= QLatin1Char('2'))
            m_chk[static_cast<std::size_t>(i)] = v.unicode() - '0';
    }
}

void SummaryChoice::SaveOptions() const
{
    QString s;
    for (int v : m_chk)
        s += QLatin1Char(',') + QString::number(v);
    s += QLatin1Char(',');
    Settings::SaveSetting(QStringLiteral("SummaryOpt"), s);
}

bool SummaryChoice::CheckOptions()
{
    int sum = 0;
    for (int v : m_chk)
        sum += v;
    if (sum != 0)
        return true;
    m_chk[0] = 1;
    Dialogs::MsgBox(QStringLiteral("You have to select at least one option."), Dialogs::vbInformation,
                    QStringLiteral(""));
    return false;
}

Flags SummaryChoice::flags() const
{
    Flags f{};
    for (int k = 0; k < FlagCount; ++k)
        f[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(m_chk[static_cast<std::size_t>(BoxOfFlag(Flag(k)))]);
    return f;
}

bool SummaryChoice::cndGenerate_Click(Progress& progress)
{
    if (!CheckOptions())
        return false;
    SaveOptions();
    try {
        Summery summery(progress);
        summery.GanarateHTML(flags());
    } catch (const std::exception& e) {
        LogError(QString::fromLocal8Bit(e.what()), 0, QStringLiteral("Tradewright"),
                 QStringLiteral("SummaryOpt_cndGenerate_Click"), false);
    }
    return true;
}
