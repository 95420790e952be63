#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class UpdateChoices;

// Everything the Options window does, without its widgets. The window (Options)
// shows these fields and calls the handlers; tests call the handlers directly.
// Field names are the window's control names; a check box is a bool, a list its
// selected index (-1: nothing chosen).
class OptionsModel
{
public:
    static constexpr int PageCount = 7;

    // Page labels lblNav(i) and frame captions Frm(i).
    static const QStringList& pageLabels();
    static const QStringList& frameCaptions();
    // The list entries of cobStyle, cobSqd (with the minutes of each) and cobVoice.
    static const QStringList& styleEntries();
    static const QStringList& intervalEntries();
    static int intervalMinutes(int index);      // -1 outside 0..13
    static int intervalIndexOf(int minutes);    // -1 when no entry has these minutes
    static QStringList voiceEntries();
    // The update boxes a select/clear button works on, and whether it ticks them.
    static QList<int> selectItems(int index);
    static bool selectTicks(int index);

    static const QColor NavColour;        // blue: a page label not shown
    static const QColor NavCurrentColour; // red: the page label shown
    static const QColor CaptionColour;    // black: an update box's caption
    static const QColor HoverColour;      // blue: the update box under the pointer

    explicit OptionsModel(UpdateChoices& choices);

    UpdateChoices& boxes() { return m_choices; }

    // Text boxes.
    QString Text1;            // splash delay, seconds
    QString Text2;            // screen saver delay, minutes
    QString txtNewsServ;
    QString txtEmailServ;
    QString txtEmailAddress;
    QString txtProxy;
    bool txtProxyEnabled = false;

    // Check boxes as the page designs them; the load puts the stored states in.
    bool chkPrompt = true;
    bool chkProxy = false;
    bool chkShutDown = false;
    bool ChkUS = false;
    std::array<bool, 2> ChkNumeric{};   // 0 "Display as fractions", 1 "Volume in 100's"

    // Lists: the selected entry, -1 for none.
    int cobStyle = -1;
    int cobSqd = -1;
    int cobVoice = -1;

    // Pages and colours.
    std::int16_t CurrentPage = 0;
    std::array<QColor, PageCount> lblNavColour;
    std::array<QColor, 99> chkUpdateColour;
    // The exchange labels' one tick state (0 or 1).
    std::int16_t ExcState = 0;

    // Handlers.
    void Form_Load();
    void lblNav_Click(int index);
    // keyCode: upper-case letter codes; shift: 1 Shift, 2 Ctrl, 4 Alt. True when a page was chosen.
    bool Form_KeyDown(int keyCode, int shift);
    // True when the settings were stored and the window is to close (roll and unload).
    bool cmd_OK_Click();
    // Drops what the window changed but did not store; the window then rolls closed.
    void cmd_cancel_Click();
    void cmdHelp_Click();
    void cmdEmpty_Click();
    void cmdSelect_Click(int index);
    void lblExc_Click(int index);
    void chkUpdate_MouseMove(int index);
    void Frm_MouseMove(int index);
    // Check boxes with a click handler: set* changes the box and runs the handler
    // when the state differs, as a click (or a load) does.
    void setChkPrompt(bool ticked);
    void setChkProxy(bool ticked);
    void setChkShutDown(bool ticked);
    void setChkUS(bool ticked);
    void txtProxy_LostFocus();
    // Delay guards: false when the box was rejected and put back to its default.
    bool Text1_LostFocus();
    bool Text2_LostFocus();
    // A choice in a list: the entry becomes the selection and its handler runs.
    void cobSqd_Click(int index);
    void cobStyle_Click(int index);
    void cobVoice_Click(int index);

    // HasUpdateChoice: false (after ticking box 0 and telling the user) when no box is ticked.
    bool HasUpdateChoice();

private:
    void busy();
    void normal();
    void processEvents();

    UpdateChoices& m_choices;
    bool m_busy = false;
};
