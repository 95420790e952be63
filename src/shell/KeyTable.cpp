#include "shell/KeyTable.h"

#include <array>

namespace {

enum class Needs { Alt, Any, Shift, NoShift };

struct KeyEntry
{
    int keyCode;
    Needs needs;
    KeyCommand command;
};

constexpr int vbKeyEscape = 27;
constexpr int vbKeyF2 = 113;
constexpr int vbKeyF3 = 114;
constexpr int vbKeyF4 = 115;
constexpr int vbKeyF5 = 116;
constexpr int vbKeyF6 = 117;
constexpr int vbKeyF9 = 120;

// Tested in this order; the first match wins.
constexpr std::array<KeyEntry, 22> kKeys{{
    {'X', Needs::Alt, KeyCommand::ShutDown},
    {'S', Needs::Alt, KeyCommand::StartMenu},
    {vbKeyF3, Needs::Any, KeyCommand::StartMenu},
    {vbKeyEscape, Needs::Shift, KeyCommand::StartMenu},
    {'G', Needs::Alt, KeyCommand::GroupsMenu},
    {vbKeyF2, Needs::Any, KeyCommand::GroupsMenu},
    {'H', Needs::Alt, KeyCommand::FastUpdate},
    {'A', Needs::Alt, KeyCommand::Adviser},
    {'M', Needs::Alt, KeyCommand::Summary},
    {'R', Needs::Alt, KeyCommand::ReportsMenu},
    {'U', Needs::Alt, KeyCommand::Update},
    {vbKeyF4, Needs::Any, KeyCommand::Update},
    {vbKeyF5, Needs::Any, KeyCommand::FocusTree},
    {vbKeyF6, Needs::Any, KeyCommand::FocusGrid},
    {vbKeyF9, Needs::Any, KeyCommand::Relax},
    {'T', Needs::Alt, KeyCommand::TickerMenu},
    {'O', Needs::Alt, KeyCommand::Deruvu},
    {'Z', Needs::Alt, KeyCommand::Zoom},
    {'C', Needs::Alt, KeyCommand::Screen},
    {'N', Needs::Alt, KeyCommand::Setting},
    {vbKeyEscape, Needs::NoShift, KeyCommand::StopUpdate},
    {0, Needs::Any, KeyCommand::None},
}};

} // namespace

KeyCommand KeyCommandFor(int KeyCode, int Shift)
{
    const bool alt = (Shift & 4) != 0;
    const bool shift = (Shift & 1) != 0;
    for (const KeyEntry& e : kKeys) {
        if (e.command == KeyCommand::None || e.keyCode != KeyCode)
            continue;
        switch (e.needs) {
        case Needs::Alt:
            if (alt)
                return e.command;
            break;
        case Needs::Any:
            return e.command;
        case Needs::Shift:
            if (shift)
                return e.command;
            break;
        case Needs::NoShift:
            if (!shift)
                return e.command;
            break;
        }
    }
    return KeyCommand::None;
}

QString KeyCommandName(KeyCommand command)
{
    switch (command) {
    case KeyCommand::None: return QStringLiteral("None");
    case KeyCommand::ShutDown: return QStringLiteral("mnuStart_Click(8)");
    case KeyCommand::StartMenu: return QStringLiteral("Panel1_Click(0)");
    case KeyCommand::GroupsMenu: return QStringLiteral("Panel1_Click(1)");
    case KeyCommand::FastUpdate: return QStringLiteral("Panel1_Click(2)");
    case KeyCommand::Adviser: return QStringLiteral("Panel1_Click(3)");
    case KeyCommand::Summary: return QStringLiteral("Panel1_Click(4)");
    case KeyCommand::ReportsMenu: return QStringLiteral("Panel1_Click(5)");
    case KeyCommand::Update: return QStringLiteral("Picture1_Click(0)");
    case KeyCommand::FocusTree: return QStringLiteral("TreeView1.SetFocus");
    case KeyCommand::FocusGrid: return QStringLiteral("FG.SetFocus");
    case KeyCommand::Relax: return QStringLiteral("mnuHelp_Click(7)");
    case KeyCommand::TickerMenu: return QStringLiteral("Picture1_Click(1)");
    case KeyCommand::Deruvu: return QStringLiteral("Picture1_Click(2)");
    case KeyCommand::Zoom: return QStringLiteral("Picture1_Click(3)");
    case KeyCommand::Screen: return QStringLiteral("Picture1_Click(5)");
    case KeyCommand::Setting: return QStringLiteral("Picture1_Click(6)");
    case KeyCommand::StopUpdate: return QStringLiteral("StopUpdate");
    }
    return QString();
}
