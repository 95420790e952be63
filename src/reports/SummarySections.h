#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The sixteen data-sheet sections of the summary page. Each builder turns the
// cached page of one kind into the rows of its box. A section's name, the flag
// that asks for it (its view's chooser box), the page it reads (the one its kind's
// download writes), its headline, its progress text and its place on the page
// are those of its view in the page catalogue; the rewrites made over the whole
// page first, the builder and what the box holds when the page or a marker is
// missing are the summary's own, attached to the view by its code.
//
// When data is missing:
//  - a page that is not in the cache gives the section's no-data text; the split
//    history gives an empty box (a missing page is one of its early exits);
//  - a page without a marker the section needs (an empty page included) gives
//    "<FONT Size=-1>No Data Available.</FONT>" for the sections that own that
//    text (splits, upgrades, downgrades, momentum, broker reports, short
//    interest) and an empty box for the others;
//  - Cancel on the options size question gives an empty box.
namespace summary {

// The flags of Summery::GanarateHTML, in its parameter order.
enum Flag : int {
    Pr, AR, LP, HAbs, Ais, Eg, EH, EE, EC, IT, sp, UP, Dow, MOM, BR, Calls, Puts, QR, SI,
    FlagCount
};
using Flags = std::array<std::uint8_t, FlagCount>;

// The chooser's box chk(i) of a flag: the boxes go in flag order but for Split
// History, the eleventh flag, which is chk(16).
int BoxOfFlag(Flag flag);

// Where a section reports its progress (the chooser's note label) and lets
// pending window events run.
class Progress
{
public:
    virtual ~Progress() = default;
    virtual void caption(const QString& text) = 0;
    virtual void pass() = 0;
};

// Keeps the last caption and runs no events (tests, the benchmark).
class QuietProgress final : public Progress
{
public:
    QString last;
    int passes = 0;
    void caption(const QString& text) override { last = text; }
    void pass() override { ++passes; }
};

inline const QString kNoData = QStringLiteral("No Data Available.");
inline const QString kSmallNoData = QStringLiteral("<FONT Size=-1>No Data Available.</FONT>");

struct Rewrite
{
    const char* from;
    const char* to;
};

// The box's text when something is missing.
enum class Missing { Empty, NoData, SmallNoData };

using Builder = QString (*)(const QString& text, Progress& progress);

struct Section
{
    // From the view's row in the page catalogue.
    QString view;          // "ABS"
    QString name;          // "S_ABS"
    Flag flag;
    QString suffix;        // of the cached page
    QString headline;
    QString progress;
    // The summary's own.
    std::span<const Rewrite> rewrites;
    Builder build;         // on the rewritten page
    Missing missingPage;
    Missing missingMarker;
};

// The sixteen, in page order.
std::span<const Section> Sections();
const Section* FindSection(const char* name);

QString MissingText(Missing missing);

// The box of a section for a page text as read: the rewrites, the builder and
// the missing-marker rule. No caption is set.
QString BuildSection(const Section& section, const QString& page, Progress& progress);
// The cached pages of one stock, each kind read once however many sections use it.
class PageReads
{
public:
    explicit PageReads(QString symbol) : m_symbol(std::move(symbol)) {}
    // The page of suffix as read, nullptr when it is not in the cache.
    const QString* page(const QString& suffix);

private:
    QString m_symbol;
    std::vector<std::pair<QString, std::optional<QString>>> m_pages;
};

// The box of a section for symbol: the caption, the cached page (or the
// missing-page text), one event pass after the read, then BuildSection.
QString SectionBox(const Section& section, const QString& symbol, Progress& progress);
QString SectionBox(const Section& section, PageReads& reads, Progress& progress);

// Each builder on a page text as read (BuildSection of its table entry).
QString S_ABS(const QString& page, Progress& progress);
QString S_AIS(const QString& page, Progress& progress);
QString S_EG(const QString& page, Progress& progress);
QString S_EH(const QString& page, Progress& progress);
QString S_EE(const QString& page, Progress& progress);
QString S_EC(const QString& page, Progress& progress);
QString S_Split(const QString& page, Progress& progress);
QString S_UPH(const QString& page, Progress& progress);
QString S_DNH(const QString& page, Progress& progress);
QString S_MR(const QString& page, Progress& progress);
QString S_BRP(const QString& page, Progress& progress);
QString S_IT(const QString& page, Progress& progress);
QString S_QR(const QString& page, Progress& progress);
QString S_Calls(const QString& page, Progress& progress);
QString S_Puts(const QString& page, Progress& progress);
QString S_SI(const QString& page, Progress& progress);

} // namespace summary
