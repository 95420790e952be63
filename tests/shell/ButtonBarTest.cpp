// The button faces, the status-bar labels' looks and the key table.
#include "shell/ButtonBar.h"
#include "shell/KeyTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

QString faces(const ButtonBar& bar)
{
    QString s;
    for (const QString& f : bar.face)
        s += f.right(1);  // "B3" -> "3"
    return s;
}

TEST(ButtonBar, FaceStateTable)
{
    struct Step
    {
        const char* what;
        std::function<void(ButtonBar&)> act;
        const char* faces;  // the digit of each face, buttons 0..6
        bool hover;
    };
    auto run = [](ButtonBar& bar) {
        bar.updateCaption = QStringLiteral("Stop");
        bar.face[0] = QStringLiteral("B4");
    };
    const std::vector<std::vector<Step>> sequences{
        {
            {"start", [](ButtonBar&) {}, "1111111", false},
            {"hover 2", [](ButtonBar& b) { b.MouseMove(2); }, "1131111", true},
            {"over 3 without crossing a background", [](ButtonBar& b) { b.MouseMove(3); }, "1131111", true},
            {"window background", [](ButtonBar& b) { b.HoverReset(); }, "1111111", false},
            {"press 5", [](ButtonBar& b) { b.MouseDown(5); }, "1111121", false},
            {"release 5", [](ButtonBar& b) { b.MouseUp(5); }, "1111111", false},
            {"reset while not hovering", [](ButtonBar& b) { b.HoverReset(); }, "1111111", false},
        },
        {
            {"run starts", run, "4111111", false},
            {"hover the Update button", [](ButtonBar& b) { b.MouseMove(0); }, "4111111", false},
            {"hover 6", [](ButtonBar& b) { b.MouseMove(6); }, "4111113", true},
            {"frame background", [](ButtonBar& b) { b.HoverReset(); }, "4111111", false},
            {"press Update", [](ButtonBar& b) { b.MouseDown(0); }, "2111111", false},
            {"release Update", [](ButtonBar& b) { b.MouseUp(0); }, "1111111", false},
        },
    };
    for (const auto& sequence : sequences) {
        ButtonBar bar;
        for (const Step& step : sequence) {
            step.act(bar);
            EXPECT_EQ(faces(bar), QString::fromLatin1(step.faces)) << step.what;
            EXPECT_EQ(bar.BarHover, step.hover) << step.what;
        }
    }
}

TEST(ButtonBar, CaptionsAndTips)
{
    EXPECT_STREQ(ButtonCaptions()[2], "Deruvu");
    EXPECT_STREQ(ButtonToolTips()[0], "Connect to the Internet and update data (Alt U or F4)");
    EXPECT_STREQ(PanelCaptions()[2], "Fast Update");
    EXPECT_STREQ(PanelToolTips()[1], "Double click to modify (Alt G or F2)");
    EXPECT_STREQ(PanelToolTips()[7], "Tasks");
}

TEST(StatusPanels, PressedLookAndOutline)
{
    StatusPanels p;
    p.MouseDown(2, 2);  // the right button gives no pressed look
    EXPECT_FALSE(p.label[2].pressed);
    p.MouseDown(2, 1);
    EXPECT_TRUE(p.label[2].pressed);
    p.MouseDown(6, 1);  // the status text never changes
    EXPECT_FALSE(p.label[6].pressed);

    EXPECT_TRUE(p.MouseMove(1, 1200, 1000));
    EXPECT_TRUE(p.rectVisible);
    EXPECT_EQ(p.rectLeft, 1200);
    EXPECT_EQ(p.rectWidth, 1000);
    EXPECT_FALSE(p.MouseMove(1, 1200, 1000));  // already there
    EXPECT_FALSE(p.MouseMove(7, 8955, 570));   // labels 6 and 7 move nothing

    p.MouseUp();
    EXPECT_FALSE(p.rectVisible);
    EXPECT_FALSE(p.label[2].pressed);
    // After a release over the same label the outline stays hidden until another label.
    EXPECT_FALSE(p.MouseMove(1, 1200, 1000));
    EXPECT_FALSE(p.rectVisible);
    EXPECT_TRUE(p.MouseMove(0, 0, 1095));
    EXPECT_TRUE(p.rectVisible);
    p.StatusBarMove();
    EXPECT_FALSE(p.rectVisible);
}

TEST(KeyTable, EveryShortcut)
{
    constexpr int Shift = 1, Ctrl = 2, Alt = 4;
    constexpr int Esc = 27, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117, F9 = 120;
    struct Row
    {
        int code;
        int shift;
        KeyCommand command;
    };
    const std::vector<Row> table{
        {'X', Alt, KeyCommand::ShutDown},
        {'X', Alt | Shift, KeyCommand::ShutDown},
        {'X', Ctrl, KeyCommand::None},
        {'X', 0, KeyCommand::None},
        {'S', Alt, KeyCommand::StartMenu},  // not the set editor
        {F3, 0, KeyCommand::StartMenu},
        {F3, Shift, KeyCommand::StartMenu},
        {Esc, Shift, KeyCommand::StartMenu},
        {Esc, Shift | Alt | Ctrl, KeyCommand::StartMenu},
        {'G', Alt, KeyCommand::GroupsMenu},
        {F2, 0, KeyCommand::GroupsMenu},
        {'G', 0, KeyCommand::None},
        {'H', Alt, KeyCommand::FastUpdate},
        {'A', Alt | Ctrl, KeyCommand::Adviser},
        {'M', Alt, KeyCommand::Summary},
        {'R', Alt, KeyCommand::ReportsMenu},
        {'U', Alt, KeyCommand::Update},
        {F4, 0, KeyCommand::Update},
        {F4, Ctrl, KeyCommand::Update},
        {F5, 0, KeyCommand::FocusTree},
        {F5, Alt, KeyCommand::FocusTree},
        {F6, 0, KeyCommand::FocusGrid},
        {F9, 0, KeyCommand::Relax},
        {'T', Alt, KeyCommand::TickerMenu},
        {'O', Alt, KeyCommand::Deruvu},
        {'Z', Alt, KeyCommand::Zoom},
        {'C', Alt, KeyCommand::Screen},
        {'N', Alt, KeyCommand::Setting},
        {Esc, 0, KeyCommand::StopUpdate},
        {Esc, Ctrl, KeyCommand::StopUpdate},
        {Esc, Alt, KeyCommand::StopUpdate},
        {'Q', Alt, KeyCommand::None},
        {112, 0, KeyCommand::None},  // F1
    };
    for (const Row& r : table)
        EXPECT_EQ(KeyCommandFor(r.code, r.shift), r.command)
            << "key " << r.code << " shift " << r.shift << ": " << KeyCommandName(KeyCommandFor(r.code, r.shift)).toStdString();
}

} // namespace
