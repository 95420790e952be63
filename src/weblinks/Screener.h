#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The screener Scr without its widgets: eight option groups and the industry list
// become one query address of the screening site, opened in the browser.
namespace Screener {

inline constexpr int IndustryCount = 207;
inline constexpr int GroupCount = 8;
inline constexpr std::uint32_t Grey = 0x808080;  // colours as &HBBGGRR
inline constexpr std::uint32_t Blue = 0xFF0000;

struct Industry
{
    const char* name;
    int code;
};
extern const std::array<Industry, IndustryCount> kIndustries;

// The groups in the order the query sends them (the industry goes after the first).
enum Group { SP, PBV, PER, FYEEG, Analysts, PEG, HEEG, CDY };
struct OptionGroup
{
    const char* frame;    // "Frame3"
    const char* control;  // "opt_SP"
    const char* caption;  // the frame's caption ("&&" shows as one "&")
    const char* key;      // the query key
    std::vector<const char*> options;  // index 0 is "None"
};
extern const std::array<OptionGroup, GroupCount> kGroups;

// The window's criteria: the selected option of each group (-1 none), the selected
// industry (-1 none) and the fore colour of every option.
class Criteria
{
public:
    Criteria();

    int selected(int group) const { return m_selected[std::size_t(group)]; }
    int industry() const { return m_industry; }
    std::uint32_t colour(int group, int option) const { return m_colours[std::size_t(group)][std::size_t(option)]; }

    // An option's click: it becomes the group's selection, it turns blue and every
    // other option of its group grey.
    void optionClick(int group, int index);
    void selectIndustry(int listIndex);
    // "&Reset": "None" everywhere but S&P "Yes", and "All Industries".
    void cmdReset_Click();

    // "&noofrecs=25" + the criteria + "&name=Select" on the screening site.
    QString QueryAddress() const;
    // "&Query": asks for a connection, then hands the address to the shell
    // directly. Returns the address opened ("" when none).
    QString cmdShow_Click() const;

private:
    std::array<int, GroupCount> m_selected{};
    int m_industry = -1;
    std::array<std::vector<std::uint32_t>, GroupCount> m_colours;
};

// The screener's help topic.
inline constexpr int HelpTopic = 1004;

} // namespace Screener
