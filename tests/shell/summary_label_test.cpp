// The status bar's Summary label with a stock selected: the summary chooser opens
// modal above the label, showing the stored choice.

#include "ShellFixture.h"

#include "reports/SummaryOpt.h"
#include "shell/frmMain.h"
#include "stockdata/ProgramState.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class SummaryLabelTest : public ShellTest
{
};

TEST_F(SummaryLabelTest, WithAStockTheLabelOpensTheChooserModal)
{
    frmMain form(test::views());
    form.setEndProgram([] {});
    form.Form_Load();
    CurrentSymbol() = QStringLiteral("IBM");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        seen = chooser->objectName() == QStringLiteral("SummaryOpt");
        EXPECT_TRUE(chooser->isModal());
        chooser->reject();
    });
    form.Panel1_Click(4);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(test::dialogs().shown.isEmpty());
}

} // namespace
